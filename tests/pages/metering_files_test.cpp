// The metering ("_MTR.csv") and harmonics ("_HAR.csv") exports against the simulated panel,
// compared byte for byte with files written out here by hand; their dialogs, a cancel, and a
// file that cannot be written.
#include <filesystem>

#include "protocol/block_tables.h"
#include "tests/pages/metering_page_fixture.h"

namespace {

using namespace testing_support;

std::string Here(const std::string& name) {
    return (std::filesystem::current_path() / name).string();
}

TEST_F(MeteringPageTest, MeteringFileByteForByte) {
    auto& panel = Connect({.loadDefaults = false});
    const std::pair<unsigned, uint16_t> bank8[] = {
        {71, 1205},   {72, 10863},           {73, 26793},  // VLOAD_FWD_MIN 120.5, 15 March 2011
        {107, 65535}, {108, 10863},                        // ILOAD_FWD_MIN -1
        {119, 95},                                         // PF_MIN 0.95
        {164, 602},   {165, 10863 | 0x8000},               // FREQUENCY_MAX; bit 15 is no date
    };
    for (const auto& [reg, value] : bank8) {
        panel.setRegister(8, reg, value);
    }
    const std::pair<unsigned, uint16_t> bank9[] = {
        {3, 1},    {4, 2},    {7, 10863}, {8, 26793}, {5, 2345}, {9, 65535},
        {12, 402}, {15, 187}, {18, 415},  {19, 2133}, {24, 1},   {1, 65533},
    };
    for (const auto& [reg, value] : bank9) {
        panel.setRegister(9, reg, value);
    }
    panel.setRegister(10, 51, 4);  // no such tap control mode
    panel.setRegister(10, 11, 1);  // D/M/Y; changed to Y/M/D once read, for the reset date
    panel.setRequestObserver([&panel](const sim::Request& r) {
        if (r.bank == 10 && r.start == 11) {
            panel.setRegister(10, 11, 2);
        }
    });
    prompts_.fileNames = {"meter.csv"};
    EXPECT_EQ(page_.ExportMetering(prompts_), ExportOutcome::kWritten);

    const std::string path = Here("meter.csv");
    const std::string expected = "MIN MAX Metering Info with Time Stamps,\r\n" + path +
                                 "\r\n"
                                 "Data Type,Value,Date,Time\r\n"
                                 "VLOAD_FWD_MIN,120.50,15/03/2011,13:05:09\r\n"
                                 "VLOAD_FWD_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "VLOAD_REV_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "VLOAD_REV_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "VSOURCE_FWD_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "VSOURCE_FWD_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "VSOURCE_REV_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "VSOURCE_REV_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "VCOMP_FWD_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "VCOMP_FWD_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "VCOMP_REV_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "VCOMP_REV_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "ILOAD_FWD_MIN,-1.00,15/03/2011,00:00:00\r\n"
                                 "ILOAD_FWD_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "ILOAD_REV_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "ILOAD_REV_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "PF_MIN,0.95,00/00/1990,00:00:00\r\n"
                                 "PF_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "KVA_FWD_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "KVA_FWD_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "KVA_REV_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "KVA_REV_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "KW_FWD_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "KW_FWD_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "KW_REV_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "KW_REV_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "KVAR_FWD_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "KVAR_FWD_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "KVAR_REV_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "KVAR_REV_MAX,0.00,00/00/1990,00:00:00\r\n"
                                 "FREQUENCY_MIN,0.00,00/00/1990,00:00:00\r\n"
                                 "FREQUENCY_MAX,60.20,15/03/2011,00:00:00\r\n"
                                 "\r\n"
                                 "<COUNTERS>\r\n"
                                 "Total Ops:,131073\r\n"
                                 "Reset Date:,2011/03/15\r\n"
                                 "Reset Time:,13:05:09\r\n"
                                 "Elapsed Ops:,2345\r\n"
                                 "24 Hr Ops:,65535\r\n"
                                 "30 Day Ops:,402\r\n"
                                 "MTD Ops:,187\r\n"
                                 "Last Month Ops:,415\r\n"
                                 "YTD Ops:,2133\r\n"
                                 "Last Year Ops:,65536\r\n"
                                 "Tap Control:,\r\n"
                                 "Tap position:,-3";
    EXPECT_EQ(ReadFile(path), expected);

    // The panel's values first, then the dialog, then the date order twice.
    std::vector<std::string> requests;
    AppendTable(requests, "R", kMinMaxBlockTable, kMinMaxReadBlocks);
    AppendTable(requests, "R", kCountersBlockTable, kCountersReadBlocks);
    requests.insert(requests.end(), {"R 10/11x1", "R 10/11x1"});
    EXPECT_EQ(SeenText(), requests);
    const auto saves = prompts_.OfKind("save");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0]->requestsBefore, 18u);
    EXPECT_EQ(saves[0]->file.title, "Save Metering Data File");
    EXPECT_EQ(saves[0]->file.defaultName, "Mon_Dec_07_03_04_09_2026_PM_MTR.csv");
    EXPECT_EQ(saves[0]->file.extension, "csv");
    EXPECT_EQ(saves[0]->file.filter, "CSV FILE (*.csv)|*.csv||");
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].caption, "File Created");
    EXPECT_EQ(prompts_.Boxes()[0].text, path);
    EXPECT_EQ(prompts_.waitDepth, 0);
}

TEST_F(MeteringPageTest, HarmonicsFileByteForByte) {
    auto& panel = Connect({.loadDefaults = false});
    // Array A (load voltage) 11/80, 81, 86..117; B (load current) 11/82, 83, 121..152;
    // C (source voltage) 11/84, 85, 161..192.
    const std::pair<unsigned, uint16_t> bank11[] = {
        {80, 21},    {81, 18}, {86, 5},  {87, 1200}, {117, 3},    {82, 30},     {83, 25},
        {122, 3120}, {152, 7}, {84, 35}, {85, 33},   {162, 1187}, {192, 65535},
    };
    for (const auto& [reg, value] : bank11) {
        panel.setRegister(11, reg, value);
    }
    prompts_.fileNames = {"harmonics.csv"};
    EXPECT_EQ(page_.ExportHarmonics(prompts_), ExportOutcome::kWritten);

    const std::string path = Here("harmonics.csv");
    const std::string expected =
        "\r\n"
        "Harmonics Data, " +
        path +
        "\r\n"
        "Data Type,Vload,VSource,Iload\r\n"
        "THD,2.1,3.5,3.0\r\n"
        "HARM_RMS,1.8,3.3,2.5\r\n"
        "DC_RMS,0.5,0.0,0.0\r\n"
        "1ST_RMS,120.0,118.7,312.0\r\n"
        "2ND_RMS,0.0,0.0,0.0\r\n"
        "3RD_RMS,0.0,0.0,0.0\r\n"
        "4TH_RMS,0.0,0.0,0.0\r\n"
        "5TH_RMS,0.0,0.0,0.0\r\n"
        "6TH_RMS,0.0,0.0,0.0\r\n"
        "7TH_RMS,0.0,0.0,0.0\r\n"
        "8TH_RMS,0.0,0.0,0.0\r\n"
        "9TH_RMS,0.0,0.0,0.0\r\n"
        "10TH_RMS,0.0,0.0,0.0\r\n"
        "11TH_RMS,0.0,0.0,0.0\r\n"
        "12TH_RMS,0.0,0.0,0.0\r\n"
        "13TH_RMS,0.0,0.0,0.0\r\n"
        "14TH_RMS,0.0,0.0,0.0\r\n"
        "15TH_RMS,0.0,0.0,0.0\r\n"
        "16TH_RMS,0.0,0.0,0.0\r\n"
        "17TH_RMS,0.0,0.0,0.0\r\n"
        "18TH_RMS,0.0,0.0,0.0\r\n"
        "19TH_RMS,0.0,0.0,0.0\r\n"
        "20TH_RMS,0.0,0.0,0.0\r\n"
        "21ST_RMS,0.0,0.0,0.0\r\n"
        "22ND_RMS,0.0,0.0,0.0\r\n"
        "23RD_RMS,0.0,0.0,0.0\r\n"
        "24TH_RMS,0.0,0.0,0.0\r\n"
        "25TH_RMS,0.0,0.0,0.0\r\n"
        "26TH_RMS,0.0,0.0,0.0\r\n"
        "27TH_RMS,0.0,0.0,0.0\r\n"
        "28TH_RMS,0.0,0.0,0.0\r\n"
        "29TH_RMS,0.0,0.0,0.0\r\n"
        "30TH_RMS,0.0,0.0,0.0\r\n"
        "31ST_RMS,0.3,6553.5,0.7\r\n";
    EXPECT_EQ(ReadFile(path), expected);

    std::vector<std::string> requests;
    AppendTable(requests, "R", kHarmonicsBlockTable, kHarmonicsReadBlocks);
    EXPECT_EQ(SeenText(), requests);
    const auto saves = prompts_.OfKind("save");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0]->file.title, "Save Harmonics Data File");
    EXPECT_EQ(saves[0]->file.defaultName, "Mon_Dec_07_03_04_09_2026_PM_HAR.csv");
    EXPECT_EQ(saves[0]->file.filter, "CSV FILE (*.csv)|*.csv||");
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"File Created"});
}

TEST_F(MeteringPageTest, ACancelledOrUnwritableExportLeavesNoFile) {
    Connect();
    prompts_.fileNames = {std::nullopt, "no-such-folder/meter.csv", std::nullopt};
    EXPECT_EQ(page_.ExportMetering(prompts_), ExportOutcome::kCancelled);
    EXPECT_EQ(SeenText().size(), static_cast<std::size_t>(kMinMaxReadBlocks + kCountersReadBlocks));
    EXPECT_TRUE(prompts_.Boxes().empty());

    EXPECT_EQ(page_.ExportMetering(prompts_), ExportOutcome::kNotWritten);
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"FILE NOT WRITTEN"});
    EXPECT_FALSE(std::filesystem::exists("no-such-folder"));

    EXPECT_EQ(page_.ExportHarmonics(prompts_), ExportOutcome::kCancelled);
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::current_path()));
    EXPECT_EQ(prompts_.waitDepth, 0);
}

}  // namespace
