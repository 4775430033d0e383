#include "app/settings_compare.h"

#include "app/configuration_file.h"
#include "pages/data/logs_page_state.h"
#include "pages/data/logs_quick_key_page.h"
#include "pages/kit/app_flags.h"
#include "pages/settings/configuration_page.h"
#include "pages/settings/diag_pwds_alerts_page.h"
#include "pages/settings/regulator_comm_page.h"
#include "pages/settings/tap_changer_defaults.h"
#include "protocol/panel_registers.h"
#include "protocol/value_store.h"

namespace {

constexpr char kSaveTitle[] = "Save Comparison";
constexpr char kFileEnding[] = "_cmp.csv";
constexpr char kExtension[] = "CSV";
constexpr char kFilter[] = "CSV FILE (*.csv)|*.csv||";

// What the pages' Gets may change outside their own forms, put back as it was at the end of
// the guard's scope: every store slot with its held flag, the flags, the Logs page's state and
// the tap-changer flags.
class ProcessStateGuard {
  public:
    ProcessStateGuard() : flags_(Flags()), logs_(LogsState()), tapChanger_(TapChangerState()) {
        for (unsigned bank = 0; bank < kBankCount; ++bank) {
            for (unsigned reg = 0; reg < kRegistersPerBank; ++reg) {
                values_.push_back(StoreSlot(bank, reg));
                held_.push_back(SlotHeld(bank, reg));
            }
        }
    }
    ~ProcessStateGuard() {
        std::size_t i = 0;
        for (unsigned bank = 0; bank < kBankCount; ++bank) {
            for (unsigned reg = 0; reg < kRegistersPerBank; ++reg, ++i) {
                StoreSlot(bank, reg) = values_[i];
                SetSlotHeld(bank, reg, held_[i]);
            }
        }
        Flags() = flags_;
        LogsState() = logs_;
        TapChangerState() = tapChanger_;
    }
    ProcessStateGuard(const ProcessStateGuard&) = delete;
    ProcessStateGuard& operator=(const ProcessStateGuard&) = delete;

  private:
    std::vector<int32_t> values_;
    std::vector<bool> held_;
    AppFlags flags_;
    LogsPageState logs_;
    TapChangerFlags tapChanger_;
};

std::string RegisterText(const Reg& reg) {
    return std::to_string(reg.bank) + "/" + std::to_string(reg.reg);
}

// Quoted when it holds a comma, a quote or a line end, with its quotes doubled.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

}  // namespace

std::vector<SettingsDifference> CompareSettings(const std::vector<SettingsItem>& a,
                                                const std::vector<SettingsItem>& b,
                                                bool showPasswords) {
    std::vector<SettingsDifference> rows;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const SettingsItem& x = a[i];
        const SettingsItem& y = b[i];
        if (x.kind == SettingKind::kClock || (x.label == y.label && x.text == y.text)) {
            continue;
        }
        const bool hidden = x.kind == SettingKind::kPassword && !showPasswords;
        // Only the remote line's label can differ: it names the control each panel has.
        rows.push_back({x.section, x.label == y.label ? x.label : x.label + " / " + y.label,
                        hidden ? kPasswordDiffers : x.text, hidden ? kPasswordDiffers : y.text,
                        RegisterText(x.reg)});
    }
    return rows;
}

std::string FormatComparison(const SettingsComparison& comparison) {
    std::string out = "Section,Setting," + CsvField(comparison.aName) + "," +
                      CsvField(comparison.bName) + ",Bank/Register\n";
    for (const SettingsDifference& row : comparison.rows) {
        out += CsvField(row.section) + "," + CsvField(row.label) + "," + CsvField(row.a) + "," +
               CsvField(row.b) + "," + row.reg + "\n";
    }
    return out;
}

std::vector<SettingsItem> ConfigurationFileItems(const std::vector<int32_t>& values,
                                                 UserPrompts& prompts) {
    ProcessStateGuard guard;
    // As "Open Config file" shows a file: the values in the store, the pages' Gets in store-only
    // mode, as if connected.
    StoreConfigurationValues(values);
    Flags().storeOnly = true;
    Flags().connected = true;
    CPPOne configuration;
    CPPOneA regulatorComm;
    regulatorComm.NeverAskLink();
    CPPThree logs;
    CPPFour diag;
    for (Page* page : std::initializer_list<Page*>{&configuration, &regulatorComm, &logs, &diag}) {
        page->Download(prompts);
    }
    return SettingsReportItems(
        {configuration.Form(), regulatorComm.Form(), logs.Form(), diag.Form()},
        [] { return StoreSlot(kSettingsBank, kVersionRegister); });
}

ExportOutcome SaveComparison(UserPrompts& prompts, const SettingsComparison& comparison,
                             const std::function<std::tm()>& clock) {
    return SaveExport(prompts,
                      {kSaveTitle, ExportFileStamp(kFileEnding, clock), kExtension, kFilter},
                      [&comparison](const std::string&) { return FormatComparison(comparison); });
}
