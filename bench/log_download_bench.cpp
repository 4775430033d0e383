// The Logs page's "Download Logs" of 200 events and 100 intervals (the file dialog answered,
// the file written) against the simulator paced at 9600 and at 19200 baud, against the time
// its bytes need on the line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/bench_support.h"
#include "pages/data/logs_quick_key_page.h"
#include "pages/kit/app_flags.h"
#include "resources/ids/logs_quick_key.h"
#include "sim/log_records.h"

namespace {

constexpr unsigned kCom = 44;
constexpr unsigned kEvents = 200;
constexpr unsigned kIntervals = 100;

// A panel paced at `baud` with the logs to download, linked as COM 44, the port open; the file
// dialog answered with a file in the rig's folder.
struct Rig {
    bench::PacedPanel line;
    bench::QuietPrompts prompts;
    CPPThree page;

    explicit Rig(unsigned baud) : line(kCom, baud) {
        prompts.file = line.home.path() + "/logs.csv";
        line.panel->withRegisters(
            [](sim::PanelRegisters& r) { sim::FillLogs(r, kEvents, kIntervals); });
        Flags().connected = true;
        page.Form()[ids::logs::kEventsToDownload].text = std::to_string(kEvents);
        page.Form()[ids::logs::kIntervalsToDownload].text = std::to_string(kIntervals);
    }
    ~Rig() { Flags().connected = false; }
};

std::map<unsigned, bench::LineRun> g_runs;  // by baud, the mean of the iterations

void BM_LogDownload(benchmark::State& state) {
    const auto baud = static_cast<unsigned>(state.range(0));
    Rig rig(baud);
    g_runs[baud] = bench::MeanOfIterations(state, [&] {
        const int created = rig.prompts.created;
        const bench::LineRun r = bench::MeasureOnLine(*rig.line.panel, baud, [&] {
            rig.page.OnCommand(ids::logs::kDownloadLogs, rig.prompts);
        });
        if (rig.prompts.created != created + 1) {
            state.SkipWithError("the download wrote no file");
        }
        return r;
    });
}

BENCHMARK(BM_LogDownload)
    ->Arg(9600)
    ->Arg(19200)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!bench::RunBenchmarks(argc, argv))
        return 1;

    std::printf("\nDownload Logs of %u events and %u intervals (%.0f bits a byte on the line):\n",
                kEvents, kIntervals, bench::kBitsPerByte);
    bench::PrintByBaud(g_runs);
    return 0;
}
