#include "pages/data/trend_window_state.h"

#include <filesystem>

namespace metering_charts {

bool TrendWindowState::Open(UserPrompts& prompts) {
    std::string path;
    std::optional<std::deque<TrendSample>> rows = metering_recording::OpenRecording(prompts, &path);
    if (!rows) {
        return false;
    }
    opened_.emplace();
    opened_->Load(std::move(*rows));
    openedName_ = std::filesystem::path(path).filename().string();
    return true;
}

ExportOutcome TrendWindowState::Save(UserPrompts& prompts) const {
    return metering_recording::SaveRecording(prompts, Shown().Samples());
}

std::string TrendWindowState::Title() const {
    if (opened_) {
        const std::size_t rows = opened_->Samples().size();
        return "Vld, Vs and Ild: " + openedName_ + " (" + std::to_string(rows) +
               (rows == 1 ? " row)" : " rows)");
    }
    return live_.Samples().empty()
               ? "Vld, Vs and Ild: no samples yet (tick Auto Refresh on the Metering page)"
               : "Vld, Vs and Ild: the last 30 minutes of Auto Refresh";
}

}  // namespace metering_charts
