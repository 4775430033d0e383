#include "sim/fault_schedule.h"

#include <algorithm>
#include <cstdio>

namespace sim {
namespace {

// Later than the tool's 1.5 s allowance for one byte, and by a varying amount.
constexpr unsigned kShortestLateMs = 1600;
constexpr unsigned kLateSpreadMs = 900;
constexpr unsigned kMostNoise = 8;

std::string Hex(std::uint8_t byte) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

// Any byte but `not`, every other equally likely.
std::uint8_t OtherThan(std::uint8_t not_, std::mt19937& random) {
    auto value = static_cast<unsigned>(random() % 255);
    return static_cast<std::uint8_t>(value >= not_ ? value + 1 : value);
}

// Percent with up to two decimals, "3" or "0.25", as hundredths of a per cent.
std::optional<unsigned> ParseChance(std::string_view text) {
    unsigned whole = 0;
    unsigned hundredths = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != '.'; ++i) {
        if (text[i] < '0' || text[i] > '9' || i >= 3) {
            return std::nullopt;
        }
        whole = whole * 10 + static_cast<unsigned>(text[i] - '0');
    }
    if (i == 0) {
        return std::nullopt;
    }
    if (i < text.size()) {
        std::string_view fraction = text.substr(i + 1);
        if (fraction.empty() || fraction.size() > 2) {
            return std::nullopt;
        }
        for (char c : fraction) {
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
        }
        hundredths = static_cast<unsigned>(fraction[0] - '0') * 10 +
                     (fraction.size() > 1 ? static_cast<unsigned>(fraction[1] - '0') : 0);
    }
    return whole * 100 + hundredths;
}

}  // namespace

Fault Fault::LateByte(std::size_t index, std::chrono::milliseconds delay) {
    Fault f;
    f.kind = Kind::kLateByte;
    f.byteIndex = index;
    f.delay = delay;
    return f;
}

Fault Fault::Truncate(std::size_t keepBytes) {
    Fault f;
    f.kind = Kind::kTruncate;
    f.byteIndex = keepBytes;
    return f;
}

Fault Fault::BadLength(std::uint8_t lengthByte) {
    Fault f;
    f.kind = Kind::kBadLength;
    f.lengthByte = lengthByte;
    return f;
}

Fault Fault::Noise(std::size_t count, bool insteadOfReply, std::uint32_t seed) {
    Fault f;
    f.kind = Kind::kNoise;
    f.noiseCount = count;
    f.noiseInstead = insteadOfReply;
    f.seed = seed;
    return f;
}

Fault Fault::StaleReply() {
    Fault f;
    f.kind = Kind::kStaleReply;
    return f;
}

Fault Fault::StrayByte(std::uint8_t value) {
    Fault f;
    f.kind = Kind::kStrayByte;
    f.strayByte = value;
    return f;
}

Fault Fault::Vanish(bool removeLink) {
    Fault f;
    f.kind = Kind::kVanish;
    f.removeLink = removeLink;
    return f;
}

Fault Fault::NoEcho(std::uint8_t byteOne) {
    Fault f;
    f.kind = Kind::kNoEcho;
    f.byteOne = byteOne;
    return f;
}

Fault Fault::BadChecksum() {
    Fault f;
    f.kind = Kind::kBadChecksum;
    return f;
}

ShapedReply ApplyFault(const Fault& fault, const std::vector<std::uint8_t>& reply,
                       const Request& request, const std::vector<std::uint8_t>& lastReply) {
    ShapedReply shaped;
    std::vector<std::uint8_t>& bytes = shaped.bytes;
    bytes = reply;
    const std::size_t lengthAt = request.address >= 0 ? 1 : 0;
    switch (fault.kind) {
        case Fault::Kind::kSilence:
            bytes.clear();
            break;
        case Fault::Kind::kLateByte:
            shaped.lateIndex = fault.byteIndex;
            shaped.lateBy = fault.delay;
            break;
        case Fault::Kind::kTruncate:
            bytes.resize(std::min(bytes.size(), fault.byteIndex));
            break;
        case Fault::Kind::kBadLength:
            bytes[lengthAt] = fault.lengthByte;
            break;
        case Fault::Kind::kNoise: {
            std::mt19937 random(fault.seed);
            std::vector<std::uint8_t> noise;
            for (std::size_t i = 0; i < fault.noiseCount; ++i) {
                noise.push_back(static_cast<std::uint8_t>(random() & 0xFF));
            }
            if (!fault.noiseInstead) {
                noise.insert(noise.end(), bytes.begin(), bytes.end());
            }
            bytes = std::move(noise);
            break;
        }
        case Fault::Kind::kStaleReply:
            bytes = lastReply;
            break;
        case Fault::Kind::kStrayByte:
            shaped.stray = {fault.strayByte};
            break;
        case Fault::Kind::kVanish:
            shaped.vanish = true;
            shaped.removeLink = fault.removeLink;
            bytes.clear();
            break;
        case Fault::Kind::kNoEcho:
            if (bytes.size() > lengthAt + 2) {
                std::uint8_t& byteOne = bytes[lengthAt + 1];
                // A byte equal to the function byte would be no fault at all.
                byteOne = byteOne == fault.byteOne ? static_cast<std::uint8_t>(byteOne ^ 0x80)
                                                   : fault.byteOne;
                bytes.pop_back();
                bytes.push_back(Checksum(bytes));
            }
            break;
        case Fault::Kind::kBadChecksum:
            if (!bytes.empty()) {
                ++bytes.back();
            }
            break;
    }
    return shaped;
}

std::string Describe(const Fault& fault) {
    switch (fault.kind) {
        case Fault::Kind::kSilence:
            return "silence";
        case Fault::Kind::kLateByte:
            return "late byte " + std::to_string(fault.byteIndex) + " by " +
                   std::to_string(fault.delay.count()) + " ms";
        case Fault::Kind::kTruncate:
            return "truncated to " + std::to_string(fault.byteIndex) + " bytes";
        case Fault::Kind::kBadLength:
            return "length byte " + Hex(fault.lengthByte);
        case Fault::Kind::kNoise:
            return "noise: " + std::to_string(fault.noiseCount) +
                   (fault.noiseInstead ? " bytes instead of the reply" : " bytes before the reply");
        case Fault::Kind::kStaleReply:
            return "the previous reply";
        case Fault::Kind::kStrayByte:
            return "stray byte " + Hex(fault.strayByte) + " after the reply";
        case Fault::Kind::kVanish:
            return "vanish";
        case Fault::Kind::kNoEcho:
            return "byte 1 " + Hex(fault.byteOne) + " instead of the function byte";
        case Fault::Kind::kBadChecksum:
            return "checksum off by one";
    }
    return "?";
}

const std::vector<FaultKindName>& FaultKindNames() {
    static const std::vector<FaultKindName> names = {
        {Fault::Kind::kSilence, "silence", "no reply"},
        {Fault::Kind::kLateByte, "late", "one reply byte, and those after it, 1.6..2.5 s late"},
        {Fault::Kind::kTruncate, "truncate", "the reply cut short"},
        {Fault::Kind::kBadLength, "bad-length", "another length byte"},
        {Fault::Kind::kNoise, "noise", "1..8 random bytes before the reply, or instead of it"},
        {Fault::Kind::kStaleReply, "stale", "the previous request's reply again"},
        {Fault::Kind::kStrayByte, "stray", "a random byte after the reply, arriving with the next"},
        {Fault::Kind::kVanish, "vanish", "the port disappears and the simulator stops"},
        {Fault::Kind::kNoEcho, "no-echo", "byte 1 is not the request's function byte"},
        {Fault::Kind::kBadChecksum, "bad-checksum", "the reply does not sum to 0"},
    };
    return names;
}

std::string FaultSchedule::Add(std::string_view spec) {
    const std::size_t colon = spec.find(':');
    const std::string_view name = spec.substr(0, colon);
    unsigned chance = kWhole;
    if (colon != std::string_view::npos) {
        const std::optional<unsigned> parsed = ParseChance(spec.substr(colon + 1));
        if (!parsed || *parsed == 0 || *parsed > kWhole) {
            return "the chance in " + std::string(spec) +
                   " is not a per cent above 0 and at most 100 (two decimals at most)";
        }
        chance = *parsed;
    }
    for (const FaultKindName& known : FaultKindNames()) {
        if (known.name == name) {
            if (total_ + chance > kWhole) {
                return "the faults' chances add up to more than 100 %";
            }
            Add(known.kind, chance);
            return "";
        }
    }
    return "no such fault: " + std::string(name);
}

void FaultSchedule::Add(Fault::Kind kind, unsigned hundredthsOfPercent) {
    entries_.push_back({kind, hundredthsOfPercent});
    total_ += hundredthsOfPercent;
}

std::optional<Fault> FaultSchedule::Pick(const std::vector<std::uint8_t>& reply,
                                         const Request& request) {
    if (entries_.empty()) {
        return std::nullopt;
    }
    unsigned roll = static_cast<unsigned>(random_() % kWhole);
    for (const Entry& entry : entries_) {
        if (roll < entry.chance) {
            return Draw(entry.kind, reply, request);
        }
        roll -= entry.chance;
    }
    return std::nullopt;
}

Fault FaultSchedule::Draw(Fault::Kind kind, const std::vector<std::uint8_t>& reply,
                          const Request& request) {
    const std::size_t lengthAt = request.address >= 0 ? 1 : 0;
    const std::size_t size = std::max<std::size_t>(reply.size(), 1);
    switch (kind) {
        case Fault::Kind::kLateByte:
            return Fault::LateByte(
                random_() % size,
                std::chrono::milliseconds(kShortestLateMs + random_() % kLateSpreadMs));
        case Fault::Kind::kTruncate:
            return Fault::Truncate(random_() % size);
        case Fault::Kind::kBadLength:
            return Fault::BadLength(
                OtherThan(reply.size() > lengthAt ? reply[lengthAt] : 0, random_));
        case Fault::Kind::kNoise: {
            const std::size_t count = 1 + random_() % kMostNoise;
            const bool instead = random_() % 4 == 0;
            return Fault::Noise(count, instead, static_cast<std::uint32_t>(random_()));
        }
        case Fault::Kind::kStrayByte:
            return Fault::StrayByte(static_cast<std::uint8_t>(random_() & 0xFF));
        case Fault::Kind::kNoEcho:
            return Fault::NoEcho(
                OtherThan(reply.size() > lengthAt + 1 ? reply[lengthAt + 1] : 0, random_));
        case Fault::Kind::kSilence:
            return Fault::Silence();
        case Fault::Kind::kStaleReply:
            return Fault::StaleReply();
        case Fault::Kind::kVanish:
            return Fault::Vanish();
        case Fault::Kind::kBadChecksum:
            return Fault::BadChecksum();
    }
    return Fault::Silence();
}

}  // namespace sim
