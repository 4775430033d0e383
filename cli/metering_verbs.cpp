// metering-export and harmonics-export: the Metering page's two CSV files, made by the page
// itself with the answers a shell gives.
#include <memory>
#include <string>

#include "cli/headless_prompts.h"
#include "cli/reply_status.h"
#include "cli/verb.h"
#include "pages/data/metering_page.h"

namespace cli {
namespace {

using Export = ExportOutcome (CPPTwo::*)(UserPrompts&);

int RunExport(const std::string& file, Export exportFile) {
    HeadlessPrompts prompts(false, file);
    CPPTwo page;
    const ExportOutcome outcome = (page.*exportFile)(prompts);
    const int status = ReplyStatus();
    if (status != kExitOk) {
        return status;
    }
    return outcome == ExportOutcome::kWritten ? kExitOk : kExitCannotWrite;
}

Verb AddExport(CLI::App& app, const char* name, const char* what, Export exportFile) {
    auto file = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(name, what);
    command->add_option("FILE", *file, "the CSV file to write")->required();
    Verb verb{command, [file, exportFile] { return RunExport(*file, exportFile); }};
    verb.output = file.get();
    return verb;
}

}  // namespace

void AddMeteringVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    verbs.push_back(AddExport(app, "metering-export",
                              "Read the min/max records and counters; write them to FILE as the "
                              "Metering page's \"_MTR.csv\" file",
                              &CPPTwo::ExportMetering));
    verbs.push_back(AddExport(app, "harmonics-export",
                              "Read the harmonic spectra; write them to FILE as the Metering "
                              "page's \"_HAR.csv\" file",
                              &CPPTwo::ExportHarmonics));
}

}  // namespace cli
