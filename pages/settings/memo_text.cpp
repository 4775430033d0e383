#include "pages/settings/memo_text.h"

#include <cstring>

namespace {

// The byte length of the UTF-8 character at `i`; 1 for a byte that starts none.
std::size_t CharacterLength(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC2 ? 2
                                        : 1;
    if (i + length > text.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

bool Allowed(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || std::strchr(" #&,-./", c) != nullptr;
}

}  // namespace

std::string FirstCharacters(const std::string& text, int count) {
    std::size_t i = 0;
    for (int n = 0; n < count && i < text.size(); ++n) {
        i += CharacterLength(text, i);
    }
    return text.substr(0, i);
}

std::string FilterMemoText(const std::string& text) {
    std::string filtered;
    std::size_t i = 0;
    for (int n = 0; n < kMemoLength && i < text.size(); ++n) {
        const std::size_t length = CharacterLength(text, i);
        char c = length == 1 ? text[i] : '\0';
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        filtered += c != '\0' && Allowed(c) ? c : ' ';
        i += length;
    }
    return filtered;
}

void PackMemo(const std::string& memo, int32_t* registers) {
    auto at = [&memo](std::size_t i) -> int32_t {
        return i < memo.size() ? static_cast<unsigned char>(memo[i]) : 0;
    };
    for (std::size_t k = 0; k < kMemoRegisters; ++k) {
        registers[k] = at(2 * k) << 8 | at(2 * k + 1);
    }
}

std::string MemoFromRegisters(const int32_t* registers) {
    std::string text;
    for (int n = 0; n < kMemoLength; ++n) {
        const int32_t word = registers[n / 2];
        const auto code = static_cast<unsigned char>(n % 2 == 0 ? word >> 8 : word);
        if (code == 0) {
            break;
        }
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}
