// ports on Windows: the COM ports the system knows, with the device behind each. The system
// names its ports itself, so there is nothing for a link verb to do here.
#include <windows.h>

#include <cstdio>
#include <string>

#include "cli/verb.h"

namespace cli {
namespace {

int RunPorts() {
    bool any = false;
    for (unsigned com = 1; com <= 255; ++com) {
        const std::string name = "COM" + std::to_string(com);
        char target[1024] = {};
        if (::QueryDosDeviceA(name.c_str(), target, sizeof target) != 0) {
            std::printf("%-6s  %s\n", name.c_str(), target);
            any = true;
        }
    }
    if (!any) {
        std::fprintf(stderr, "voltscope-cli: no serial devices found\n");
    }
    return kExitOk;
}

}  // namespace

void AddPortVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    CLI::App* command =
        app.add_subcommand("ports", "List the COM ports of this machine and the device of each");
    verbs.push_back({command, RunPorts, false});
}

}  // namespace cli
