#include "app/connection_settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>

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

// The file a save through `path` must replace: `path` itself, or, when it is a symbolic link,
// the file at the end of its links (which need not exist yet). Renaming over the link instead
// would turn it into a plain file and leave its target as it was. nullopt with errno set when
// the links go round in circles.
std::optional<std::string> FileToReplace(std::string path) {
    constexpr int kMaxLinks = 40;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        char target[PATH_MAX];
        ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
        if (n < 0) {
            return path;
        }
        std::string next(target, static_cast<std::size_t>(n));
        std::size_t slash = path.rfind('/');
        if (!next.empty() && next[0] != '/' && slash != std::string::npos) {
            next = path.substr(0, slash + 1) + next;
        }
        path = std::move(next);
    }
    errno = ELOOP;
    return std::nullopt;
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
    // O_NONBLOCK: a FIFO or device at this path must not hang start-up.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.state = errno == ENOENT ? SettingsFileState::kMissing : SettingsFileState::kInvalid;
        return result;
    }
    std::string content;
    char buffer[512];
    while (content.size() <= kMaxFileBytes) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    auto parsed = content.size() <= kMaxFileBytes ? ParseConnectionSettings(content) : std::nullopt;
    if (parsed) {
        result.state = SettingsFileState::kLoaded;
        result.settings = *parsed;
    } else {
        result.state = SettingsFileState::kInvalid;
    }
    return result;
}

bool SaveConnectionSettings(const ConnectionSettings& settings, std::string* error,
                            const std::string& givenPath) {
    const std::optional<std::string> target = FileToReplace(givenPath);
    if (!target) {
        if (error != nullptr) {
            *error = "cannot follow " + givenPath + ": " + std::strerror(errno);
        }
        return false;
    }
    const std::string& path = *target;
    std::string temp = path + ".tmp";
    std::string text = FormatConnectionSettings(settings);
    auto fail = [&](const char* what) {
        if (error != nullptr) {
            *error = std::string(what) + " " + temp + ": " + std::strerror(errno);
        }
        ::unlink(temp.c_str());
        return false;
    };
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error != nullptr) {
            *error = "cannot create " + temp + ": " + std::strerror(errno);
        }
        return false;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ::close(fd);
            return fail("cannot write");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        return fail("cannot write");
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        return fail("cannot rename");
    }
    return true;
}
