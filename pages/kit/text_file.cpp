#include "pages/kit/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#define getpid _getpid
constexpr char kPathSeparators[] = "/\\";
constexpr unsigned kAnyoneMayWrite = _S_IWRITE;
#else
#include <unistd.h>
constexpr char kPathSeparators[] = "/";
constexpr unsigned kAnyoneMayWrite = S_IWUSR | S_IWGRP | S_IWOTH;
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "protocol/requests.h"

namespace {

#ifdef _WIN32
// Windows: the bytes exactly as given (no CR LF translation); there are no FIFOs to hang on.
constexpr int kTempFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
constexpr int kReadFlags = O_RDONLY | O_BINARY;
constexpr int kAppendFlags = O_WRONLY | O_APPEND | O_CREAT | O_BINARY;
using IoCount = unsigned;
#else
// O_EXCL: the temporary file is new, never a file or link that was there before.
constexpr int kTempFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
// O_NONBLOCK: a FIFO or device at this path must not hang the tool.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
constexpr int kAppendFlags = O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC;
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

// The folder a file is made in, with its separator ("" for the working directory).
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(kPathSeparators);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// What stands at the target now: nothing (a new file), or a regular file that may be replaced
// (its mode is kept), or a reason it must stay as it is.
struct Existing {
    bool exists = false;
    unsigned mode = 0;
    std::string refusal;
};

Existing LookAt(const std::string& target, const std::string& shownName) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno == ENOENT) {
            return {};
        }
        return {true, 0, Reason("cannot look at", shownName)};
    }
    if (!S_ISREG(st.st_mode)) {
        return {true, 0, shownName + " is not a regular file: it is left as it is"};
    }
    // By its mode, not by access(): an administrator may write anywhere, and must not replace a
    // file someone made read-only without noticing.
    if ((st.st_mode & kAnyoneMayWrite) == 0) {
        return {true, 0, shownName + " is read-only: it is left as it is"};
    }
    return {true, static_cast<unsigned>(st.st_mode & 07777), {}};
}

// A new, uniquely named temporary file in `folder`, open for writing; -1 with errno set when
// none can be made. A short name, so a target with a name of the longest length still has room.
int CreateTemporary(const std::string& folder, unsigned mode, std::string& name) {
    static std::minstd_rand random(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ ::getpid()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        char leaf[16];
        std::snprintf(leaf, sizeof leaf, ".vs%06x", static_cast<unsigned>(random()) & 0xFFFFFF);
        name = folder + leaf;
        const int fd = ::open(name.c_str(), kTempFlags, static_cast<int>(mode));
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        auto n = ::write(fd, bytes.data() + done, Chunk(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The bytes on the disk before the rename makes them the file: a crash or a pulled plug then
// leaves the old file or the new one, never a short one.
bool Sync(int fd) {
#ifdef _WIN32
    return ::_commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

void SyncFolder(const std::string& folder) {
#ifndef _WIN32
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)folder;
#endif
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

namespace {

// WriteProblem's checks; `existingWillDo`: a writable file already there needs no new one.
std::string Problem(const std::string& givenPath, bool existingWillDo) {
    const std::optional<std::string> target = FileToReplace(givenPath);
    if (!target) {
        return Reason("cannot follow", givenPath);
    }
    const Existing existing = LookAt(*target, givenPath);
    if (!existing.refusal.empty() || (existing.exists && existingWillDo)) {
        return existing.refusal;
    }
    // The folder must take a new file: the one way to know is to make one.
    std::string probe;
    const int fd = CreateTemporary(FolderOf(*target), 0600, probe);
    if (fd < 0) {
        return Reason("cannot create a file beside", givenPath);
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return {};
}

}  // namespace

std::string WriteProblem(const std::string& path) {
    return Problem(path, false);
}

std::string AppendProblem(const std::string& path) {
    return Problem(path, true);
}

AppendingFile::~AppendingFile() {
    Close();
}

bool AppendingFile::Open(const std::string& path, std::string* error) {
    Close();
    if (std::string problem = AppendProblem(path); !problem.empty()) {
        *error = std::move(problem);
        return false;
    }
    struct stat st {};
    const bool existed = ::stat(path.c_str(), &st) == 0;
    fd_ = ::open(path.c_str(), kAppendFlags, 0666);
    if (fd_ < 0) {
        *error = Reason("cannot open", path);
        return false;
    }
    path_ = path;
    if (!existed) {
        SyncFolder(FolderOf(path));
    }
    return true;
}

bool AppendingFile::Append(std::string_view text, std::string* error) {
    // One write of whole lines: a reader never sees half of one unless the disk filled up.
    if (fd_ < 0 || !WriteAll(fd_, WithCrLf(text)) || !Sync(fd_)) {
        *error = Reason("cannot write", path_);
        return false;
    }
    return true;
}

void AppendingFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
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
    const Existing existing = LookAt(*target, givenPath);
    if (!existing.refusal.empty()) {
        return say(existing.refusal);
    }
    // A new file gets the usual permissions (the umask applies); a replaced one keeps its own,
    // so a configuration file holding the panel's passwords stays as private as it was.
    const std::string folder = FolderOf(*target);
    std::string temp;
    const int fd = CreateTemporary(folder, existing.exists ? 0600 : 0666, temp);
    if (fd < 0) {
        return say(Reason("cannot create a file beside", givenPath));
    }
    auto fail = [&](const char* what) {
        const std::string why = Reason(what, givenPath);
        ::close(fd);
        ::unlink(temp.c_str());
        return say(why);
    };
#ifndef _WIN32
    if (existing.exists && ::fchmod(fd, existing.mode) != 0) {
        return fail("cannot keep the permissions of");
    }
#endif
    if (!WriteAll(fd, bytes)) {
        return fail("cannot write");
    }
    if (!Sync(fd)) {
        return fail("cannot write");
    }
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        return say(Reason("cannot write", givenPath));
    }
    // std::filesystem::rename replaces an existing file on Windows too, where rename() refuses.
    std::error_code renamed;
    std::filesystem::rename(temp, *target, renamed);
    if (renamed) {
        ::unlink(temp.c_str());
        return say("cannot replace " + givenPath + ": " + renamed.message());
    }
    SyncFolder(folder);
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
    ShowNotWritten(prompts, path, error);
    return false;
}

void ShowNotWritten(UserPrompts& prompts, const std::string& path, const std::string& why) {
    ShowOk(prompts, "The file was not written:\n" + path + "\n" + why, kFileNotWrittenCaption,
           PromptIcon::kWarning);
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
    // Before the text is made, which may read the panel for minutes: a file that cannot be
    // written is known now, not after.
    if (const std::string problem = WriteProblem(path); !problem.empty()) {
        ShowNotWritten(prompts, path, problem);
        return ExportOutcome::kNotWritten;
    }
    {
        std::optional<WaitCursor> wait;
        if (busy) {
            wait.emplace(prompts);
        }
        const uint64_t cancelledBefore = RequestTotals().cancelled;
        const std::string made = text(path);
        // Work the user cancelled while the text was made gives no file at all.
        if (RequestTotals().cancelled != cancelledBefore) {
            return ExportOutcome::kCancelled;
        }
        if (!SaveTextFile(prompts, path, made)) {
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
