#pragma once
// The files the tool writes and reads. Text is written with CR LF line ends on every system, as
// Windows text mode stores it, so a file made anywhere opens in any copy of the tool; readers
// accept LF or CR LF. A file is written to a temporary file beside its target and renamed over
// the target only when every byte was written, so a failure leaves the old file as it was.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/kit/user_prompts.h"

inline constexpr char kFileCreatedCaption[] = "File Created";
inline constexpr char kFileNotWrittenCaption[] = "FILE NOT WRITTEN";
inline constexpr char kFileNotOpenedCaption[] = "FILE NOT OPENED";

// Every "\n" of `text` as CR LF.
std::string WithCrLf(std::string_view text);

// Writes `bytes` to `path` through a new temporary file beside it (never one that was there),
// synced to the disk before it is renamed over `path`; through a symbolic link, the file at the
// end of the link is replaced and the link stays. A replaced file keeps its permissions; a
// read-only file, and anything that is not a regular file, is left as it is. False with `error`
// saying why, naming `path`; nothing is left behind.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error);
// Why a file could not be written at `path` now ("" when it can), found without touching it:
// the checks WriteFileAtomically makes, and a file made and removed in its folder.
std::string WriteProblem(const std::string& path);

// Why lines could not be appended to `path` now ("" when they can): an existing file must be a
// writable regular file; a missing one must be creatable in its folder. Touches no existing file.
std::string AppendProblem(const std::string& path);

// A file that grows by whole lines and keeps every line it was given: each Append is written
// with CR LF line ends and synced to the disk before it returns, so a crash or a pulled plug
// loses at most the lines of the Append under way.
class AppendingFile {
  public:
    AppendingFile() = default;
    ~AppendingFile();
    AppendingFile(const AppendingFile&) = delete;
    AppendingFile& operator=(const AppendingFile&) = delete;

    // Opens `path` for appending, made (with the usual permissions) when missing. False with
    // `error` naming the file and saying why.
    bool Open(const std::string& path, std::string* error);
    bool Append(std::string_view text, std::string* error);
    void Close();

  private:
    int fd_ = -1;
    std::string path_;
};

// The whole file, at most maxBytes. Never waits: a FIFO or device at `path`, a directory or a
// longer file is an error, with `error` saying why.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes,
                                         std::string* error);

// The lines of a text, without their LF or CR LF ends; a last line without an end counts.
std::vector<std::string> SplitLines(std::string_view text);

// `path` made absolute against the working directory (the name a file's own text carries).
std::string AbsolutePath(const std::string& path);

// Writes `text` with CR LF line ends. On failure tells the user which file and why, and returns
// false; nothing is left behind.
bool SaveTextFile(UserPrompts& prompts, const std::string& path, std::string_view text);
// A process-wide check SaveTextFile makes before it writes: a non-empty answer is why no file
// may be written now, and the save fails as a failed write does. The command-line tool uses it
// to keep no file made from requests that went without a reply. nullptr: no check.
void SetSaveRefusal(std::function<std::string()> refusal);
// "FILE NOT WRITTEN" with the file and why.
void ShowNotWritten(UserPrompts& prompts, const std::string& path, const std::string& why);
// "File Created" with the file's full path, as every export ends.
void ShowFileCreated(UserPrompts& prompts, const std::string& path);

// How an export ended.
enum class ExportOutcome { kWritten, kNotConnected, kCancelled, kNotWritten };
// An export's steps after its reads: the save dialog, a check that the chosen file can be
// written, the text `text` makes for its full path (which may still read the panel) written
// there, and "File Created". With `busy`, the wait cursor shows while the text is made and
// written.
ExportOutcome SaveExport(UserPrompts& prompts, const FileDialogRequest& dialog,
                         const std::function<std::string(const std::string& path)>& text,
                         bool busy = false);
// Reads a file the user chose; on failure tells which file and why.
std::optional<std::string> LoadTextFile(UserPrompts& prompts, const std::string& path,
                                        std::size_t maxBytes);
