// The Logs page's "Download Logs" of 200 events and 100 intervals (the file dialog answered,
// the file written) against the simulator paced at 9600 and at 19200 baud, against the time
// its bytes need on the line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

#include "bench/bench_support.h"
#include "bench/log_download_rig.h"

namespace {

constexpr unsigned kCom = 44;
constexpr unsigned kEvents = 200;
constexpr unsigned kIntervals = 100;

std::map<unsigned, bench::LineRun> g_runs;  // by baud, the mean of the iterations

void BM_LogDownload(benchmark::State& state) {
    const auto baud = static_cast<unsigned>(state.range(0));
    bench::LogDownloadRig rig(kCom, baud, kEvents, kIntervals);
    g_runs[baud] = bench::MeanOfIterations(state, [&] {
        bool written = false;
        const bench::LineRun r =
            bench::MeasureOnLine(*rig.line.panel, baud, [&] { written = rig.Download(); });
        if (!written) {
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
