// The Maintenance page's own steps over the real path: the clear lists and button, "Maintain
// Records" N on refresh, backup and restore, the answers No, and the not-connected box.
#include <filesystem>
#include <fstream>

#include "pages/data/maintenance_page.h"
#include "resources/ids/maintenance.h"
#include "tests/support/page_test.h"

namespace testing_support {
namespace {

namespace text = maintenance_text;
using namespace ids::maintenance;
using MaintenancePage = PageTest<CPPFive>;

constexpr int kStatusFields[] = {kContactsOverall, kMovingContact, kContact0,     kContact0 + 1,
                                 kContact0 + 2,    kContact0 + 3,  kContact0 + 4, kContact0 + 5,
                                 kContact0 + 6,    kContact0 + 7,  kContact0 + 8};

constexpr char kBackup[] =
    "//Maintenance Data\n10,219,0\n10,220,1\n10,221,2\n10,222,3\n10,223,4\n10,224,5\n10,225,6\n"
    "10,226,7\n10,227,8\n10,228,9\n10,229,a\n10,230,b\n//Maintenance Data";

TEST_F(MaintenancePage, TheClearButtonSendsWhatTheClearListsLeft) {
    Connect();
    struct Case {
        int list;
        const char* pick;
        std::vector<PromptAnswer> answers;
        const char* caption;  // of the question, "" for none
        uint16_t sent;
    };
    const Case kCases[] = {
        {kClearAll, "Y", {PromptAnswer::kYes}, text::kClearAllCaption, 2},
        {kClearAll, "Y", {PromptAnswer::kNo}, text::kClearAllCaption, 0},
        {kClearAll, "N", {}, "", 0},
        {kClearOpCounters, "Y", {PromptAnswer::kYes}, text::kClearCountersCaption, 1},
        {kClearOpCounters, "Y", {PromptAnswer::kNo}, text::kClearCountersCaption, 0},
        {kClearOpCounters, "N", {}, "", 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::to_string(c.list) + " " + c.pick);
        StoreSlot(10, 219) = 7;
        ForgetRequests();
        prompts_.answers.assign(c.answers.begin(), c.answers.end());
        Choose(c.list, c.pick);
        EXPECT_EQ(prompts_.Captions(), c.answers.empty() ? std::vector<std::string>{}
                                                         : std::vector<std::string>{c.caption});
        Press(kClearData);
        EXPECT_EQ(SeenText(), (std::vector<std::string>{"W 10/219x1"}));
        EXPECT_EQ(Written(), (std::vector<std::vector<uint16_t>>{{c.sent}}));
    }
    prompts_.calls.clear();
    prompts_.answers = {PromptAnswer::kNo};
    Choose(kClearOpCounters, "Y");
    EXPECT_EQ(prompts_.Boxes()[0].text, text::kClearCountersQuestion);
}

TEST_F(MaintenancePage, RecordsNotKeptShowsNotAvailableAndStopsBackupAndRestore) {
    Connect();
    panel_->setRegister(10, 209, 0);
    Press(kRefresh);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"MAINTENANCE DISABLED"}));
    EXPECT_EQ(prompts_.Boxes()[0].text, "MaintainRcrds? is set to N");
    for (int id : kStatusFields) {
        EXPECT_EQ(Text(id), "N/A") << id;
    }
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/209x1"}));

    ForgetRequests();
    prompts_.answers = {PromptAnswer::kYes};
    EXPECT_EQ(page_.BackUp(prompts_), MaintenanceOutcome::kDisabled);
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{text::kBackUpCaption, "MAINTENANCE DISABLED"}));
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/209x1"}));
    EXPECT_TRUE(std::filesystem::is_empty(cwd_.dir()));

    // A restore keeps the file's values in the store and sends nothing.
    std::ofstream("backup.mn0") << kBackup;
    ForgetRequests();
    prompts_.fileNames = {std::string("backup.mn0")};
    EXPECT_EQ(page_.Restore(prompts_), MaintenanceOutcome::kDisabled);
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{"Verify Screens", "MAINTENANCE DISABLED"}));
    EXPECT_EQ(prompts_.Boxes()[1].text,
              "MaintainRcrds? is set to N \n Enable this setting to Upload Backed Up data");
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/209x1"}));
    EXPECT_EQ(StoreSlot(10, 230), 11);
}

// A silent panel is not one that keeps no records, and a restore whose write got no reply is
// not one to reboot for.
TEST_F(MaintenancePage, WithoutRepliesNothingIsClaimed) {
    Connect();
    std::ofstream("backup.mn0") << kBackup;
    struct Case {
        const char* what;
        std::function<bool(const sim::Request&)> silent;
        const char* caption;  // the last box
    };
    const Case cases[] = {
        {"records", [](const sim::Request& r) { return r.start == 209; }, "NO REPLY FROM PANEL"},
        {"restore write", [](const sim::Request& r) { return r.op == sim::Operation::kWrite; },
         "MAINTENANCE DATA NOT CONFIRMED"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        panel_->injectFault(sim::Fault::Silence(), 1, c.silent);
        ForgetRequests();
        prompts_.answers = {PromptAnswer::kYes};
        prompts_.fileNames = {std::string("backup.mn0")};
        EXPECT_EQ(page_.Restore(prompts_), MaintenanceOutcome::kNoReply);
        EXPECT_EQ(prompts_.Captions().back(), c.caption);
        panel_->clearFaults();
    }
    panel_->injectFault(sim::Fault::Silence(), 1, cases[0].silent);
    ForgetRequests();
    Press(kRefresh);
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"NO REPLY FROM PANEL"}));
    EXPECT_EQ(Text(kContactsOverall), "");
}

TEST_F(MaintenancePage, AnsweringNoCancelsABackupAndKeepsARestoreFromThePanel) {
    Connect();
    prompts_.answers = {PromptAnswer::kNo};
    EXPECT_EQ(page_.BackUp(prompts_), MaintenanceOutcome::kCancelled);
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{text::kBackUpCaption, "MAINTENANCE DOWNLOAD CANCELLED"}));
    EXPECT_EQ(prompts_.Boxes()[1].text, "Maintenance Download Cancelled");
    EXPECT_TRUE(SeenText().empty());

    std::ofstream("backup.mn0") << kBackup;
    ForgetRequests();
    prompts_.answers = {PromptAnswer::kNo};
    prompts_.fileNames = {std::string("backup.mn0")};
    EXPECT_EQ(page_.Restore(prompts_), MaintenanceOutcome::kNotSent);
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{"Verify Screens", "CONFIRM SETTINGS",
                                        " BACKED UP Maintenance DATA NOT UPLOADED"}));
    EXPECT_EQ(prompts_.Boxes()[1].text, "Set Maintenance Data \n (Send to Panel)");
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/209x1"}));
    EXPECT_EQ(Text(kContactsOverall), "EXCELLENT");
    EXPECT_EQ(StoreSlot(10, 220), 11);  // the largest counter, formed before the question
}

TEST_F(MaintenancePage, SetAsksBeforeSendingSettingsThatWereNotRead) {
    Connect();
    prompts_.answers = {PromptAnswer::kNo};
    Press(kSetSettings);  // no Get in this page window yet
    EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"INCOMPLETE DATA"}));
    EXPECT_TRUE(SeenText().empty());
}

TEST_F(MaintenancePage, EveryPanelActionButRefreshNeedsAConnection) {
    for (int button : {kGetSettings, kSetSettings, kClearData, kBackUp, kLoadBackUp}) {
        prompts_.calls.clear();
        Press(button);
        EXPECT_EQ(prompts_.Captions(), (std::vector<std::string>{"NOT CONNECTED"})) << button;
        EXPECT_EQ(prompts_.Boxes()[0].text, "PLEASE CHECK CONNECTION");
    }
    EXPECT_EQ(RequestTotals().requests, 0u);
}

}  // namespace
}  // namespace testing_support
