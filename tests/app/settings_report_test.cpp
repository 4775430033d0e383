// "Create Report" over the real path: the line rules against the store, one whole report from a
// configuration file byte for byte, and one from the panel with its reconnect and fresh version
// reads.
#include <algorithm>
#include <filesystem>

#include "app/configuration_file.h"
#include "pages/kit/text_file.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/local_time.h"

namespace {

using namespace testing_support;
namespace text = main_window_text;

struct Slot {
    unsigned bank, reg;
    int32_t value;
};

class SettingsReportTest : public MainWindowTest {
  protected:
    // The report of what the pages and the store hold: No, then the file dialog cancelled.
    std::vector<std::string> ReportOfStore() {
        prompts_.answers = {PromptAnswer::kNo};
        prompts_.fileNames = {std::nullopt, "store.csv"};
        EXPECT_EQ(window_.CreateReport(), ReportOutcome::kWritten);
        return SplitLines(ReadFile("store.csv"));
    }
};

constexpr int32_t Word(int version, int highBits) {
    return version + highBits * 1024;
}

TEST_F(SettingsReportTest, LinesFollowTheirRulesFromTheStore) {
    struct Case {
        std::vector<Slot> slots;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{{11, 1, 0x0003}},
         {"Log Event:,ON", "Event = Tap:,ON", "Event = Neut:,OFF", "Event = NN R:,OFF",
          "Event = NN L:,OFF", "Event = VLC:,OFF", "Event = VRC:,OFF", "Event = PwrFlow:,OFF",
          "Event = Pwr Cyc:,OFF", "Event = Cfg:,OFF", "Event = Alert:,OFF", "Log Interval:,OFF",
          "Res Log MM:,OFF"}},
        {{{11, 3, 125}}, {"Interval hr:,2", "Interval min:,5"}},
        {{{10, 178, 4}}, {"Alrt M|C|S:,YNN"}},
        {{{10, 178, 1}}, {"Alrt M|C|S:,NNY"}},
        {{{10, 67, 400}},
         {"LowerLED:,N/A", "P2 Calc:,N/A", "U2/P2 out:,N/A", "Format(Date):,N/A",
          "Daylight Sav:,N/A", "Log Min/Max (KZ-4A):,N/A", "FixedR/LOnTime:,N/A", "Remote:,N/A",
          "T.O.DspScr:,N/A"}},
        {{{10, 67, Word(300, 5)}, {10, 208, 1}}, {"Remote AUTO:,Remote", "T.O.DspScr:,N/A"}},
        {{{10, 67, Word(308, 5)}, {10, 208, 3}, {10, 207, 2}}, {"Remote:,N/A", "T.O.DspScr:,Vld"}},
        {{{10, 67, 407}, {10, 207, 2}}, {"T.O.DspScr:,N/A"}},
        {{{10, 67, Word(411, 10)}, {10, 208, 0}, {10, 213, 1}, {10, 217, 1}, {10, 11, 2}},
         {"Remote BTN:,Enable", "LowerLED:,Blink", "P2 Calc:,ON", "Format(Date):,Y/M/D",
          "FixedR/LOnTime:,N", "Log Min/Max (KZ-4A):,Inst", "T.O.DspScr:,<METER>"}},
        {{{10, 67, Word(411, 3)}, {10, 208, 0}}, {"Remote:,N/A"}},
        // Ranges: "N/A" above a section's or item's last value, an empty text for an index the
        // list does not have.
        {{{10, 120, 101},
          {10, 1, 8},
          {2, 14, 12},
          {10, 3, 0},
          {10, 14, 0},
          {2, 26, 1},
          {2, 29, 5},
          {10, 127, 0},
          {2, 44, 17},
          {10, 183, 6},
          {10, 189, 5}},
         {"Tap Chngr:,N/A", "Type:,", "I Threshold %:,N/A", "Meter Volts:,PRI", "VRC Remote:,KZ-X",
          "VLC Enable:,ON", "VRC Mode:,N/A", "Protocol:,", "Comm Baud:,N/A", "Tap In:,N/A",
          "NeutralCount:,"}},
        {{{11, 199, 0x0801}}, {"Level 1:,ON", "Configure:,OFF", "Diagnositcs:,ON"}},
    };
    for (const Case& c : cases) {
        ResetValueStore();
        for (const Slot& s : c.slots) {
            StoreSlot(s.bank, s.reg) = s.value;
        }
        const std::vector<std::string> lines = ReportOfStore();
        for (const std::string& line : c.lines) {
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end())
                << line << " (" << c.slots[0].bank << "/" << c.slots[0].reg << ")";
        }
    }
}

TEST_F(SettingsReportTest, CancelWritesNothingAndChangesNothing) {
    StoreSlot(2, 24) = 1200;
    Flags().fileImported = true;
    prompts_.answers = {PromptAnswer::kCancel};
    window_.OnCommand(ids::menu::kCreateReport);

    ASSERT_EQ(prompts_.calls.size(), 1u);
    const MessageBoxRequest& box = prompts_.calls[0].box;
    EXPECT_EQ(box.text, text::kReportQuestion);
    EXPECT_EQ(box.caption, "CREATE REPORT FROM PANEL?");
    EXPECT_EQ(box.buttons, PromptButtons::kYesNoCancel);
    EXPECT_EQ(box.icon, PromptIcon::kQuestion);
    EXPECT_EQ(box.defaultButton, PromptAnswer::kNo);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(cwd_.dir())) {
        ++files;
    }
    EXPECT_EQ(files, 1u);  // conset.kzx, as the fixture wrote it
    EXPECT_TRUE(Flags().fileImported);
    EXPECT_FALSE(Flags().tabsCreated);
    EXPECT_EQ(StoreSlot(2, 24), 1200);
    EXPECT_EQ(RequestTotals().requests, 0u);
}

// A panel's settings, as a configuration file holds them.
const Slot kPanelSettings[] = {
    {10, 120, 1},
    {10, 1, 1},
    {2, 19, 2},
    {10, 153, 1},
    {10, 160, 1},
    {10, 5, 13800},
    {10, 6, 120},
    {10, 7, 7200},
    {10, 8, 115},
    {2, 2, 600},
    {10, 9, 5000},
    {10, 122, 400},
    {2, 11, 3},
    {10, 64, 1},
    {10, 190, 25},
    {10, 30, 0x5355},
    {10, 31, 0x4220},
    {10, 32, 0x3132},
    {10, 67, Word(411, 10)},
    {10, 3, 1},
    {2, 14, 5},
    {10, 4, 30},
    {10, 121, 800},
    {10, 10, 90},
    {10, 12, 1},
    {2, 1, 150},
    {10, 13, 3},
    {10, 62, 60},
    {10, 63, 10},
    {10, 177, 5},
    {10, 176, 3},
    {10, 203, 1},
    {10, 136, 2},
    {10, 137, 4},
    {10, 205, 1},
    {10, 178, 5},
    {10, 191, 1},
    {10, 207, 2},
    {10, 213, 1},
    {10, 214, 2},
    {10, 208, 1},
    {10, 11, 1},
    {10, 202, 1},
    {10, 16, 28841},
    {10, 17, 18543},
    {2, 24, 1200},
    {2, 20, 20},
    {2, 25, 45},
    {2, 22, 65486},
    {2, 21, 30},
    {2, 12, 1180},
    {2, 8, 25},
    {2, 13, 60},
    {10, 156, 30},
    {10, 154, 1},
    {10, 155, 2},
    {2, 29, 1},
    {2, 30, 25},
    {2, 31, 30},
    {2, 32, 45},
    {2, 33, 60},
    {10, 14, 1},
    {10, 15, 35},
    {2, 36, 20},
    {2, 37, 40},
    {2, 34, 50},
    {2, 35, 75},
    {2, 26, 2},
    {2, 27, 1260},
    {2, 28, 1140},
    {2, 15, 12},
    {10, 127, 1},
    {2, 44, 5},
    {10, 128, 2},
    {2, 43, 7},
    {2, 46, 30},
    {2, 47, 5},
    {10, 152, 1},
    {10, 159, 1},
    {10, 201, 8},
    {10, 139, 123},
    {11, 1, 0x1003},
    {10, 216, 1},
    {11, 3, 90},
    {10, 215, 1},
    {10, 180, 15},
    {10, 181, 20},
    {10, 182, 100},
    {10, 183, 1},
    {10, 185, 25},
    {10, 186, 5},
    {10, 187, 10},
    {10, 188, 2},
    {10, 189, 3},
    {11, 199, 0x0003},
    {11, 200, 0x4142},
    {11, 201, 0x3132},
    {11, 222, 0x4431},
    {11, 223, 0x3233},
};

// What the report of kPanelSettings says, written out line by line.
constexpr char kExpectedReport[] = R"(
<CONFIGURE>
Tap Chngr:,GE
Type:,INVERTED
Syst:,DELTA LEAD
DeltaPwr:,CLOSED
Utility Pol:,NORM
VprimaryMax:,650K
U2 PT Primary:,13800
U2 PT Secondary:,120
P2 PT Primary:,7200
P2 PT Secondary:,115
CT Ratio Primary:,600
CT Ratio Secondary:,5.0
I Full Load:,400
Pwr Flow (mode):,BI-DIR
Basis Volts:,125
NeutOvRun:,2.5
Memo1:,SUB 12
Memo2:,
Version:,4.1110

<ADV CONFIGURE>
Meter Volts:,SEC
I Threshold %:,5
I Shift:,30
I Load Max:,800
PT Threshold:,90
Dmd Type:,SlidWindow
Dmd Time:,15
Dmd Subperiods:,3
Min/Max t.o.:,60
Screen t.o.:,10
Quick t.o.:,5
QuickDispTim:,3
Auto Variamp:,ON
Soft Variamp:,OFF
R Limit:,7.5%
L Limit:,5%
Slave - Master:,MA
TapAlert:,ENABLE
Alrt M|C|S:,YNY
TapResync:,ON
CommAutoInh:,OFF
T.O.DspScr:,Vld
LowerLED:,Blink
P2 Calc:,OFF
U2/P2 out:,U2
Remote BTN:,Disable
Format(Date):,D/M/Y
Daylight Sav:,ON
Time:,14:05:09
Date:,15/03/2026

<REGULATOR>
Fwd Volts:,120.0
Fwd BW:,2.0
Fwd Delay:,45
Fwd Comp(R) :,-5
Fwd Comp(X):,3
Rev Volts:,118.0
Rev BW:,2.5
Rev Delay:,60
Rev Comp(R) :,0
Rev Comp(X):,0
Alt Delay:,30
VRC Stat:,2.5
VRC1 In:,X-COMP
VRC2 In:,LO XBATT
VRC Mode:,LOCAL
Local VRC%:,2.5
VRC Stage 1:,3.0
VRC Stage 2:,4.5
VRC Stage 3:,6.0
VRC Remote:,KZ3A
KZ-3A VRC%:,3.5
AutoVRCset1:,2.0
AutoVRCset2:,4.0
AutoVRC1 %I:,50
AutoVRC2 %I:,75
VLC Enable:,ON
VLC Upper:,126.0
VLC Lower,114.0

<COMMUNICATIONS>
Reg Id:,12
Protocol:,DNP3.0
Comm Baud:,9600
Comm Parity:,EVEN
Comm Addr:,7
Resync Time:,30
Tx En Delay:,5
DNP dl Confirm:,Y
CM SW RepeatEn:,N
AutoInhEnRemRL:,Y
DNPSet:,DNPcfg
CM Vers:,1.23

<LOG SETUP>
Log Event:,ON
Event = Tap:,ON
Event = Neut:,OFF
Event = NN R:,OFF
Event = NN L:,OFF
Event = VLC:,OFF
Event = VRC:,OFF
Event = PwrFlow:,OFF
Event = Pwr Cyc:,OFF
Event = Cfg:,OFF
Event = Alert:,OFF
Log Interval:,ON
Res Log MM:,OFF
Log Min/Max (KZ-4A):,Dmd
Interval hr:,1
Interval min:,30

<DIAGNOSTICS>
FixedR/LOnTime:,Y
R/LOntime:,1.5
R/LOffTime:,2.0
TapChgT/O:,10.0
Tap In:,HS
TapInType:,Toggle
TapInPulse:,0.25
PreTapTime:,0.5
PostTapTime:,1.0
NeutralIn:,None
NeutralCount:,3

<PASSWORDS>
Level 1:,ON
Level 1 PW:,AB12
Configure:,ON
Config. PW:,
Regulator:,OFF
Reg PW:,
Meter:,OFF
Meter PW:,
Demand:,OFF
Demand PW:,
Alert:,OFF
Alert PW:,
Counters:,OFF
Counters PW:,
Log Setup:,OFF
Log Set PW:,
Ev/Intv:,OFF
Ev/Intv PW:,
Harmonics:,OFF
Harm. PW:,
Comm:,OFF
Comm PW:,
Diagnositcs:,OFF
Diagnos. PW:,D123
)";

TEST_F(SettingsReportTest, ReportFromAConfigurationFileIsTheFileWrittenOutByHand) {
    for (const Slot& s : kPanelSettings) {
        StoreSlot(s.bank, s.reg) = s.value;
    }
    WriteFile("panel.kz0", WithCrLf(FormatConfigurationFile()));
    ResetValueStore();
    window_.SetClock([] { return LocalTime(2026, 12, 7, 15, 4, 9, 1); });
    prompts_.answers = {PromptAnswer::kNo};
    prompts_.fileNames = {"panel.kz0", "report.csv"};

    EXPECT_EQ(window_.CreateReport(), ReportOutcome::kWritten);
    const std::string path = cwd_.dir() + "/report.csv";
    EXPECT_EQ(ReadFile("report.csv"), WithCrLf(path + "\n" + kExpectedReport));

    const auto save = prompts_.OfKind("save");
    ASSERT_EQ(save.size(), 1u);
    EXPECT_EQ(save[0]->file.title, "Save Report File");
    EXPECT_EQ(save[0]->file.defaultName, "Mon_Dec_07_03_04_09_2026_PM_rep.csv");
    EXPECT_EQ(save[0]->file.extension, "CSV");
    EXPECT_EQ(save[0]->file.filter, "REPORT FILE (*.csv)|*.csv||");
    const auto opened = prompts_.OfKind("open");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->text, path);
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{text::kReportCaption, text::kConfigOpenedCaption}));
    // The file's settings stay in the pages, and are not offered to the panel at the next
    // Connect; the link was never touched.
    EXPECT_TRUE(Flags().tabsCreated);
    EXPECT_FALSE(Flags().fileImported);
    EXPECT_FALSE(Flags().connected);
    EXPECT_EQ(RequestTotals().requests, 0u);
}

TEST_F(SettingsReportTest, ReportFromThePanelReconnectsAndReadsTheVersionFresh) {
    auto& panel = StartPanel(5, 411);
    panel.setRegister(10, 67, Word(411, 10));
    panel.setRegister(10, 208, 0);
    panel.setRegister(2, 24, 1200);
    InitAndConnect(5);
    const std::vector<std::string> connect = Describe(SeenByPanel());
    panel.setRegister(2, 24, 1250);  // changed on the panel since the last download
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kYes};
    prompts_.fileNames = {"panel.csv"};

    EXPECT_EQ(window_.CreateReport(), ReportOutcome::kWritten);
    // Disconnect, then a Connect with its download, then the version for each of the nine
    // lines that depend on it.
    std::vector<std::string> expected = connect;
    expected.insert(expected.end(), connect.begin(), connect.end());
    expected.insert(expected.end(), 9, "R 10/67x1");
    EXPECT_EQ(Describe(SeenByPanel()), expected);
    const std::vector<std::string> lines = SplitLines(ReadFile("panel.csv"));
    for (const char* line : {"Fwd Volts:,125.0", "Remote BTN:,Enable", "Version:,4.1110"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{text::kReportCaption}));
    EXPECT_EQ(prompts_.OfKind("open").size(), 1u);
    EXPECT_TRUE(Flags().connected);
    EXPECT_TRUE(window_.ConnectToggle());
}

}  // namespace

namespace {

// A report from the panel rests on every reply: a silent panel, a lost reply in the download or
// in the report's own version reads leaves no file and says so.
TEST_F(SettingsReportTest, ReportFromThePanelIsWrittenOnlyWhenEveryRequestWasAnswered) {
    enum class Lost { kLinkRegister, kDownloadRead, kReportVersionRead };
    for (const Lost lost : {Lost::kLinkRegister, Lost::kDownloadRead, Lost::kReportVersionRead}) {
        SCOPED_TRACE(static_cast<int>(lost));
        auto& panel = StartPanel(5, 411);
        ResetRequestTotals();
        InitAndConnect(5);
        const std::vector<std::string> connect = Describe(SeenByPanel());
        const auto versionReads = static_cast<unsigned>(
            std::count(connect.begin(), connect.end(), std::string("R 10/67x1")));
        switch (lost) {
            case Lost::kLinkRegister:
                panel.setRegister(11, 239, 0);
                break;
            case Lost::kDownloadRead:
                panel.injectFault(sim::Fault::Silence(), 1, [](const sim::Request& r) {
                    return r.op == sim::Operation::kRead && r.bank == 10 && r.start == 122;
                });
                break;
            case Lost::kReportVersionRead:
                // The reconnect reads the version as often as the first Connect did; the
                // report's own reads come after.
                panel.injectFault(sim::Fault::Silence(), 1,
                                  [n = 0u, versionReads](const sim::Request& r) mutable {
                                      return r.bank == 10 && r.start == 67 && ++n > versionReads;
                                  });
                break;
        }
        prompts_.calls.clear();
        prompts_.answers = {PromptAnswer::kYes};
        prompts_.fileNames = {"panel.csv"};
        EXPECT_EQ(window_.CreateReport(), ReportOutcome::kNotWritten);
        EXPECT_FALSE(std::filesystem::exists("panel.csv"));
        const std::vector<std::string> captions = prompts_.Captions();
        ASSERT_FALSE(captions.empty());
        EXPECT_EQ(captions.back(), text::kReportNotReadCaption);
        EXPECT_TRUE(prompts_.OfKind("open").empty());
        panel.clearFaults();
        window_.OnConnectButton();  // Disconnect
    }
}

}  // namespace
