#pragma once
// The two ten-character memos the panel shows. Each occupies five registers, two characters
// per register, the first in the high byte.
#include <cstdint>
#include <string>

inline constexpr int kMemoLength = 10;
inline constexpr int kMemoRegisters = 5;
inline constexpr char kMemoToolTip[] =
    "ALLOWED MEMO CHARACTERS:ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#&,-./";

// The first `count` characters of a UTF-8 text (a byte that starts no valid character counts
// as one character).
std::string FirstCharacters(const std::string& text, int count);

// Keeps A-Z, 0-9, space and # & , - . / ; lower-case letters become capitals and every other
// character one space, so the number of characters stays the same. At most ten characters are
// looked at.
std::string FilterMemoText(const std::string& text);

// Packs a filtered memo into five registers; positions after the end of the text pack as 0.
void PackMemo(const std::string& memo, int32_t* registers);

// The text held by five registers: high byte first, ending at the first 0 character, at most
// ten characters. Codes above 127 are taken as Latin-1.
std::string MemoFromRegisters(const int32_t* registers);
