// The main window's File-menu commands: "Save Config File", "Open Config file", "Create Report"
// and "Compare With Config File…".
#include "app/configuration_file.h"
#include "app/main_window.h"
#include "app/settings_report.h"
#include "pages/kit/app_flags.h"
#include "pages/kit/text_file.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/panel_registers.h"
#include "protocol/value_store.h"
#include "serial/serial_link.h"

#include <filesystem>

namespace text = main_window_text;

namespace {

// A configuration file's values; nullopt, after telling the user why, for a file that cannot
// be read or is not a configuration file.
std::optional<std::vector<int32_t>> ReadConfigFile(UserPrompts& prompts, const std::string& path) {
    const std::optional<std::string> content = LoadTextFile(prompts, path, kConfigFileMaxBytes);
    if (!content) {
        return std::nullopt;
    }
    std::string problem;
    std::optional<std::vector<int32_t>> values = ParseConfigurationFile(*content, &problem);
    if (!values) {
        serial::Diagnostic("not a configuration file: " + path + ": " + problem + "\n");
        ShowOk(prompts, text::kInvalidConfig, text::kInvalidFileCaption, PromptIcon::kNone,
               path + ": " + problem);
    }
    return values;
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

// --- configuration file -----------------------------------------------------------------------

void CRegToolDlg::SaveConfigFile() {
    if (!Flags().tabsCreated) {
        ShowOk(prompts_, text::kNoTabs, text::kNoTabsCaption);
        return;
    }
    // The pages put what they show into the store, without a word to the panel.
    Flags().storeOnly = true;
    Flags().connected = true;
    configuration_.Upload(prompts_);
    regulatorComm_.Upload(prompts_);
    logs_.Upload(prompts_);
    diag_.Upload(prompts_);
    Flags().storeOnly = false;
    Flags().connected = toggle_;

    const ExportOutcome saved =
        SaveExport(prompts_,
                   {text::kSaveConfigTitle, ExportFileStamp(text::kConfigEnding, clock_),
                    text::kConfigExtension, text::kConfigFilter},
                   [](const std::string&) {
                       ApplyDefaultsBeforeFileSave();
                       return FormatConfigurationFile();
                   });
    if (saved == ExportOutcome::kWritten) {
        DefaultsSavedInFile();
    }
}

void CRegToolDlg::OpenConfigFile() {
    if (Flags().connected) {
        ShowOk(prompts_, text::kAlreadyConnected, text::kAlreadyConnectedCaption);
        return;
    }
    const std::optional<std::string> path = prompts_.OpenFileName(
        {text::kOpenConfigTitle, "", text::kConfigExtension, text::kConfigFilter});
    if (!path) {
        return;
    }
    const std::optional<std::vector<int32_t>> values = ReadConfigFile(prompts_, *path);
    if (!values) {
        // Nothing changes: not the store, not the flags, not the tabs.
        return;
    }
    StoreConfigurationValues(*values);
    pagesSource_ = FileName(*path);
    ShowOk(prompts_, text::kConfigOpened, text::kConfigOpenedCaption);
    Flags().storeOnly = true;
    SetUpTabs(true);
    Flags().storeOnly = false;
    Flags().fileImported = true;
    form_.Changed();
}

// --- settings report --------------------------------------------------------------------------

ReportOutcome CRegToolDlg::CreateReport() {
    const PromptAnswer source = prompts_.MessageBox({text::kReportQuestion,
                                                     text::kReportCaption,
                                                     PromptButtons::kYesNoCancel,
                                                     PromptIcon::kQuestion,
                                                     PromptAnswer::kNo,
                                                     {}});
    bool fromFile = false;
    if (source == PromptAnswer::kYes) {
        // A fresh download: a connected window reconnects, which downloads the pages again.
        if (Flags().connected) {
            OnConnectButton();
        }
        OnConnectButton();
    } else if (source == PromptAnswer::kNo) {
        fromFile = true;
        if (Flags().connected) {
            OnConnectButton();
        }
        // Cancelled or refused, the report still lists what the pages and the store hold.
        OpenConfigFile();
    } else {
        return ReportOutcome::kCancelled;
    }

    ReportOutcome outcome = ReportOutcome::kCancelled;
    const std::optional<std::string> path =
        prompts_.SaveFileName({text::kSaveReportTitle, ExportFileStamp(text::kReportEnding, clock_),
                               text::kReportExtension, text::kReportFilter});
    if (path) {
        const std::string fullPath = AbsolutePath(*path);
        const std::string report = FormatSettingsReport(
            fullPath, {configuration_.Form(), regulatorComm_.Form(), logs_.Form(), diag_.Form()},
            [this] {
                ReadVersionWord();
                return StoreSlot(kSettingsBank, kVersionRegister);
            });
        if (SaveTextFile(prompts_, *path, report)) {
            prompts_.OpenDocument(fullPath);
            outcome = ReportOutcome::kWritten;
        } else {
            outcome = ReportOutcome::kNotWritten;
        }
    }
    // The file was opened for the report, not to be sent at the next Connect.
    if (fromFile) {
        Flags().fileImported = false;
    }
    form_.Changed();
    return outcome;
}

// --- comparison -------------------------------------------------------------------------------

std::optional<SettingsComparison> CRegToolDlg::CompareWithConfigFile(bool showPasswords) {
    if (!Flags().tabsCreated) {
        ShowOk(prompts_, kNothingToCompare, kCompareCaption);
        return std::nullopt;
    }
    const std::optional<std::string> path =
        prompts_.OpenFileName({kCompareCaption, "", text::kConfigExtension, text::kConfigFilter});
    if (!path) {
        return std::nullopt;
    }
    const std::optional<std::vector<int32_t>> values = ReadConfigFile(prompts_, *path);
    if (!values) {
        return std::nullopt;
    }
    // The version word as the pages were shown with it: asking the panel now could only
    // change what they show.
    const std::vector<SettingsItem> shown = SettingsReportItems(
        {configuration_.Form(), regulatorComm_.Form(), logs_.Form(), diag_.Form()},
        [] { return StoreSlot(kSettingsBank, kVersionRegister); });
    SettingsComparison comparison{
        pagesSource_, FileName(*path),
        CompareSettings(shown, ConfigurationFileItems(*values, prompts_), showPasswords)};
    if (comparisonListener_) {
        comparisonListener_(comparison);
    }
    return comparison;
}
