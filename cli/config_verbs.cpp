// config-save, config-upload, config-check: the configuration file (.kz0) from a shell, through
// the main window's own Connect download, "Save Config File", "Open Config file" and the upload
// an imported file gets at Connect.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/configuration_file.h"
#include "app/main_window.h"
#include "cli/headless_prompts.h"
#include "cli/reply_status.h"
#include "cli/verb.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/text_file.h"

namespace cli {

int CheckConfigurationFile(const std::string& file) {
    std::string problem;
    const std::optional<std::string> content = ReadWholeFile(file, kConfigFileMaxBytes, &problem);
    if (content && ParseConfigurationFile(*content, &problem)) {
        return kExitOk;
    }
    std::fprintf(stderr, "voltscope-cli: %s is not a valid configuration file: %s\n", file.c_str(),
                 problem.c_str());
    return kExitInvalidInput;
}

namespace {

struct FileArgs {
    std::string file;
    bool yes = false;
};

CLI::App* AddFileVerb(CLI::App& app, const char* name, const char* what,
                      const std::shared_ptr<FileArgs>& a) {
    CLI::App* command = app.add_subcommand(name, what);
    command->add_option("FILE", a->file, "the configuration file (.kz0)")->required();
    return command;
}

int RunSave(const FileArgs& a) {
    HeadlessPrompts prompts(false, a.file);
    CRegToolDlg window(prompts);
    window.SetUpTabs(false);
    const bool answers = window.PanelAnswers();
    if (const int status = LinkStatus(answers); status != kExitOk) {
        return status;
    }
    window.DownloadSettings();
    // Before the file exists: a script must never keep one with zeros for lost replies.
    if (const int status = ReplyStatus(); status != kExitOk) {
        return status;
    }
    window.SaveConfigFile();
    return prompts.Showed(kFileCreatedCaption) ? kExitOk : kExitCannotWrite;
}

int RunUpload(const FileArgs& a) {
    HeadlessPrompts prompts(true, a.file);
    CRegToolDlg window(prompts);
    Flags().connected = false;  // a file is opened while disconnected
    window.OpenConfigFile();
    if (!Flags().fileImported) {
        return kExitInvalidInput;
    }
    Flags().connected = true;
    window.SetUpTabs(false);
    const bool answers = window.PanelAnswers();
    Flags().fileImported = false;
    if (const int status = LinkStatus(answers); status != kExitOk) {
        return status;
    }
    window.UploadSettings();
    return ReplyStatus();
}

Verb AddSave(CLI::App& app) {
    auto a = std::make_shared<FileArgs>();
    CLI::App* command = AddFileVerb(
        app, "config-save",
        "Download the settings as Connect does and write FILE as \"Save Config File\" does", a);
    Verb verb{command, [a] { return RunSave(*a); }};
    verb.output = &a->file;
    return verb;
}

Verb AddUpload(CLI::App& app) {
    auto a = std::make_shared<FileArgs>();
    CLI::App* command = AddFileVerb(
        app, "config-upload",
        "Read FILE as \"Open Config file\" does and send it to the panel (every question Yes)", a);
    command->add_flag("--yes", a->yes, "confirm: the panel's settings are overwritten")->required();
    Verb verb{command, [a] { return RunUpload(*a); }};
    verb.check = [a] { return CheckConfigurationFile(a->file); };
    return verb;
}

Verb AddCheck(CLI::App& app) {
    auto a = std::make_shared<FileArgs>();
    CLI::App* command =
        AddFileVerb(app, "config-check", "Check that FILE is a valid configuration file", a);
    Verb verb{command, [a] {
                  if (CheckConfigurationFile(a->file) != kExitOk) {
                      return kExitInvalidInput;
                  }
                  std::printf("%s: valid, %zu values\n", a->file.c_str(), kConfigFileValues);
                  return kExitOk;
              }};
    verb.needsPort = false;
    return verb;
}

}  // namespace

void AddConfigurationVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    verbs.push_back(AddSave(app));
    verbs.push_back(AddUpload(app));
    verbs.push_back(AddCheck(app));
}

}  // namespace cli
