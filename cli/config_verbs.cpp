// config-save, config-upload, config-check, config-diff: the configuration file (.kz0) from a
// shell, through the main window's own Connect download, "Save Config File", "Open Config file",
// the upload an imported file gets at Connect and "Compare With Config File…".
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/configuration_file.h"
#include "app/main_window.h"
#include "app/settings_compare.h"
#include "cli/headless_prompts.h"
#include "cli/reply_status.h"
#include "cli/verb.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/text_file.h"

namespace cli {

namespace {

// The file's values; nullopt, after saying why on stderr, for a file that is not valid.
std::optional<std::vector<int32_t>> ConfigurationFileValues(const std::string& file) {
    std::string problem;
    const std::optional<std::string> content = ReadWholeFile(file, kConfigFileMaxBytes, &problem);
    std::optional<std::vector<int32_t>> values;
    if (content) {
        values = ParseConfigurationFile(*content, &problem);
    }
    if (!values) {
        std::fprintf(stderr, "voltscope-cli: %s is not a valid configuration file: %s\n",
                     file.c_str(), problem.c_str());
    }
    return values;
}

}  // namespace

int CheckConfigurationFile(const std::string& file) {
    return ConfigurationFileValues(file) ? kExitOk : kExitInvalidInput;
}

namespace {

// config-diff's exit code when the settings differ, as diff(1) has it.
constexpr int kExitDifferent = 1;
constexpr char kPanelSide[] = "panel";

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

// Connect's settings download into the window's pages: kExitOk, or why the pages must not be
// used (the panel refused the link, or some requests got no complete reply).
int DownloadAsConnect(CRegToolDlg& window) {
    window.SetUpTabs(false);
    const bool answers = window.PanelAnswers();
    if (const int status = LinkStatus(answers); status != kExitOk) {
        return status;
    }
    window.DownloadSettings();
    return ReplyStatus();
}

int RunSave(const FileArgs& a) {
    HeadlessPrompts prompts(false, a.file);
    CRegToolDlg window(prompts);
    // Before the file exists: a script must never keep one with zeros for lost replies.
    if (const int status = DownloadAsConnect(window); status != kExitOk) {
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

struct DiffArgs {
    std::vector<std::string> files;
    bool showPasswords = false;
};

int PrintComparison(const SettingsComparison& comparison) {
    std::fputs(FormatComparison(comparison).c_str(), stdout);
    return comparison.rows.empty() ? kExitOk : kExitDifferent;
}

int RunDiffOfFiles(const DiffArgs& a) {
    const auto first = ConfigurationFileValues(a.files[0]);
    const auto second = ConfigurationFileValues(a.files[1]);
    if (!first || !second) {
        return kExitInvalidInput;
    }
    HeadlessPrompts prompts(false);
    return PrintComparison(
        {a.files[0], a.files[1],
         CompareSettings(ConfigurationFileItems(*first, prompts),
                         ConfigurationFileItems(*second, prompts), a.showPasswords)});
}

// The pages as config-save downloads them, compared as the desktop tool compares them.
int RunDiffOfPanel(const DiffArgs& a) {
    HeadlessPrompts prompts(false, a.files[0]);
    CRegToolDlg window(prompts);
    if (const int status = DownloadAsConnect(window); status != kExitOk) {
        return status;
    }
    std::optional<SettingsComparison> comparison = window.CompareWithConfigFile(a.showPasswords);
    if (!comparison) {
        return kExitInvalidInput;
    }
    comparison->aName = kPanelSide;
    comparison->bName = a.files[0];
    return PrintComparison(*comparison);
}

void AddDiff(CLI::App& app, std::vector<Verb>& verbs) {
    auto a = std::make_shared<DiffArgs>();
    CLI::App* command = app.add_subcommand(
        "config-diff",
        "Compare the panel (after Connect's download) with FILE, or file A with file B without a "
        "port: the differing settings as CSV on standard output; exit 0 equal, 1 different");
    command->add_option("FILES", a->files, "FILE, or A.kz0 B.kz0")->required()->expected(1, 2);
    command->add_flag("--show-passwords", a->showPasswords,
                      "show differing passwords instead of \"(differs)\"");
    // With two files no port is needed, which main knows once the command line is parsed.
    const std::size_t index = verbs.size();
    command->callback([a, &verbs, index] { verbs[index].needsPort = a->files.size() == 1; });
    Verb verb{command,
              [a] { return a->files.size() == 1 ? RunDiffOfPanel(*a) : RunDiffOfFiles(*a); }};
    verb.check = [a] {
        for (const std::string& file : a->files) {
            if (const int status = CheckConfigurationFile(file); status != kExitOk) {
                return status;
            }
        }
        return kExitOk;
    };
    verbs.push_back(std::move(verb));
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
    AddDiff(app, verbs);
}

}  // namespace cli
