// read, write and dump: panel registers by bank and number, printed as bank,register,value lines.
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "cli/arguments.h"
#include "cli/reply_status.h"
#include "cli/verb.h"
#include "protocol/block_tables.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"

namespace cli {
namespace {

constexpr long kLastRegister = 255;

void PrintValue(unsigned bank, unsigned reg, int32_t value) {
    std::printf("%u,%u,%d\n", bank, reg, value);
}

CLI::Option* AddNumber(CLI::App* command, const char* name, long& value, const char* what, long low,
                       long high) {
    return NumberIn(command->add_option(name, value, what)->required(), low, high);
}

// Throws the usage error when `count` registers from `start` run past the bank's last one.
void CheckWithinBank(long start, long count, const char* what) {
    if (start + count - 1 > kLastRegister) {
        throw CLI::ValidationError(std::string(what) + " runs past register 255");
    }
}

struct ReadArgs {
    long bank = 0;
    long start = 0;
    long count = 0;
};

int RunRead(const ReadArgs& a) {
    int32_t values[kMaxRegistersPerRequest] = {};
    ReadRegisters(static_cast<uint8_t>(a.bank), static_cast<uint8_t>(a.start),
                  static_cast<uint8_t>(a.count), values);
    int status = ReplyStatus();
    if (status != kExitOk) {
        return status;
    }
    for (long k = 0; k < a.count; ++k) {
        PrintValue(static_cast<unsigned>(a.bank), static_cast<unsigned>(a.start + k), values[k]);
    }
    return kExitOk;
}

Verb AddRead(CLI::App& app) {
    auto a = std::make_shared<ReadArgs>();
    CLI::App* command = app.add_subcommand(
        "read", "Read COUNT registers of BANK from START; print bank,register,value lines");
    AddNumber(command, "BANK", a->bank, "register bank", 0, 15);
    AddNumber(command, "START", a->start, "first register", 0, kLastRegister);
    AddNumber(command, "COUNT", a->count, "number of registers", 1, kMaxRegistersPerRequest);
    command->callback([a] { CheckWithinBank(a->start, a->count, "START + COUNT"); });
    return {command, [a] { return RunRead(*a); }};
}

struct WriteArgs {
    long bank = 0;
    long start = 0;
    std::vector<long> values;
};

int RunWrite(const WriteArgs& a) {
    int32_t values[kMaxRegistersPerRequest] = {};
    for (size_t k = 0; k < a.values.size(); ++k) {
        values[k] = static_cast<int32_t>(a.values[k]);
    }
    WriteRegisters(static_cast<uint8_t>(a.bank), static_cast<uint8_t>(a.start),
                   static_cast<uint8_t>(a.values.size()), values);
    return ReplyStatus();
}

Verb AddWrite(CLI::App& app) {
    auto a = std::make_shared<WriteArgs>();
    CLI::App* command =
        app.add_subcommand("write", "Write VALUE... to the registers of BANK from START");
    AddNumber(command, "BANK", a->bank, "register bank", 0, 15);
    AddNumber(command, "START", a->start, "first register", 0, kLastRegister);
    NumberIn(command->add_option("VALUE", a->values, "1 to 15 register values")->required(), -32768,
             65535);
    command->callback([a] {
        if (a->values.size() > static_cast<size_t>(kMaxRegistersPerRequest)) {
            throw CLI::ValidationError("at most 15 values in one write");
        }
        CheckWithinBank(a->start, static_cast<long>(a->values.size()), "START + number of values");
    });
    return {command, [a] { return RunWrite(*a); }};
}

// Every register is printed that a complete reply gave; one without (its request is named on
// stderr) is left out rather than shown as the 0 standing in for it.
int RunDump() {
    std::map<std::pair<unsigned, unsigned>, int32_t> read;
    for (const BlockTableEntry& table : AllBlockTables()) {
        for (int b = 0; b < table.blockCount && table.blocks[b].count != 0; ++b) {
            const RegisterBlock& block = table.blocks[b];
            ReadBlockTable(&block, 1);
            if (!LastRequest().completeReply) {
                continue;
            }
            for (unsigned k = 0; k < block.count; ++k) {
                read[{block.bank, block.start + k}] = StoreSlot(block.bank, block.start + k);
            }
        }
    }
    const int status = ReplyStatus();
    for (const auto& [where, value] : read) {
        PrintValue(where.first, where.second, value);
    }
    return status;
}

Verb AddDump(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "dump",
        "Read every block table the tool uses; print bank,register,value lines (on exit 4 only "
        "the registers whose reply came)");
    return {command, RunDump};
}

}  // namespace

void AddRegisterVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    verbs.push_back(AddRead(app));
    verbs.push_back(AddWrite(app));
    verbs.push_back(AddDump(app));
}

}  // namespace cli
