// The Logs page's "Download Logs" of 200 events and 100 intervals (the file dialog answered,
// the file written) against the simulator paced at 9600 and at 19200 baud, against the time
// its bytes need on the line.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "pages/data/logs_quick_key_page.h"
#include "pages/kit/app_flags.h"
#include "protocol/requests.h"
#include "resources/ids/logs_quick_key.h"
#include "serial/serial_link.h"
#include "sim/log_records.h"
#include "sim/pty_panel.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kCom = 44;
constexpr double kBitsPerByte = 10.0;
constexpr unsigned kEvents = 200;
constexpr unsigned kIntervals = 100;

// Answers the file dialog with a file in the rig's folder; says nothing.
class QuietPrompts : public UserPrompts {
  public:
    std::string file;
    int created = 0;
    PromptAnswer MessageBox(const MessageBoxRequest& box) override {
        created += box.caption == "File Created" ? 1 : 0;
        return PromptAnswer::kOk;
    }
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

// A panel paced at `baud` with the logs to download, linked as COM 44, the port open.
struct Rig {
    std::string configHome;
    std::unique_ptr<sim::PtyPanel> panel;
    QuietPrompts prompts;
    CPPThree page;

    explicit Rig(unsigned baud) {
        char tmpl[] = "/tmp/voltscope-bench-XXXXXX";
        configHome = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        prompts.file = configHome + "/logs.csv";
        serial::SetDiagnosticSink([](const std::string&) {});
        panel = std::make_unique<sim::PtyPanel>(sim::PtyPanelOptions{.baud = baud});
        panel->withRegisters([](sim::PanelRegisters& r) { sim::FillLogs(r, kEvents, kIntervals); });
        panel->linkAsComPort(kCom);
        if (OpenCommPort(kCom, baud, 1) != 1) {
            std::fprintf(stderr, "cannot open the simulator: %s\n",
                         serial::LastOpenError().c_str());
            std::exit(1);
        }
        Flags().connected = true;
        page.Form()[ids::logs::kEventsToDownload].text = std::to_string(kEvents);
        page.Form()[ids::logs::kIntervalsToDownload].text = std::to_string(kIntervals);
    }
    ~Rig() {
        Flags().connected = false;
        CloseCommPort();
        panel.reset();
        std::filesystem::remove_all(configHome);
    }
};

struct Run {
    double seconds = 0;
    double wireSeconds = 0;
    uint64_t requests = 0;
    uint64_t incomplete = 0;
};

Run Download(Rig& rig, unsigned baud) {
    rig.panel->clearReceivedBytes();
    const RequestStats before = RequestTotals();
    uint64_t replyBytes = 0;
    bool first = true;
    // Each request's reply is counted once the next one starts, the last one afterwards.
    SetBetweenRequestsHook([&] {
        if (!first) {
            replyBytes += static_cast<uint64_t>(LastRequest().bytesReceived);
        }
        first = false;
    });
    const auto start = Clock::now();
    rig.page.OnCommand(ids::logs::kDownloadLogs, rig.prompts);
    Run r;
    r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    SetBetweenRequestsHook(nullptr);
    replyBytes += static_cast<uint64_t>(LastRequest().bytesReceived);
    const double lineBytes = static_cast<double>(rig.panel->receivedBytes().size() + replyBytes);
    r.wireSeconds = lineBytes * kBitsPerByte / baud;
    r.requests = RequestTotals().requests - before.requests;
    r.incomplete = RequestTotals().incompleteReplies - before.incompleteReplies;
    return r;
}

std::map<unsigned, Run> g_runs;  // by baud, the mean of the iterations

void BM_LogDownload(benchmark::State& state) {
    const auto baud = static_cast<unsigned>(state.range(0));
    Rig rig(baud);
    Run sum;
    int n = 0;
    for (auto _ : state) {
        const int created = rig.prompts.created;
        const Run r = Download(rig, baud);
        if (rig.prompts.created != created + 1) {
            state.SkipWithError("the download wrote no file");
        }
        state.SetIterationTime(r.seconds);
        sum.seconds += r.seconds;
        sum.wireSeconds += r.wireSeconds;
        sum.requests = r.requests;
        sum.incomplete += r.incomplete;
        ++n;
    }
    Run mean = sum;
    mean.seconds /= n;
    mean.wireSeconds /= n;
    g_runs[baud] = mean;
    state.counters["wire_s"] = mean.wireSeconds;
    state.counters["x_wire"] = mean.seconds / mean.wireSeconds;
    state.counters["requests"] = static_cast<double>(mean.requests);
    state.counters["incomplete"] = static_cast<double>(mean.incomplete);
}

BENCHMARK(BM_LogDownload)
    ->Arg(9600)
    ->Arg(19200)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nDownload Logs of %u events and %u intervals (%.0f bits a byte on the line):\n",
                kEvents, kIntervals, kBitsPerByte);
    for (const auto& [baud, r] : g_runs) {
        std::printf(
            "  %5u baud  %7.3f s   wire %7.3f s   %.3f x wire   (%llu requests, %llu "
            "incomplete)\n",
            baud, r.seconds, r.wireSeconds, r.seconds / r.wireSeconds,
            static_cast<unsigned long long>(r.requests),
            static_cast<unsigned long long>(r.incomplete));
    }
    return 0;
}
