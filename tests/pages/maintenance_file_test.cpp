// The maintenance data file: the block writer's line forms, a backup restored into a panel, the
// files a restore refuses without changing or sending anything, and the backup refused when
// the panel's replies were missing.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "pages/data/maintenance_file.h"
#include "pages/data/maintenance_page.h"
#include "resources/ids/maintenance.h"
#include "tests/support/local_time.h"
#include "tests/support/page_test.h"

namespace testing_support {
namespace {

namespace text = maintenance_text;
using MaintenanceFile = PageTest<CPPFive>;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(MaintenanceFileWriter, OneRegisterBlocksInDecimalLongerBlocksInLowerCaseHex) {
    ResetValueStore();
    StoreSlot(10, 5) = 7200;
    const int32_t counters[] = {0, 8452, 171, 0xBEEF};
    std::copy(std::begin(counters), std::end(counters), StoreSlots(10, 219));
    const RegisterBlock blocks[] = {{10, 5, 1}, {10, 219, 4}, {0, 0, 0}, {10, 1, 1}};
    EXPECT_EQ(BlockFileText("//Head", blocks, 4),
              "//Head\n10,5,7200\n10,219,0\n10,220,2104\n10,221,ab\n10,222,beef\n//Head");
    ResetValueStore();
}

TEST_F(MaintenanceFile, BackupRestoresTheSameTwelveValuesIntoAnotherPanel) {
    Connect();
    const std::vector<uint16_t> worn = {0,    812,  8452, 1250, 3100, 5620,
                                        8100, 9240, 2980, 4410, 7710, 610};
    SetPanel(10, 219, worn);
    page_.SetClock([] { return LocalTime(2026, 3, 14, 0, 30, 5, 6); });
    prompts_.answers = {PromptAnswer::kYes};
    prompts_.fileNames = {std::string("old_panel.mn0")};
    EXPECT_EQ(page_.BackUp(prompts_), MaintenanceOutcome::kDone);

    const auto boxes = prompts_.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, text::kBackUpCaption);
    EXPECT_EQ(boxes[0].icon, PromptIcon::kWarning);
    EXPECT_EQ(boxes[0].defaultButton, PromptAnswer::kNo);
    EXPECT_EQ(boxes[1].caption, "File Created");
    EXPECT_EQ(boxes[1].text, cwd_.dir() + "/old_panel.mn0");
    const FileDialogRequest& save = prompts_.OfKind("save")[0]->file;
    EXPECT_EQ(save.title, "Save Maintenance Data File");
    EXPECT_EQ(save.defaultName, "Sat_Mar_14_12_30_05_2026_AM_maint.mn0");
    EXPECT_EQ(save.extension, "mn0");
    EXPECT_EQ(save.filter, "MN0 FILE (*.mn0)|*.mn0||");
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/209x1", "R 10/219x12"}));
    // Contacts overall is the largest counter in the file.
    EXPECT_EQ(FileBytes("old_panel.mn0"),
              "//Maintenance Data\r\n10,219,0\r\n10,220,2418\r\n10,221,2104\r\n10,222,4e2\r\n"
              "10,223,c1c\r\n10,224,15f4\r\n10,225,1fa4\r\n10,226,2418\r\n10,227,ba4\r\n"
              "10,228,113a\r\n10,229,1e1e\r\n10,230,262\r\n//Maintenance Data");

    // The replacement panel starts with no wear recorded. A clear command in the file (2:
    // clear everything) is never sent.
    std::string file = FileBytes("old_panel.mn0");
    file.replace(file.find("10,219,0"), 8, "10,219,2");
    WriteBytes("old_panel.mn0", file);
    SetPanel(10, 219, std::vector<uint16_t>(12, 0));
    ForgetRequests();
    page_.ResetWindow();
    ResetValueStore();
    prompts_.answers = {PromptAnswer::kYes};
    prompts_.fileNames = {std::string("old_panel.mn0")};
    EXPECT_EQ(page_.Restore(prompts_), MaintenanceOutcome::kDone);
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{"Verify Screens", "CONFIRM SETTINGS", "REBOOT PANEL"}));
    const FileDialogRequest& open = prompts_.OfKind("open file")[0]->file;
    EXPECT_EQ(open.title, "OPEN Maintenance Data File");
    EXPECT_EQ(open.extension, "mn0");
    EXPECT_EQ(open.filter, "MN0 FILE (*.mn0)|*.mn0||");
    EXPECT_EQ(SeenText(), (std::vector<std::string>{"R 10/209x1", "W 10/219x12"}));
    std::vector<uint16_t> expected = worn;
    expected[1] = 9240;
    EXPECT_EQ(Written(), (std::vector<std::vector<uint16_t>>{expected}));
    EXPECT_EQ(PanelRegisters(10, 219, 12), expected);
    EXPECT_EQ(Text(ids::maintenance::kContactsOverall), "REPLACE");
}

TEST_F(MaintenanceFile, ARestoreRefusesAnyFileThatIsNotAWholeMaintenanceFile) {
    Connect();
    const std::string head = "//Maintenance Data\r\n";
    std::string lines;
    for (int reg = 219; reg <= 230; ++reg) {
        lines += "10," + std::to_string(reg) + ",1f\r\n";
    }
    struct Case {
        const char* name;
        std::string bytes;  // empty name below: a directory instead of a file
        const char* caption;
    };
    const Case kCases[] = {
        {"header.mn0", "//Maintenance Dat\r\n" + lines + "//Maintenance Data", "INVALID FILE"},
        {"short.mn0", head + "10,219,0\r\n10,220,1f\r\n", "INVALID FILE"},
        {"too_big.mn0", head + "10,219,10000\r\n" + lines.substr(11) + "//Maintenance Data",
         "INVALID FILE"},
        {"no_value.mn0", head + "10,219,\r\n" + lines.substr(11) + "//Maintenance Data",
         "INVALID FILE"},
        {"decimal_comma.mn0", head + "10,219\r\n" + lines.substr(11), "INVALID FILE"},
        {"binary.mn0",
         std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\0",
                     10) +
             "//Maintenance Data\n",
         "INVALID FILE"},
        {"empty.mn0", "", "INVALID FILE"},
        {"folder.mn0", "", "FILE NOT OPENED"},
    };
    for (unsigned reg = 219; reg <= 230; ++reg) {
        StoreSlot(10, reg) = static_cast<int32_t>(reg);
    }
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.caption) == "FILE NOT OPENED") {
            std::filesystem::create_directory(c.name);
        } else {
            WriteBytes(c.name, c.bytes);
        }
        prompts_.calls.clear();
        prompts_.fileNames = {std::string(c.name)};
        EXPECT_EQ(page_.Restore(prompts_), MaintenanceOutcome::kInvalidFile);
        ASSERT_EQ(prompts_.Boxes().size(), 1u);
        EXPECT_EQ(prompts_.Boxes()[0].caption, c.caption);
        if (std::string(c.caption) == "INVALID FILE") {
            EXPECT_EQ(prompts_.Boxes()[0].text,
                      "This is not a Valid VOLTSCOPE5 Maintenance Data File");
        }
        EXPECT_TRUE(SeenText().empty());
        for (unsigned reg = 219; reg <= 230; ++reg) {
            EXPECT_EQ(StoreSlot(10, reg), static_cast<int32_t>(reg)) << reg;
        }
    }
}

// Values go by position, as the panel's own files have always been read: other bank and register
// numbers, blanks and a "0x" around a value, and a missing or different closing line are taken.
TEST(MaintenanceFileReader, TakesTheTwelveValuesByPosition) {
    std::string lines;
    for (int k = 0; k < 11; ++k) {
        lines += "9," + std::to_string(k) + ", 0x1f \n";
    }
    const std::string head = "//Maintenance Data\r\n10,219,2a\r\n";
    for (const std::string& tail : {std::string(), std::string("//Maintenance"),
                                    std::string("//Maintenance Data\n10,219,0")}) {
        const auto values = ParseMaintenanceFile(head + lines + tail);
        ASSERT_TRUE(values) << tail;
        EXPECT_EQ((*values)[0], 0x2a);
        EXPECT_EQ((*values)[11], 0x1f);
    }
}

TEST_F(MaintenanceFile, NoBackupIsWrittenWhenTheCountersGotNoReply) {
    Connect();
    panel_->injectFault(sim::Fault::Silence(), 1,
                        [](const sim::Request& r) { return r.start == 219; });
    prompts_.answers = {PromptAnswer::kYes};
    EXPECT_EQ(page_.BackUp(prompts_), MaintenanceOutcome::kRepliesMissing);
    EXPECT_EQ(prompts_.Captions(),
              (std::vector<std::string>{text::kBackUpCaption, "INCOMPLETE DATA"}));
    EXPECT_EQ(prompts_.Boxes()[1].text, text::kBackUpIncomplete);
    EXPECT_TRUE(prompts_.OfKind("save").empty());
    EXPECT_TRUE(std::filesystem::is_empty(cwd_.dir()));
}

}  // namespace
}  // namespace testing_support
