// The Pseudo Manual page over the real path: what showing it reads, the mode texts, the single
// writes of Raise, Lower and the auto-inhibit button with its caption, and the page without a
// connection.
#include "pages/settings/pseudo_manual_page.h"
#include "resources/ids/pseudo_manual.h"
#include "tests/support/page_test.h"

namespace testing_support {
namespace {

using namespace ids::pseudo;
using PseudoManualPage = PageTest<CPPSix>;

std::string Caption(CPPSix& page) {
    return page.Form()[kAutoInhibit].caption.Or("(form)");
}

TEST_F(PseudoManualPage, ShowingThePageReadsTheModeAndAutoInhibit) {
    Connect();
    struct Row {
        uint16_t mode;
        uint16_t autoInhibit;
        const char* modeText;  // other values keep the text before
        const char* caption;
    };
    constexpr Row kTable[] = {
        {0, 0, "OFF", "Enable AUTO-INH"},       {1, 1, "MANUAL", "Disable AUTO-INH"},
        {2, 5, "AUTO-LOC", "Disable AUTO-INH"}, {3, 0, "AUTO-REM", "Enable AUTO-INH"},
        {4, 1, "AUTO-REM", "Disable AUTO-INH"}, {65535, 0, "AUTO-REM", "Enable AUTO-INH"},
    };
    for (const Row& row : kTable) {
        panel_->setRegister(10, 51, row.mode);
        panel_->setRegister(2, 42, row.autoInhibit);
        ForgetRequests();
        page_.OnShowChanged(true);
        EXPECT_EQ(Text(kMode), row.modeText) << row.mode;
        EXPECT_EQ(Caption(page_), row.caption) << row.autoInhibit;
        EXPECT_EQ(page_.AutoInhibitToggle(), row.autoInhibit == 0 ? 1 : 0);
        EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/51x1", "R 2/42x1"}));
    }
    ForgetRequests();
    page_.OnShowChanged(false);
    Press(kRefresh);
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/51x1", "R 2/42x1"}));
    EXPECT_TRUE(prompts_.Boxes().empty());
}

TEST_F(PseudoManualPage, RaiseLowerAndTheAutoInhibitButtonAreSingleWrites) {
    Connect();
    panel_->setRegister(9, 1, 3);
    panel_->setRegister(2, 42, 5);
    page_.OnShowChanged(true);
    ForgetRequests();
    Press(kRaise);
    Press(kRaise);
    Press(kLower);
    Press(kAutoInhibit);
    EXPECT_EQ(Caption(page_), "Enable AUTO-INH");
    Press(kAutoInhibit);
    EXPECT_EQ(Caption(page_), "Disable AUTO-INH");
    EXPECT_EQ(SeenText(),
              (std::vector<std::string>{"W 4/3x1", "W 4/3x1", "W 4/3x1", "W 2/42x1", "W 2/42x1"}));
    EXPECT_EQ(Written(), (std::vector<std::vector<uint16_t>>{{1}, {1}, {65535}, {0}, {1}}));
    EXPECT_EQ(panel_->getRegister(9, 1), 4);  // the simulated tap moved up two, down one
    EXPECT_EQ(panel_->getRegister(2, 42), 1);
    EXPECT_TRUE(prompts_.Boxes().empty());
}

// A silent panel is never shown as a setting: the mode says it did not answer, and the
// auto-inhibit button keeps what it offered, also after a press whose write got no reply.
TEST_F(PseudoManualPage, WithoutRepliesNothingIsShownAsTheAnswer) {
    Connect();
    panel_->setRegister(2, 42, 1);
    page_.OnShowChanged(true);
    ASSERT_EQ(Caption(page_), "Disable AUTO-INH");
    panel_->injectFault(sim::Fault::Silence(), 3);
    page_.OnShowChanged(true);
    EXPECT_EQ(Text(kMode), "NO REPLY");
    EXPECT_EQ(Caption(page_), "Disable AUTO-INH");
    Press(kAutoInhibit);
    EXPECT_EQ(Caption(page_), "Disable AUTO-INH");
    EXPECT_EQ(page_.AutoInhibitToggle(), 0);
}

TEST_F(PseudoManualPage, WithoutAConnectionTheModeSaysSoAndNothingIsSent) {
    page_.OnShowChanged(true);
    EXPECT_EQ(Text(kMode), "NOT CONNECTED");
    EXPECT_FALSE(page_.Form()[kAutoInhibit].caption.IsSet());
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(RequestTotals().requests, 0u);
}

}  // namespace
}  // namespace testing_support
