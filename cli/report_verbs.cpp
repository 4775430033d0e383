// report: "Create Report" from a shell, through the main window's own command. From the panel
// (Yes at its question) it runs on the port the tool opened; with --from-config (No) it reads a
// configuration file instead and never touches the serial link.
#include <memory>
#include <string>

#include "app/configuration_file.h"
#include "app/connection_lists.h"
#include "app/main_window.h"
#include "cli/headless_prompts.h"
#include "cli/reply_status.h"
#include "cli/verb.h"
#include "pages/kit/list_selection.h"
#include "pages/kit/text_file.h"
#include "resources/ids/main_window.h"

namespace cli {
namespace {

struct ReportArgs {
    std::string file;
    std::string fromConfig;
};

// The window's connection controls name the port the tool opened, so that the report's
// reconnect opens it again with the same line settings.
void PointWindowAtPort(CRegToolDlg& window, const CLI::App& app) {
    auto choose = [&window](int id, const std::string& text) {
        if (SelectByPrefix(window.Form()[id], text)) {
            window.OnSelectionChanged(id);
        }
    };
    choose(ids::window::kCommPort, PortName(app.get_option("--com")->as<int>()));
    choose(ids::window::kBaud, std::to_string(app.get_option("--baud")->as<int>()));
    choose(ids::window::kParity,
           kParityNames[static_cast<std::size_t>(app.get_option("--parity")->as<int>())]);
}

int RunFromPanel(const ReportArgs& a, const CLI::App& app) {
    HeadlessPrompts prompts(true, a.file);
    CRegToolDlg window(prompts);
    window.SetSavesConnectionSettings(false);
    PointWindowAtPort(window, app);
    window.AdoptOpenPort();
    // Create Report itself writes nothing unless the reconnect's download and its version
    // reads were all answered.
    const ReportOutcome outcome = window.CreateReport();
    if (prompts.Showed(main_window_text::kInvalidPortCaption)) {
        return kExitNoPort;
    }
    if (const int status = ReplyStatus(); status != kExitOk) {
        return status;
    }
    if (const int status = LinkStatus(!prompts.Showed(main_window_text::kConnectionErrorCaption));
        status != kExitOk) {
        return status;
    }
    return outcome == ReportOutcome::kWritten ? kExitOk : kExitCannotWrite;
}

int RunFromConfig(const ReportArgs& a) {
    HeadlessPrompts prompts(false, a.file);
    prompts.SetOpenFileName(a.fromConfig);
    CRegToolDlg window(prompts);
    // Checked before, but read again by the command: never a report of a file it did not read.
    SetSaveRefusal([&prompts] {
        return prompts.Showed(main_window_text::kConfigOpenedCaption)
                   ? std::string()
                   : std::string("the configuration file was not read");
    });
    const ReportOutcome outcome = window.CreateReport();
    SetSaveRefusal(nullptr);
    if (!prompts.Showed(main_window_text::kConfigOpenedCaption)) {
        return kExitInvalidInput;
    }
    return outcome == ReportOutcome::kWritten ? kExitOk : kExitCannotWrite;
}

}  // namespace

void AddReportVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    auto a = std::make_shared<ReportArgs>();
    CLI::App* command = app.add_subcommand(
        "report",
        "Write the settings report to FILE as \"Create Report\" does: from the panel (Yes), or "
        "with --from-config from a configuration file (No), without a port");
    command->add_option("FILE", a->file, "the report file to write (.csv)")->required();
    command->add_option("--from-config", a->fromConfig,
                        "the configuration file (.kz0) to report instead of the panel");
    // Whether the port is needed follows from --from-config, known once the command line is
    // parsed: main asks only then.
    const std::size_t index = verbs.size();
    command->callback([a, &verbs, index] { verbs[index].needsPort = a->fromConfig.empty(); });
    Verb verb{command, [a, &app] {
                  return a->fromConfig.empty() ? RunFromPanel(*a, app) : RunFromConfig(*a);
              }};
    verb.check = [a] {
        return a->fromConfig.empty() ? kExitOk : CheckConfigurationFile(a->fromConfig);
    };
    verb.output = &a->file;
    verbs.push_back(std::move(verb));
}

}  // namespace cli
