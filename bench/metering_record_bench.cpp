// voltscope_metering_record_bench [CYCLES]: a metering recording run accelerated. It records
// CYCLES automatic-refresh cycles (default 1800: an hour of 2 s cycles) back to back from the
// simulator unpaced, through the command line's own path (the page's cycle, its row, appended
// and synced), and reports the process's resident memory at the start, the middle and the end,
// its open descriptors at the start and the end, and the CPU a cycle costs, scaled to 24 hours
// of 2 s cycles. Figures from one run, read from /proc/self.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_support.h"
#include "pages/data/metering_page.h"
#include "pages/data/metering_recording.h"
#include "pages/kit/app_flags.h"
#include "serial/serial_link.h"
#include "sim/panel_defaults.h"

namespace {

namespace rec = metering_recording;

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

long OpenDescriptors() {
    long n = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++n;
    }
    return n - 1;  // the directory's own, open while it is listed
}

double CpuSeconds(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    const long cycles = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1800;
    if (cycles < 2) {
        std::fprintf(stderr, "usage: voltscope_metering_record_bench [CYCLES >= 2]\n");
        return 2;
    }
    // Unpaced: the panel answers at once, whatever the port's baud rate says.
    bench::PrivateConfigHome home;
    sim::PtyPanel panel;
    panel.linkAsComPort(5);
    bench::OpenPortOrExit(5, 9600);
    Flags().connected = true;
    bench::QuietPrompts prompts;
    CPPTwo page;
    const std::string path = home.path() + "/bench_REC.csv";
    rec::RecordingFile file;
    std::string error;
    if (file.Open(path, &error) != rec::RecordingFile::Opened::kYes) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    long unanswered = 0;
    std::size_t requests = 0;
    double rssStart = 0, rssMiddle = 0;
    long fdStart = 0;
    double cpuStart = 0, threadStart = 0;
    const auto begun = bench::Clock::now();
    for (long cycle = 0; cycle < cycles; ++cycle) {
        const rec::Row row = rec::RecordCycle(page, prompts, rec::Clock::now);
        if (!file.Append(row, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        unanswered += row.unanswered;
        // The simulator logs every request and byte it received; that is its memory, not the
        // recording's.
        requests += panel.requests().size();
        panel.clearRequests();
        panel.clearReceivedBytes();
        panel.withRegisters([cycle](sim::PanelRegisters& r) {
            sim::MoveMetering(r, static_cast<unsigned>(cycle));
        });
        if (cycle == 0) {  // after the first cycle: everything it needs is made
            rssStart = static_cast<double>(ResidentKiB());
            fdStart = OpenDescriptors();
            cpuStart = CpuSeconds(RUSAGE_SELF);
            threadStart = CpuSeconds(RUSAGE_THREAD);
        } else if (cycle == cycles / 2) {
            rssMiddle = static_cast<double>(ResidentKiB());
        }
    }
    const double rssEnd = static_cast<double>(ResidentKiB());
    const long fdEnd = OpenDescriptors();
    const double cpu = CpuSeconds(RUSAGE_SELF) - cpuStart;
    const double thread = CpuSeconds(RUSAGE_THREAD) - threadStart;
    const double wall = std::chrono::duration<double>(bench::Clock::now() - begun).count();
    const double bytes = static_cast<double>(std::filesystem::file_size(path));
    const double perCycle = cpu / static_cast<double>(cycles - 1);
    const double dayCycles = 24 * 3600 / 2.0;

    std::printf("%ld cycles (%ld requests each) in %.1f s, %ld requests without reply\n", cycles,
                static_cast<long>(requests / static_cast<std::size_t>(cycles)), wall, unanswered);
    std::printf(
        "resident memory: start %.0f KiB, middle %.0f KiB (%.3f x start), end %.0f KiB "
        "(%.3f x start)\n",
        rssStart, rssMiddle, rssMiddle / rssStart, rssEnd, rssEnd / rssStart);
    std::printf("open descriptors: start %ld, end %ld\n", fdStart, fdEnd);
    std::printf(
        "CPU a cycle: %.2f ms in the process (simulator included), %.2f ms on the "
        "recording thread\n",
        perCycle * 1e3, thread / static_cast<double>(cycles - 1) * 1e3);
    std::printf(
        "24 h at 2 s (%.0f cycles): %.0f s of CPU (%.3f %% of one core), the simulator's "
        "share included; file %.1f MB (%.1f bytes a row)\n",
        dayCycles, perCycle * dayCycles, perCycle * dayCycles / (24 * 36.0),
        bytes / static_cast<double>(cycles) * dayCycles / 1e6, bytes / static_cast<double>(cycles));
    Flags().connected = false;
    CloseCommPort();
    return 0;
}
