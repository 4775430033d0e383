// voltscope-cli: reads and writes panel registers from a shell, through the same serial link and
// protocol as the desktop tool. Unlike the tool's pages it says when the panel did not answer.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/block_tables.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"
#include "serial/serial_link.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitNoPort = 3;
constexpr int kExitNoAnswer = 4;

constexpr const char* kUsage =
    "usage: voltscope-cli --com N [--baud B] [--parity none|even|odd] [--address A] [--verbose]\n"
    "                     read BANK START COUNT\n"
    "                   | write BANK START VALUE...\n"
    "                   | dump\n"
    "  --baud defaults to 9600 and --parity to even, as the tool's own defaults.\n"
    "  read and dump print bank,register,value lines.\n"
    "exit codes: 0 done, 2 bad arguments, 3 port cannot be opened, 4 the panel did not answer\n";

struct Options {
    unsigned com = 0;
    unsigned baud = 9600;
    int parity = 1;
    std::optional<unsigned> address;
    bool verbose = false;
    std::vector<std::string> command;
};

std::optional<long> ParseNumber(std::string_view text, long low, long high) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

int UsageError(const std::string& what) {
    std::fprintf(stderr, "voltscope-cli: %s\n%s", what.c_str(), kUsage);
    return kExitUsage;
}

std::optional<Options> ParseOptions(int argc, char** argv, std::string& error) {
    Options options;
    bool haveCom = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        auto value = [&](long low, long high) -> std::optional<long> {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return std::nullopt;
            }
            auto number = ParseNumber(argv[++i], low, high);
            if (!number) {
                error = std::string(arg) + " takes a number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", not '" + argv[i] + "'";
            }
            return number;
        };
        if (arg == "--com") {
            auto n = value(1, 255);
            if (!n)
                return std::nullopt;
            options.com = static_cast<unsigned>(*n);
            haveCom = true;
        } else if (arg == "--baud") {
            auto n = value(1, 115200);
            if (!n)
                return std::nullopt;
            options.baud = static_cast<unsigned>(*n);
        } else if (arg == "--address") {
            auto n = value(0, 199);
            if (!n)
                return std::nullopt;
            options.address = static_cast<unsigned>(*n);
        } else if (arg == "--parity") {
            std::string_view p = i + 1 < argc ? argv[++i] : "";
            if (p == "none") {
                options.parity = 0;
            } else if (p == "even") {
                options.parity = 1;
            } else if (p == "odd") {
                options.parity = 2;
            } else {
                error = "--parity takes none, even or odd";
                return std::nullopt;
            }
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--help" || arg == "-h") {
            error = "";
            return std::nullopt;
        } else if (arg.starts_with("--")) {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        } else {
            options.command.assign(argv + i, argv + argc);
            break;
        }
    }
    if (!haveCom) {
        error = "--com is required";
        return std::nullopt;
    }
    if (options.command.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    return options;
}

void PrintValue(unsigned bank, unsigned reg, int32_t value) {
    std::printf("%u,%u,%d\n", bank, reg, value);
}

// Reports requests that got no complete reply since the totals were last reset.
int AnswerStatus() {
    const RequestStats& totals = RequestTotals();
    if (totals.incompleteReplies == 0) {
        return kExitOk;
    }
    std::fprintf(stderr,
                 "voltscope-cli: the panel did not answer: %llu of %llu requests got no complete "
                 "reply (check the cable, baud rate, parity and address)\n",
                 static_cast<unsigned long long>(totals.incompleteReplies),
                 static_cast<unsigned long long>(totals.requests));
    return kExitNoAnswer;
}

int RunRead(const std::vector<std::string>& args) {
    if (args.size() != 4)
        return UsageError("read takes BANK START COUNT");
    auto bank = ParseNumber(args[1], 0, 15);
    auto start = ParseNumber(args[2], 0, 255);
    auto count = ParseNumber(args[3], 1, kMaxRegistersPerRequest);
    if (!bank || !start || !count)
        return UsageError("BANK 0..15, START 0..255, COUNT 1..15");
    if (*start + *count > 256)
        return UsageError("START + COUNT runs past register 255");
    int32_t values[kMaxRegistersPerRequest] = {};
    ReadRegisters(static_cast<uint8_t>(*bank), static_cast<uint8_t>(*start),
                  static_cast<uint8_t>(*count), values);
    int status = AnswerStatus();
    if (status != kExitOk)
        return status;
    for (long k = 0; k < *count; ++k) {
        PrintValue(static_cast<unsigned>(*bank), static_cast<unsigned>(*start + k), values[k]);
    }
    return kExitOk;
}

int RunWrite(const std::vector<std::string>& args) {
    if (args.size() < 4)
        return UsageError("write takes BANK START VALUE...");
    auto bank = ParseNumber(args[1], 0, 15);
    auto start = ParseNumber(args[2], 0, 255);
    if (!bank || !start)
        return UsageError("BANK 0..15, START 0..255");
    const size_t count = args.size() - 3;
    if (count > static_cast<size_t>(kMaxRegistersPerRequest)) {
        return UsageError("at most 15 values in one write");
    }
    if (*start + static_cast<long>(count) > 256) {
        return UsageError("START + number of values runs past register 255");
    }
    int32_t values[kMaxRegistersPerRequest] = {};
    for (size_t k = 0; k < count; ++k) {
        auto v = ParseNumber(args[3 + k], -32768, 65535);
        if (!v)
            return UsageError("VALUE -32768..65535, not '" + args[3 + k] + "'");
        values[k] = static_cast<int32_t>(*v);
    }
    WriteRegisters(static_cast<uint8_t>(*bank), static_cast<uint8_t>(*start),
                   static_cast<uint8_t>(count), values);
    return AnswerStatus();
}

int RunDump(const std::vector<std::string>& args) {
    if (args.size() != 1)
        return UsageError("dump takes no arguments");
    std::map<std::pair<unsigned, unsigned>, int32_t> named;
    for (const BlockTableEntry& table : AllBlockTables()) {
        ReadBlockTable(table.blocks, table.blockCount);
        for (int b = 0; b < table.blockCount && table.blocks[b].count != 0; ++b) {
            const RegisterBlock& block = table.blocks[b];
            for (unsigned k = 0; k < block.count; ++k) {
                named[{block.bank, block.start + k}] = StoreSlot(block.bank, block.start + k);
            }
        }
    }
    for (const auto& [where, value] : named)
        PrintValue(where.first, where.second, value);
    return AnswerStatus();
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    std::optional<Options> options = ParseOptions(argc, argv, error);
    if (!options) {
        if (error.empty()) {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
        return UsageError(error);
    }
    const bool verbose = options->verbose;
    serial::SetDiagnosticSink([verbose](const std::string& line) {
        if (verbose)
            std::fputs(line.c_str(), stderr);
    });
    const std::string& command = options->command[0];
    if (command != "read" && command != "write" && command != "dump") {
        return UsageError("unknown command '" + command + "'");
    }
    Protocol().addressMode = options->address.has_value() ? 1 : 0;
    Protocol().commAddress = static_cast<uint8_t>(options->address.value_or(0));

    if (OpenCommPort(options->com, options->baud, options->parity) == 0) {
        std::fprintf(stderr, "voltscope-cli: cannot open COM%u: %s\n", options->com,
                     serial::LastOpenError().c_str());
        return kExitNoPort;
    }
    ResetRequestTotals();
    int status = kExitOk;
    if (command == "read") {
        status = RunRead(options->command);
    } else if (command == "write") {
        status = RunWrite(options->command);
    } else {
        status = RunDump(options->command);
    }
    CloseCommPort();
    return status;
}
