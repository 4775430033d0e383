#include "pages/data/metering_fields.h"

#include <cstdio>

#include "protocol/value_store.h"

namespace metering {
namespace {

std::string Formatted(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Ordinal(int n) {
    const int lastTwo = n % 100;
    const int last = n % 10;
    const char* suffix = "TH";
    if (lastTwo < 11 || lastTwo > 13) {
        suffix = last == 1 ? "ST" : last == 2 ? "ND" : last == 3 ? "RD" : "TH";
    }
    return std::to_string(n) + suffix;
}

}  // namespace

std::string ShowTenths(int32_t* slots) {
    return Formatted("%3.1f", Word(slots[0]) / 10.0);
}

std::string ShowFrequency(int32_t* slots) {
    return Formatted("%2.1f", Word(slots[0]) / 10.0);
}

std::string ShowSigned(int32_t* slots) {
    return std::to_string(SignedWord(slots[0]));
}

std::string ShowCounter(int32_t* slots) {
    return std::to_string(DoubleWord(slots));
}

const std::array<std::string, kHarmonicsValues>& HarmonicsNames() {
    static const std::array<std::string, kHarmonicsValues> names = [] {
        std::array<std::string, kHarmonicsValues> n{"THD", "HARM_RMS", "DC_RMS"};
        for (int harmonic = 1; harmonic + 2 < kHarmonicsValues; ++harmonic) {
            n[static_cast<std::size_t>(harmonic + 2)] = Ordinal(harmonic) + "_RMS";
        }
        return n;
    }();
    return names;
}

uint16_t HarmonicsWord(const HarmonicsArray& array, int k) {
    const int reg = k < 2 ? array.firstPair + k : array.firstRms + (k - 2);
    return Word(StoreSlot(kHarmonicsBank, static_cast<unsigned>(reg)));
}

}  // namespace metering
