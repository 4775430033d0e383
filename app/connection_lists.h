#pragma once
// The texts of the connection combo boxes and the numbers behind them.
#include <array>
#include <string>
#include <vector>

inline constexpr std::array<int, 6> kBaudRates = {300, 1200, 2400, 4800, 9600, 19200};
inline constexpr std::array<const char*, 6> kBaudNames = {"300",  "1200", "2400",
                                                          "4800", "9600", "19200"};
// The fourth, empty entry is never offered in the PARITY list.
inline constexpr std::array<const char*, 4> kParityNames = {"NONE", "EVEN", "ODD", ""};
inline constexpr std::array<const char*, 2> kAddressModeNames = {"OFF", "ON"};

// Index 0 "NULL", 1..99 two digits ("01"), 100..255 as they are.
std::string PortName(int portNumber);

// What the combo boxes hold: ports "01".."255", baud rates, "NONE"/"EVEN"/"ODD", "OFF"/"ON",
// comm addresses "0".."199".
std::vector<std::string> PortItems();
std::vector<std::string> BaudItems();
std::vector<std::string> ParityItems();
std::vector<std::string> AddressModeItems();
std::vector<std::string> CommAddressItems();

// The leading decimal number of a text, 0 when there is none.
int LeadingNumber(const std::string& text);

// "NONE" 0, "EVEN" 1, "ODD" 2, anything else 1.
int ParityCode(const std::string& text);
