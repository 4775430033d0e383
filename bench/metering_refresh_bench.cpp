// One automatic-refresh cycle of the Metering page (meter + min/max, demand, counters with the
// tap records and the date order), run by the page's own timer tick against the simulator
// paced at 9600 and at 19200 baud, against the time its bytes need on the line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>

#include "bench/bench_support.h"
#include "pages/data/metering_page.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/page_timer.h"
#include "pages/kit/panel_action.h"
#include "resources/ids/metering_counters.h"

namespace {

constexpr unsigned kCom = 43;

class BenchTimer : public PageTimer {
  public:
    void Start(int, int) override { running = true; }
    void Stop(int) override { running = false; }
    bool running = false;
};

// A panel paced at `baud` linked as COM 43, the port open, the page's automatic refresh on.
struct Rig {
    bench::PacedPanel line;
    bench::QuietPrompts prompts;
    BenchTimer timer;
    CPPTwo page;

    explicit Rig(unsigned baud) : line(kCom, baud) {
        Flags().connected = true;
        page.SetTimer(&timer);
        page.Form()[ids::metering::kAutoRefresh].selected = 1;
        page.OnCommand(ids::metering::kAutoRefresh, prompts);
    }
    ~Rig() {
        page.SetTimer(nullptr);
        Flags().connected = false;
    }
};

// One tick of the page's timer, delivered as the window delivers it.
bench::LineRun RunCycle(Rig& rig, unsigned baud) {
    return bench::MeasureOnLine(*rig.line.panel, baud, [&] {
        DeliverTimerTick(rig.page, CPPTwo::kAutoRefreshTimer, rig.prompts,
                         [](const std::function<void()>& action) {
                             PanelActionScope scope;
                             action();
                         });
    });
}

std::map<unsigned, bench::LineRun> g_cycles;  // by baud, the mean of the iterations

void BM_AutoRefreshCycle(benchmark::State& state) {
    const auto baud = static_cast<unsigned>(state.range(0));
    Rig rig(baud);
    g_cycles[baud] = bench::MeanOfIterations(state, [&] {
        const bench::LineRun c = RunCycle(rig, baud);
        if (!rig.timer.running) {
            state.SkipWithError("the tick did not re-arm the timer");
        }
        return c;
    });
}

BENCHMARK(BM_AutoRefreshCycle)
    ->Arg(9600)
    ->Arg(19200)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!bench::RunBenchmarks(argc, argv))
        return 1;

    std::printf(
        "\nOne automatic-refresh cycle of the Metering page (%.0f bits a byte on the line):\n",
        bench::kBitsPerByte);
    bench::PrintByBaud(g_cycles);
    return 0;
}
