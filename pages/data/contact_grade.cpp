#include "pages/data/contact_grade.h"

const char* GradeContact(int32_t value) {
    const int32_t g = value / 100;
    if (g <= 30) {
        return "EXCELLENT";
    }
    if (g <= 80) {
        return "GOOD";
    }
    if (g <= 90) {
        return "WORN";
    }
    return "REPLACE";
}
