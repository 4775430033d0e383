#pragma once
// What the simulated panel received, written short: "R 10/67x1", "W 2/24x1".
#include <string>
#include <vector>

#include "protocol/register_block.h"
#include "sim/panel_protocol.h"

namespace testing_support {

// One request as the panel saw it: "R 10/67x1", "W 2/24x1".
inline std::string Describe(const sim::Request& r) {
    const char* op = r.op == sim::Operation::kRead    ? "R"
                     : r.op == sim::Operation::kWrite ? "W"
                     : r.op == sim::Operation::kClear ? "C"
                                                      : "X";
    return std::string(op) + " " + std::to_string(r.bank) + "/" + std::to_string(r.start) + "x" +
           std::to_string(r.count);
}

inline std::vector<std::string> Describe(const std::vector<sim::Request>& requests) {
    std::vector<std::string> out;
    for (const auto& r : requests) {
        out.push_back(Describe(r));
    }
    return out;
}

// The requests a table transfer makes, from the table itself.
inline void AppendTable(std::vector<std::string>& out, const char* op, const RegisterBlock* blocks,
                        int n) {
    for (int i = 0; i < n; ++i) {
        out.push_back(std::string(op) + " " + std::to_string(blocks[i].bank) + "/" +
                      std::to_string(blocks[i].start) + "x" + std::to_string(blocks[i].count));
    }
}

}  // namespace testing_support
