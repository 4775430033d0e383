#pragma once
// What a verb of voltscope-cli is: a subcommand that a verb group adds to the tool, and the action
// main runs once the whole command line has been checked (on the open port, when it needs one).
#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoPort = 3;
inline constexpr int kExitNoAnswer = 4;

struct Verb {
    CLI::App* command = nullptr;
    // Returns the exit code. Runs after the port was opened, unless needsPort is false.
    std::function<int()> run;
    bool needsPort = true;
    // Runs before the port is opened (an input file's check); a non-zero exit code ends the
    // tool there, with nothing sent.
    std::function<int()> check;
    // The file the verb writes, when it writes one: checked before the port is opened, so a
    // file that cannot be written never costs the panel a request.
    const std::string* output = nullptr;
};

// A verb group adds its subcommands to `app` and one Verb for each to `verbs`. Every check of a
// verb's arguments belongs to its subcommand (validators, or a callback that throws
// CLI::ValidationError), so nothing reaches the port before the whole command line passed.
using VerbGroup = void (*)(CLI::App& app, std::vector<Verb>& verbs);

void AddRegisterVerbs(CLI::App& app, std::vector<Verb>& verbs);     // read, write, dump
void AddMaintenanceVerbs(CLI::App& app, std::vector<Verb>& verbs);  // maint-backup, maint-restore
void AddMeteringVerbs(CLI::App& app, std::vector<Verb>& verbs);     // metering-, harmonics-export
void AddLogsVerbs(CLI::App& app, std::vector<Verb>& verbs);         // logs-export
void AddRecordingVerbs(CLI::App& app, std::vector<Verb>& verbs);    // metering-record
// config-save, config-upload, config-check, config-diff
void AddConfigurationVerbs(CLI::App& app, std::vector<Verb>& verbs);
// A configuration file's check before anything reaches the panel (config-upload, report
// --from-config): kExitOk, or kExitInvalidInput with the reason on stderr.
int CheckConfigurationFile(const std::string& file);
void AddReportVerbs(CLI::App& app, std::vector<Verb>& verbs);  // report
void AddPortVerbs(CLI::App& app, std::vector<Verb>& verbs);    // ports, and link off Windows

}  // namespace cli
