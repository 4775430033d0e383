// The Maintenance page's derived values over the real path: the grade of each contact after a
// refresh (contacts overall being the largest counter), and the mechanism code a Get selects
// from the full-load current.
#include "pages/data/maintenance_page.h"
#include "resources/ids/maintenance.h"
#include "tests/support/page_test.h"

namespace testing_support {
namespace {

using namespace ids::maintenance;
using MaintenanceGrades = PageTest<CPPFive>;

struct Graded {
    int id;
    uint16_t value;  // the panel's register for that field
    const char* grade;
};

TEST_F(MaintenanceGrades, RefreshGradesEveryContactAndTheLargestOverall) {
    Connect();
    // 10/220 (the panel's overall figure) is overwritten by the largest of 10/220..230.
    constexpr Graded kTable[] = {
        {kContactsOverall, 1280, "REPLACE"}, {kMovingContact, 3099, "EXCELLENT"},
        {kContact0, 3100, "GOOD"},           {kContact0 + 1, 8099, "GOOD"},
        {kContact0 + 2, 8100, "WORN"},       {kContact0 + 3, 9099, "WORN"},
        {kContact0 + 4, 9100, "REPLACE"},    {kContact0 + 5, 9216, "REPLACE"},
        {kContact0 + 6, 0, "EXCELLENT"},     {kContact0 + 7, 65535, "REPLACE"},
        {kContact0 + 8, 99, "EXCELLENT"},
    };
    unsigned reg = 220;
    for (const Graded& row : kTable) {
        panel_->setRegister(10, reg++, row.value);
    }
    Press(kRefresh);
    for (const Graded& row : kTable) {
        EXPECT_EQ(Text(row.id), row.grade) << row.id << " holding " << row.value;
    }
    EXPECT_EQ(StoreSlot(10, 220), 65535);
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/209x1", "R 10/219x12"}));
    EXPECT_TRUE(prompts_.Boxes().empty());
}

TEST_F(MaintenanceGrades, GetSelectsTheMechanismFromTheFullLoadCurrent) {
    Connect();
    struct Row {
        uint16_t fullLoad;
        const char* type;
    };
    constexpr Row kTable[] = {{399, "MECH-D"}, {400, "MECH-C"}, {667, "MECH-C"},
                              {668, "MECH-B"}, {874, "MECH-B"}, {875, "MECH-E"}};
    StoreSlot(10, 122) = 1234;  // the Configuration page's value, which a Get leaves alone
    for (const Row& row : kTable) {
        panel_->setRegister(10, 122, row.fullLoad);
        panel_->setRegister(10, 210, 5);  // the panel says "MECH-A"
        Press(kGetSettings);
        EXPECT_EQ(page_.Form()[kTapChangerType].SelectedText(), row.type) << row.fullLoad;
    }
    EXPECT_EQ(StoreSlot(10, 122), 1234);
    EXPECT_EQ(SeenText().front(), "R 10/209x4");
    EXPECT_EQ(SeenText()[1], "R 10/122x1");
}

TEST_F(MaintenanceGrades, SetSendsTheDerivedCodeAndThePicksThenReadsBack) {
    Connect();
    SetPanel(10, 209, {1, 5, 0, 10});
    panel_->setRegister(10, 122, 700);
    Press(kGetSettings);
    EXPECT_EQ(page_.Form()[kMaintainRecords].SelectedText(), "Y");
    EXPECT_EQ(page_.Form()[kRangeOfRegulation].SelectedText(), "10");
    Choose(kBalanceWinding, "Y");
    Choose(kRangeOfRegulation, "12");
    ForgetRequests();
    Press(kSetSettings);
    EXPECT_TRUE(prompts_.Boxes().empty());  // no confirmation
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"W 10/209x4", "R 10/209x4", "R 10/122x1"}));
    EXPECT_EQ(PanelRegisters(10, 209, 4), (std::vector<uint16_t>{1, 3, 1, 12}));
}

}  // namespace
}  // namespace testing_support
