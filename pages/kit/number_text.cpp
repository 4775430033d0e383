#include "pages/kit/number_text.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

constexpr int64_t kSaturation = int64_t{1} << 40;  // far beyond 32 bits, far below 64

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

int32_t Saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Skips the blanks and reads a sign; returns the position of what follows.
std::size_t SkipSign(const std::string& text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}

void Accumulate(int64_t& v, char digit) {
    v = std::min(v * 10 + (digit - '0'), kSaturation);
}

}  // namespace

int32_t LeadingInteger(const std::string& text) {
    bool negative = false;
    std::size_t i = SkipSign(text, negative);
    int64_t v = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        Accumulate(v, text[i]);
    }
    return Saturate(negative ? -v : v);
}

int32_t ScaledLeadingNumber(const std::string& text, int decimals) {
    bool negative = false;
    std::size_t i = SkipSign(text, negative);
    int64_t v = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        Accumulate(v, text[i]);
    }
    int taken = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]) && taken < decimals; ++i, ++taken) {
            Accumulate(v, text[i]);
        }
    }
    for (; taken < decimals; ++taken) {
        v = std::min(v * 10, kSaturation);
    }
    return Saturate(negative ? -v : v);
}

std::string ScaledText(int32_t v, int decimals, int minDecimals) {
    int64_t magnitude = v < 0 ? -int64_t{v} : int64_t{v};
    int64_t unit = 1;
    for (int d = 0; d < decimals; ++d) {
        unit *= 10;
    }
    std::string text = (v < 0 ? "-" : "") + std::to_string(magnitude / unit);
    if (decimals == 0) {
        return text;
    }
    std::string fraction = std::to_string(magnitude % unit);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction.empty() ? text : text + "." + fraction;
}

int32_t ClampToRegister(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, kLowestRegisterValue, 0xFFFF));
}
