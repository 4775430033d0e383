#include "bench/bench_support.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "protocol/requests.h"
#include "serial/serial_link.h"

namespace bench {

PrivateConfigHome::PrivateConfigHome() {
    char tmpl[] = "/tmp/voltscope-bench-XXXXXX";
    path_ = ::mkdtemp(tmpl);
    ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    serial::SetDiagnosticSink([](const std::string&) {});
}

PrivateConfigHome::~PrivateConfigHome() {
    std::filesystem::remove_all(path_);
}

void OpenPortOrExit(unsigned com, unsigned baud) {
    if (OpenCommPort(com, baud, 1) != 1) {
        std::fprintf(stderr, "cannot open the simulator: %s\n", serial::LastOpenError().c_str());
        std::exit(1);
    }
}

PacedPanel::PacedPanel(unsigned com, unsigned baud)
    : panel(std::make_unique<sim::PtyPanel>(sim::PtyPanelOptions{.baud = baud})) {
    panel->linkAsComPort(com);
    OpenPortOrExit(com, baud);
}

PacedPanel::~PacedPanel() {
    CloseCommPort();
}

PromptAnswer QuietPrompts::MessageBox(const MessageBoxRequest& box) {
    created += box.caption == "File Created" ? 1 : 0;
    return PromptAnswer::kOk;
}

LineRun MeasureOnLine(sim::PtyPanel& panel, unsigned baud, const std::function<void()>& action) {
    panel.clearReceivedBytes();
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
    action();
    LineRun r;
    r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    SetBetweenRequestsHook(nullptr);
    replyBytes += static_cast<uint64_t>(LastRequest().bytesReceived);
    r.wireSeconds =
        WireSeconds(static_cast<double>(panel.receivedBytes().size() + replyBytes), baud);
    r.requests = RequestTotals().requests - before.requests;
    r.incomplete = RequestTotals().incompleteReplies - before.incompleteReplies;
    return r;
}

LineRun MeanOfIterations(benchmark::State& state, const std::function<LineRun()>& measure) {
    LineRun mean;
    int runs = 0;
    for (auto _ : state) {
        const LineRun r = measure();
        state.SetIterationTime(r.seconds);
        mean.seconds += r.seconds;
        mean.wireSeconds += r.wireSeconds;
        mean.requests = r.requests;
        mean.incomplete += r.incomplete;
        ++runs;
    }
    mean.seconds /= runs;
    mean.wireSeconds /= runs;
    CountOnLine(state, mean);
    state.counters["requests"] = static_cast<double>(mean.requests);
    return mean;
}

void CountOnLine(benchmark::State& state, const LineRun& run) {
    state.counters["wire_s"] = run.wireSeconds;
    state.counters["x_wire"] = run.seconds / run.wireSeconds;
    state.counters["incomplete"] = static_cast<double>(run.incomplete);
}

void PrintByBaud(const std::map<unsigned, LineRun>& runs) {
    for (const auto& [baud, r] : runs) {
        std::printf(
            "  %5u baud  %7.3f s   wire %7.3f s   %.3f x wire   (%llu requests, %llu "
            "incomplete)\n",
            baud, r.seconds, r.wireSeconds, r.seconds / r.wireSeconds,
            static_cast<unsigned long long>(r.requests),
            static_cast<unsigned long long>(r.incomplete));
    }
}

bool RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return false;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return true;
}

}  // namespace bench
