// "Quick Key Config" against the simulated panel: the selection rule of the fifteen items, the
// screen names shown for register values, and the Set, Clear and default actions.
#include "pages/data/quick_screen_names.h"
#include "tests/pages/logs_page_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::logs;

std::vector<uint16_t> QuickRegisters(const sim::PtyPanel& panel) {
    std::vector<uint16_t> values;
    for (unsigned k = 0; k < 15; ++k) {
        values.push_back(panel.getRegister(10, 161 + k));
    }
    return values;
}

TEST_F(LogsPageTest, NoneEndsTheMenuAndOnlyAValidPickOpensTheNextItem) {
    for (int k = 2; k <= 15; ++k) {
        EXPECT_EQ(page_.Form()[QuickItem(k)].enabled.IsSet(), false) << k;  // as the form has it
    }
    page_.Form()[kQuickTimeout].text = "5";
    page_.Form()[kQuickDisplayTime].text = "3";
    const char* picks[] = {"tap screen", "vs screen", "kz3a_vrc screen", "ild screen"};
    for (int k = 1; k <= 4; ++k) {
        Choose(QuickItem(k), picks[k - 1]);
        EXPECT_EQ(page_.Form()[QuickItem(k + 1)].enabled, true) << k;
    }
    EXPECT_EQ(LogsState().quickMenu[2], 125);
    Choose(QuickItem(5), "tap_ctl_sw screen");

    Choose(QuickItem(4), "NONE");
    for (int k = 4; k <= 15; ++k) {
        EXPECT_EQ(LogsState().quickMenu[static_cast<std::size_t>(k - 1)], 65535) << k;
    }
    EXPECT_EQ(LogsState().quickMenu[2], 125);
    EXPECT_EQ(page_.Form()[QuickItem(4)].enabled, true);  // item 4 stays open
    for (int k = 5; k <= 15; ++k) {
        EXPECT_EQ(page_.Form()[QuickItem(k)].enabled, false) << k;
        EXPECT_EQ(Selected(QuickItem(k)), "NONE") << k;
    }
    EXPECT_EQ(Text(kQuickTimeout), "5");
    EXPECT_EQ(Text(kQuickDisplayTime), "3");

    // Text typed into an item is no screen either.
    ChooseOrType(QuickItem(2), "my screen");
    EXPECT_EQ(LogsState().quickMenu[1], 65535);
    EXPECT_EQ(page_.Form()[QuickItem(3)].enabled, false);
    EXPECT_TRUE(prompts_.Boxes().empty());
}

TEST_F(LogsPageTest, GetShowsTheScreenOfEachValueAndNoneAbove230) {
    struct Shown {
        uint16_t value;
        std::string name;
    };
    const Shown cases[] = {
        {0, "...<METER>...vld screen"},
        {125, "kz3a_vrc screen"},
        {230, "tap_ctl_sw screen"},
        {231, "NONE"},
        {65535, "NONE"},
        {105, "...<REGULATOR>... fwd_volts screen"},
    };
    auto& panel = Connect();
    panel.setRegister(10, 176, 4);
    panel.setRegister(10, 177, 12);
    for (unsigned k = 0; k < std::size(cases); ++k) {
        panel.setRegister(10, 161 + k, cases[k].value);
    }
    page_.GetQuickMenu(prompts_);
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/161x15", "R 10/176x2"}));
    for (unsigned k = 0; k < std::size(cases); ++k) {
        EXPECT_EQ(Selected(QuickItem(static_cast<int>(k) + 1)), cases[k].name) << cases[k].value;
    }
    EXPECT_EQ(Text(kQuickTimeout), "12");
    EXPECT_EQ(Text(kQuickDisplayTime), "4");
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(page_.Form()[QuickItem(2)].enabled.IsSet(), false);  // Get enables nothing
}

TEST_F(LogsPageTest, SetSendsThePicksWithoutAQuestionAndClearEmptiesTheMenu) {
    auto& panel = Connect();
    Choose(QuickItem(1), "pf screen");
    Choose(QuickItem(2), "NONE");
    page_.SetQuickMenu(prompts_);
    std::vector<uint16_t> expected(15, 65535);
    expected[0] = 12;
    EXPECT_EQ(QuickRegisters(panel), expected);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(Selected(QuickItem(1)), "pf screen");  // as read back

    ForgetRequests();
    page_.ClearQuickMenu(prompts_);
    EXPECT_EQ(QuickRegisters(panel), std::vector<uint16_t>(15, 65535));
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"W 10/161x15", "R 10/161x15", "R 10/176x2"}));
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].text, "Current Quick CFG is Empty");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "QUICK CFG");
    EXPECT_EQ(Selected(QuickItem(1)), "NONE");
}

TEST_F(LogsPageTest, TheDefaultMenuNamesItsFifteenScreens) {
    auto& panel = Connect();
    page_.SetDefaultQuickMenu(prompts_);
    EXPECT_EQ(QuickRegisters(panel), (std::vector<uint16_t>{102, 88, 79, 80, 92, 159, 160, 161, 0,
                                                            3, 9, 12, 220, 230, 195}));
    const char* names[] = {"tap screen",
                           "ser_number screen",
                           "...< DIAG>...U2_auto_cal screen",
                           "P2_auto_cal screen",
                           "...<COUNTERS>...total_ops screen",
                           "U2_pt_ratio screen",
                           "P2_pt_ratio screen",
                           "ct_ratio screen",
                           "...<METER>...vld screen",
                           "vs screen",
                           "ild screen",
                           "pf screen",
                           "alert_enable_disable screen",
                           "tap_ctl_sw screen",
                           "reg_id screen"};
    for (int k = 1; k <= 15; ++k) {
        EXPECT_EQ(Selected(QuickItem(k)), names[k - 1]) << k;
    }
    ASSERT_EQ(prompts_.Boxes().size(), 1u);
    EXPECT_EQ(prompts_.Boxes()[0].text, "Korvant Quick Cfg Sent");
    EXPECT_EQ(prompts_.Boxes()[0].caption, "QUICK CFG");
}

}  // namespace
