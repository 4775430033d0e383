#pragma once
// The desktop tool's record of the last frames on the line, one text line each, for the Frame
// Log window. It is fed by the request path's frame observer on the user-interface thread.
#include <chrono>
#include <cstddef>
#include <ctime>
#include <deque>
#include <functional>
#include <string>

#include "pages/kit/export_file_stamp.h"
#include "pages/kit/user_prompts.h"
#include "protocol/frame_event.h"

inline constexpr char kFrameLogCaption[] = "Frame Log";
inline constexpr char kFrameLogSaveTitle[] = "Save Frame Log";
inline constexpr char kFrameLogEnding[] = "_frames.txt";
inline constexpr char kFrameLogExtension[] = "txt";
inline constexpr char kFrameLogFilter[] = "TXT FILE (*.txt)|*.txt||";

class FrameLog {
  public:
    static constexpr std::size_t kCapacity = 2000;

    // Times are written as milliseconds since `origin`.
    explicit FrameLog(
        std::chrono::steady_clock::time_point origin = std::chrono::steady_clock::now(),
        std::size_t capacity = kCapacity);

    // Adds the event's line, dropping the oldest beyond the capacity, and tells the listener.
    void Record(const FrameEvent& event);
    void Clear();
    // Oldest first.
    const std::deque<std::string>& Lines() const { return lines_; }
    // Every line followed by a line feed.
    std::string Text() const;
    // Told each new line (a window appends it); nullptr: nobody.
    void SetListener(std::function<void(const std::string& line)> listener);

  private:
    std::chrono::steady_clock::time_point origin_;
    std::size_t capacity_;
    std::deque<std::string> lines_;
    std::function<void(const std::string&)> listener_;
};

// Asks for a file name and writes the log there as plain text, then "File Created"; false when
// the user cancelled or the file could not be written (the user was told why).
bool SaveFrameLog(UserPrompts& prompts, const FrameLog& log,
                  const std::function<std::tm()>& clock = LocalTimeNow);
