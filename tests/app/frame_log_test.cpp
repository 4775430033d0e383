// The desktop tool's frame log: the last 2000 frames as lines, cleared and saved as plain text.
#include "app/frame_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_user_prompts.h"
#include "tests/support/local_time.h"
#include "tests/support/private_working_dir.h"

namespace {

using namespace testing_support;
using Clock = std::chrono::steady_clock;

const Clock::time_point kOrigin = Clock::time_point{} + std::chrono::hours(1);

// Frame k is sent k milliseconds after the origin and carries the byte k % 256.
FrameEvent Sent(int k, const uint8_t* byte) {
    return {kOrigin + std::chrono::milliseconds(k), FrameDirection::kSent, {byte, 1}, true};
}

TEST(FrameLog, KeepsTheLastTwoThousandFramesAndTellsTheListenerEachOne) {
    FrameLog log(kOrigin);
    std::vector<std::string> told;
    log.SetListener([&told](const std::string& line) { told.push_back(line); });
    std::vector<uint8_t> bytes(2003);
    for (int k = 0; k < 2003; ++k) {
        bytes[static_cast<size_t>(k)] = static_cast<uint8_t>(k);
        log.Record(Sent(k, &bytes[static_cast<size_t>(k)]));
    }
    ASSERT_EQ(log.Lines().size(), FrameLog::kCapacity);
    EXPECT_EQ(log.Lines().front(), "      3 ms  TX                             03");
    EXPECT_EQ(log.Lines().back(), "   2002 ms  TX                             D2");
    EXPECT_EQ(told.size(), 2003u);
    EXPECT_EQ(told.back(), log.Lines().back());

    log.Clear();
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(log.Text(), "");
}

TEST(FrameLog, SaveWritesTheLinesAsPlainTextThroughTheSaveDialog) {
    PrivateWorkingDir cwd;
    FakeUserPrompts prompts;
    FrameLog log(kOrigin);
    const uint8_t request[] = {0x05, 0xA0, 0x7A, 0x01, 0xE0};
    log.Record({kOrigin + std::chrono::milliseconds(40), FrameDirection::kSent, request, true});
    log.Record({kOrigin + std::chrono::milliseconds(1541), FrameDirection::kReceived, {}, false});
    const auto clock = [] { return LocalTime(2026, 12, 7, 15, 4, 9, 1); };

    prompts.fileNames = {std::nullopt, "frames.txt"};
    EXPECT_FALSE(SaveFrameLog(prompts, log, clock));
    EXPECT_TRUE(SaveFrameLog(prompts, log, clock));

    const auto dialogs = prompts.OfKind("save");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1]->file.title, "Save Frame Log");
    EXPECT_EQ(dialogs[1]->file.defaultName, "Mon_Dec_07_03_04_09_2026_PM_frames.txt");
    EXPECT_EQ(dialogs[1]->file.extension, "txt");
    EXPECT_EQ(ReadFile(cwd.dir() + "/frames.txt"),
              "     40 ms  TX             read 10/122x1   05 A0 7A 01 E0\r\n"
              "   1541 ms  RX incomplete\r\n");
    EXPECT_EQ(prompts.Captions(), std::vector<std::string>{"File Created"});
}

}  // namespace
