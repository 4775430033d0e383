// The Connect download of every settings table from a panel paced at 9600 baud, against the
// time its bytes need on the line and against a straightforward request loop (10 ms polling
// per byte, a 100 ms pause after each write). Also the receive thread's CPU use while idle.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "bench/baseline_requests.h"
#include "bench/bench_support.h"
#include "bench/connect_download.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"

namespace {

using bench::Clock;
constexpr unsigned kBaud = 9600;
constexpr unsigned kCom = 42;

bench::PacedPanel& TheRig() {
    static bench::PacedPanel rig(kCom, kBaud);
    return rig;
}

// One download against the line: every request frame and every reply byte received.
template <typename ReadBlock>
bench::LineRun Download(ReadBlock&& readBlock) {
    sim::PtyPanel& panel = *TheRig().panel;
    panel.clearReceivedBytes();
    uint64_t replyBytes = 0;
    uint64_t incomplete = 0;
    auto read = [&](const RegisterBlock& block) {
        replyBytes += static_cast<uint64_t>(readBlock(block, incomplete));
    };
    auto start = Clock::now();
    bench::ForEachConnectBlock(read);
    bench::LineRun t;
    t.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    t.wireSeconds =
        bench::WireSeconds(static_cast<double>(panel.receivedBytes().size() + replyBytes), kBaud);
    t.incomplete = incomplete;
    return t;
}

int OursReadBlock(const RegisterBlock& block, uint64_t& incomplete) {
    ReadBlockTable(&block, 1);
    if (!LastRequest().completeReply)
        ++incomplete;
    return LastRequest().bytesReceived;
}

int BaselineReadBlock(const RegisterBlock& block, uint64_t& incomplete) {
    bench::BaselineReply reply =
        bench::BaselineReadRegisters(block.bank, block.start, block.count, block.values());
    if (!reply.complete)
        ++incomplete;
    return reply.bytesReceived;
}

struct Summary {
    bench::LineRun ours;
    bench::LineRun baseline;
    double idleCpuPercent = -1;
} g_summary;

void Report(benchmark::State& state, const bench::LineRun& t) {
    state.SetIterationTime(t.seconds);
    bench::CountOnLine(state, t);
}

void BM_ConnectDownload(benchmark::State& state) {
    for (auto _ : state) {
        g_summary.ours = Download(OursReadBlock);
        Report(state, g_summary.ours);
    }
}

void BM_ConnectDownloadBaseline(benchmark::State& state) {
    for (auto _ : state) {
        g_summary.baseline = Download(BaselineReadBlock);
        Report(state, g_summary.baseline);
    }
}

void BM_RxThreadIdle(benchmark::State& state) {
    TheRig();
    for (auto _ : state) {
        const uint64_t before = serial::RxThreadCpuTimeNs();
        auto start = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(10));
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        const double cpu = static_cast<double>(serial::RxThreadCpuTimeNs() - before) / 1e9;
        g_summary.idleCpuPercent = 100.0 * cpu / wall;
        state.SetIterationTime(wall);
        state.counters["cpu_percent"] = g_summary.idleCpuPercent;
    }
}

BENCHMARK(BM_ConnectDownload)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConnectDownloadBaseline)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RxThreadIdle)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!bench::RunBenchmarks(argc, argv))
        return 1;

    const Summary& s = g_summary;
    std::printf("\nConnect download at %u baud (%.0f bits a byte on the line):\n", kBaud,
                bench::kBitsPerByte);
    if (s.ours.seconds > 0) {
        std::printf("  ours      %8.3f s   wire %8.3f s   %.3f x wire   (%llu incomplete)\n",
                    s.ours.seconds, s.ours.wireSeconds, s.ours.seconds / s.ours.wireSeconds,
                    static_cast<unsigned long long>(s.ours.incomplete));
    }
    if (s.baseline.seconds > 0) {
        std::printf("  baseline  %8.3f s   wire %8.3f s   %.3f x wire   (%llu incomplete)\n",
                    s.baseline.seconds, s.baseline.wireSeconds,
                    s.baseline.seconds / s.baseline.wireSeconds,
                    static_cast<unsigned long long>(s.baseline.incomplete));
    }
    if (s.ours.seconds > 0 && s.baseline.seconds > 0) {
        std::printf("  ours is %.2f x faster than the baseline\n",
                    s.baseline.seconds / s.ours.seconds);
    }
    if (s.idleCpuPercent >= 0) {
        std::printf("  RxThread idle: %.4f %% of one core over 10 s connected\n", s.idleCpuPercent);
    }
    return 0;
}
