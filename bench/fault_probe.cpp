// voltscope_fault_probe: how often a reply that is not the request's own is taken for it, on a
// simulated panel whose every register holds a value of its own, so that a value from the
// wrong request always shows.
//
//   voltscope_fault_probe soak [--seconds 300] [--baud 9600] [--seed 1]
//       one connection; random reads; 20 % of the replies spoilt, the seven line faults mixed
//   voltscope_fault_probe runs --fault KIND:PERCENT [--runs 50] [--baud 0] [--seed 1]
//                              [--blocks N]
//       runs as `voltscope-cli dump` makes them: open, every block table (or its first N
//       blocks, 12 being a harmonics export's size), close; a run whose every reply came
//       complete is one that would end with exit 0
//   voltscope_fault_probe interrupt --cli PATH [--runs 100] [--baud 9600] [--seed 1]
//       `voltscope-cli dump` stopped by SIGINT or SIGTERM at a random moment, then at once
//       `voltscope-cli read` of one register
//
// Prints one line of counts; "wrong" is always a value that some other register holds.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "protocol/block_tables.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"
#include "sim/fault_schedule.h"
#include "sim/pty_panel.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kCom = 41;

struct Options {
    std::string mode;
    unsigned seconds = 300;
    unsigned baud = 9600;
    bool baudGiven = false;
    unsigned runs = 0;
    unsigned seed = 1;
    unsigned blocks = 0;  // 0: all
    std::vector<std::string> faults;
    std::string cli;
};

// A value of its own for every register of every bank: an odd multiplier makes this a
// permutation of the 16-bit numbers.
uint16_t DistinctValue(unsigned bank, unsigned reg) {
    return static_cast<uint16_t>(((bank << 8 | reg) * 40503u + 12345u) & 0xFFFF);
}

std::unique_ptr<sim::PtyPanel> DistinctPanel(unsigned baud, sim::FaultSchedule schedule) {
    auto panel = std::make_unique<sim::PtyPanel>(
        sim::PtyPanelOptions{.baud = baud, .address = -1, .loadDefaults = false});
    for (unsigned bank = 0; bank < 16; ++bank) {
        for (unsigned reg = 0; reg < 256; ++reg) {
            panel->setRegister(bank, reg, DistinctValue(bank, reg));
        }
    }
    panel->setFaultSchedule(std::move(schedule));
    panel->linkAsComPort(kCom);
    return panel;
}

// Reads `count` registers and tells whether a complete reply held any value but their own.
struct ReadOutcome {
    bool complete;
    bool wrong;
};
ReadOutcome ProbeRead(sim::PtyPanel& panel, unsigned bank, unsigned start, unsigned count) {
    int32_t values[kMaxRegistersPerRequest] = {};
    ReadRegisters(static_cast<uint8_t>(bank), static_cast<uint8_t>(start),
                  static_cast<uint8_t>(count), values);
    ReadOutcome outcome{LastRequest().completeReply, false};
    for (unsigned k = 0; k < count; ++k) {
        if (values[k] != panel.getRegister(bank, start + k)) {
            outcome.wrong = outcome.complete;
        }
    }
    return outcome;
}

// Complete replies that held another request's values, sorted by why no reply check could
// tell them apart; "other" is what the checks should have caught.
struct Tally {
    uint64_t requests = 0, complete = 0, wrong = 0;
    // Among the connection's first three complete replies, before the panel has shown its
    // habits.
    uint64_t early = 0;
    // Later, after a request with the same bank and no more values than this one: its reply
    // looks like this request's own.
    uint64_t lookalike = 0;
    // Later, on a connection one of whose first three replies was another request's, so that
    // the panel never showed a habit there.
    uint64_t unsettled = 0;
    uint64_t other = 0;
    int completeInConnection = 0;
    bool spoiltEarly = false;
    int previousBank = -1;
    unsigned previousCount = 0;

    void NewConnection() {
        completeInConnection = 0;
        spoiltEarly = false;
        previousBank = -1;
    }
    void Count(unsigned bank, unsigned count, const ReadOutcome& r) {
        ++requests;
        complete += r.complete;
        if (r.wrong) {
            ++wrong;
            if (completeInConnection < 3) {
                ++early;
                spoiltEarly = true;
            } else if (previousBank == static_cast<int>(bank) && previousCount >= count) {
                ++lookalike;
            } else if (spoiltEarly) {
                ++unsettled;
            } else {
                ++other;
            }
        }
        completeInConnection += r.complete;
        previousBank = static_cast<int>(bank);
        previousCount = count;
    }
    std::string Text() const {
        return std::to_string(requests) + " requests, " + std::to_string(complete) +
               " complete replies, " + std::to_string(wrong) +
               " of them with another request's values (" + std::to_string(early) +
               " among a connection's first three replies, " + std::to_string(lookalike) +
               " after a request that looks the same, " + std::to_string(unsettled) +
               " on a connection whose first three held one, " + std::to_string(other) + " other)";
    }
};

int Soak(const Options& o) {
    // The seven ways a line spoils a reply, together 20 %.
    sim::FaultSchedule schedule(o.seed);
    for (auto kind :
         {sim::Fault::Kind::kSilence, sim::Fault::Kind::kLateByte, sim::Fault::Kind::kTruncate,
          sim::Fault::Kind::kBadLength, sim::Fault::Kind::kNoise, sim::Fault::Kind::kStaleReply,
          sim::Fault::Kind::kStrayByte}) {
        schedule.Add(kind, 2000 / 7);
    }
    auto panel = DistinctPanel(o.baud, std::move(schedule));
    bench::OpenPortOrExit(kCom, o.baud);
    std::mt19937 random(o.seed);
    auto below = [&random](unsigned n) { return static_cast<unsigned>(random() % n); };
    Tally tally;
    const auto end = Clock::now() + std::chrono::seconds(o.seconds);
    while (Clock::now() < end) {
        unsigned bank = below(16);
        unsigned count = 1 + below(kMaxRegistersPerRequest);
        unsigned start = below(257 - count);
        if (bank == sim::kLogBank) {
            continue;  // its record registers change as they are read
        }
        tally.Count(bank, count, ProbeRead(*panel, bank, start, count));
    }
    CloseCommPort();
    std::printf("soak %u s at %u baud, 20 %% mixed faults: %s\n", o.seconds, o.baud,
                tally.Text().c_str());
    return 0;
}

int Runs(const Options& o) {
    sim::FaultSchedule schedule(o.seed);
    std::string faults;
    for (const std::string& spec : o.faults) {
        if (std::string wrong = schedule.Add(spec); !wrong.empty()) {
            std::fprintf(stderr, "voltscope_fault_probe: %s\n", wrong.c_str());
            return 2;
        }
        faults += (faults.empty() ? "" : " ") + spec;
    }
    auto panel = DistinctPanel(o.baud, std::move(schedule));
    unsigned exitZero = 0, exitZeroWrong = 0;
    Tally tally;
    for (unsigned run = 0; run < o.runs; ++run) {
        bench::OpenPortOrExit(kCom, o.baud == 0 ? 9600 : o.baud);
        ResetRequestTotals();
        tally.NewConnection();
        bool anyWrong = false;
        unsigned read = 0;
        for (const BlockTableEntry& table : AllBlockTables()) {
            for (int b = 0; b < table.blockCount && table.blocks[b].count != 0 &&
                            (o.blocks == 0 || read < o.blocks);
                 ++b, ++read) {
                const RegisterBlock& block = table.blocks[b];
                ReadOutcome r = ProbeRead(*panel, block.bank, block.start, block.count);
                tally.Count(block.bank, block.count, r);
                anyWrong = anyWrong || r.wrong;
            }
        }
        CloseCommPort();
        if (RequestTotals().incompleteReplies == 0) {
            ++exitZero;
            exitZeroWrong += anyWrong;
        }
    }
    const std::string line = o.baud == 0 ? "unpaced" : std::to_string(o.baud) + " baud";
    const std::string length =
        o.blocks == 0 ? "whole dumps" : "runs of " + std::to_string(o.blocks) + " requests";
    std::printf(
        "runs %s, %s, %s: %u runs, %u with every reply complete (exit 0), %u of those with "
        "a wrong value; %s\n",
        faults.c_str(), line.c_str(), length.c_str(), o.runs, exitZero, exitZeroWrong,
        tally.Text().c_str());
    return 0;
}

pid_t Spawn(const std::vector<std::string>& args, int outFd) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int Interrupt(const Options& o) {
    auto panel = DistinctPanel(o.baud, sim::FaultSchedule(o.seed));
    std::mt19937 random(o.seed);
    auto below = [&random](unsigned n) { return static_cast<unsigned>(random() % n); };
    const std::string com = std::to_string(kCom);
    const std::string baud = std::to_string(o.baud);
    unsigned readsExitZero = 0, wrongValues = 0;
    const int devNull = ::open("/dev/null", O_WRONLY);
    for (unsigned run = 0; run < o.runs; ++run) {
        pid_t dump = Spawn({o.cli, "--com", com, "--baud", baud, "dump"}, devNull);
        std::this_thread::sleep_for(std::chrono::milliseconds(100 + below(1400)));
        ::kill(dump, run % 2 == 0 ? SIGINT : SIGTERM);
        int status = 0;
        ::waitpid(dump, &status, 0);
        const unsigned drawn = below(16);
        const unsigned bank = drawn == sim::kLogBank ? 10 : drawn;
        const unsigned reg = below(256);
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) {
            return 1;
        }
        pid_t read = Spawn({o.cli, "--com", com, "--baud", baud, "read", std::to_string(bank),
                            std::to_string(reg), "1"},
                           pipeFds[1]);
        ::close(pipeFds[1]);
        std::string out;
        char chunk[256];
        for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;) {
            out.append(chunk, static_cast<size_t>(n));
        }
        ::close(pipeFds[0]);
        ::waitpid(read, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            ++readsExitZero;
            unsigned b = 0, r = 0;
            long v = -1;
            if (std::sscanf(out.c_str(), "%u,%u,%ld", &b, &r, &v) != 3 ||
                v != panel->getRegister(bank, reg)) {
                ++wrongValues;
            }
        }
    }
    ::close(devNull);
    std::printf(
        "interrupt at %s baud: %u dumps stopped by a signal, %u following reads exited 0, "
        "%u of them with a wrong value\n",
        baud.c_str(), o.runs, readsExitZero, wrongValues);
    return 0;
}

bool Parse(int argc, char** argv, Options& o) {
    if (argc < 2) {
        return false;
    }
    o.mode = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--fault") {
            o.faults.push_back(value);
        } else if (name == "--cli") {
            o.cli = value;
        } else if (name == "--seconds" || name == "--baud" || name == "--runs" ||
                   name == "--seed" || name == "--blocks") {
            const unsigned number = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
            (name == "--seconds" ? o.seconds
             : name == "--baud"  ? o.baud
             : name == "--runs"  ? o.runs
             : name == "--seed"  ? o.seed
                                 : o.blocks) = number;
            o.baudGiven = o.baudGiven || name == "--baud";
        } else {
            return false;
        }
    }
    if (argc % 2 != 0) {
        return false;
    }
    if (o.mode == "runs") {
        o.runs = o.runs == 0 ? 50 : o.runs;
        o.baud = o.baudGiven ? o.baud : 0;
        return !o.faults.empty();
    }
    if (o.mode == "interrupt") {
        o.runs = o.runs == 0 ? 100 : o.runs;
        return !o.cli.empty() && o.baud != 0;
    }
    return o.mode == "soak" && o.baud != 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: voltscope_fault_probe soak [--seconds S] [--baud B] [--seed N]\n"
                     "       voltscope_fault_probe runs --fault KIND:PERCENT... [--runs N] "
                     "[--baud B] [--seed N] [--blocks N]\n"
                     "       voltscope_fault_probe interrupt --cli PATH [--runs N] [--baud B] "
                     "[--seed N]\n");
        return 2;
    }
    bench::PrivateConfigHome home;
    ::signal(SIGPIPE, SIG_IGN);
    if (o.mode == "soak") {
        return Soak(o);
    }
    return o.mode == "runs" ? Runs(o) : Interrupt(o);
}
