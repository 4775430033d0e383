#pragma once
// What the benchmarks share: the time bytes need on the line, a simulated panel paced at a baud
// rate and linked in a private ports folder, prompts that answer nothing, and the mean of a
// benchmark's iterations measured against the line.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "pages/kit/user_prompts.h"
#include "sim/pty_panel.h"

namespace bench {

using Clock = std::chrono::steady_clock;

// Start bit, eight data bits, stop bit.
inline constexpr double kBitsPerByte = 10.0;

// The seconds `bytes` need on a line at `baud`.
inline double WireSeconds(double bytes, unsigned baud) {
    return bytes * kBitsPerByte / baud;
}

// XDG_CONFIG_HOME pointed at a fresh folder, so that panels are linked in a ports folder of the
// run's own, and the link's diagnostics silenced; the folder goes with the object.
class PrivateConfigHome {
  public:
    PrivateConfigHome();
    ~PrivateConfigHome();
    PrivateConfigHome(const PrivateConfigHome&) = delete;
    PrivateConfigHome& operator=(const PrivateConfigHome&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// Opens COM `com` at `baud`; a benchmark cannot go on without its panel, so a failure is told
// and ends the run.
void OpenPortOrExit(unsigned com, unsigned baud);

// A panel paced at `baud`, linked as COM `com` in a private ports folder, its port open.
struct PacedPanel {
    PacedPanel(unsigned com, unsigned baud);
    ~PacedPanel();

    PrivateConfigHome home;
    std::unique_ptr<sim::PtyPanel> panel;
};

// Every box answered OK and nothing shown; a save dialog gets `file`, when there is one.
class QuietPrompts : public UserPrompts {
  public:
    std::optional<std::string> file;
    int created = 0;  // "File Created" boxes

    PromptAnswer MessageBox(const MessageBoxRequest& box) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void CreateProgress(const std::string&, bool) override {}
    void SetProgressRange(int, int, int) override {}
    void StepProgress(int) override {}
    void SetProgressText(const std::string&) override {}
    void DestroyProgress() override {}
    void OpenDocument(const std::string&) override {}
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return file; }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return {}; }
};

// One run of requests against the line: its time, the time its bytes need on the line (every
// request frame the panel received and every reply byte), its requests and those whose reply
// was incomplete.
struct LineRun {
    double seconds = 0;
    double wireSeconds = 0;
    uint64_t requests = 0;
    uint64_t incomplete = 0;
};

// Runs `action`, whose requests go to `panel` at `baud`, and measures it.
LineRun MeasureOnLine(sim::PtyPanel& panel, unsigned baud, const std::function<void()>& action);

// Runs `measure` once an iteration of `state` and returns the mean: time and wire time
// averaged, the requests of one run, the incomplete replies of all. The mean is counted as
// CountOnLine does, with the requests beside it.
LineRun MeanOfIterations(benchmark::State& state, const std::function<LineRun()>& measure);

// The counters every line benchmark shows: wire time, times the wire time, incomplete replies.
void CountOnLine(benchmark::State& state, const LineRun& run);

// One line a baud rate: time, wire time, times the wire time, requests and incomplete replies.
void PrintByBaud(const std::map<unsigned, LineRun>& runs);

// Google Benchmark's run with the command line's options; false for an option it does not know.
bool RunBenchmarks(int argc, char** argv);

}  // namespace bench
