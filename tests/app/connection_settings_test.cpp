// conset.kzx: what is written, what is read back, and every kind of file that must fall back
// to the defaults without hanging.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/connection_settings.h"
#include "tests/support/private_working_dir.h"

namespace {

using testing_support::PrivateWorkingDir;
using testing_support::ReadFile;
using testing_support::WriteFile;

const std::string kHeader = "//VOLTSCOPE 5.0 Connection Settings";

class ConnectionSettingsFile : public ::testing::Test {
  protected:
    PrivateWorkingDir cwd_;
};

TEST_F(ConnectionSettingsFile, SavedFileHoldsHeaderLineAndNumberLine) {
    ConnectionSettings s{3, 4, 0, 1};
    ASSERT_TRUE(SaveConnectionSettings(s));
    EXPECT_EQ(ReadFile(kConnectionSettingsFile), kHeader + "\r\n,3,4,0,1");
    ConnectionSettings other{7, 2, 1, 0};
    ASSERT_TRUE(SaveConnectionSettings(other));
    EXPECT_EQ(ReadFile(kConnectionSettingsFile), kHeader + "\r\n,7,2,1,0");
    EXPECT_FALSE(std::filesystem::exists(std::string(kConnectionSettingsFile) + ".tmp"));
}

TEST_F(ConnectionSettingsFile, RoundTripGivesBackEverySetting) {
    for (ConnectionSettings s : {ConnectionSettings{1, 0, 0, 0}, ConnectionSettings{255, 5, 2, 1},
                                 ConnectionSettings{12, 3, 1, 0}}) {
        ASSERT_TRUE(SaveConnectionSettings(s));
        LoadedConnectionSettings loaded = LoadConnectionSettings();
        EXPECT_EQ(loaded.state, SettingsFileState::kLoaded);
        EXPECT_EQ(loaded.settings, s);
    }
}

TEST_F(ConnectionSettingsFile, AcceptsUnixAndWindowsLineEnds) {
    WriteFile(kConnectionSettingsFile, kHeader + "\n,12,5,0,1");
    EXPECT_EQ(LoadConnectionSettings().settings, (ConnectionSettings{12, 5, 0, 1}));
    WriteFile(kConnectionSettingsFile, kHeader + "\r\n,12,5,0,1\r\n");
    EXPECT_EQ(LoadConnectionSettings().settings, (ConnectionSettings{12, 5, 0, 1}));
}

TEST_F(ConnectionSettingsFile, MissingFileGivesDefaults) {
    LoadedConnectionSettings loaded = LoadConnectionSettings();
    EXPECT_EQ(loaded.state, SettingsFileState::kMissing);
    EXPECT_EQ(loaded.settings, (ConnectionSettings{1, 4, 1, 0}));
}

TEST_F(ConnectionSettingsFile, MalformedFilesGiveDefaults) {
    const std::string malformed[] = {
        "",                                                 // empty
        kHeader,                                            // header without its line end
        kHeader + "\r\n",                                   // nothing after the header
        kHeader + "\r\n,3,4,0",                             // ends before the fourth number
        kHeader + "\r\n,3,4,0,",                            // fourth comma without a number
        kHeader + "\r\n3 4 0 1",                            // no commas
        kHeader + "\r\n,0,4,0,0",                           // port below range
        kHeader + "\r\n,256,4,0,0",                         // port above range
        kHeader + "\r\n,3,6,0,0",                           // baud index above range
        kHeader + "\r\n,3,-1,0,0",                          // negative baud index
        kHeader + "\r\n,3,4,3,0",                           // parity index above range
        kHeader + "\r\n,3,4,0,2",                           // address mode above range
        kHeader + "\r\n,99999999999999999,4,0,0",           // overflowing number
        "//VOLTSCOPE 4.0 Connection Settings\r\n,3,4,0,1",  // foreign header
        " " + kHeader + "\r\n,3,4,0,1",                     // header not at the start
        std::string("\x7f"
                    "ELF\x02\x01\x01\0\0\0",
                    10),                                    // binary content
        kHeader + "\r\n,3,4,0,1" + std::string(5000, ' '),  // far too long to be ours
    };
    for (const std::string& content : malformed) {
        WriteFile(kConnectionSettingsFile, content);
        LoadedConnectionSettings loaded = LoadConnectionSettings();
        EXPECT_EQ(loaded.state, SettingsFileState::kInvalid) << content;
        EXPECT_EQ(loaded.settings, (ConnectionSettings{1, 4, 1, 0})) << content;
    }
}

TEST_F(ConnectionSettingsFile, FifoInPlaceOfTheFileDoesNotBlock) {
    ASSERT_EQ(::mkfifo(kConnectionSettingsFile, 0600), 0);
    EXPECT_EQ(LoadConnectionSettings().state, SettingsFileState::kInvalid);
}

TEST_F(ConnectionSettingsFile, FailedSaveKeepsTheOldFileAndSaysWhy) {
    ASSERT_TRUE(SaveConnectionSettings({3, 4, 0, 1}));
    // A file the user made read-only stays as it is.
    ::chmod(kConnectionSettingsFile, 0444);
    std::string error;
    EXPECT_FALSE(SaveConnectionSettings({9, 1, 2, 0}, &error));
    EXPECT_NE(error.find("conset.kzx is read-only"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(kConnectionSettingsFile), kHeader + "\r\n,3,4,0,1");
}

TEST_F(ConnectionSettingsFile, SavingThroughALinkWritesItsTargetAndKeepsTheLink) {
    struct Case {
        std::string linkTarget;  // what conset.kzx points to
        std::string targetFile;  // the file that must receive the settings
    };
    const std::string absolute = cwd_.dir() + "/store/absolute.kzx";
    const Case cases[] = {
        {"store/relative.kzx", "store/relative.kzx"},
        {absolute, absolute},
        {"hop.kzx", "store/chained.kzx"},  // hop.kzx -> store/chained.kzx
    };
    std::filesystem::create_directory("store");
    std::filesystem::create_symlink("store/chained.kzx", "hop.kzx");
    for (const Case& c : cases) {
        std::filesystem::remove(kConnectionSettingsFile);
        std::filesystem::create_symlink(c.linkTarget, kConnectionSettingsFile);
        ASSERT_TRUE(SaveConnectionSettings({5, 3, 2, 1})) << c.linkTarget;
        EXPECT_TRUE(std::filesystem::is_symlink(kConnectionSettingsFile)) << c.linkTarget;
        EXPECT_EQ(ReadFile(c.targetFile), kHeader + "\r\n,5,3,2,1") << c.linkTarget;
        EXPECT_EQ(LoadConnectionSettings().settings, (ConnectionSettings{5, 3, 2, 1}));
        EXPECT_FALSE(std::filesystem::exists(c.targetFile + ".tmp"));
    }
}

TEST_F(ConnectionSettingsFile, LinksGoingRoundInCirclesAreNotSavedThrough) {
    std::filesystem::create_symlink("loop.kzx", kConnectionSettingsFile);
    std::filesystem::create_symlink(kConnectionSettingsFile, "loop.kzx");
    std::string error;
    EXPECT_FALSE(SaveConnectionSettings({5, 3, 2, 1}, &error));
    EXPECT_NE(error.find("conset.kzx"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(kConnectionSettingsFile));
}

}  // namespace
