#include "app/frame_log.h"

#include <optional>

#include "pages/kit/text_file.h"

FrameLog::FrameLog(std::chrono::steady_clock::time_point origin, std::size_t capacity)
    : origin_(origin), capacity_(capacity) {}

void FrameLog::Record(const FrameEvent& event) {
    lines_.push_back(FormatFrameEvent(event, origin_));
    while (lines_.size() > capacity_) {
        lines_.pop_front();
    }
    if (listener_) {
        listener_(lines_.back());
    }
}

void FrameLog::Clear() {
    lines_.clear();
}

std::string FrameLog::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    return text;
}

void FrameLog::SetListener(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
}

bool SaveFrameLog(UserPrompts& prompts, const FrameLog& log,
                  const std::function<std::tm()>& clock) {
    return SaveExport(prompts,
                      {kFrameLogSaveTitle, ExportFileStamp(kFrameLogEnding, clock),
                       kFrameLogExtension, kFrameLogFilter},
                      [&log](const std::string&) { return log.Text(); }) == ExportOutcome::kWritten;
}
