// Files the tool writes and reads: CR LF on the way out, either line end on the way in, nothing
// half-written, and no reader that waits on a FIFO or takes a directory for a file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "pages/kit/text_file.h"
#include "tests/support/fake_user_prompts.h"
#include "tests/support/private_working_dir.h"

namespace {

using namespace testing_support;

TEST(TextFile, LinesSplitOnEitherEndAndTheLastLineNeedsNone) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\nEOF", {"a", "b", "EOF"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"", {}},
        {"lone\r", {"lone\r"}},  // a CR without LF is part of the line
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
    }
    EXPECT_EQ(WithCrLf("x\ny\n"), "x\r\ny\r\n");
}

TEST(TextFile, AFailedWriteLeavesTheOldFileAndSaysWhich) {
    PrivateWorkingDir cwd;
    WriteFile("old.csv", "kept");
    std::filesystem::create_directory("dir.csv");
    FakeUserPrompts prompts;
    // A directory cannot be replaced by a file: the rename fails, the temporary goes.
    EXPECT_FALSE(SaveTextFile(prompts, "dir.csv", "new\n"));
    ASSERT_EQ(prompts.Boxes().size(), 1u);
    EXPECT_EQ(prompts.Boxes()[0].caption, "FILE NOT WRITTEN");
    EXPECT_NE(prompts.Boxes()[0].text.find("dir.csv"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("dir.csv.tmp"));
    EXPECT_FALSE(SaveTextFile(prompts, "no/such/folder/x.csv", "new\n"));
    EXPECT_TRUE(SaveTextFile(prompts, "old.csv", "new\n"));
    EXPECT_EQ(ReadFile("old.csv"), "new\r\n");
}

TEST(TextFile, ReadersRefuseWhatIsNotAFileWithoutWaiting) {
    PrivateWorkingDir cwd;
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    std::filesystem::create_directory("dir");
    WriteFile("long", std::string(100, 'x'));
    for (const char* path : {"fifo", "dir", "long", "missing"}) {
        std::string error;
        EXPECT_FALSE(ReadWholeFile(path, 50, &error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    EXPECT_EQ(ReadWholeFile("long", 100, nullptr), std::string(100, 'x'));
}

}  // namespace
