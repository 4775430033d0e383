// The "<ALERTS>" group: each alert's state shown as text and colour with the time and date it
// was raised, the "ACK:" picks, and acknowledging.
#include "pages/settings/panel_alerts.h"
#include "protocol/block_tables.h"
#include "sim/panel_registers.h"
#include "tests/pages/diag_page_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::diag;

constexpr Rgb kGrey{217, 217, 217};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

struct AlertRow {
    int alert;  // row of the page
    uint16_t status80;
    uint16_t status81;
    uint16_t dateOrder;
    std::string status;
    Rgb colour;
    std::string date;
    std::string time;
};

TEST_F(DiagPageTest, EachAlertShowsItsStateColourAndWhenItWasRaised) {
    Connect();
    for (unsigned reg = 85; reg <= 113; reg += 2) {
        panel_->setRegister(10, reg, sim::PackTime(13, 5, 9));
        panel_->setRegister(10, reg + 1, sim::PackDate(2011, 3, 15));
    }
    const AlertRow rows[] = {
        {0, 0x0001, 0, 0, "ACTIVE", kRed, "03/15/2011", "13:05:09"},
        {0, 0x0002, 0, 1, "ACK", kBlue, "15/03/2011", "13:05:09"},
        {0, 0x0003, 0, 2, "ACT & ACK", kRed, "2011/03/15", "13:05:09"},
        {0, 0xFFFC, 0xFFFF, 0, "Inactive", kGrey, "", ""},
        {0, 0x0001, 0, 3, "ACTIVE", kRed, "", "13:05:09"},            // no date in an unknown order
        {3, 0x0400, 0, 0, "ACTIVE", kRed, "03/15/2011", "13:05:09"},  // Low PT, bits 10..11
        {5, 0x8000, 0, 0, "ACK", kBlue, "03/15/2011", "13:05:09"},    // NV RAM, bits 14..15
        {6, 0, 0x0002, 0, "ACK", kBlue, "03/15/2011", "13:05:09"},    // Low Battery
        {12, 0, 0x3000, 0, "ACT & ACK", kRed, "03/15/2011", "13:05:09"},  // Pseudo Manual
        {12, 0xFFFF, 0xCFFF, 0, "Inactive", kGrey, "", ""},
    };
    for (const AlertRow& row : rows) {
        panel_->setRegister(10, 80, row.status80);
        panel_->setRegister(10, 81, row.status81);
        panel_->setRegister(10, 11, row.dateOrder);
        page_.GetActiveAlerts(prompts_);
        const ControlState& status = page_.Form()[kStatusFields[row.alert]];
        SCOPED_TRACE(row.alert);
        EXPECT_EQ(status.text, row.status);
        EXPECT_TRUE(status.background == row.colour);
        EXPECT_EQ(Text(kDateFields[row.alert]), row.date);
        EXPECT_EQ(Text(kTimeFields[row.alert]), row.time);
    }
}

TEST_F(DiagPageTest, ChoosingDashClearsOnlyThatAlertsAcknowledgement) {
    Connect();
    panel_->setRegister(10, 80, 0x1001);  // Low Current and High Current active
    panel_->setRegister(10, 81, 0x0001);  // Low Battery active
    page_.GetActiveAlerts(prompts_);
    Choose(kAckLists[0], "ACK");  // Low Current
    Choose(kAckLists[4], "ACK");  // High Current
    Choose(kAckLists[1], "-");    // Auto Inhibit: nothing chosen for it
    Choose(kAckLists[4], "-");    // High Current after all not
    Choose(kAckLists[6], "ACK");  // Low Battery
    Choose(kAckLists[7], "ACK");  // High Voltage
    EXPECT_EQ(page_.HeldAlertStatus()[0], 0x1001 | 0x0002);
    EXPECT_EQ(page_.HeldAlertStatus()[1], 0x0001 | 0x0002 | 0x0008);

    ForgetRequests();
    page_.AcknowledgeAlerts(prompts_);
    EXPECT_EQ(Panel(10, 80), 0x1003);  // the state bits as read, with the chosen bit
    EXPECT_EQ(Panel(10, 81), 0x000B);
    const auto seen = SeenText();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0], "W 10/80x2");
    EXPECT_EQ(seen[1], "R 10/80x2");  // read again
    EXPECT_EQ(Text(kStatusFields[0]), "ACT & ACK");
    EXPECT_EQ(Text(kStatusFields[7]), "ACK");
    for (int id : kAckLists) {
        EXPECT_EQ(Selected(id), "-") << id;
    }
    EXPECT_TRUE(prompts_.Boxes().empty());  // no confirmation
}

TEST_F(DiagPageTest, AlertsAlwaysAskThePanelAndNeedAConnection) {
    page_.GetActiveAlerts(prompts_);
    page_.AcknowledgeAlerts(prompts_);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"NOT CONNECTED", "NOT CONNECTED"}));

    Connect().setRegister(10, 80, 0x0001);
    Flags().storeOnly = true;  // the store-only mode of a file operation does not apply here
    page_.GetActiveAlerts(prompts_);
    std::vector<std::string> expected = {"R 10/80x2"};
    AppendTable(expected, "R", kAlertsBlockTable, kAlertsReadBlocks);
    expected.insert(expected.end(), 1 + kAlertCount, "R 10/11x1");  // again for each alert
    EXPECT_EQ(SeenText(), expected);
    EXPECT_EQ(Text(kStatusFields[0]), "ACTIVE");
}

TEST_F(DiagPageTest, AcknowledgingAlertsNeverReadAsksBeforeWritingTheirWords) {
    Connect().setRegister(10, 80, 0x0001);
    prompts_.answers = {PromptAnswer::kNo};
    page_.AcknowledgeAlerts(prompts_);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"INCOMPLETE DATA"}));
    EXPECT_TRUE(SeenText().empty());  // the panel's state bits are not written over with 0
    page_.GetActiveAlerts(prompts_);
    ForgetRequests();
    page_.AcknowledgeAlerts(prompts_);
    EXPECT_TRUE(prompts_.Boxes().empty());
    EXPECT_EQ(panel_->getRegister(10, 80), 0x0001);
}

}  // namespace
