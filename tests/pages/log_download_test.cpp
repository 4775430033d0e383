// "Download Logs" against the simulated panel: the requests, the file byte for byte, the
// progress window, and what the user is told.
#include "pages/data/log_records.h"
#include "tests/pages/log_download_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::logs;

constexpr std::uint16_t W(int value) {
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

std::uint16_t D(unsigned y, unsigned m, unsigned d) {
    return sim::PackDate(y, m, d);
}
std::uint16_t T(unsigned h, unsigned m, unsigned s) {
    return sim::PackTime(h, m, s);
}

const std::string kEventColumns =
    R"("ID","Date","Time","Cause","Vload","Iload","PF","KW","KVAR","KVA","Tap Position","Vsrc")"
    "\n";
const std::string kIntervalColumns =
    R"("ID","Date","Time","VL","VLmax","VLmin","VLdmd","ILd","ILmax","ILmin","ILdmd","PF",)"
    R"("PF@KVAmax","PF@KVAmin","KW","KWmax","KWmin","KWdmd","KVAR","KVARmax","KVARmin",)"
    R"("KVARdmd","KVA","KVAmax","KVAmin","KVAdmd","Tap","Tapmax","Tapmin","Ops","Vsrc")"
    "\n";
const std::string kHeader =
    "Current PC Date:Sat_Mar_14_11_00_05_2026_AM_log.csv\n"
    "Panel Date:,03/14/2026,Panel Time:,10:42:17\n";

TEST_F(LogDownloadTest, FiveEventsAndThreeIntervalsMakeThisFile) {
    Connect();
    panel_->setRegister(10, 11, 1);  // the panel shows dates day/month/year
    SetLogs(
        {
            {101, D(2026, 3, 12), T(8, 5, 9), 1, 1203, 312, 98, 2205, W(-448), 2250, 3, 1187},
            {102, D(2026, 3, 12), T(9, 15, 30), 29, 1195, 305, 97, 2150, 430, 2200, 65535, 1190},
            {103, D(2026, 3, 13), T(14, 0, 0), 0, 1210, 2, 5, W(-150), 3, 151, 16, 65535},
            {104, D(2026, 3, 13), T(23, 59, 31), 46, 1188, 400, 100, 2900, 0, 2900, 17, 1201},
            {105, D(2026, 3, 14), T(0, 0, 1), 47, 1199, 310, W(-95), 2170, W(-710), 2283, 65520,
             1177},
        },
        {
            {201,         D(2026, 3, 14),
             T(7, 30, 0), 1200,
             1210,        1190,
             1201,        310,
             330,         290,
             300,         98,
             97,          96,
             2200,        2300,
             2100,        2150,
             W(-445),     W(-400),
             W(-460),     W(-440),
             2245,        2350,
             2140,        2190,
             3,           4,
             2,           1,
             2,           1185},
            {202,        D(2026, 3, 14),
             T(9, 0, 0), 1195,
             1205,       1188,
             1196,       320,
             335,        300,
             310,        97,
             96,         95,
             2250,       2350,
             2150,       2200,
             450,        470,
             430,        445,
             2300,       2400,
             2200,       2260,
             65535,      0,
             65534,      0,
             65535,      65535},
            {203,
             D(2026, 3, 14),
             T(10, 30, 0),
             1202,
             1212,
             1191,
             1203,
             305,
             325,
             288,
             301,
             99,
             98,
             97,
             2180,
             2280,
             2090,
             2140,
             410,
             430,
             390,
             405,
             2220,
             2330,
             2130,
             2170,
             16,
             16,
             15,
             2,
             0,
             1191},
        });
    Download("5", "3", false);

    const std::string expected =
        kHeader + "Auto Adjust Time/Data Disabled\nEvent Log\n" + kEventColumns +
        "101,12/03/2026,08:05:09,Tap Change,120.3,31.2,0.98,2205,-448,2250,+3,N/A\n"
        "102,12/03/2026,09:15:30,Midpointer (TM),119.5,30.5,0.97,2150,430,2200,-1,N/A\n"
        "103,13/03/2026,14:00:00,??????????,121.0,0.2,0.05,-150,3,151,+16,119.0\n"
        "104,13/03/2026,23:59:31,CBEMA 95 %,118.8,40.0,1.00,2900,0,2900,UNKNOWN,-0.1\n"
        "105,14/03/2026,00:00:01,?????????? (47),119.9,31.0,-0.95,2170,-710,2283,-16,120.1\n"
        "\nInterval Log\n" +
        kIntervalColumns +
        "201,14/03/2026,07:30:00,120.0,121.0,119.0,120.1,31.0,33.0,29.0,30.0,0.98,0.97,0.96,"
        "2200,2300,2100,2150,-445,-400,-460,-440,2245,2350,2140,2190,+3,+4,+2,65538,N/A\n"
        "202,14/03/2026,09:00:00,119.5,120.5,118.8,119.6,32.0,33.5,30.0,31.0,0.97,0.96,0.95,"
        "2250,2350,2150,2200,450,470,430,445,2300,2400,2200,2260,-1,+0,-2,65535,N/A\n"
        "203,14/03/2026,10:30:00,120.2,121.2,119.1,120.3,30.5,32.5,28.8,30.1,0.99,0.98,0.97,"
        "2180,2280,2090,2140,410,430,390,405,2220,2330,2130,2170,+16,+16,+15,131072,-0.1\n";
    EXPECT_EQ(File(), WithCrLfEnds(expected));

    std::vector<std::string> requests = {"R 10/16x2", "W 11/5x1", "R 10/11x1"};
    requests.insert(requests.end(), 5, "R 11/7x12");
    requests.insert(requests.end(), {"W 11/41x1", "R 10/11x1"});
    for (int i = 0; i < 3; ++i) {
        requests.insert(requests.end(), {"R 11/42x11", "R 11/53x11", "R 11/64x10"});
    }
    EXPECT_EQ(SeenText(), requests);
    const auto writes = panel_->requests();
    EXPECT_EQ(writes[1].data, std::vector<std::uint16_t>{0xC001});

    const auto dialogs = prompts_.OfKind("save");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0]->file.title, "Save Log File");
    EXPECT_EQ(dialogs[0]->file.defaultName, "Sat_Mar_14_11_00_05_2026_AM_log.csv");
    EXPECT_EQ(dialogs[0]->file.extension, "CSV");
    EXPECT_EQ(dialogs[0]->file.filter, "LOG FILE (*.csv)|*.csv||");
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].caption, "File Created");
    EXPECT_EQ(prompts_.Boxes()[0].text, FilePath());
    EXPECT_EQ(page_.Form()[kDownloadLogs].visible, false);
    EXPECT_EQ(prompts_.waitDepth, 0);
}

TEST_F(LogDownloadTest, NothingToDownloadLeavesTheHeaderAlone) {
    Connect();
    Download("0", "0", true);
    EXPECT_EQ(File(), WithCrLfEnds(kHeader + "Auto Adjust Time/Date Enabled\n"));
    EXPECT_EQ(SeenText(), std::vector<std::string>{"R 10/16x2"});
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"File Created"});
}

TEST_F(LogDownloadTest, AShorterSecondDownloadShowsNothingOfTheFirst) {
    Connect();
    Download("5", "3", false);
    ASSERT_NE(File().find("\r\n5,"), std::string::npos);  // the simulator's fifth event
    SetLogs({{301, D(2026, 3, 14), T(10, 0, 0), 25, 1201, 300, 98, 2100, 400, 2140, 1, 1186}},
            {{401, D(2026, 3, 14), T(10, 30, 0)}});
    Download("1", "1", false);

    // Row 2 of each log stands for a record this download did not read.
    const std::string expected =
        kHeader + "Auto Adjust Time/Data Disabled\nEvent Log\n" + kEventColumns +
        "301,03/14/2026,10:00:00,Power Up  ,120.1,30.0,0.98,2100,400,2140,+1,N/A\n"
        "0,00/00/1990,00:00:00,??????????,0.0,0.0,0.00,0,0,0,+0,N/A\n"
        "\nInterval Log\n" +
        kIntervalColumns +
        "401,03/14/2026,10:30:00,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.00,0.00,0.00,"
        "0,0,0,0,0,0,0,0,0,0,0,0,+0,+0,+0,0,N/A\n"
        "0,00/00/1990,00:00:00,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.00,0.00,0.00,"
        "0,0,0,0,0,0,0,0,0,0,0,0,+0,+0,+0,0,N/A\n";
    EXPECT_EQ(File(), WithCrLfEnds(expected));
}

TEST_F(LogDownloadTest, AutoAdjustMovesRecordTimesOntoThePcClock) {
    ScopedTimeZone zone(kNewYorkZone);
    Connect();  // the panel clock: 14 March 2026 10:42:17, the PC 17 min 48 s ahead
    SetLogs({{1, D(2026, 3, 12), T(8, 5, 9), 1, 1200, 300, 98, 2100, 400, 2140, 1, 1186},
             {2, D(2026, 3, 7), T(23, 50, 0), 1, 1200, 300, 98, 2100, 400, 2140, 1, 1186}},
            {});
    Download("2", "0", true);
    const std::string file = File();
    EXPECT_NE(file.find("\r\nAuto Adjust Time/Date Enabled\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\n1,3/12/2026,8:22:57,"), std::string::npos) << file;
    EXPECT_NE(file.find("\r\n2,3/8/2026,0:7:48,"), std::string::npos) << file;
}

TEST_F(LogDownloadTest, TheProgressBarCountsReadsAndLaterRowsAndEndsFull) {
    struct Case {
        std::string events, intervals;
        int range;
        int singleSteps;  // records read + rows from the third on
        int fill;
    };
    const Case cases[] = {
        {"5", "3", 16, 5 + 3 + 3 + 1, 4},
        {"7", "0", 14, 6 + 3, 5},  // the sixth read ends the log with ID 0
        {"1", "1", 4, 1 + 1, 2},
        {"1500", "-2", 2000, 6 + 3, 1991},  // cut to 1000 and 0
        {"0", "0", 0, 0, 0},
    };
    Connect();
    for (const Case& c : cases) {
        Download(c.events, c.intervals, false);
        std::vector<std::string> kinds;
        int singles = 0;
        int fill = 0;
        for (const auto& call : prompts_.calls) {
            if (call.kind == "step" && call.a == 1 && fill == 0) {
                ++singles;
            } else if (call.kind == "step") {
                fill += call.a;
            } else if (kinds.empty() || kinds.back() != call.kind) {
                kinds.push_back(call.kind);
            }
        }
        EXPECT_EQ(singles, c.singleSteps) << c.events;
        EXPECT_EQ(fill, c.fill) << c.events;
        EXPECT_EQ(kinds, (std::vector<std::string>{"save", "progress", "range", "text", "wait+",
                                                   "destroy", "wait-", "box"}))
            << c.events;
        const auto range = prompts_.OfKind("range");
        ASSERT_EQ(range.size(), 1u);
        EXPECT_EQ(std::vector<int>({range[0]->a, range[0]->b, range[0]->c}),
                  std::vector<int>({0, c.range, 1}));
        EXPECT_EQ(prompts_.OfKind("progress")[0]->text, "Progress");
        EXPECT_EQ(prompts_.OfKind("progress")[0]->a, 1);  // smooth
        EXPECT_EQ(prompts_.OfKind("text")[0]->text,
                  "Downloading Logs From Panel and Creating a File...\n\nPlease Wait.");
    }
}

TEST_F(LogDownloadTest, CausesTapsAndQuantitiesBeyondTheirTables) {
    const std::pair<int32_t, std::string> causes[] = {
        {0, "??????????"},  {29, "Midpointer (TM)"}, {33, "NV RAM    "},
        {46, "CBEMA 95 %"}, {47, "?????????? (47)"}, {65535, "?????????? (65535)"},
    };
    for (const auto& [code, text] : causes) {
        EXPECT_EQ(CauseText(code), text) << code;
    }
    const std::pair<int32_t, std::string> taps[] = {
        {0, "+0"},      {16, "+16"},        {17, "UNKNOWN"},    {65535, "-1"},
        {65520, "-16"}, {65519, "UNKNOWN"}, {32768, "UNKNOWN"},
    };
    for (const auto& [word, text] : taps) {
        EXPECT_EQ(TapText(word), text) << word;
    }
    const std::pair<std::string, int> quantities[] = {
        {"250", 250}, {"1000", 1000}, {"1001", 1000}, {"99999999999", 1000}, {"-3", 0}, {"x", 0},
    };
    for (const auto& [typed, taken] : quantities) {
        page_.Form()[kEventsToDownload].text = typed;
        page_.Form()[kIntervalsToDownload].text = typed;
        const auto q = page_.TakeDownloadQuantities();
        EXPECT_EQ(q.events, taken) << typed;
        EXPECT_EQ(q.intervals, taken) << typed;
    }
}

TEST_F(LogDownloadTest, ACancelledOrUnwritableFileKeepsTheButton) {
    struct Case {
        std::optional<std::string> file;
        std::size_t requests;
        std::vector<std::string> captions;
    };
    const Case cases[] = {
        {std::nullopt, 0, {}},
        // Found before the first request, not after minutes of reading.
        {std::string("no/such/folder/logs.csv"), 0, {"FILE NOT WRITTEN"}},
    };
    for (const Case& c : cases) {
        Connect();
        Download("5", "3", false, c.file);
        EXPECT_EQ(SeenText().size(), c.requests);
        EXPECT_EQ(prompts_.Captions(), c.captions);
        EXPECT_EQ(page_.Form()[kDownloadLogs].visible, true);
        EXPECT_EQ(prompts_.OfKind("progress").size(), prompts_.OfKind("destroy").size());
        EXPECT_EQ(prompts_.waitDepth, 0);
        CloseCommPort();
    }
}

}  // namespace
