#pragma once
// The condition of a tap-changer contact from its wear value, a 16-bit register: with
// g = value / 100, up to 30 "EXCELLENT", 31..80 "GOOD", 81..90 "WORN", from 91 "REPLACE".
#include <cstdint>

const char* GradeContact(int32_t value);
