#include "app/connection_settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "pages/kit/text_file.h"

namespace {

// A settings file is two short lines; anything much longer is not one of ours, and reading
// stops there instead of slurping whatever the path happens to name.
constexpr std::size_t kMaxFileBytes = 4096;

// Skips up to and including the next comma, then reads an optional sign and decimal digits,
// the way the number line was always read. False when the text ends first.
bool NextNumber(std::string_view text, std::size_t& pos, int& value) {
    std::size_t comma = text.find(',', pos);
    if (comma == std::string_view::npos) {
        return false;
    }
    pos = comma + 1;
    while (pos < text.size() &&
           (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::size_t digits = 0;
    long long v = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (v < 1000000) {  // far beyond every valid value; stops overflow, stays out of range
            v = v * 10 + (text[pos] - '0');
        }
        ++pos;
        ++digits;
    }
    if (digits == 0) {
        return false;
    }
    value = static_cast<int>(negative ? -v : v);
    return true;
}

bool InRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

}  // namespace

std::string FormatConnectionSettings(const ConnectionSettings& s) {
    char line[64];
    std::snprintf(line, sizeof line, ",%d,%d,%d,%d", s.portNumber, s.baudIndex, s.parityIndex,
                  s.addressModeIndex);
    // Written as Windows text mode always wrote it, so one file serves both systems.
    return std::string(kConnectionSettingsHeader) + "\r\n" + line;
}

std::optional<ConnectionSettings> ParseConnectionSettings(std::string_view content) {
    std::size_t lineEnd = content.find('\n');
    if (lineEnd == std::string_view::npos) {
        return std::nullopt;  // not even a complete header line
    }
    std::string_view header = content.substr(0, lineEnd);
    if (!header.empty() && header.back() == '\r') {
        header.remove_suffix(1);
    }
    if (header != kConnectionSettingsHeader) {
        return std::nullopt;
    }
    ConnectionSettings s;
    std::size_t pos = lineEnd + 1;
    if (!NextNumber(content, pos, s.portNumber) || !NextNumber(content, pos, s.baudIndex) ||
        !NextNumber(content, pos, s.parityIndex) || !NextNumber(content, pos, s.addressModeIndex)) {
        return std::nullopt;
    }
    if (!InRange(s.portNumber, 1, 255) || !InRange(s.baudIndex, 0, 5) ||
        !InRange(s.parityIndex, 0, 2) || !InRange(s.addressModeIndex, 0, 1)) {
        return std::nullopt;
    }
    return s;
}

LoadedConnectionSettings LoadConnectionSettings(const std::string& path) {
    LoadedConnectionSettings result;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) {
        result.state = SettingsFileState::kMissing;
        return result;
    }
    const std::optional<std::string> content = ReadWholeFile(path, kMaxFileBytes, nullptr);
    auto parsed = content ? ParseConnectionSettings(*content) : std::nullopt;
    if (parsed) {
        result.state = SettingsFileState::kLoaded;
        result.settings = *parsed;
    } else {
        result.state = SettingsFileState::kInvalid;
    }
    return result;
}

bool SaveConnectionSettings(const ConnectionSettings& settings, std::string* error,
                            const std::string& path) {
    return WriteFileAtomically(path, FormatConnectionSettings(settings), error);
}
