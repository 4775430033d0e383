// What the frame observer costs the request path: the Connect download with no observer, with
// one that does nothing, and with the desktop tool's frame log recording every frame, side by
// side in one run. Against a panel paced at 9600 baud (what a user waits for) and against an
// unpaced one, where only the request path's own work and the pseudo-terminal's hand-over are
// left to measure.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "app/frame_log.h"
#include "bench/bench_support.h"
#include "bench/connect_download.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"

namespace {

using bench::Clock;
constexpr unsigned kPacedBaud = 9600;
constexpr unsigned kPacedCom = 44;
constexpr unsigned kUnpacedCom = 45;

enum Observer { kNone, kIdle, kRecording };
constexpr const char* kObserverNames[] = {"no observer", "idle observer", "frame log"};

// Both panels linked in a private ports folder; the port of the one in use open.
struct Rig {
    bench::PrivateConfigHome home;
    std::unique_ptr<sim::PtyPanel> paced;
    std::unique_ptr<sim::PtyPanel> unpaced;
    unsigned openCom = 0;

    Rig() {
        paced = std::make_unique<sim::PtyPanel>(sim::PtyPanelOptions{.baud = kPacedBaud});
        paced->linkAsComPort(kPacedCom);
        unpaced = std::make_unique<sim::PtyPanel>();
        unpaced->linkAsComPort(kUnpacedCom);
    }
    ~Rig() {
        SetFrameObserver(nullptr);
        CloseCommPort();
        paced.reset();
        unpaced.reset();
    }
    void Use(bool pacedPanel) {
        const unsigned com = pacedPanel ? kPacedCom : kUnpacedCom;
        if (openCom == com) {
            return;
        }
        CloseCommPort();
        bench::OpenPortOrExit(com, kPacedBaud);
        openCom = com;
    }
};

Rig& TheRig() {
    static Rig rig;
    return rig;
}

// Seconds of every download, by pacing and observer.
std::map<std::pair<bool, int>, std::vector<double>> g_times;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One Connect download with the given observer; its seconds.
double Download(Observer observer, FrameLog& log, uint64_t& incomplete) {
    if (observer == kIdle) {
        SetFrameObserver([](const FrameEvent&) {});
    } else if (observer == kRecording) {
        SetFrameObserver([&log](const FrameEvent& event) { log.Record(event); });
    } else {
        SetFrameObserver(nullptr);
    }
    const auto start = Clock::now();
    bench::ForEachConnectBlock([&](const RegisterBlock& block) {
        ReadBlockTable(&block, 1);
        incomplete += LastRequest().completeReply ? 0 : 1;
    });
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    SetFrameObserver(nullptr);
    return seconds;
}

// Each iteration downloads once with each observer, the order turning from one iteration to
// the next, so that the machine's drift and other load fall on all three alike.
void BM_ConnectDownloadObserved(benchmark::State& state) {
    const bool paced = state.range(0) != 0;
    TheRig().Use(paced);
    FrameLog log;
    uint64_t incomplete = 0;
    int turn = 0;
    for (auto _ : state) {
        double total = 0;
        for (int k = 0; k < 3; ++k) {
            const auto observer = static_cast<Observer>((turn + k) % 3);
            const double seconds = Download(observer, log, incomplete);
            g_times[{paced, observer}].push_back(seconds);
            total += seconds;
        }
        ++turn;
        state.SetIterationTime(total);
    }
    const double none = Median(g_times[{paced, kNone}]);
    state.counters["idle_x"] = Median(g_times[{paced, kIdle}]) / none;
    state.counters["log_x"] = Median(g_times[{paced, kRecording}]) / none;
    state.counters["incomplete"] = static_cast<double>(incomplete);
    state.SetLabel(paced ? "9600 baud" : "unpaced");
}

// What the frame log does with one frame: the longest reply (15 values) made a line and kept,
// the oldest of 2000 lines dropped. CPU time only, no line.
void BM_FrameLogRecord(benchmark::State& state) {
    FrameLog log;
    uint8_t reply[42] = {40, 0xA0};
    const FrameEvent event{Clock::now(), FrameDirection::kReceived, reply, true};
    for (int k = 0; k < 2000; ++k) {
        log.Record(event);
    }
    for (auto _ : state) {
        log.Record(event);
    }
    benchmark::DoNotOptimize(log.Lines().size());
}
BENCHMARK(BM_FrameLogRecord);

BENCHMARK(BM_ConnectDownloadObserved)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(150)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConnectDownloadObserved)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!bench::RunBenchmarks(argc, argv))
        return 1;
    // The rig opened its port only after it was made, so the link's own state, made then, goes
    // first at exit: a receive thread still running there would abort the program (and lose
    // the lines below when they are not yet flushed).
    CloseCommPort();

    std::printf("\nConnect download (92 requests), median of one run, against no observer:\n");
    for (bool paced : {false, true}) {
        const auto none = g_times.find({paced, kNone});
        if (none == g_times.end()) {
            continue;
        }
        for (int observer : {kNone, kIdle, kRecording}) {
            const double median = Median(g_times[{paced, observer}]);
            std::printf("  %-8s %-14s %9.3f ms   %.3f x   (%zu downloads)\n",
                        paced ? "9600" : "unpaced", kObserverNames[observer], median * 1e3,
                        median / Median(none->second), g_times[{paced, observer}].size());
        }
    }
    return 0;
}
