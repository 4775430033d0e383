#include "pages/settings/diag_fields.h"

#include "pages/kit/number_text.h"

namespace diag_conversions {
namespace {

constexpr char kUnmappable = '?';

// A register byte as text: codes above 127 are Latin-1, as the panel's character set has them.
void AppendLatin1(std::string& text, unsigned char code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else {
        text += static_cast<char>(0xC0 | code >> 6);
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The byte of the UTF-8 character at `i` (moving `i` past it), the reverse of AppendLatin1. A
// character beyond Latin-1 has no byte and becomes '?'; a byte that starts no character is
// taken as it is.
unsigned char NextLatin1(const std::string& text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0xC0) {
        return lead;
    }
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    std::size_t k = 1;
    while (k < length && i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
        ++i;
        ++k;
    }
    if (length == 2 && k == 2 && lead >= 0xC2 && lead <= 0xC3) {
        return static_cast<unsigned char>((lead & 0x03) << 6 | (text[i - 1] & 0x3F));
    }
    return kUnmappable;
}

}  // namespace

std::string ShowTwoCharacters(int32_t* slots) {
    std::string text;
    for (int shift : {8, 0}) {
        const auto code = static_cast<unsigned char>(slots[0] >> shift);
        if (code == 0) {
            break;
        }
        AppendLatin1(text, code);
    }
    return text;
}

int64_t TakeTwoCharacters(const std::string& text) {
    std::size_t i = 0;
    int64_t value = 0;
    for (int shift : {8, 0}) {
        if (i < text.size()) {
            value |= int64_t{NextLatin1(text, i)} << shift;
        }
    }
    return value;
}

std::string ShowCheckSum(int32_t* slots) {
    switch (slots[0]) {
        case 0:
            return "UNDETERMINED";
        case 1:
            return "PASS";
        case 2:
            return "FAIL";
        default:
            return {};
    }
}

std::string ShowSerialNumber(int32_t* slots) {
    const uint32_t bits = (static_cast<uint32_t>(slots[1]) & 0xFFFFu) << 16 |
                          (static_cast<uint32_t>(slots[0]) & 0xFFFFu);
    return std::to_string(static_cast<int32_t>(bits));
}

std::array<int32_t, 2> SerialNumberRegisters(const std::string& text) {
    const auto bits = static_cast<uint32_t>(LeadingInteger(text));
    return {static_cast<int32_t>(bits & 0xFFFFu), static_cast<int32_t>(bits >> 16)};
}

std::string ShowHundredths(int32_t* slots) {
    return ScaledText(slots[0], 2, 2);
}

int64_t TakeHundredths(const std::string& text) {
    return ScaledLeadingNumber(text, 2);
}

}  // namespace diag_conversions
