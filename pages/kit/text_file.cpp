#include "pages/kit/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

namespace {

#ifdef _WIN32
// Windows: the bytes exactly as given (no CR LF translation); there are no FIFOs to hang on.
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_TRUNC | O_BINARY;
constexpr int kReadFlags = O_RDONLY | O_BINARY;
using IoCount = unsigned;
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
// O_NONBLOCK: a FIFO or device at this path must not hang the tool.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
using IoCount = size_t;
#endif

// As much of `n` as one write() takes on either system.
IoCount Chunk(std::size_t n) {
    return static_cast<IoCount>(std::min<std::size_t>(n, std::size_t{1} << 30));
}

std::function<std::string()> g_saveRefusal;

// The file a save through `path` must replace: `path` itself, or, when it is a symbolic link,
// the file at the end of its links (which need not exist yet). Renaming over the link instead
// would turn it into a plain file and leave its target as it was. nullopt with errno set when
// the links go round in circles.
std::optional<std::string> FileToReplace(std::string path) {
#ifdef _WIN32
    return path;  // no symbolic links to follow in the tool's folders there
#else
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
#endif
}

std::string Reason(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

bool WriteFileAtomically(const std::string& givenPath, std::string_view bytes, std::string* error) {
    auto say = [&](const std::string& why) {
        if (error != nullptr) {
            *error = why;
        }
        return false;
    };
    const std::optional<std::string> target = FileToReplace(givenPath);
    if (!target) {
        return say(Reason("cannot follow", givenPath));
    }
    const std::string& path = *target;
    const std::string temp = path + ".tmp";
    int fd = ::open(temp.c_str(), kCreateFlags, 0644);
    if (fd < 0) {
        return say(Reason("cannot create", temp));
    }
    auto fail = [&](const char* what) {
        const std::string why = Reason(what, temp);
        ::unlink(temp.c_str());
        return say(why);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        auto n = ::write(fd, bytes.data() + done, Chunk(bytes.size() - done));
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
    // std::filesystem::rename replaces an existing file on Windows too, where rename() refuses.
    std::error_code renamed;
    std::filesystem::rename(temp, path, renamed);
    if (renamed) {
        ::unlink(temp.c_str());
        return say("cannot rename " + temp + ": " + renamed.message());
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                         std::string* error) {
    auto say = [&](const std::string& why) -> std::optional<std::string> {
        if (error != nullptr) {
            *error = why;
        }
        return std::nullopt;
    };
    int fd = ::open(path.c_str(), kReadFlags);
    if (fd < 0) {
        return say(Reason("cannot open", path));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return say(path + " is not a file");
    }
    std::string content;
    char buffer[4096];
    for (;;) {
        auto n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const std::string why = Reason("cannot read", path);
            ::close(fd);
            return say(why);
        }
        if (n == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > maxBytes) {
            ::close(fd);
            return say(path + " is too long to be a file of this kind");
        }
    }
    ::close(fd);
    return content;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line =
            text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = next;
    }
    return lines;
}

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

void SetSaveRefusal(std::function<std::string()> refusal) {
    g_saveRefusal = std::move(refusal);
}

bool SaveTextFile(UserPrompts& prompts, const std::string& path, std::string_view text) {
    std::string error = g_saveRefusal ? g_saveRefusal() : std::string();
    if (error.empty() && WriteFileAtomically(path, WithCrLf(text), &error)) {
        return true;
    }
    ShowOk(prompts, "The file was not written:\n" + path + "\n" + error, kFileNotWrittenCaption,
           PromptIcon::kWarning);
    return false;
}

void ShowFileCreated(UserPrompts& prompts, const std::string& path) {
    ShowOk(prompts, path, kFileCreatedCaption);
}

ExportOutcome SaveExport(UserPrompts& prompts, const FileDialogRequest& dialog,
                         const std::function<std::string(const std::string& path)>& text,
                         bool busy) {
    const std::optional<std::string> chosen = prompts.SaveFileName(dialog);
    if (!chosen) {
        return ExportOutcome::kCancelled;
    }
    const std::string path = AbsolutePath(*chosen);
    {
        std::optional<WaitCursor> wait;
        if (busy) {
            wait.emplace(prompts);
        }
        if (!SaveTextFile(prompts, path, text(path))) {
            return ExportOutcome::kNotWritten;
        }
    }
    ShowFileCreated(prompts, path);
    return ExportOutcome::kWritten;
}

std::optional<std::string> LoadTextFile(UserPrompts& prompts, const std::string& path,
                                        std::size_t maxBytes) {
    std::string error;
    std::optional<std::string> content = ReadWholeFile(path, maxBytes, &error);
    if (!content) {
        ShowOk(prompts, "The file could not be opened:\n" + path + "\n" + error,
               kFileNotOpenedCaption, PromptIcon::kWarning);
    }
    return content;
}
