#pragma once
// Edit-control texts to store values and back. Texts are what the user typed, so every
// conversion is total: no text makes it fail, overflow or read past its end.
#include <cstdint>
#include <string>

// The leading decimal integer (blanks and a sign allowed before it), 0 when there is none.
// Beyond the 32-bit range it saturates instead of wrapping.
int32_t LeadingInteger(const std::string& text);

// The leading decimal number times 10^decimals, truncated toward zero. Worked out on the
// decimal digits, so "0.05" with 3 decimals is exactly 50 and "4.35" with 2 is 435 (binary
// floating point would give 434). Saturates at the 32-bit range; 0 when there is no number.
int32_t ScaledLeadingNumber(const std::string& text, int decimals);

// v / 10^decimals as a decimal text with at least minDecimals and at most `decimals` places:
// trailing zeros beyond minDecimals are left out, nothing is rounded away.
std::string ScaledText(int32_t v, int decimals, int minDecimals);

// A typed number is kept to what one 16-bit register carries: 0..65535, or down to -32768
// for a signed quantity, which goes out as its two's complement as the panel reads it.
// Anything further out would reach the panel as an unrelated low 16 bits.
inline constexpr int64_t kLowestRegisterValue = -32768;
int32_t ClampToRegister(int64_t v);
