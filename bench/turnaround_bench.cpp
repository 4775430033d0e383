// The tool's own share of each request: from the arrival of a reply's last byte, as the receive
// thread time-stamps it, to the write of the next request, over the Logs page's "Download Logs"
// against the simulator paced at 19200 baud. The simulator's pacing lies outside that gap (it
// holds the reply back after a request has gone out), so what is left is ours: the request's
// wake-up on the reply, judging and taking it, the page's work on the record, the next frame
// and the flush before it. Measured idle and with two threads of the bench keeping both cores
// busy, the two taking turns in one run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "bench/log_download_rig.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"
#include "sim/pty_panel.h"

namespace {

using bench::Clock;
constexpr unsigned kCom = 46;
constexpr unsigned kBaud = 19200;
constexpr unsigned kEvents = 200;
constexpr unsigned kIntervals = 100;
constexpr int kBusyThreads = 2;

// One request handed on, in microseconds: the whole gap, split where the request path had
// taken the complete reply (its wake-up on the last byte and its judging, then everything up to
// the next write); and apart from the gap, the receive thread's pick-up of that byte after the
// panel wrote it (the pseudo-terminal's hand-over included).
struct Turnaround {
    double gap;
    double taking;
    double onward;
    double pickup;
};

// Pairs each complete reply with the request that follows it, through the frame observer.
class TurnaroundLog {
  public:
    TurnaroundLog() { samples_.reserve(4096); }

    void Observe(const FrameEvent& event, const sim::PtyPanel& panel) {
        if (event.direction == FrameDirection::kReceived) {
            // Nothing arrives between a complete reply and the next request's flush, so the
            // link's last arrival is the reply's last byte, and the panel's last write its own.
            reply_ = event.complete
                         ? std::optional(Reply{panel.lastSent(), serial::LastArrival(), event.time})
                         : std::nullopt;
        } else if (event.direction == FrameDirection::kSent && reply_) {
            samples_.push_back(
                {Micros(event.time - reply_->arrival), Micros(reply_->complete - reply_->arrival),
                 Micros(event.time - reply_->complete), Micros(reply_->arrival - reply_->written)});
            reply_.reset();
        }
    }
    // The next request is the first of a new run: nothing to pair it with.
    void EndRun() { reply_.reset(); }
    const std::vector<Turnaround>& samples() const { return samples_; }

  private:
    struct Reply {
        Clock::time_point written;
        Clock::time_point arrival;
        Clock::time_point complete;
    };
    static double Micros(Clock::duration d) {
        return std::chrono::duration<double, std::micro>(d).count();
    }
    std::optional<Reply> reply_;
    std::vector<Turnaround> samples_;
};

// Threads that keep a core busy each until the object goes.
class CpuLoad {
  public:
    explicit CpuLoad(int threads) {
        for (int k = 0; k < threads; ++k) {
            threads_.emplace_back([this] {
                volatile unsigned long spin = 0;
                while (!stop_.load(std::memory_order_relaxed)) {
                    spin = spin + 1;
                }
            });
        }
    }
    ~CpuLoad() {
        stop_ = true;
        for (std::thread& t : threads_) {
            t.join();
        }
    }
    CpuLoad(const CpuLoad&) = delete;
    CpuLoad& operator=(const CpuLoad&) = delete;

  private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

TurnaroundLog g_logs[2];  // idle, loaded
uint64_t g_incomplete[2] = {};
double g_seconds[2] = {};  // all downloads of each
int g_downloads[2] = {};

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const auto rank = static_cast<size_t>(std::ceil(p / 100 * static_cast<double>(v.size())));
    return v[std::clamp<size_t>(rank, 1, v.size()) - 1];
}

template <typename Field>
std::vector<double> Column(const std::vector<Turnaround>& samples, Field field) {
    std::vector<double> v;
    v.reserve(samples.size());
    for (const Turnaround& t : samples) {
        v.push_back(t.*field);
    }
    return v;
}

// Each iteration downloads once idle and once loaded, the order turning from one iteration to
// the next, so that the machine's drift and other users fall on both alike.
void BM_Turnaround(benchmark::State& state) {
    bench::LogDownloadRig rig(kCom, kBaud, kEvents, kIntervals);
    int turn = 0;
    for (auto _ : state) {
        double seconds = 0;
        for (int k = 0; k < 2; ++k) {
            const int loaded = (turn + k) % 2;
            std::optional<CpuLoad> load;
            if (loaded) {
                load.emplace(kBusyThreads);
            }
            TurnaroundLog& log = g_logs[loaded];
            SetFrameObserver([&log, &panel = *rig.line.panel](const FrameEvent& event) {
                log.Observe(event, panel);
            });
            const uint64_t before = RequestTotals().incompleteReplies;
            const auto start = Clock::now();
            if (!rig.Download()) {
                state.SkipWithError("the download wrote no file");
            }
            const double took = std::chrono::duration<double>(Clock::now() - start).count();
            seconds += took;
            g_seconds[loaded] += took;
            ++g_downloads[loaded];
            SetFrameObserver(nullptr);
            log.EndRun();
            g_incomplete[loaded] += RequestTotals().incompleteReplies - before;
        }
        ++turn;
        state.SetIterationTime(seconds);
    }
    for (int loaded : {0, 1}) {
        const std::vector<double> gaps = Column(g_logs[loaded].samples(), &Turnaround::gap);
        const char* name = loaded ? "loaded" : "idle";
        state.counters[std::string(name) + "_p50_us"] = Percentile(gaps, 50);
        state.counters[std::string(name) + "_p99_us"] = Percentile(gaps, 99);
    }
}

BENCHMARK(BM_Turnaround)->UseManualTime()->Iterations(2)->Unit(benchmark::kSecond);

void PrintRow(const char* what, const std::vector<double>& v) {
    std::printf("    %-33s %8.1f %8.1f %8.1f\n", what, Percentile(v, 50), Percentile(v, 99),
                Percentile(v, 100));
}

}  // namespace

int main(int argc, char** argv) {
    if (!bench::RunBenchmarks(argc, argv))
        return 1;

    std::printf(
        "\nDownload Logs of %u events and %u intervals at %u baud: from a reply's last byte to "
        "the next request's write, in microseconds\n",
        kEvents, kIntervals, kBaud);
    for (int loaded : {0, 1}) {
        const std::vector<Turnaround>& samples = g_logs[loaded].samples();
        std::printf(
            "  %s: %d downloads of %.3f s, %zu requests handed on, %llu incomplete replies\n",
            loaded ? "two busy threads" : "idle", g_downloads[loaded],
            g_downloads[loaded] ? g_seconds[loaded] / g_downloads[loaded] : 0.0, samples.size(),
            static_cast<unsigned long long>(g_incomplete[loaded]));
        std::printf("    %-33s %8s %8s %8s\n", "", "median", "p99", "max");
        PrintRow("reply -> next request", Column(samples, &Turnaround::gap));
        PrintRow("  reply -> reply taken", Column(samples, &Turnaround::taking));
        PrintRow("  reply taken -> next request", Column(samples, &Turnaround::onward));
        PrintRow("(panel's write -> receive thread)", Column(samples, &Turnaround::pickup));
    }
    return 0;
}
