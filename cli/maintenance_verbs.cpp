// maint-backup and maint-restore: the Maintenance page's backup to a .mn0 file and its restore
// into a panel, run headless through the page itself.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/headless_prompts.h"
#include "cli/reply_status.h"
#include "cli/verb.h"
#include "pages/data/maintenance_file.h"
#include "pages/data/maintenance_page.h"
#include "pages/kit/text_file.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"

namespace cli {
namespace {

int ExitFor(MaintenanceOutcome outcome) {
    // Neither of these sent anything that could have gone without a reply.
    if (outcome == MaintenanceOutcome::kInvalidFile) {
        return kExitInvalidInput;
    }
    if (outcome == MaintenanceOutcome::kNotWritten) {
        return kExitCannotWrite;
    }
    const int replies = ReplyStatus();
    if (replies != kExitOk) {
        return replies;
    }
    // Headless, the questions are answered Yes, so only a refusal is left.
    return outcome == MaintenanceOutcome::kDone ? kExitOk : kExitRefused;
}

// The desktop tool has no Maintenance tab for a panel before 4.10: neither has this tool.
int VersionStatus() {
    const int32_t word = ReadRegister(kSettingsBank, kVersionRegister);
    if (const int replies = ReplyStatus(); replies != kExitOk) {
        return replies;
    }
    const int version = PanelVersion(word);
    if (version >= kMaintenanceVersion) {
        return kExitOk;
    }
    std::fprintf(stderr,
                 "voltscope-cli: the panel's software version %d.%02d keeps no maintenance "
                 "records (4.10 and newer do); nothing was read or sent\n",
                 version / 100, version % 100);
    return kExitRefused;
}

struct FileArgs {
    std::string file;
    bool yes = false;
};

Verb AddBackUp(CLI::App& app) {
    auto a = std::make_shared<FileArgs>();
    CLI::App* command =
        app.add_subcommand("maint-backup",
                           "Back the maintenance data (contact wear) up into FILE (.mn0), as the "
                           "Maintenance page's \"BackUp\" does");
    command->add_option("FILE", a->file, "the maintenance data file to write")->required();
    Verb verb{command, [a] {
                  HeadlessPrompts prompts(true, a->file);
                  if (const int status = VersionStatus(); status != kExitOk) {
                      return status;
                  }
                  CPPFive page;
                  return ExitFor(page.BackUp(prompts));
              }};
    verb.output = &a->file;
    return verb;
}

Verb AddRestore(CLI::App& app) {
    auto a = std::make_shared<FileArgs>();
    CLI::App* command =
        app.add_subcommand("maint-restore",
                           "Send the maintenance data of FILE (.mn0) to the panel, as the "
                           "Maintenance page's \"Load BackedUp\" does after Yes");
    command->add_option("FILE", a->file, "the maintenance data file to read")->required();
    command->add_flag("--yes", a->yes, "confirm sending (needed)");
    command->callback([a] {
        if (!a->yes) {
            throw CLI::ValidationError(
                "maint-restore overwrites the panel's wear records; add "
                "--yes to send them");
        }
    });
    Verb verb{command, [a] {
                  HeadlessPrompts prompts(true, a->file);
                  if (const int status = VersionStatus(); status != kExitOk) {
                      return status;
                  }
                  CPPFive page;
                  return ExitFor(page.Restore(prompts));
              }};
    // A file that is no maintenance file never gets as far as opening the port.
    verb.check = [a] {
        std::string problem;
        const auto text = ReadWholeFile(a->file, kMaintenanceFileMaxBytes, &problem);
        if (text && ParseMaintenanceFile(*text)) {
            return kExitOk;
        }
        std::fprintf(stderr, "voltscope-cli: %s is not a valid maintenance data file%s%s\n",
                     a->file.c_str(), problem.empty() ? "" : ": ", problem.c_str());
        return kExitInvalidInput;
    };
    return verb;
}

}  // namespace

void AddMaintenanceVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    verbs.push_back(AddBackUp(app));
    verbs.push_back(AddRestore(app));
}

}  // namespace cli
