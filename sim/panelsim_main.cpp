// voltscope-panelsim: a simulated panel on a pseudo-terminal, linked as a COM port, so the
// tool can be run without hardware.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/fault_schedule.h"
#include "sim/log_records.h"
#include "sim/panel_defaults.h"
#include "sim/pty_panel.h"

namespace {

constexpr int kBadArguments = 2;

const char kUsage[] =
    "usage: voltscope-panelsim --com N [--baud B] [--address A] [--version V] [--link L]\n"
    "                          [--events N] [--intervals N] [--fault KIND[:PERCENT]]...\n"
    "                          [--seed N] [--verbose]\n"
    "  --com N      link the panel as COM N (1..255)\n"
    "  --baud B     pace replies as on a line of B bits per second (default: unpaced)\n"
    "  --address A  answer only frames for address A (0..199)\n"
    "  --version V  software version word, as version x 100 (e.g. 409) or 4.09\n"
    "  --link L     link register 11/239: 0, 1 (default) or 2\n"
    "  --events N   event records in the panel's log (default 300, at most 65535)\n"
    "  --intervals N  interval records in the panel's log (default 200, at most 65535)\n"
    "  --fault KIND[:PERCENT]  answer that share of the requests (default 100) wrongly in\n"
    "               this way; repeat for several kinds (together at most 100 %%):\n"
    "%s"
    "  --seed N     which requests get a fault, and its details (default 1)\n"
    "  --verbose    print a line for every request, with its fault, and on stopping the\n"
    "               bytes that arrived outside them (such as the 0x00 the tool sends as it\n"
    "               closes)\n";

struct Arguments {
    unsigned com = 0;
    unsigned baud = 0;
    int address = -1;
    std::optional<unsigned> version;
    unsigned link = 1;
    unsigned events = 300;
    unsigned intervals = 200;
    bool verbose = false;
    sim::FaultSchedule faults;
    unsigned long seed = 1;
};

std::optional<unsigned long> ParseNumber(std::string_view text, unsigned long max) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    unsigned long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    if (value > max) {
        return std::nullopt;
    }
    return value;
}

// "410" or "4.10" (at most two decimals) -> 410.
std::optional<unsigned long> ParseVersion(std::string_view text) {
    std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) {
        return ParseNumber(text, 1023);
    }
    std::string_view fraction = text.substr(dot + 1);
    auto whole = ParseNumber(text.substr(0, dot), 10);
    auto part = ParseNumber(fraction, 99);
    if (!whole || !part || fraction.size() > 2) {
        return std::nullopt;
    }
    unsigned long hundredths = fraction.size() == 1 ? *part * 10 : *part;
    unsigned long value = *whole * 100 + hundredths;
    return value <= 1023 ? std::optional(value) : std::nullopt;
}

std::string FaultKindLines() {
    std::string lines;
    for (const sim::FaultKindName& kind : sim::FaultKindNames()) {
        std::string name(kind.name);
        name.resize(std::max<std::size_t>(name.size() + 1, 14), ' ');
        lines += "                 " + name + std::string(kind.what) + "\n";
    }
    return lines;
}

void PrintUsage(std::FILE* to) {
    std::fprintf(to, kUsage, FaultKindLines().c_str());
}

bool Fail(const std::string& message) {
    std::fprintf(stderr, "voltscope-panelsim: %s\n", message.c_str());
    PrintUsage(stderr);
    return false;
}

bool ParseArguments(int argc, char** argv, Arguments& args) {
    // The seed may follow the faults, and the schedule is made with it: checked here, added
    // at the end.
    sim::FaultSchedule faultCheck;
    std::vector<std::string_view> faultSpecs;
    for (int i = 1; i < argc; ++i) {
        std::string_view name = argv[i];
        if (name == "--verbose") {
            args.verbose = true;
            continue;
        }
        if (name != "--com" && name != "--baud" && name != "--address" && name != "--version" &&
            name != "--link" && name != "--events" && name != "--intervals" && name != "--fault" &&
            name != "--seed") {
            return Fail("unknown argument: " + std::string(name));
        }
        if (i + 1 >= argc) {
            return Fail(std::string(name) + " needs a value");
        }
        std::string_view value = argv[++i];
        std::optional<unsigned long> number;
        if (name == "--fault") {
            if (std::string wrong = faultCheck.Add(value); !wrong.empty()) {
                return Fail("--fault: " + wrong);
            }
            faultSpecs.push_back(value);
        } else if (name == "--seed") {
            number = ParseNumber(value, 999999999);
            if (!number) {
                return Fail("--seed takes 0..999999999, not " + std::string(value));
            }
            args.seed = *number;
        } else if (name == "--com") {
            number = ParseNumber(value, 255);
            if (!number || *number == 0) {
                return Fail("--com takes a port number 1..255, not " + std::string(value));
            }
            args.com = static_cast<unsigned>(*number);
        } else if (name == "--baud") {
            number = ParseNumber(value, 4000000);
            if (!number) {
                return Fail("--baud takes a rate in bits per second, not " + std::string(value));
            }
            args.baud = static_cast<unsigned>(*number);
        } else if (name == "--address") {
            number = ParseNumber(value, 199);
            if (!number) {
                return Fail("--address takes 0..199, not " + std::string(value));
            }
            args.address = static_cast<int>(*number);
        } else if (name == "--link") {
            number = ParseNumber(value, 2);
            if (!number) {
                return Fail("--link takes 0, 1 or 2, not " + std::string(value));
            }
            args.link = static_cast<unsigned>(*number);
        } else if (name == "--events" || name == "--intervals") {
            number = ParseNumber(value, 65535);
            if (!number) {
                return Fail(std::string(name) + " takes 0..65535, not " + std::string(value));
            }
            (name == "--events" ? args.events : args.intervals) = static_cast<unsigned>(*number);
        } else {
            number = ParseVersion(value);
            if (!number) {
                return Fail("--version takes e.g. 410 or 4.10, not " + std::string(value));
            }
            args.version = static_cast<unsigned>(*number);
        }
    }
    if (args.com == 0) {
        return Fail("--com is required");
    }
    args.faults = sim::FaultSchedule(static_cast<std::uint32_t>(args.seed));
    for (std::string_view spec : faultSpecs) {
        args.faults.Add(spec);
    }
    return true;
}

const char* OperationName(sim::Operation op) {
    switch (op) {
        case sim::Operation::kRead:
            return "read";
        case sim::Operation::kWrite:
            return "write";
        case sim::Operation::kClear:
            return "clear";
        case sim::Operation::kReset:
            return "reset";
    }
    return "?";
}

void PrintRequest(const sim::Request& r) {
    std::string line = std::string(OperationName(r.op)) + " " + std::to_string(r.bank) + "/" +
                       std::to_string(r.start) + " x" + std::to_string(r.count);
    for (std::uint16_t v : r.data) {
        line += " " + std::to_string(v);
    }
    if (!r.checksumValid) {
        line += " (bad checksum)";
    } else if (!r.forThisPanel) {
        line += " (address " + std::to_string(r.address) + ", not ours)";
    }
    line += r.answered ? "" : " - not answered";
    if (!r.fault.empty()) {
        line += " - fault: " + r.fault;
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The received bytes that belong to no request frame, in hex ("none" when there are none).
std::string BytesOutsideRequests(const std::vector<std::uint8_t>& received,
                                 const std::vector<sim::Request>& requests) {
    std::string text;
    auto at = received.begin();
    auto skip = [&](std::vector<std::uint8_t>::const_iterator to) {
        for (; at != to; ++at) {
            char hex[4];
            std::snprintf(hex, sizeof hex, text.empty() ? "%02X" : " %02X", *at);
            text += hex;
        }
    };
    for (const sim::Request& request : requests) {
        auto frame = std::search(at, received.end(), request.raw.begin(), request.raw.end());
        skip(frame);
        if (frame != received.end()) {
            at += static_cast<std::ptrdiff_t>(request.raw.size());
        }
    }
    skip(received.end());
    return text.empty() ? "none" : text;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            PrintUsage(stdout);
            return 0;
        }
    }
    if (!ParseArguments(argc, argv, args)) {
        return kBadArguments;
    }
    // A shell starts background jobs with SIGINT ignored, and an ignored signal never reaches
    // sigwait; the simulator is meant to stop on it all the same.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    // Blocked before the serving thread starts, so only sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    try {
        sim::PtyPanel panel({args.baud, args.address, true});
        if (args.version) {
            panel.setSoftwareVersion(*args.version);
        }
        panel.setLinkValue(static_cast<std::uint16_t>(args.link));
        panel.setFaultSchedule(std::move(args.faults));
        panel.withRegisters(
            [&args](sim::PanelRegisters& r) { sim::FillLogs(r, args.events, args.intervals); });
        // The metering moves a little between two refreshes, as on a live line. The count
        // lives here: the panel calls a copy of its observer.
        unsigned meterReads = 0;
        panel.setRequestObserver(
            [&panel, &meterReads, verbose = args.verbose](const sim::Request& r) {
                if (r.op == sim::Operation::kRead && r.bank == 1 && r.start == 2) {
                    panel.withRegisters(
                        [&](sim::PanelRegisters& regs) { MoveMetering(regs, ++meterReads); });
                }
                if (verbose) {
                    PrintRequest(r);
                }
            });
        std::string link = panel.linkAsComPort(args.com);
        std::printf("panel simulator on %s, linked as COM%u (%s)\n", panel.devicePath().c_str(),
                    args.com, link.c_str());
        std::fflush(stdout);
        int signal = 0;
        sigwait(&stopSignals, &signal);
        panel.stop();
        panel.unlink();
        if (args.verbose) {
            std::printf("bytes outside requests: %s\n",
                        BytesOutsideRequests(panel.receivedBytes(), panel.requests()).c_str());
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "voltscope-panelsim: %s\n", e.what());
        return 1;
    }
    return 0;
}
