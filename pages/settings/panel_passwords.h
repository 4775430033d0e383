#pragma once
// The panel's thirteen 4-character passwords (System, then one per access level), their
// validation, and how a password sits in its two registers of bank 11.
#include <cstdint>
#include <string>

inline constexpr int kPasswordLength = 4;
inline constexpr int kPasswordCount = 13;
inline constexpr uint8_t kPasswordBank = 11;
inline constexpr uint8_t kPasswordOnOffRegister = 199;  // bit n: level n + 1 asks its password

inline constexpr char kPasswordToolTip[] =
    "ALLOWED CHARACTERS:ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

struct PasswordLevel {
    int onOffBit;           // bit of 11/199, -1 for the System password, which has none
    uint8_t firstRegister;  // bank 11; the second register follows
    const char* checkDefault;
    // The System password is sent only when the check left it as typed; every other entry is
    // replaced by the level's default when it is invalid.
    bool sentOnlyUnchanged;
};

// In the order of the page: System, Level 1, Config, Regulator, Meter, Demand, Alert, Counters,
// Log Setup, Ev/Intv, Harmonics, Comm, Diag.
inline constexpr PasswordLevel kPasswordLevels[kPasswordCount] = {
    {-1, 224, "8837", true},  {0, 200, "8837", false}, {1, 202, "8869", false},
    {2, 204, "8869", false},  {3, 206, "8869", false}, {4, 208, "8869", false},
    {5, 210, "8869", false},  {6, 212, "8869", false}, {7, 214, "8869", false},
    {8, 216, "8869", false},  {9, 218, "8869", false}, {10, 220, "8869", false},
    {11, 222, "8906", false},
};

// Validates the first four characters of `text`: an empty entry stays empty; A-Z and 0-9 are
// kept, a-z become capitals; any other character, and an entry shorter than four, gives
// `levelDefault` instead. The result is empty or four characters of A-Z and 0-9.
std::string CheckPassword(const std::string& text, const std::string& levelDefault);

// Characters 1 and 2 in the high and low byte of the first register, 3 and 4 in the second;
// positions past the end of the text pack as 0.
void PackPassword(const std::string& password, int32_t* registers);
// The text of a register pair, ending at the first zero byte.
std::string UnpackPassword(const int32_t* registers);
