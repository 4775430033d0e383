// "Get Log Setup" and "Set Log Setup" against the simulated panel: the log-setup word and the
// interval as the page shows and sends them, the reads by panel version, and the stops before
// anything is sent.
#include "protocol/block_tables.h"
#include "tests/pages/logs_page_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::logs;

// Every ON/OFF list, by the bit it shows.
const std::vector<std::pair<int, int>> kBitLists = {
    {kLogEvent, 0},        {kEventTap, 1},       {kEventVlc, 2},         {kEventVrc, 3},
    {kEventNeutral, 4},    {kEventNnRaise, 5},   {kEventNnLower, 6},     {kEventAlert, 7},
    {kEventConfig, 8},     {kEventPowerFlow, 9}, {kEventPowerCycle, 10}, {kLogInterval, 12},
    {kResetLogMinMax, 13},
};

struct SetupCase {
    uint16_t word;               // 11/1 on the panel
    uint16_t interval;           // 11/3 on the panel
    std::string hours, minutes;  // shown after the Get
    std::vector<std::pair<int, std::string>> picks;
    uint16_t wordSent, intervalSent;
};

TEST_F(LogsPageTest, TheSetupWordAndIntervalGoBackAsShownAndPicked) {
    const SetupCase cases[] = {
        {0x1001, 90, "1", "30", {}, 0x1001, 90},
        // Bits 11, 14 and 15 have no list and go back as read.
        {0xC801, 15, "0", "15", {}, 0xC801, 15},
        {0xC801, 15, "0", "15", {{kLogEvent, "OFF"}}, 0xC800, 15},
        {0x1001, 90, "1", "30", {{kIntervalHours, "2"}, {kIntervalMinutes, "5"}}, 0x1001, 125},
        {0x0000, 0, "0", "0", {{kEventTap, "ON"}, {kLogEvent, "ON"}}, 0x0003, 0},
        {0x3FFF, 5999, "99", "59", {{kResetLogMinMax, "OFF"}}, 0x1FFF, 5999},
    };
    auto& panel = Connect();
    for (const SetupCase& c : cases) {
        panel.setRegister(11, 1, c.word);
        panel.setRegister(11, 3, c.interval);
        page_.GetLogSetup(prompts_);
        for (const auto& [id, bit] : kBitLists) {
            EXPECT_EQ(Selected(id), (c.word >> bit) & 1 ? "ON" : "OFF") << c.word << " bit " << bit;
        }
        EXPECT_EQ(Selected(kIntervalHours), c.hours) << c.interval;
        EXPECT_EQ(Selected(kIntervalMinutes), c.minutes) << c.interval;
        for (const auto& [id, text] : c.picks) {
            Choose(id, text);
        }
        prompts_.answers = {PromptAnswer::kYes};
        page_.SetLogSetup(prompts_);
        EXPECT_EQ(panel.getRegister(11, 1), c.wordSent) << c.word;
        EXPECT_EQ(panel.getRegister(11, 3), c.intervalSent) << c.interval;
    }
    EXPECT_EQ(prompts_.Boxes().size(), std::size(cases));
    EXPECT_EQ(prompts_.Boxes()[0].text, "<LOG> Settings");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "CONFIRM SETTINGS");
}

TEST_F(LogsPageTest, PanelsBefore410ReadTheWordAndIntervalOnlyButGetTheWholeTable) {
    struct VersionCase {
        unsigned version;
        std::vector<std::string> get;
    };
    const VersionCase cases[] = {
        {409, {"R 11/1x1", "R 11/3x1"}},
        {410, {"R 11/1x1", "R 10/216x1", "R 11/3x1"}},
    };
    for (const VersionCase& c : cases) {
        auto& panel = Connect(c.version);
        panel.setRegister(10, 216, 1);
        StoreSlot(10, 216) = 0;
        page_.GetLogSetup(prompts_);
        EXPECT_EQ(SeenText(), c.get) << c.version;
        // An older panel's 10/216 is never read: the list shows what the store held.
        EXPECT_EQ(Selected(kLogMinMax), c.version >= 410 ? "Dmd" : "Inst") << c.version;
        ForgetRequests();
        // An older panel's 10/216 was never read: sending the store's value is asked first.
        const bool unread = c.version < 410;
        prompts_.answers = {PromptAnswer::kYes, PromptAnswer::kYes};
        prompts_.answers.resize(unread ? 2 : 1);
        page_.SetLogSetup(prompts_);
        EXPECT_EQ(prompts_.Captions().front(), unread ? "INCOMPLETE DATA" : "CONFIRM SETTINGS");
        prompts_.calls.clear();
        std::vector<std::string> set = {"W 11/1x1", "W 10/216x1", "W 11/3x1"};
        set.insert(set.end(), c.get.begin(), c.get.end());
        EXPECT_EQ(SeenText(), set) << c.version;
        CloseCommPort();
    }
}

TEST_F(LogsPageTest, SetStopsBeforeThePanelWhereItMust) {
    // A configuration-file save: the choices go into the store only, silently, unconnected.
    LogsState().bits[0] = 1;
    LogsState().bits[12] = 1;
    LogsState().intervalHours = 2;
    Flags().storeOnly = true;
    page_.SetLogSetup(prompts_);
    EXPECT_TRUE(prompts_.calls.empty());
    EXPECT_EQ(StoreSlot(11, 1), 0x1001);
    EXPECT_EQ(StoreSlot(11, 3), 120);
    Flags().storeOnly = false;

    page_.SetLogSetup(prompts_);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"NOT CONNECTED"}));

    // Connected, but nothing read in this window yet: INCOMPLETE DATA comes first.
    auto& panel = Connect();
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    page_.SetLogSetup(prompts_);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"INCOMPLETE DATA"}));
    EXPECT_TRUE(SeenText().empty());
    EXPECT_EQ(panel.getRegister(11, 1), 0x159F);
}

}  // namespace
