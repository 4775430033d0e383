// The "<PASSWORDS>" group: the validation of an entry, what SetPasswords stores and sends for
// each field, the On/Off bits, the read-back after Yes and No, and the allowed-characters
// tooltip.
#include "pages/settings/panel_passwords.h"
#include "protocol/block_tables.h"
#include "tests/pages/diag_page_fixture.h"

namespace {

using namespace testing_support;
using namespace ids::diag;

struct Check {
    std::string entry;
    std::string levelDefault;
    std::string checked;
};

TEST(CheckPassword, KeepsFourAllowedCharactersAndReplacesAnythingElseByTheDefault) {
    const Check checks[] = {
        {"AB12", "8869", "AB12"},
        {"ab1z", "8837", "AB1Z"},  // lower case becomes capitals
        {"", "8869", ""},          // empty stays empty
        {"AB", "8869", "8869"},    // too short
        {"AB", "8906", "8906"},
        {"A-12", "8869", "8869"},  // a character outside A-Z, 0-9
        {"A-12", "8906", "8906"},
        {"ABCDE", "8869", "ABCD"},       // characters after the fourth are dropped
        {"AB\xC3\x9C", "8869", "8869"},  // above 127
        {"AB 1", "8837", "8837"},
        {std::string("A\0CD", 4), "8869", "8869"},
    };
    for (const Check& c : checks) {
        EXPECT_EQ(CheckPassword(c.entry, c.levelDefault), c.checked) << c.entry;
    }
}

struct Entry {
    int id;
    std::string typed;
    unsigned reg;  // bank 11, the first of the pair
    uint16_t sentHigh;
    uint16_t sentLow;
};

TEST_F(DiagPageTest, SetPasswordsValidatesPacksAndSendsEachEntry) {
    Connect();
    page_.GetPasswords(prompts_);
    const uint16_t heldSystem[2] = {Panel(11, 224), Panel(11, 225)};
    const std::vector<std::vector<Entry>> batches = {
        {
            {kFirstLevelPassword, "ab12", 200, 'A' << 8 | 'B', '1' << 8 | '2'},
            {kFirstLevelPassword + 1, "AB", 202, '8' << 8 | '8', '6' << 8 | '9'},
            {kFirstLevelPassword + 11, "A-12", 222, '8' << 8 | '9', '0' << 8 | '6'},
            {kFirstLevelPassword + 5, "", 210, 0, 0},
            {kFirstLevelPassword + 9, "ZZ99X", 218, 'Z' << 8 | 'Z', '9' << 8 | '9'},
            // Lower case is not accepted for System: field and registers keep what they held.
            {kSystemPassword, "ab12", 224, heldSystem[0], heldSystem[1]},
        },
        {
            {kSystemPassword, "NEW1", 224, 'N' << 8 | 'E', 'W' << 8 | '1'},
        },
        {
            {kSystemPassword, "", 224, 0, 0},  // an empty System entry passes unchanged
        },
    };
    for (const auto& batch : batches) {
        for (const Entry& e : batch) {
            Type(e.id, e.typed);
        }
        ForgetRequests();
        prompts_.answers = {PromptAnswer::kYes};
        page_.SetPasswords(prompts_);
        for (const Entry& e : batch) {
            EXPECT_EQ(Panel(11, e.reg), e.sentHigh) << e.typed;
            EXPECT_EQ(Panel(11, e.reg + 1), e.sentLow) << e.typed;
        }
        std::vector<std::string> expected;
        AppendTable(expected, "W", kPasswordsBlockTable, kPasswordsWriteBlocks);
        AppendTable(expected, "R", kPasswordsBlockTable, kPasswordsReadBlocks);
        EXPECT_EQ(SeenText(), expected);
    }
}

TEST_F(DiagPageTest, TheFieldsShowTheCheckedEntriesUntilTheReadBack) {
    // Store-only (a configuration file being saved): the checked entries stay visible.
    Flags().storeOnly = true;
    StoreSlot(11, 224) = 'S' << 8 | 'Y';
    Type(kFirstLevelPassword, "ab12");
    Type(kFirstLevelPassword + 2, "R-1");
    Type(kSystemPassword, "sys1");
    page_.SetPasswords(prompts_);
    EXPECT_EQ(Text(kFirstLevelPassword), "AB12");
    EXPECT_EQ(Text(kFirstLevelPassword + 2), "8869");
    EXPECT_EQ(Text(kSystemPassword), "sys1");
    EXPECT_EQ(StoreSlot(11, 224), 'S' << 8 | 'Y');
    EXPECT_EQ(StoreSlot(11, 200), 'A' << 8 | 'B');
    EXPECT_TRUE(prompts_.Boxes().empty());
}

TEST_F(DiagPageTest, NoSendsNothingButStillReadsThePasswordsBack) {
    Connect();
    page_.GetPasswords(prompts_);
    const std::string held = Text(kFirstLevelPassword);
    ForgetRequests();
    Type(kFirstLevelPassword, "QQQQ");
    prompts_.answers = {PromptAnswer::kNo};
    page_.SetPasswords(prompts_);
    std::vector<std::string> expected;
    AppendTable(expected, "R", kPasswordsBlockTable, kPasswordsReadBlocks);
    EXPECT_EQ(SeenText(), expected);
    EXPECT_EQ(Text(kFirstLevelPassword), held);
    EXPECT_EQ(prompts_.Boxes()[0].text, "<PWDS> Settings");
}

TEST_F(DiagPageTest, EachOnOffListChangesOnlyItsOwnBit) {
    for (int bit = 0; bit < 12; ++bit) {
        StoreSlot(11, 199) = 0x0555;
        Choose(kFirstOnOff + bit, "ON");
        EXPECT_EQ(StoreSlot(11, 199), 0x0555 | 1 << bit) << bit;
        Choose(kFirstOnOff + bit, "OFF");
        EXPECT_EQ(StoreSlot(11, 199), 0x0555 & ~(1 << bit)) << bit;
    }
}

}  // namespace
