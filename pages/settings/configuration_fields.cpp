#include "pages/settings/configuration_fields.h"

#include "pages/settings/tap_changer_defaults.h"
#include "resources/resource_ids.h"

namespace {

using Texts = std::vector<std::string>;
constexpr int kConfig = kConfigurationGroup;
constexpr int kAdvanced = kAdvancedGroup;
constexpr int kModel = kModelDependentGroup;
constexpr auto kPosition = ListRule::kPosition;

const Texts kOffOn = {"OFF", "ON"};
const Texts kYesNo = {"Y", "N"};
// An alert bit: "N" clears it, any other text sets it.
const Texts kNoYes = {"N", "Y"};
const Texts kLimits = {"10%", "8.75%", "7.5%", "6.25%", "5%"};

Texts Numbers(int last) {
    Texts texts;
    for (int n = 0; n <= last; ++n) {
        texts.push_back(std::to_string(n));
    }
    return texts;
}

Texts TapChangerTexts() {
    return Texts(kTapChangerNames.begin(), kTapChangerNames.end());
}

}  // namespace

const std::vector<ListField>& ConfigurationLists() {
    static const std::vector<ListField> lists = {
        {ids::kTapChanger, 10, 120, ListRule::kPageRule, kConfig, TapChangerTexts(),
         TapChangerTexts()},
        {ids::kRegulatorType,
         10,
         1,
         kPosition,
         kConfig,
         {"STRAIGHT", "INVERTED"},
         {"STRAIGHT", "INVERTED"}},
        {ids::kSystemConnection,
         2,
         19,
         kPosition,
         kConfig,
         {"WYE", "DELTA LAG", "DELTA LEAD"},
         {"WYE", "DELTA LAG", "DELTA LEAD"}},
        {ids::kDeltaPower, 10, 153, kPosition, kConfig, {"OPEN", "CLOSED"}, {"OPEN", "CLOSED"}},
        {ids::kUtilityPolarity, 10, 2, kPosition, kConfig, {"NORM", "REV"}, {"NORM", "REV"}},
        {ids::kPrimaryVoltageMax, 10, 160, kPosition, kConfig, {"65K", "650K"}, {"65K", "650K"}},
        {ids::kPowerFlow,
         2,
         11,
         kPosition,
         kConfig,
         {"F LOCK", "R LOCK", "IDLE R", "BI-DIR", "NEUT R", "CO-GEN"},
         {"F LOCK", "R LOCK", "IDLE R", "BI-DIR", "NEUT R", "CO-GEN"}},
        {ids::kBasisVolts,
         10,
         64,
         kPosition,
         kConfig,
         {"120", "125", "115"},
         {"120", "125", "115"}},

        {ids::kMeterVolts, 10, 3, kPosition, kAdvanced, {"SEC", "PRI"}, {"PRI", "SEC"}},
        {ids::kCurrentThreshold, 2, 14, ListRule::kNumber, kAdvanced, Numbers(10), Numbers(10)},
        {ids::kDateFormat,
         10,
         11,
         kPosition,
         kAdvanced,
         {"M/D/Y", "D/M/Y", "Y/M/D"},
         {"M/D/Y", "D/M/Y", "Y/M/D"}},
        {ids::kDaylightSaving, 10, 202, kPosition, kAdvanced, kOffOn, kOffOn},
        {ids::kDemandType,
         10,
         12,
         kPosition,
         kAdvanced,
         {"Thermal", "SlidWindow"},
         {"Thermal", "SlidWindow"}},
        {ids::kAutoVariamp, 10, 203, kPosition, kAdvanced, kOffOn, kOffOn},
        {ids::kSoftVariamp, 10, 204, kPosition, kAdvanced, kOffOn, kOffOn},
        {ids::kRaiseLimit, 10, 136, kPosition, kAdvanced, kLimits, kLimits},
        {ids::kLowerLimit, 10, 137, kPosition, kAdvanced, kLimits, kLimits},
        {ids::kSlaveMaster,
         10,
         205,
         kPosition,
         kAdvanced,
         {"OFF", "MA", "SL", "S2"},
         {"OFF", "MA", "SL", "S2"}},
        {ids::kTapAlert,
         10,
         158,
         kPosition,
         kAdvanced,
         {"ENABLE", "DISABLE"},
         {"ENABLE", "DISABLE"}},
        {ids::kAlertMetering, 10, 178, ListRule::kBit, kAdvanced, kYesNo, kNoYes, 2},
        {ids::kAlertControlComm, 10, 178, ListRule::kBit, kAdvanced, kYesNo, kNoYes, 1},
        {ids::kAlertSystemStatus, 10, 178, ListRule::kBit, kAdvanced, kYesNo, kNoYes, 0},
        {ids::kTapResync, 10, 191, kPosition, kAdvanced, kOffOn, kOffOn},
        {ids::kCommAutoInhibit, 10, 133, kPosition, kAdvanced, kOffOn, kOffOn},

        {ids::kTimeoutDisplayScreen,
         10,
         207,
         kPosition,
         kModel,
         {"<METER>", "TapControl", "Vld", "Vcomp", "Ild", "TotalOps"},
         {"<METER>", "TapControl", "Vld", "Vcomp", "Ild", "TotalOps"}},
        {ids::kLowerLed, 10, 213, kPosition, kModel, {"Solid", "Blink"}, {"Solid", "Blink"}},
        {ids::kP2Calc, 10, 217, kPosition, kModel, {"ON", "OFF"}, {"OFF", "ON"}},
        {ids::kU2P2Out,
         10,
         214,
         kPosition,
         kModel,
         {"Vload", "Toggle", "U2", "P2"},
         {"Vload", "Toggle", "U2", "P2"}},
        {ids::kRemoteButton,
         10,
         208,
         kPosition,
         kModel,
         {"Enable", "Disable"},
         {"Enable", "Disable"}},
        {ids::kRemoteAuto,
         10,
         208,
         kPosition,
         kModel,
         {"Toggle", "Remote", "Auto"},
         {"Toggle", "Remote", "Auto"}},
    };
    return lists;
}

const std::vector<NumericField>& ConfigurationFields() {
    using enum FieldScale;
    // A register holds at most 65535, so the CT secondary accepts no more than that.
    static const std::vector<NumericField> fields = {
        {ids::kU2PtPrimary, 10, 5, kInteger, true, 1500, 65000, 7200},
        {ids::kU2PtSecondary, 10, 6, kInteger, true, 100, 150, 120},
        {ids::kP2PtPrimary, 10, 7, kInteger, true, 1500, 65000, 7200},
        {ids::kP2PtSecondary, 10, 8, kInteger, true, 100, 150, 120},
        {ids::kCtPrimary, 2, 2, kInteger, true, 50, 7200, 200},
        {ids::kCtSecondary, 10, 9, kThousandths, true, 100, 65535, 200},
        {ids::kFullLoadCurrent, 10, 122, kInteger, true, 50, 7200, 200},
        {ids::kNeutralOverrun, 10, 190, kTenths, true, 0, 30, 20},
    };
    return fields;
}

const std::vector<NumericField>& AdvancedConfigurationFields() {
    using enum FieldScale;
    static const std::vector<NumericField> fields = {
        {ids::kCurrentShift, 10, 4, kInteger, false},
        {ids::kLoadCurrentMax, 10, 121, kInteger, false},
        {ids::kPtThreshold, 10, 10, kInteger, false},
        {ids::kDemandTime, 2, 1, kTimesTen, false},
        {ids::kDemandSubperiods, 10, 13, kInteger, false},
        {ids::kMinMaxTimeout, 10, 62, kInteger, false},
        {ids::kScreenTimeout, 10, 63, kInteger, false},
        {ids::kQuickTimeout, 10, 177, kInteger, false},
        {ids::kQuickDisplayTime, 10, 176, kInteger, false},
    };
    return fields;
}
