// Every control of the settings pages shows the conversion of its own register. A panel whose
// registers differ from their neighbours is connected and read as a user does it, and each
// control is checked against what its register means, written out here control by control and
// not taken from the pages' own tables: a register moved, a list reversed or shifted, two bytes
// swapped or a bit moved shows as a wrong text. Two sweeps, so that two-item lists show both
// items and bit words two patterns.
#include <algorithm>
#include <climits>
#include <concepts>
#include <cstdio>
#include <cstring>
#include <map>

#include "resources/ids/maintenance.h"
#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;
using Items = std::vector<std::string>;
using Registers = std::map<int, uint16_t>;  // key: bank x 256 + register
long long At(const Registers& regs, int bank, int reg) {
    const auto it = regs.find(bank * 256 + reg);
    return it == regs.end() ? 0 : it->second;
}

// A register's content in one sweep: a number, a text packed two characters a register (the
// first in the high byte), or nothing (this panel's Get does not fill the control).
struct Value {
    long long n = LLONG_MIN;
    const char* s = nullptr;
    constexpr Value() = default;
    template <std::integral T>
    constexpr Value(T v) : n(v) {}
    constexpr Value(const char* t) : n(0), s(t) {}
    bool Skipped() const { return n == LLONG_MIN && s == nullptr; }
};
constexpr Value kNone{};

// How a control shows its register (`show`), where the control's text is (`read`), and how a
// row's value goes into the registers (`load`).
struct Shown;
enum Read { kText, kSelected, kIndex };
enum Load { kWhole, kOneBit, kLowHigh, kCharacters, kNothing };
struct Kind {
    std::string (*show)(const Shown&);
    Read read = kText;
    Load load = kWhole;
};

struct Row {
    int id, bank, reg;
    Kind kind;
    Value a, b;  // the two sweeps
    const Items* items = nullptr;
    int bit = 0;
};

struct Shown {
    const Value& value;
    const Row& row;
    const Registers& regs;
    long long v() const { return value.n; }
    double d() const { return static_cast<double>(value.n); }
    long long At(int bank, int reg) const { return ::At(regs, bank, reg); }
    std::string Item(long long i) const { return (*row.items)[static_cast<std::size_t>(i)]; }
};

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[64];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}
// Packed time hour:minute:second in bits 11..15, 5..10, 0..4.
std::string TimeText(long long v) {
    return Format("%02d:%02d:%02d", int(v >> 11 & 31), int(v >> 5 & 63), int(v & 31));
}
// Packed date year - 1990, month, day in bits 9..14, 5..8, 0..4; laid out in the order 10/11.
std::string DateText(long long v, long long order) {
    const int y = int(v >> 9 & 63) + 1990, m = int(v >> 5 & 15), d = int(v & 31);
    return order == 0   ? Format("%02d/%02d/%04d", m, d, y)
           : order == 1 ? Format("%02d/%02d/%04d", d, m, y)
                        : Format("%04d/%02d/%02d", y, m, d);
}
std::string Grade(long long v) {
    return v < 3100 ? "EXCELLENT" : v < 8100 ? "GOOD" : v < 9100 ? "WORN" : "REPLACE";
}

// One formatter per way the pages show a register.
const Kind kInt{[](const Shown& x) { return std::to_string(x.v()); }};
const Kind kTenths{[](const Shown& x) { return Format("%.1f", x.d() * 0.1); }};
const Kind kHundredths{[](const Shown& x) { return Format("%.2f", x.d() * 0.01); }};
const Kind kThousandths{[](const Shown& x) { return Format("%.1f", x.d() * 0.001); }};
const Kind kDiv10{[](const Shown& x) { return std::to_string(x.v() / 10); }};
const Kind kSignedDiv10{
    [](const Shown& x) { return std::to_string((x.v() > 32767 ? x.v() - 65536 : x.v()) / 10); }};
const Kind kModuleVersion{[](const Shown& x) {
    return x.v() < 400     ? Format("%.2f", x.d() / 100)
           : x.v() < 40000 ? Format("%.4f", x.d() / 10000)
                           : "";
}};
const Kind kSwVersion{[](const Shown& x) {
    return Format("%.4f", double((x.v() % 1024) * 100 + (x.v() >> 10)) * 1e-4);
}};
const Kind kSerial{[](const Shown& x) { return std::to_string(x.v()); }, kText, kLowHigh};
const Kind kChars{[](const Shown& x) { return std::string(x.value.s); }, kText, kCharacters};
const Kind kTime{[](const Shown& x) { return TimeText(x.v()); }};
const Kind kDate{[](const Shown& x) { return DateText(x.v(), x.At(10, 11)); }};
const Kind kVrcStat{
    [](const Shown& x) { return x.At(2, 29) ? Format("%.1f", double(x.At(2, 30)) * 0.1) : "----"; },
    kText, kNothing};
const Kind kEditList{[](const Shown& x) { return x.Item(x.v()); }};
const Kind kList{[](const Shown& x) { return x.Item(x.v()); }, kSelected};
const Kind kBit{[](const Shown& x) { return x.Item(x.v()); }, kSelected, kOneBit};
const Kind kHours{[](const Shown& x) { return std::to_string(x.v() / 60); }, kSelected};
const Kind kMinutes{[](const Shown& x) { return std::to_string(x.v() % 60); }, kSelected};
// The maintenance type list shows the code worked out from the full-load current 10/122.
const Kind kMechanism{[](const Shown& x) {
                          const long long c = x.At(10, 122);
                          return x.Item(c < 400 ? 2 : c < 668 ? 1 : c < 875 ? 3 : 4);
                      },
                      kSelected};
const Kind kScreen{[](const Shown& x) { return std::to_string(x.v() <= 230 ? x.v() : 231); },
                   kIndex};
const Kind kGrade{[](const Shown& x) { return Grade(x.v()); }};
// Contacts overall: the largest of 10/220..230.
const Kind kOverall{[](const Shown& x) {
    long long largest = 0;
    for (int reg = 220; reg <= 230; ++reg) {
        largest = std::max(largest, x.At(10, reg));
    }
    return Grade(largest);
}};

Items Numbers(int last) {
    Items texts;
    for (int i = 0; i <= last; ++i) {
        texts.push_back(std::to_string(i));
    }
    return texts;
}
// The lists, each in the order of its register's values ("" where a value has no item).
const Items kOffOn{"OFF", "ON"}, kNY{"N", "Y"}, kType{"STRAIGHT", "INVERTED"},
    kTapTypes{"KORVANT", "GE", "LTC", "COOP SD", "COOP DD", "LTC .5", "Custom", "COOP QD"},
    kSyst{"WYE", "DELTA LAG", "DELTA LEAD"}, kDelta{"OPEN", "CLOSED"}, kPolarity{"NORM", "REV"},
    kPrimary{"65K", "650K"}, kFlow{"F LOCK", "R LOCK", "IDLE R", "BI-DIR", "NEUT R", "CO-GEN"},
    kBasis{"120", "125", "115"}, kMeterSide{"PRI", "SEC"}, kDateOrder{"M/D/Y", "D/M/Y", "Y/M/D"},
    kDemand{"Thermal", "SlidWindow"}, kLimits{"10%", "8.75%", "7.5%", "6.25%", "5%"},
    kSlave{"OFF", "MA", "SL", "S2"}, kEnable{"ENABLE", "DISABLE"}, kLed{"Solid", "Blink"},
    kScreens{"<METER>", "TapControl", "Vld", "Vcomp", "Ild", "TotalOps"},
    kU2P2{"Vload", "Toggle", "U2", "P2"}, kButton{"Enable", "Disable"},
    kRemote{"Toggle", "Remote", "Auto"}, kVrc1{"VRC", "X-COMP"},
    kVrc2{"VRC", "ALTDELAY", "LO XBATT", "AUTO INH"},
    kVrcModes{"OFF", "LOCAL", "REMOTE", "AUT/REM"}, kVrcRemotes{"KZ-X", "KZ3A"},
    kVlc{"OFF", "", "ON"},
    kProtocols{"",        "DNP3.0", "2200",    "2200NOA", "KZ3A A", "KZ3A B1",
               "KZ3A B2", "2179",   "2179KZX", "2179 5A", "Special"},
    kBauds{"", "300", "1200", "2400", "4800", "9600", "19200"},
    kParities{"", "NONE", "EVEN", "ODD"},
    kDnpSets{"set8",   "set9", "set10", "set11",     "set12",  "set13",    "set14",  "set15",
             "DNPcfg", "2.x4", "2.x3",  "small2.x3", "Simple", "Metering", "Active", "set7"},
    kCheckSums{"UNDETERMINED", "PASS", "FAIL"}, kPanelTypes{"KZ-4A", "KZ-4B"},
    kTapInputs{"U10", "HS"}, kTapInputTypes{"Toggle", "Pulse"}, kNeutrals{"U12", "U112", "None"},
    kMinMaxKinds{"Inst", "Dmd"},
    kMechanisms{"AUTO-SEL", "MECH-C", "MECH-D", "MECH-B", "MECH-E", "MECH-A"},
    kPercents = Numbers(10), kCounts = Numbers(4), kRanges = Numbers(20);

constexpr int kV411Sub3 = 411 | 3 << 10, kV411Sub5 = 411 | 5 << 10;

// Per control: id, bank, register, how it is shown, the two sweeps' contents, its list. Laid
// out by hand as tables.
// clang-format off
std::vector<Row> Configuration() {
    using namespace ids::config;
    return {
        {kTapChanger, 10, 120, kList, 6, 3, &kTapTypes},
        {kRegulatorType, 10, 1, kList, 1, 0, &kType},
        {kSystemConnection, 2, 19, kList, 2, 1, &kSyst},
        {kDeltaPower, 10, 153, kList, 1, 0, &kDelta},
        {kUtilityPolarity, 10, 2, kList, 0, 1, &kPolarity},
        {kPrimaryVoltageMax, 10, 160, kList, 1, 0, &kPrimary},
        {kU2PtPrimary, 10, 5, kInt, 7200, 13800}, {kU2PtSecondary, 10, 6, kInt, 120, 110},
        {kP2PtPrimary, 10, 7, kInt, 14400, 7620}, {kP2PtSecondary, 10, 8, kInt, 115, 125},
        {kCtPrimary, 2, 2, kInt, 400, 600}, {kCtSecondary, 10, 9, kThousandths, 2500, 12300},
        {kFullLoadCurrent, 10, 122, kInt, 500, 700}, {kPowerFlow, 2, 11, kList, 3, 5, &kFlow},
        {kBasisVolts, 10, 64, kList, 2, 1, &kBasis}, {kNeutralOverrun, 10, 190, kTenths, 15, 27},
        {kMemo1, 10, 30, kChars, "AB12 #&,-.", "HELLO WORL"},
        {kMemo2, 10, 35, kChars, "ZY/98", "X"},
        {kSoftwareVersion, 10, 67, kSwVersion, kV411Sub3, kV411Sub5},
        {kMeterVolts, 10, 3, kList, 1, 0, &kMeterSide},
        {kCurrentThreshold, 2, 14, kList, 7, 10, &kPercents}, {kCurrentShift, 10, 4, kInt, 30, 330},
        {kLoadCurrentMax, 10, 121, kInt, 1200, 1350}, {kPtThreshold, 10, 10, kInt, 95, 105},
        {kDemandType, 10, 12, kList, 1, 0, &kDemand}, {kDemandTime, 2, 1, kDiv10, 150, 305},
        {kDemandSubperiods, 10, 13, kInt, 3, 6}, {kMinMaxTimeout, 10, 62, kInt, 30, 45},
        {kScreenTimeout, 10, 63, kInt, 60, 90}, {kQuickTimeout, 10, 177, kInt, 20, 40},
        {kQuickDisplayTime, 10, 176, kInt, 5, 8}, {kAutoVariamp, 10, 203, kList, 1, 0, &kOffOn},
        {kSoftVariamp, 10, 204, kList, 0, 1, &kOffOn},
        {kRaiseLimit, 10, 136, kList, 1, 4, &kLimits},
        {kLowerLimit, 10, 137, kList, 3, 2, &kLimits},
        {kSlaveMaster, 10, 205, kList, 2, 3, &kSlave}, {kTapAlert, 10, 158, kList, 1, 0, &kEnable},
        {kAlertMetering, 10, 178, kBit, 1, 0, &kNY, 2},
        {kAlertControlComm, 10, 178, kBit, 0, 1, &kNY, 1},
        {kAlertSystemStatus, 10, 178, kBit, 1, 0, &kNY, 0},
        {kTapResync, 10, 191, kList, 1, 0, &kOffOn},
        {kCommAutoInhibit, 10, 133, kList, 0, 1, &kOffOn},
        {kTimeoutDisplayScreen, 10, 207, kList, 4, 1, &kScreens},
        // Sub-version 3 shows the four KZ-4A lists, sub-version 5 "Remote - Auto:" instead.
        {kLowerLed, 10, 213, kList, 1, kNone, &kLed}, {kP2Calc, 10, 217, kList, 0, kNone, &kOffOn},
        {kU2P2Out, 10, 214, kList, 2, kNone, &kU2P2},
        {kRemoteButton, 10, 208, kList, 1, kNone, &kButton},
        {kRemoteAuto, 10, 208, kList, kNone, 2, &kRemote},
        {kDateFormat, 10, 11, kList, 1, 2, &kDateOrder},
        {kDaylightSaving, 10, 202, kList, 0, 1, &kOffOn}, {kPanelTime, 10, 16, kTime, 26793, 48000},
        {kPanelDate, 10, 17, kDate, 10863, 44000},
    };
}

std::vector<Row> RegulatorComm() {
    using namespace ids::regulator;
    return {
        {kFwdVolts, 2, 24, kTenths, 1205, 1187}, {kFwdBandwidth, 2, 20, kTenths, 20, 35},
        {kFwdDelay, 2, 25, kInt, 45, 120}, {kFwdCompR, 2, 22, kSignedDiv10, 120, 65336},
        {kFwdCompX, 2, 21, kSignedDiv10, 65486, 75}, {kRevVolts, 2, 12, kTenths, 1198, 1250},
        {kRevBandwidth, 2, 8, kTenths, 25, 30}, {kRevDelay, 2, 13, kInt, 30, 200},
        {kRevCompR, 2, 10, kSignedDiv10, 65436, 40}, {kRevCompX, 2, 9, kSignedDiv10, 60, 65526},
        {kAltDelay, 10, 156, kInt, 60, 90}, {kVrc1Input, 10, 154, kList, 1, 0, &kVrc1},
        {kVrc2Input, 10, 155, kList, 3, 2, &kVrc2}, {kVrcMode, 2, 29, kList, 2, 0, &kVrcModes},
        {kVrcStatus, 2, 30, kVrcStat, 0, 0}, {kLocalVrc, 2, 30, kTenths, 25, 50},
        {kVrcStage1, 2, 31, kTenths, 35, 60}, {kVrcStage2, 2, 32, kTenths, 45, 70},
        {kVrcStage3, 2, 33, kTenths, 55, 15}, {kVrcRemote, 10, 14, kList, 0, 1, &kVrcRemotes},
        {kKz3aVrc, 10, 15, kTenths, 65, 80}, {kAutoVrcSet1, 2, 36, kTenths, 15, 5},
        {kAutoVrcSet2, 2, 37, kTenths, 75, 35}, {kAutoVrc1Current, 2, 34, kInt, 50, 60},
        {kAutoVrc2Current, 2, 35, kInt, 75, 85}, {kVlcEnable, 2, 26, kList, 2, 0, &kVlc},
        {kVlcUpper, 2, 27, kTenths, 1260, 1270}, {kVlcLower, 2, 28, kTenths, 1140, 1150},
        {kRegId, 2, 15, kInt, 12, 345}, {kProtocol, 10, 127, kList, 4, 10, &kProtocols},
        {kCommBaud, 2, 44, kList, 5, 2, &kBauds}, {kCommParity, 10, 128, kList, 2, 3, &kParities},
        {kCommAddress, 2, 43, kInt, 7, 254}, {kResyncTime, 2, 46, kInt, 30, 60},
        {kTxEnableDelay, 2, 47, kInt, 5, 10}, {kDnpConfirm, 10, 152, kList, 1, 0, &kNY},
        {kCmRepeatEnable, 10, 157, kList, 0, 1, &kNY},
        {kAutoInhibitRemote, 10, 159, kList, 1, 0, &kNY},
        {kDnpSet, 10, 201, kList, 3, 14, &kDnpSets},
        {kCmVersion, 10, 139, kModuleVersion, 123, 10203},
    };
}

std::vector<Row> DiagPasswords() {
    using namespace ids::diag;
    std::vector<Row> rows = {
        {kMainBoardVersion, 9, 53, kChars, "A1", "Z"},
        {kPowerBoardVersion, 9, 54, kChars, "B2", "9Y"}, {kMaskVersion, 9, 55, kChars, "C3", "X8"},
        {kSerialNumber, 9, 56, kSerial, 70000, -123456}, {kProductRevision, 9, 58, kInt, 301, 412},
        {kCheckSum, 10, 70, kEditList, 1, 2, &kCheckSums},
        {kPanelType, 10, 218, kList, 1, 0, &kPanelTypes},
        {kFixedOnTime, 10, 215, kList, 0, 1, &kNY}, {kRaiseLowerOnTime, 10, 180, kTenths, 15, 44},
        {kRaiseLowerOffTime, 10, 181, kTenths, 27, 12},
        {kTapChangeTimeout, 10, 182, kTenths, 600, 301},
        {kTapIn, 10, 183, kList, 1, 0, &kTapInputs},
        {kTapInType, 10, 184, kList, 0, 1, &kTapInputTypes},
        {kTapInPulse, 10, 185, kHundredths, 29, 1234}, {kPreTapTime, 10, 186, kTenths, 33, 80},
        {kPostTapTime, 10, 187, kTenths, 47, 75}, {kNeutralIn, 10, 188, kList, 2, 1, &kNeutrals},
        {kNeutralCount, 10, 189, kList, 3, 4, &kCounts},
    };
    // Passwords: System at 11/224, then Level 1 .. Diag at 11/200 + 2 x (level - 1).
    const char* a[] = {"SYS9", "AB12", "CD34", "EF56", "GH78", "IJ90", "KL13", "MN24", "OP35",
                       "QR46", "ST57", "UV68", "WX79"};
    const char* b[] = {"Q7R8", "ZZ01", "YX23", "WV45", "UT67", "SR89", "QP02", "ON46", "ML68",
                       "KJ80", "IH13", "", "GF35"};
    for (int k = 0; k < 13; ++k) {
        const int id = k == 0 ? kSystemPassword : kFirstLevelPassword + k - 1;
        rows.push_back({id, 11, k == 0 ? 224 : 198 + 2 * k, kChars, a[k], b[k]});
    }
    // On/Off of Level 1 .. Diag: bit level - 1 of 11/199; 0x555 in one sweep, 0x333 in the other.
    for (int bit = 0; bit < 12; ++bit) {
        rows.push_back({kFirstOnOff + bit, 11, 199, kBit, bit % 2 == 0, bit / 2 % 2 == 0, &kOffOn,
                        bit});
    }
    return rows;
}

std::vector<Row> LogsQuickKey() {
    using namespace ids::logs;
    std::vector<Row> rows = {
        {kLogMinMax, 10, 216, kList, 1, 0, &kMinMaxKinds},
        {kIntervalHours, 11, 3, kHours, 90, 5999}, {kIntervalMinutes, 11, 3, kMinutes, 90, 5999},
        {kQuickTimeout, 10, 177, kInt, 20, 40}, {kQuickDisplayTime, 10, 176, kInt, 5, 8},
    };
    // The log-setup word 11/1, bit by bit (bit 11 has no control).
    const std::pair<int, int> bits[] = {
        {kLogEvent, 0}, {kEventTap, 1}, {kEventVlc, 2}, {kEventVrc, 3}, {kEventNeutral, 4},
        {kEventNnRaise, 5}, {kEventNnLower, 6}, {kEventAlert, 7}, {kEventConfig, 8},
        {kEventPowerFlow, 9}, {kEventPowerCycle, 10}, {kLogInterval, 12}, {kResetLogMinMax, 13}};
    for (auto [id, bit] : bits) {
        rows.push_back({id, 11, 1, kBit, bit % 2 == 0, bit / 2 % 2 == 0, &kOffOn, bit});
    }
    // Quick menu item k at 10/160 + k; the box's index is the screen, above 230 "NONE" (231).
    const int a[] = {102, 88, 79, 80, 92, 159, 160, 161, 0, 3, 9, 12, 220, 230, 195};
    const int b[] = {5, 200, 17, 42, 133, 134, 1, 2, 230, 229, 100, 56, 57, 189, 65535};
    for (int k = 0; k < kQuickMenuItemCount; ++k) {
        rows.push_back({kQuickMenuItem1 + k, 10, 161 + k, kScreen, a[k], b[k]});
    }
    return rows;
}

std::vector<Row> Maintenance() {
    using namespace ids::maintenance;
    std::vector<Row> rows = {
        {kMaintainRecords, 10, 209, kList, 1, 1, &kNY},
        {kBalanceWinding, 10, 211, kList, 0, 1, &kNY},
        {kTapChangerType, 10, 210, kMechanism, 5, 0, &kMechanisms},  // worked out from 10/122
        {kRangeOfRegulation, 10, 212, kList, 10, 16, &kRanges},
        {kContactsOverall, 10, 220, kOverall, 200, 2000}};  // the largest of 220..230
    // Moving contact 10/221, stationary contacts 0..8 at 10/222..230.
    const int a[] = {3100, 3099, 8100, 9100, 0, 8099, 9099, 100, 9500, 4000};
    const int b[] = {9000, 5000, 3099, 8100, 3100, 0, 8099, 1, 3000, 8500};
    for (int k = 0; k < 10; ++k) {
        const int id = k == 0 ? kMovingContact : kContact0 + k - 1;
        rows.push_back({id, 10, 221 + k, kGrade, a[k], b[k]});
    }
    return rows;
}
// clang-format on

// The alerts in the order of the page: status word, lowest bit of the 2-bit state, time
// register (the date register follows it).
struct Alert {
    int word, shift, time;
};
constexpr Alert kAlerts[13] = {{80, 0, 85},  {80, 2, 87},  {80, 4, 89},  {80, 10, 95},
                               {80, 12, 97}, {80, 14, 99}, {81, 0, 101}, {81, 2, 103},
                               {81, 4, 105}, {81, 6, 107}, {81, 8, 109}, {81, 10, 111},
                               {81, 12, 113}};
constexpr int kStates[2][13] = {{1, 2, 3, 2, 3, 1, 3, 1, 2, 1, 2, 3, 1},
                                {0, 3, 1, 3, 0, 2, 2, 0, 3, 0, 1, 0, 2}};
const char* const kStateTexts[] = {"Inactive", "ACTIVE", "ACK", "ACT & ACK"};
constexpr Rgb kStateColours[] = {{217, 217, 217}, {255, 0, 0}, {0, 0, 255}, {255, 0, 0}};

void Load(const Row& row, const Value& v, Registers& regs) {
    if (v.Skipped()) {
        return;
    }
    uint16_t& slot = regs[row.bank * 256 + row.reg];
    if (row.kind.load == kWhole || row.kind.load == kLowHigh) {
        slot = static_cast<uint16_t>(v.n);
    }
    if (row.kind.load == kLowHigh) {
        regs[row.bank * 256 + row.reg + 1] = static_cast<uint16_t>(v.n >> 16);
    }
    if (row.kind.load == kOneBit) {
        slot = static_cast<uint16_t>(slot | (v.n & 1) << row.bit);
    }
    for (std::size_t i = 0, n = row.kind.load == kCharacters ? std::strlen(v.s) : 0; i < n;
         i += 2) {
        const int low = i + 1 < n ? static_cast<unsigned char>(v.s[i + 1]) : 0;
        regs[row.bank * 256 + row.reg + int(i / 2)] =
            static_cast<uint16_t>(static_cast<unsigned char>(v.s[i]) << 8 | low);
    }
}

std::string Actual(const Row& row, const ControlState& control) {
    return row.kind.read == kSelected ? control.SelectedText()
           : row.kind.read == kIndex  ? std::to_string(control.selected)
                                      : control.text;
}

class DistinctValuesMap : public MainWindowTest {
  protected:
    static Value In(const Row& row, int sweep) { return sweep == 0 ? row.a : row.b; }

    // Every register of sweep `sweep`, the rest 0.
    Registers Contents(int sweep) const {
        Registers regs;
        for (const auto& [form, rows] : pages_) {
            for (const Row& row : rows) {
                Load(row, In(row, sweep), regs);
            }
        }
        for (int i = 0; i < 13; ++i) {
            regs[10 * 256 + kAlerts[i].word] |=
                static_cast<uint16_t>(kStates[sweep][i] << kAlerts[i].shift);
        }
        for (int reg = 85; reg <= 114; ++reg) {  // alert times and dates, all different
            regs[10 * 256 + reg] =
                static_cast<uint16_t>(0x1357 + 0x0B3D * (reg - 85) + 0x2468 * sweep);
        }
        return regs;
    }

    // A panel holding `regs` on COM 5, connected, every page read.
    void ConnectTo(const Registers& regs) {
        if (Flags().connected) {
            window_.OnConnectButton();  // Disconnect
        }
        auto& panel = StartPanel(5, 411, {.loadDefaults = false});
        for (const auto& [key, value] : regs) {
            panel.setRegister(key / 256, key % 256, value);
        }
        panel.setLinkValue(1);
        ResetRequestTotals();
        prompts_.answers.assign(64, PromptAnswer::kYes);
        InitAndConnect(5);
        window_.DiagPwdsAlerts().GetActiveAlerts(prompts_);
        window_.Logs().GetQuickMenu(prompts_);
        window_.Maintenance().GetMaintenanceSettings(prompts_);
        window_.Maintenance().RefreshMaintenanceStatus(prompts_);
    }

    const std::pair<FormModel*, std::vector<Row>> pages_[5] = {
        {&window_.Configuration().Form(), Configuration()},
        {&window_.RegulatorComm().Form(), RegulatorComm()},
        {&window_.DiagPwdsAlerts().Form(), DiagPasswords()},
        {&window_.Logs().Form(), LogsQuickKey()},
        {&window_.Maintenance().Form(), Maintenance()}};
};

TEST_F(DistinctValuesMap, EveryControlShowsTheConversionOfItsOwnRegister) {
    for (int sweep = 0; sweep < 2; ++sweep) {
        const Registers regs = Contents(sweep);
        ConnectTo(regs);
        for (const auto& [form, rows] : pages_) {
            for (const Row& row : rows) {
                if (In(row, sweep).Skipped()) {
                    continue;
                }
                EXPECT_EQ(Actual(row, (*form)[row.id]), row.kind.show({In(row, sweep), row, regs}))
                    << "sweep " << sweep << ": control " << row.id << " of " << row.bank << "/"
                    << row.reg;
            }
        }
        FormModel& diag = window_.DiagPwdsAlerts().Form();
        for (int i = 0; i < 13; ++i) {
            const int state = kStates[sweep][i], time = kAlerts[i].time;
            const std::string when =
                "sweep " + std::to_string(sweep) + ", alert " + std::to_string(i);
            EXPECT_EQ(diag[ids::diag::kStatusFields[i]].text, kStateTexts[state]) << when;
            EXPECT_TRUE(diag[ids::diag::kStatusFields[i]].background == kStateColours[state])
                << when;
            EXPECT_EQ(diag[ids::diag::kTimeFields[i]].text,
                      state ? TimeText(At(regs, 10, time)) : "")
                << when;
            EXPECT_EQ(diag[ids::diag::kDateFields[i]].text,
                      state ? DateText(At(regs, 10, time + 1), At(regs, 10, 11)) : "")
                << when;
        }
    }
}

// The way back for the texts packed two characters a register (passwords, memos, board
// versions): typed over the first sweep's and sent with every page's Set, each lands in its
// own registers, the first character of a pair in the high byte.
TEST_F(DistinctValuesMap, TypedTextsGoToTheirOwnRegisters) {
    ConnectTo(Contents(0));
    Registers expected;
    for (const auto& [form, rows] : pages_) {
        for (const Row& row : rows) {
            if (row.kind.load == kCharacters) {
                (*form)[row.id].text = row.b.s;
                for (std::size_t k = 0; k < (std::strlen(row.a.s) + 1) / 2; ++k) {
                    expected[row.bank * 256 + row.reg + int(k)] = 0;  // after the text's end
                }
                Load(row, row.b, expected);
            }
        }
    }
    prompts_.answers.assign(64, PromptAnswer::kYes);
    window_.UploadSettings();
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(panel_->getRegister(key / 256, key % 256), value)
            << key / 256 << "/" << key % 256;
    }
}

}  // namespace
