// voltscope-cli: the panel from a shell, through the same serial link and protocol as the
// desktop tool. main builds the command line from the verb groups, checks all of it, and only
// then opens the port and runs the chosen verb.
#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/headless_prompts.h"
#include "cli/port_session.h"
#include "cli/verb.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/text_file.h"
#include "protocol/requests.h"
#include "serial/serial_link.h"

namespace {

using namespace cli;

// A new verb group is one more entry here and its own file.
constexpr VerbGroup kVerbGroups[] = {AddRegisterVerbs,    AddConfigurationVerbs, AddMeteringVerbs,
                                     AddMaintenanceVerbs, AddReportVerbs,        AddPortVerbs,
                                     AddLogsVerbs,        AddRecordingVerbs};

struct LinkOptions {
    CLI::Option* com = nullptr;
    CLI::Option* address = nullptr;
    unsigned comNumber = 0;
    unsigned baud = 9600;
    int parity = 1;
    unsigned addressNumber = 0;
    bool verbose = false;
    bool trace = false;
};

void AddLinkOptions(CLI::App& app, LinkOptions& link) {
    link.com = NumberIn(app.add_option("--com", link.comNumber,
                                       "COM port number (needed by every verb that talks to the "
                                       "panel)"),
                        1, 255);
    NumberOneOf(app.add_option("--baud", link.baud, "baud rate"),
                {300, 1200, 2400, 4800, 9600, 19200})
        ->capture_default_str();
    WordOneOf(app.add_option("--parity", link.parity, "parity"),
              {{"none", 0}, {"even", 1}, {"odd", 2}})
        ->default_str("even");
    link.address = NumberIn(app.add_option("--address", link.addressNumber,
                                           "the panel's comm address; without it, no address "
                                           "mode"),
                            0, 199);
    app.add_flag("--verbose", link.verbose, "diagnostic lines of the serial link on stderr");
    app.add_flag("--trace", link.trace,
                 "every frame sent and every reply received on stderr, one line each: "
                 "milliseconds since the start, TX or RX complete/incomplete, the bytes in hex");
}

const Verb& ChosenVerb(const std::vector<Verb>& verbs) {
    for (const Verb& verb : verbs) {
        if (verb.command->parsed()) {
            return verb;
        }
    }
    throw CLI::RequiredError::Subcommand(1);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Reads and writes the panel's registers over the serial link.", "voltscope-cli"};
    app.require_subcommand(1);
    app.fallthrough();  // the link options may also follow the verb
    app.footer(
        "Numbers are decimal or 0x followed by hex digits.\n"
        "Exit codes: 0 done, 1 the compared settings differ (config-diff), 2 bad arguments, 3 "
        "port cannot be opened, 4 a request got no "
        "complete reply (no file is written), 5 an input file is not valid, 6 the output file "
        "cannot be written, 7 the panel refuses the action as the page would.");
    LinkOptions link;
    AddLinkOptions(app, link);
    std::vector<Verb> verbs;
    for (VerbGroup addGroup : kVerbGroups) {
        addGroup(app, verbs);
    }

    const Verb* verb = nullptr;
    try {
        app.parse(argc, argv);
        verb = &ChosenVerb(verbs);
        if (verb->needsPort && link.com->count() == 0) {
            throw CLI::RequiredError("--com");
        }
    } catch (const CLI::ParseError& e) {
        // --help is a ParseError too, with exit code 0.
        return app.exit(e) == 0 ? kExitOk : kExitUsage;
    }

    serial::SetDiagnosticSink([verbose = link.verbose](const std::string& line) {
        if (verbose) {
            std::fputs(line.c_str(), stderr);
        }
    });
    if (link.trace) {
        SetFrameObserver([origin = std::chrono::steady_clock::now()](const FrameEvent& event) {
            std::fprintf(stderr, "%s\n", FormatFrameEvent(event, origin).c_str());
        });
    }
    Protocol().addressMode = link.address->count() != 0 ? 1 : 0;
    Protocol().commAddress = static_cast<uint8_t>(link.addressNumber);
    if (verb->check) {
        if (const int status = verb->check(); status != kExitOk) {
            return status;
        }
    }
    if (verb->output != nullptr) {
        if (const std::string problem = WriteProblem(*verb->output); !problem.empty()) {
            std::fprintf(stderr, "voltscope-cli: %s\n", problem.c_str());
            return kExitCannotWrite;
        }
    }
    if (!verb->needsPort) {
        return verb->run();
    }
    PortSession port;
    if (!port.Open(link.comNumber, link.baud, link.parity)) {
        std::fprintf(stderr, "voltscope-cli: cannot open COM%u: %s\n", link.comNumber,
                     serial::LastOpenError().c_str());
        return kExitNoPort;
    }
    ResetRequestTotals();
    // No file is written once a request went without a reply, wherever in a verb the page
    // reads (the Metering page reads the date order after its file dialog, say).
    SetSaveRefusal([] {
        return RequestTotals().incompleteReplies != 0
                   ? std::string("some requests got no complete reply")
                   : std::string();
    });
    // The pages a verb runs check the connected flag as the desktop tool's do.
    Flags().connected = true;
    const int status = verb->run();
    Flags().connected = false;
    port.Close();
    return status;
}
