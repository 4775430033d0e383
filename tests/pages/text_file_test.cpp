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

// Nothing but what stands at the target decides: every case leaves the folder as it was, with
// no temporary file, and the box names the file the user chose.
TEST(TextFile, WhatMustNotBeReplacedIsLeftAsItIsAndTheBoxNamesIt) {
    PrivateWorkingDir cwd;
    WriteFile("readonly.kz0", "kept");
    ::chmod("readonly.kz0", 0444);
    std::filesystem::create_directory("dir.csv");
    ASSERT_EQ(::mkfifo("fifo.csv", 0600), 0);
    const std::string longest(255, 'n');
    struct Case {
        std::string path;
        bool written;
    };
    const Case cases[] = {
        {"readonly.kz0", false},         {"dir.csv", false}, {"fifo.csv", false},
        {"no/such/folder/x.csv", false}, {longest, true},
    };
    for (const Case& c : cases) {
        FakeUserPrompts prompts;
        EXPECT_EQ(WriteProblem(c.path).empty(), c.written) << c.path;
        EXPECT_EQ(SaveTextFile(prompts, c.path, "new\n"), c.written) << c.path;
        if (!c.written) {
            ASSERT_EQ(prompts.Boxes().size(), 1u) << c.path;
            EXPECT_EQ(prompts.Boxes()[0].caption, "FILE NOT WRITTEN");
            EXPECT_NE(prompts.Boxes()[0].text.find(c.path), std::string::npos);
        }
    }
    EXPECT_EQ(ReadFile("readonly.kz0"), "kept");
    EXPECT_EQ(ReadFile(longest), "new\r\n");
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        EXPECT_NE(entry.path().filename().string().substr(0, 3), ".vs") << entry.path();
        ++entries;
    }
    EXPECT_EQ(entries, 4u);
}

// A replaced file keeps its mode; a temporary-looking name of the user's is never touched, nor
// the file a link at such a name points to; a link at the target is written through.
TEST(TextFile, ReplacingKeepsModeAndTouchesNothingElse) {
    PrivateWorkingDir cwd;
    const mode_t umask = ::umask(022);
    WriteFile("panel.kz0", "old");
    ::chmod("panel.kz0", 0600);
    WriteFile("panel.kz0.tmp", "the user's");
    WriteFile("elsewhere", "untouched");
    std::filesystem::create_symlink("elsewhere", ".vs000000");
    std::filesystem::create_symlink("panel.kz0", "link.kz0");
    FakeUserPrompts prompts;
    ASSERT_TRUE(SaveTextFile(prompts, "link.kz0", "new\n"));
    ASSERT_TRUE(SaveTextFile(prompts, "fresh.csv", "new\n"));
    struct stat st {};
    ASSERT_EQ(::stat("panel.kz0", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat("fresh.csv", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    EXPECT_EQ(ReadFile("panel.kz0"), "new\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink("link.kz0"));
    EXPECT_EQ(ReadFile("panel.kz0.tmp"), "the user's");
    EXPECT_EQ(ReadFile("elsewhere"), "untouched");
    ::umask(umask);
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
