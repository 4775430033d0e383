#include "pages/settings/panel_passwords.h"

#include <array>

namespace {

bool IsUpperOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

}  // namespace

std::string CheckPassword(const std::string& text, const std::string& levelDefault) {
    std::array<char, kPasswordLength> entry{};  // a shorter text is padded with zeros
    for (std::size_t i = 0; i < entry.size() && i < text.size(); ++i) {
        entry[i] = text[i];
    }
    if (entry[0] == '\0') {
        return {};
    }
    for (char& c : entry) {
        if (IsUpperOrDigit(c)) {
            continue;
        }
        if (IsLower(c)) {
            c = static_cast<char>(c - 'a' + 'A');
            continue;
        }
        // A zero of a short text, a byte above 127 or any other character.
        return levelDefault.substr(0, kPasswordLength);
    }
    return std::string(entry.begin(), entry.end());
}

void PackPassword(const std::string& password, int32_t* registers) {
    auto at = [&password](std::size_t i) -> int32_t {
        return i < password.size() ? static_cast<unsigned char>(password[i]) : 0;
    };
    registers[0] = at(0) << 8 | at(1);
    registers[1] = at(2) << 8 | at(3);
}

std::string UnpackPassword(const int32_t* registers) {
    std::string text;
    for (int n = 0; n < kPasswordLength; ++n) {
        const auto code = static_cast<unsigned char>(registers[n / 2] >> (n % 2 == 0 ? 8 : 0));
        if (code == 0) {
            break;
        }
        text += static_cast<char>(code);
    }
    return text;
}
