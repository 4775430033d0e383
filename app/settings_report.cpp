#include "app/settings_report.h"

#include <optional>
#include <span>
#include <utility>

#include "pages/kit/fields.h"
#include "pages/settings/panel_passwords.h"
#include "protocol/block_tables.h"
#include "protocol/panel_registers.h"
#include "resources/ids/configuration.h"
#include "resources/ids/diag_pwds_alerts.h"
#include "resources/ids/logs_quick_key.h"
#include "resources/ids/regulator_comm.h"

namespace {

namespace config = ids::config;
namespace regulator = ids::regulator;
namespace logs = ids::logs;
namespace diag = ids::diag;

enum class Text {
    kPage,        // the text the page holds for control `id`
    kList,        // the entry of list `id` at the index `index` derives from the register value
    kBit,         // "ON" when bit `bit` of the register is set, "OFF" when not
    kAlertFlags,  // "Y" or "N" for bits 2, 1 and 0 of the register (metering, control, status)
    kRemote,      // the "Remote" line: by version, list 1258 or 1260, or "N/A"
};

// How a list's index follows from the register value v.
enum class Index {
    kValue,         // v
    kLessOneOrOne,  // v - 1, or 1 when v is 0
    kLessOne,       // v - 1
    kOneForTwo,     // 1 when v is 2, otherwise v
    kZeroForOne,    // 0 when v is 1, otherwise 1
    kHours,         // v / 60
    kMinutes,       // v mod 60
};

// A line that depends on the panel's version: "N/A" unless the version qualifies.
enum class Gate {
    kNone,
    kFrom410,
    kTimeoutScreen,  // not 407; below 410 only from 308 with high bits of 5 or more
};

struct Item {
    const char* label = "";
    Text text = Text::kList;
    int id = 0;
    Index index = Index::kValue;
    Gate gate = Gate::kNone;
    // A list value above this gives "N/A"; the section's limit when unset.
    std::optional<int32_t> lastValue;
    int bit = 0;
    // The register behind the item when the section's table does not give it.
    std::optional<Reg> reg;
    SettingKind kind = SettingKind::kSetting;
};

enum class PageForm { kConfiguration, kRegulatorComm, kLogs, kDiag };

struct Section {
    int number;
    const char* title;
    PageForm page;
    std::span<const Item> items;
    // Item n stands for register `first` + n of the table (counting registers, not blocks).
    const RegisterBlock* table = nullptr;
    int tableBlocks = 0;
    int first = 0;
    std::optional<int32_t> lastListValue;
};

Reg TableRegister(const RegisterBlock* table, int blocks, int n) {
    for (int b = 0; b < blocks; ++b) {
        if (n < table[b].count) {
            return {table[b].bank, static_cast<uint8_t>(table[b].start + n)};
        }
        n -= table[b].count;
    }
    return {};
}

constexpr Item kConfigureItems[] = {
    {.label = "Tap Chngr:", .id = config::kTapChanger},
    {.label = "Type:", .id = config::kRegulatorType},
    {.label = "Syst:", .id = config::kSystemConnection},
    {.label = "DeltaPwr:", .id = config::kDeltaPower},
    {.label = "Utility Pol:", .id = config::kUtilityPolarity},
    {.label = "VprimaryMax:", .id = config::kPrimaryVoltageMax},
    {.label = "U2 PT Primary:", .text = Text::kPage, .id = config::kU2PtPrimary},
    {.label = "U2 PT Secondary:", .text = Text::kPage, .id = config::kU2PtSecondary},
    {.label = "P2 PT Primary:", .text = Text::kPage, .id = config::kP2PtPrimary},
    {.label = "P2 PT Secondary:", .text = Text::kPage, .id = config::kP2PtSecondary},
    {.label = "CT Ratio Primary:", .text = Text::kPage, .id = config::kCtPrimary},
    {.label = "CT Ratio Secondary:", .text = Text::kPage, .id = config::kCtSecondary},
    {.label = "I Full Load:", .text = Text::kPage, .id = config::kFullLoadCurrent},
    {.label = "Pwr Flow (mode):", .id = config::kPowerFlow},
    {.label = "Basis Volts:", .id = config::kBasisVolts},
    {.label = "NeutOvRun:", .text = Text::kPage, .id = config::kNeutralOverrun},
    // Each memo fills five registers of the table; the version word is its last block.
    {.label = "Memo1:", .text = Text::kPage, .id = config::kMemo1, .reg = Reg{10, 30}},
    {.label = "Memo2:", .text = Text::kPage, .id = config::kMemo2, .reg = Reg{10, 35}},
    {.label = "Version:",
     .text = Text::kPage,
     .id = config::kSoftwareVersion,
     .reg = Reg{kSettingsBank, kVersionRegister}},
};

constexpr Item kAdvancedItems[] = {
    {.label = "Meter Volts:", .id = config::kMeterVolts, .index = Index::kLessOneOrOne},
    {.label = "I Threshold %:", .id = config::kCurrentThreshold},
    {.label = "I Shift:", .text = Text::kPage, .id = config::kCurrentShift},
    {.label = "I Load Max:", .text = Text::kPage, .id = config::kLoadCurrentMax},
    {.label = "PT Threshold:", .text = Text::kPage, .id = config::kPtThreshold},
    {.label = "Dmd Type:", .id = config::kDemandType},
    {.label = "Dmd Time:", .text = Text::kPage, .id = config::kDemandTime},
    {.label = "Dmd Subperiods:", .text = Text::kPage, .id = config::kDemandSubperiods},
    {.label = "Min/Max t.o.:", .text = Text::kPage, .id = config::kMinMaxTimeout},
    {.label = "Screen t.o.:", .text = Text::kPage, .id = config::kScreenTimeout},
    {.label = "Quick t.o.:", .text = Text::kPage, .id = config::kQuickTimeout},
    {.label = "QuickDispTim:", .text = Text::kPage, .id = config::kQuickDisplayTime},
    {.label = "Auto Variamp:", .text = Text::kPage, .id = config::kAutoVariamp},
    {.label = "Soft Variamp:", .id = config::kSoftVariamp},
    {.label = "R Limit:", .id = config::kRaiseLimit},
    {.label = "L Limit:", .id = config::kLowerLimit},
    {.label = "Slave - Master:", .id = config::kSlaveMaster},
    {.label = "TapAlert:", .id = config::kTapAlert},
    {.label = "Alrt M|C|S:", .text = Text::kAlertFlags},
    {.label = "TapResync:", .id = config::kTapResync},
    {.label = "CommAutoInh:", .id = config::kCommAutoInhibit},
    {.label = "T.O.DspScr:", .id = config::kTimeoutDisplayScreen, .gate = Gate::kTimeoutScreen},
    {.label = "LowerLED:", .id = config::kLowerLed, .gate = Gate::kFrom410},
    {.label = "P2 Calc:",
     .id = config::kP2Calc,
     .index = Index::kZeroForOne,
     .gate = Gate::kFrom410},
    {.label = "U2/P2 out:", .id = config::kU2P2Out, .gate = Gate::kFrom410},
    {.label = "Remote", .text = Text::kRemote},
    {.label = "Format(Date):", .id = config::kDateFormat, .gate = Gate::kFrom410},
    {.label = "Daylight Sav:", .id = config::kDaylightSaving, .gate = Gate::kFrom410},
    {.label = "Time:", .text = Text::kPage, .id = config::kPanelTime, .kind = SettingKind::kClock},
    {.label = "Date:", .text = Text::kPage, .id = config::kPanelDate, .kind = SettingKind::kClock},
};

constexpr Item kRegulatorItems[] = {
    {.label = "Fwd Volts:", .text = Text::kPage, .id = regulator::kFwdVolts},
    {.label = "Fwd BW:", .text = Text::kPage, .id = regulator::kFwdBandwidth},
    {.label = "Fwd Delay:", .text = Text::kPage, .id = regulator::kFwdDelay},
    {.label = "Fwd Comp(R) :", .text = Text::kPage, .id = regulator::kFwdCompR},
    {.label = "Fwd Comp(X):", .text = Text::kPage, .id = regulator::kFwdCompX},
    {.label = "Rev Volts:", .text = Text::kPage, .id = regulator::kRevVolts},
    {.label = "Rev BW:", .text = Text::kPage, .id = regulator::kRevBandwidth},
    {.label = "Rev Delay:", .text = Text::kPage, .id = regulator::kRevDelay},
    {.label = "Rev Comp(R) :", .text = Text::kPage, .id = regulator::kRevCompR},
    {.label = "Rev Comp(X):", .text = Text::kPage, .id = regulator::kRevCompX},
    {.label = "Alt Delay:", .text = Text::kPage, .id = regulator::kAltDelay},
    {.label = "VRC Stat:", .text = Text::kPage, .id = regulator::kVrcStatus},
    {.label = "VRC1 In:", .text = Text::kPage, .id = regulator::kVrc1Input},
    {.label = "VRC2 In:", .id = regulator::kVrc2Input, .lastValue = 4},
    {.label = "VRC Mode:", .id = regulator::kVrcMode, .lastValue = 4},
    {.label = "Local VRC%:", .text = Text::kPage, .id = regulator::kLocalVrc},
    {.label = "VRC Stage 1:", .text = Text::kPage, .id = regulator::kVrcStage1},
    {.label = "VRC Stage 2:", .text = Text::kPage, .id = regulator::kVrcStage2},
    {.label = "VRC Stage 3:", .text = Text::kPage, .id = regulator::kVrcStage3},
    {.label = "VRC Remote:", .id = regulator::kVrcRemote, .index = Index::kLessOneOrOne},
    {.label = "KZ-3A VRC%:", .text = Text::kPage, .id = regulator::kKz3aVrc},
    {.label = "AutoVRCset1:", .text = Text::kPage, .id = regulator::kAutoVrcSet1},
    {.label = "AutoVRCset2:", .text = Text::kPage, .id = regulator::kAutoVrcSet2},
    {.label = "AutoVRC1 %I:", .text = Text::kPage, .id = regulator::kAutoVrc1Current},
    {.label = "AutoVRC2 %I:", .text = Text::kPage, .id = regulator::kAutoVrc2Current},
    {.label = "VLC Enable:", .id = regulator::kVlcEnable, .index = Index::kOneForTwo},
    {.label = "VLC Upper:", .text = Text::kPage, .id = regulator::kVlcUpper},
    {.label = "VLC Lower", .text = Text::kPage, .id = regulator::kVlcLower},
};

constexpr Item kCommunicationItems[] = {
    {.label = "Reg Id:", .text = Text::kPage, .id = regulator::kRegId},
    {.label = "Protocol:", .id = regulator::kProtocol, .index = Index::kLessOne},
    {.label = "Comm Baud:", .id = regulator::kCommBaud, .index = Index::kLessOne},
    {.label = "Comm Parity:", .id = regulator::kCommParity, .index = Index::kLessOne},
    {.label = "Comm Addr:", .text = Text::kPage, .id = regulator::kCommAddress},
    {.label = "Resync Time:", .text = Text::kPage, .id = regulator::kResyncTime},
    {.label = "Tx En Delay:", .text = Text::kPage, .id = regulator::kTxEnableDelay},
    {.label = "DNP dl Confirm:", .id = regulator::kDnpConfirm},
    {.label = "CM SW RepeatEn:", .id = regulator::kCmRepeatEnable},
    {.label = "AutoInhEnRemRL:", .id = regulator::kAutoInhibitRemote},
    {.label = "DNPSet:", .id = regulator::kDnpSet},
    {.label = "CM Vers:", .text = Text::kPage, .id = regulator::kCmVersion},
};

constexpr Reg kLogSetupWord{11, 1};
constexpr Reg kLogMinMaxKind{10, 216};
constexpr Reg kLogInterval{11, 3};

constexpr Item LogBit(const char* label, int bit) {
    return {.label = label, .text = Text::kBit, .bit = bit, .reg = kLogSetupWord};
}

constexpr Item kLogSetupItems[] = {
    LogBit("Log Event:", 0),
    LogBit("Event = Tap:", 1),
    LogBit("Event = Neut:", 4),
    LogBit("Event = NN R:", 5),
    LogBit("Event = NN L:", 6),
    LogBit("Event = VLC:", 2),
    LogBit("Event = VRC:", 3),
    LogBit("Event = PwrFlow:", 9),
    LogBit("Event = Pwr Cyc:", 10),
    LogBit("Event = Cfg:", 8),
    LogBit("Event = Alert:", 7),
    LogBit("Log Interval:", 12),
    LogBit("Res Log MM:", 13),
    {.label = "Log Min/Max (KZ-4A):",
     .id = logs::kLogMinMax,
     .gate = Gate::kFrom410,
     .reg = kLogMinMaxKind},
    {.label = "Interval hr:",
     .id = logs::kIntervalHours,
     .index = Index::kHours,
     .reg = kLogInterval},
    {.label = "Interval min:",
     .id = logs::kIntervalMinutes,
     .index = Index::kMinutes,
     .reg = kLogInterval},
};

// The timing lines are the page's six timing fields, in the page's order.
constexpr Item kDiagnosticsItems[] = {
    {.label = "FixedR/LOnTime:",
     .id = diag::kFixedOnTime,
     .index = Index::kLessOneOrOne,
     .gate = Gate::kFrom410},
    {.label = "R/LOntime:", .text = Text::kPage, .id = diag::kRaiseLowerOnTime},
    {.label = "R/LOffTime:", .text = Text::kPage, .id = diag::kRaiseLowerOffTime},
    {.label = "TapChgT/O:", .text = Text::kPage, .id = diag::kTapChangeTimeout},
    {.label = "Tap In:", .id = diag::kTapIn, .lastValue = 5},
    {.label = "TapInType:", .id = diag::kTapInType, .lastValue = 5},
    {.label = "TapInPulse:", .text = Text::kPage, .id = diag::kTapInPulse},
    {.label = "PreTapTime:", .text = Text::kPage, .id = diag::kPreTapTime},
    {.label = "PostTapTime:", .text = Text::kPage, .id = diag::kPostTapTime},
    {.label = "NeutralIn:", .id = diag::kNeutralIn, .lastValue = 5},
    {.label = "NeutralCount:", .id = diag::kNeutralCount, .lastValue = 5},
};

constexpr Reg kPasswordSwitches{11, 199};

constexpr Item LevelSwitch(const char* label, int level) {
    return {.label = label, .text = Text::kBit, .bit = level, .reg = kPasswordSwitches};
}
// Level n's password follows the System password's in the page and in bank 11.
constexpr Item LevelPassword(const char* label, int level) {
    return {.label = label,
            .text = Text::kPage,
            .id = diag::kFirstLevelPassword + level,
            .reg = Reg{kPasswordBank, kPasswordLevels[level + 1].firstRegister},
            .kind = SettingKind::kPassword};
}

constexpr Item kPasswordItems[] = {
    LevelSwitch("Level 1:", 0),      LevelPassword("Level 1 PW:", 0),
    LevelSwitch("Configure:", 1),    LevelPassword("Config. PW:", 1),
    LevelSwitch("Regulator:", 2),    LevelPassword("Reg PW:", 2),
    LevelSwitch("Meter:", 3),        LevelPassword("Meter PW:", 3),
    LevelSwitch("Demand:", 4),       LevelPassword("Demand PW:", 4),
    LevelSwitch("Alert:", 5),        LevelPassword("Alert PW:", 5),
    LevelSwitch("Counters:", 6),     LevelPassword("Counters PW:", 6),
    LevelSwitch("Log Setup:", 7),    LevelPassword("Log Set PW:", 7),
    LevelSwitch("Ev/Intv:", 8),      LevelPassword("Ev/Intv PW:", 8),
    LevelSwitch("Harmonics:", 9),    LevelPassword("Harm. PW:", 9),
    LevelSwitch("Comm:", 10),        LevelPassword("Comm PW:", 10),
    LevelSwitch("Diagnositcs:", 11), LevelPassword("Diagnos. PW:", 11),
};

// The communication table's first three registers are not reported; the diagnostics table's
// report starts at 10/215.
constexpr int kFirstReportedCommRegister = 3;
constexpr int kFirstReportedDiagRegister = 10;

constexpr Section kSections[] = {
    {.number = 0,
     .title = "<CONFIGURE>",
     .page = PageForm::kConfiguration,
     .items = kConfigureItems,
     .table = kConfigurationBlockTable,
     .tableBlocks = kConfigurationBlockCount,
     .lastListValue = 100},
    {.number = 1,
     .title = "<ADV CONFIGURE>",
     .page = PageForm::kConfiguration,
     .items = kAdvancedItems,
     .table = kAdvancedConfigurationBlockTable,
     .tableBlocks = kAdvancedConfigurationBlockCount,
     .lastListValue = 11},
    {.number = 2,
     .title = "<REGULATOR>",
     .page = PageForm::kRegulatorComm,
     .items = kRegulatorItems,
     .table = kRegulatorBlockTable,
     .tableBlocks = kRegulatorBlockCount},
    {.number = 3,
     .title = "<COMMUNICATIONS>",
     .page = PageForm::kRegulatorComm,
     .items = kCommunicationItems,
     .table = kCommunicationBlockTable,
     .tableBlocks = kCommunicationBlockCount,
     .first = kFirstReportedCommRegister,
     .lastListValue = 16},
    {.number = 4, .title = "<LOG SETUP>", .page = PageForm::kLogs, .items = kLogSetupItems},
    {.number = 6,
     .title = "<DIAGNOSTICS>",
     .page = PageForm::kDiag,
     .items = kDiagnosticsItems,
     .table = kDiagnosticsBlockTable,
     .tableBlocks = kDiagnosticsBlockCount,
     .first = kFirstReportedDiagRegister},
    {.number = 7, .title = "<PASSWORDS>", .page = PageForm::kDiag, .items = kPasswordItems},
};

static_assert(RegisterTotal(kConfigurationBlockTable, kConfigurationBlockCount) >=
              static_cast<int>(std::size(kConfigureItems)));
static_assert(RegisterTotal(kAdvancedConfigurationBlockTable, kAdvancedConfigurationBlockCount) >=
              static_cast<int>(std::size(kAdvancedItems)));
static_assert(RegisterTotal(kRegulatorBlockTable, kRegulatorBlockCount) ==
              static_cast<int>(std::size(kRegulatorItems)));
static_assert(RegisterTotal(kCommunicationBlockTable, kCommunicationBlockCount) ==
              kFirstReportedCommRegister + static_cast<int>(std::size(kCommunicationItems)));
static_assert(RegisterTotal(kDiagnosticsBlockTable, kDiagnosticsBlockCount) - 1 ==
              kFirstReportedDiagRegister + static_cast<int>(std::size(kDiagnosticsItems)));

constexpr char kNotAvailable[] = "N/A";

class ItemReader {
  public:
    ItemReader(const ReportForms& forms, const VersionWordSource& versionWord)
        : forms_(forms), versionWord_(versionWord) {}

    void Read(const Section& section, std::vector<SettingsItem>& items) {
        const FormModel& form = Form(section.page);
        for (std::size_t n = 0; n < section.items.size(); ++n) {
            const Item& item = section.items[n];
            const Reg reg = item.reg ? *item.reg
                                     : TableRegister(section.table, section.tableBlocks,
                                                     section.first + static_cast<int>(n));
            SettingsItem read{section.title, item.label, {}, reg, item.kind};
            if (item.text == Text::kRemote) {
                // The one line whose label goes on with the kind of control the panel has.
                auto [kind, text] = Remote(reg.Slot());
                read.label += kind;
                read.text = std::move(text);
            } else {
                read.text = ItemText(section, item, form, reg.Slot());
            }
            items.push_back(std::move(read));
        }
    }

  private:
    const FormModel& Form(PageForm page) const {
        switch (page) {
            case PageForm::kConfiguration:
                return forms_.configuration;
            case PageForm::kRegulatorComm:
                return forms_.regulatorComm;
            case PageForm::kLogs:
                return forms_.logs;
            case PageForm::kDiag:
                break;
        }
        return forms_.diag;
    }

    static std::string PageText(const FormModel& form, int id) {
        const ControlState* control = form.Find(id);
        return control != nullptr ? control->text : std::string();
    }

    // An index the list does not have gives an empty text.
    static std::string Entry(const FormModel& form, int id, int64_t index) {
        const ControlState* control = form.Find(id);
        if (control == nullptr || index < 0 ||
            index >= static_cast<int64_t>(control->items.size())) {
            return {};
        }
        return control->items[static_cast<std::size_t>(index)];
    }

    static int64_t ListIndex(Index rule, int64_t v) {
        switch (rule) {
            case Index::kValue:
                return v;
            case Index::kLessOneOrOne:
                return v == 0 ? 1 : v - 1;
            case Index::kLessOne:
                return v - 1;
            case Index::kOneForTwo:
                return v == 2 ? 1 : v;
            case Index::kZeroForOne:
                return v == 1 ? 0 : 1;
            case Index::kHours:
                return v / 60;
            case Index::kMinutes:
                return v % 60;
        }
        return v;
    }

    bool GateOpen(Gate gate) {
        if (gate == Gate::kNone) {
            return true;
        }
        const int32_t word = versionWord_();
        const int version = PanelVersion(word);
        if (gate == Gate::kFrom410) {
            return version >= 410;
        }
        if (version == 407) {
            return false;
        }
        return version >= 410 || (version >= 308 && VersionHighBits(word) >= 5);
    }

    std::string ItemText(const Section& section, const Item& item, const FormModel& form,
                         int32_t v) {
        switch (item.text) {
            case Text::kPage:
                return PageText(form, item.id);
            case Text::kBit:
                return (v >> item.bit & 1) != 0 ? "ON" : "OFF";
            case Text::kAlertFlags: {
                std::string flags;
                for (int bit : {2, 1, 0}) {
                    flags += (v >> bit & 1) != 0 ? 'Y' : 'N';
                }
                return flags;
            }
            case Text::kList:
            case Text::kRemote:
                break;
        }
        if (!GateOpen(item.gate)) {
            return kNotAvailable;
        }
        const std::optional<int32_t> last = item.lastValue ? item.lastValue : section.lastListValue;
        if (last && v > *last) {
            return kNotAvailable;
        }
        return Entry(form, item.id, ListIndex(item.index, v));
    }

    // " BTN:" and "Enable" on panels with the remote button, " AUTO:" and "Remote" on those
    // with the remote/auto switch, ":" and "N/A" otherwise.
    std::pair<std::string, std::string> Remote(int32_t v) {
        const int32_t word = versionWord_();
        const int version = PanelVersion(word);
        const int highBits = VersionHighBits(word);
        const FormModel& form = forms_.configuration;
        if (version >= 411 && highBits >= 10) {
            if (v == 0 || v == 1) {
                return {" BTN:", Entry(form, config::kRemoteButton, v)};
            }
        } else if (version <= 308 && highBits >= 5) {
            if (v >= 0 && v <= 2) {
                return {" AUTO:", Entry(form, config::kRemoteAuto, v)};
            }
        }
        return {":", kNotAvailable};
    }

    const ReportForms& forms_;
    const VersionWordSource& versionWord_;
};

}  // namespace

std::vector<SettingsItem> SettingsReportItems(const ReportForms& forms,
                                              const VersionWordSource& versionWord) {
    std::vector<SettingsItem> items;
    ItemReader reader(forms, versionWord);
    for (const Section& section : kSections) {
        reader.Read(section, items);
    }
    return items;
}

std::string FormatSettingsReport(const std::string& fullPath, const ReportForms& forms,
                                 const VersionWordSource& versionWord) {
    const std::vector<SettingsItem> items = SettingsReportItems(forms, versionWord);
    std::string out = fullPath + '\n';
    const std::string* section = nullptr;
    for (const SettingsItem& item : items) {
        if (section == nullptr || *section != item.section) {
            out += '\n' + item.section + '\n';
            section = &item.section;
        }
        out += item.label + ',' + item.text + '\n';
    }
    return out;
}
