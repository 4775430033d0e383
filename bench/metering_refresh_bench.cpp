// One automatic-refresh cycle of the Metering page (meter + min/max, demand, counters with the
// tap records and the date order), run by the page's own timer tick against the simulator
// paced at 9600 and at 19200 baud, against the time its bytes need on the line.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "pages/data/metering_page.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/page_timer.h"
#include "pages/kit/panel_action.h"
#include "protocol/requests.h"
#include "resources/ids/metering_counters.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kCom = 43;
constexpr double kBitsPerByte = 10.0;

class QuietPrompts : public UserPrompts {
  public:
    PromptAnswer MessageBox(const MessageBoxRequest&) override { return PromptAnswer::kOk; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void CreateProgress(const std::string&, bool) override {}
    void SetProgressRange(int, int, int) override {}
    void StepProgress(int) override {}
    void SetProgressText(const std::string&) override {}
    void DestroyProgress() override {}
    void OpenDocument(const std::string&) override {}
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return {}; }
};

class BenchTimer : public PageTimer {
  public:
    void Start(int, int) override { running = true; }
    void Stop(int) override { running = false; }
    bool running = false;
};

// A panel paced at `baud` linked as COM 43, the port open, the page's automatic refresh on.
struct Rig {
    std::string configHome;
    std::unique_ptr<sim::PtyPanel> panel;
    QuietPrompts prompts;
    BenchTimer timer;
    CPPTwo page;

    explicit Rig(unsigned baud) {
        char tmpl[] = "/tmp/voltscope-bench-XXXXXX";
        configHome = ::mkdtemp(tmpl);
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        serial::SetDiagnosticSink([](const std::string&) {});
        panel = std::make_unique<sim::PtyPanel>(sim::PtyPanelOptions{.baud = baud});
        panel->linkAsComPort(kCom);
        if (OpenCommPort(kCom, baud, 1) != 1) {
            std::fprintf(stderr, "cannot open the simulator: %s\n",
                         serial::LastOpenError().c_str());
            std::exit(1);
        }
        Flags().connected = true;
        page.SetTimer(&timer);
        page.Form()[ids::metering::kAutoRefresh].selected = 1;
        page.OnCommand(ids::metering::kAutoRefresh, prompts);
    }
    ~Rig() {
        page.SetTimer(nullptr);
        Flags().connected = false;
        CloseCommPort();
        panel.reset();
        std::filesystem::remove_all(configHome);
    }
};

struct Cycle {
    double seconds = 0;
    double wireSeconds = 0;
    uint64_t requests = 0;
    uint64_t incomplete = 0;
};

// One tick of the page's timer, delivered as the window delivers it.
Cycle RunCycle(Rig& rig, unsigned baud) {
    rig.panel->clearReceivedBytes();
    const RequestStats before = RequestTotals();
    uint64_t replyBytes = 0;
    bool first = true;
    // Each request's reply is counted once the next one starts, the last one after the cycle.
    SetBetweenRequestsHook([&] {
        if (!first) {
            replyBytes += static_cast<uint64_t>(LastRequest().bytesReceived);
        }
        first = false;
    });
    const auto start = Clock::now();
    DeliverTimerTick(rig.page, CPPTwo::kAutoRefreshTimer, rig.prompts,
                     [](const std::function<void()>& action) {
                         PanelActionScope scope;
                         action();
                     });
    Cycle c;
    c.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    SetBetweenRequestsHook(nullptr);
    replyBytes += static_cast<uint64_t>(LastRequest().bytesReceived);
    const double lineBytes = static_cast<double>(rig.panel->receivedBytes().size() + replyBytes);
    c.wireSeconds = lineBytes * kBitsPerByte / baud;
    c.requests = RequestTotals().requests - before.requests;
    c.incomplete = RequestTotals().incompleteReplies - before.incompleteReplies;
    return c;
}

std::map<unsigned, Cycle> g_cycles;  // by baud, the mean of the iterations

void BM_AutoRefreshCycle(benchmark::State& state) {
    const auto baud = static_cast<unsigned>(state.range(0));
    Rig rig(baud);
    Cycle sum;
    int n = 0;
    for (auto _ : state) {
        const Cycle c = RunCycle(rig, baud);
        if (!rig.timer.running) {
            state.SkipWithError("the tick did not re-arm the timer");
        }
        state.SetIterationTime(c.seconds);
        sum.seconds += c.seconds;
        sum.wireSeconds += c.wireSeconds;
        sum.requests = c.requests;
        sum.incomplete += c.incomplete;
        ++n;
    }
    Cycle mean = sum;
    mean.seconds /= n;
    mean.wireSeconds /= n;
    g_cycles[baud] = mean;
    state.counters["wire_s"] = mean.wireSeconds;
    state.counters["x_wire"] = mean.seconds / mean.wireSeconds;
    state.counters["requests"] = static_cast<double>(mean.requests);
    state.counters["incomplete"] = static_cast<double>(mean.incomplete);
}

BENCHMARK(BM_AutoRefreshCycle)
    ->Arg(9600)
    ->Arg(19200)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf(
        "\nOne automatic-refresh cycle of the Metering page (%.0f bits a byte on the line):\n",
        kBitsPerByte);
    for (const auto& [baud, c] : g_cycles) {
        std::printf(
            "  %5u baud  %7.3f s   wire %7.3f s   %.3f x wire   (%llu requests, %llu "
            "incomplete)\n",
            baud, c.seconds, c.wireSeconds, c.seconds / c.wireSeconds,
            static_cast<unsigned long long>(c.requests),
            static_cast<unsigned long long>(c.incomplete));
    }
    return 0;
}
