// metering-record run as the tool itself against the panel: a row per cycle with the panel's
// values, a recording continued, empty fields (never zeros) for reads without a reply, a
// foreign file left alone, and SIGTERM ending the run after a whole row.
#include <functional>

#include "pages/data/metering_recording.h"
#include "tests/cli/cli_fixture.h"

namespace testing_support {
namespace {

namespace rec = metering_recording;

const std::string kHeader = std::string(rec::kHeader) + "\r\n";
constexpr std::size_t kRequestsPerCycle = 15 + 7 + 7 + 11 + 1 + 1;  // meter ... date order

class RecordCliTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        const std::pair<unsigned, uint16_t> meter[] = {{2, 1201},  {4, 1187}, {14, 1199},
                                                       {1, 65526}, {11, 97},  {10, 2225},
                                                       {9, 65080}, {26, 600}};
        for (const auto& [reg, value] : meter) {
            panel_.setRegister(1, reg, value);
        }
        panel_.setRegister(9, 1, 65533);  // tap position -3
        // Vld goes up a tenth after each read of it, so each row shows its own cycle.
        panel_.setRequestObserver([this](const sim::Request& r) {
            if (r.bank == 1 && r.start == 2) {
                panel_.setRegister(1, 2, static_cast<uint16_t>(panel_.getRegister(1, 2) + 1));
            }
        });
    }

    // The rows of a recording without their times, which must be there and in order.
    static std::vector<std::string> RowsAfterTime(const std::string& file) {
        std::vector<std::string> rows;
        std::optional<rec::Clock::time_point> last;
        for (const std::string& line : SplitLines(file)) {
            const std::optional<rec::Clock::time_point> time =
                rec::ParseIsoTime(line.substr(0, 25));
            if (line == rec::kHeader || !time) {
                continue;
            }
            EXPECT_TRUE(!last || *last <= *time) << line;
            last = time;
            rows.push_back(line.substr(25));
        }
        return rows;
    }
};

TEST_F(RecordCliTest, ARowPerCycleWithThePanelsValues) {
    const std::string older = "2026-12-01T01:00:00+00:00,1,2,3,4,5,6,7,8,9,0\r\n";
    struct Case {
        const char* name;
        std::optional<std::string> before;
        std::vector<std::string> args;
        std::function<void(sim::PtyPanel&)> fault;
        int exitCode;
        std::vector<std::string> rows;  // the new rows after their times
        std::string err;
    };
    const Case cases[] = {
        {"new",
         std::nullopt,
         {"--every", "1", "--for", "2s"},
         nullptr,
         0,
         {",120.1,118.7,119.9,-10,97,2225,-456,60.0,-3,0",
          ",120.2,118.7,119.9,-10,97,2225,-456,60.0,-3,0"},
         "2 rows recorded"},
        {"continued",
         kHeader + older,
         {"--every", "5", "--for", "1"},
         nullptr,
         0,
         {",120.3,118.7,119.9,-10,97,2225,-456,60.0,-3,0"},
         "1 row recorded"},
        {"no reply",
         std::nullopt,
         {"--every", "1", "--for", "1"},
         [](sim::PtyPanel& panel) {
             panel.injectFault(sim::Fault::Silence(), 2, [](const sim::Request& r) {
                 return (r.bank == 1 && r.start == 2) || (r.bank == 9 && r.start == 1);
             });
         },
         4,
         {",,118.7,119.9,-10,97,2225,-456,60.0,,2"},
         "did not answer every request in 1 of 1 cycles"},
        {"foreign",
         "MIN MAX Metering Info with Time Stamps,\r\n",
         {"--every", "1"},
         nullptr,
         5,
         {},
         "is not a metering recording"},
    };
    for (const Case& c : cases) {
        const std::string path = ports_.dir() + "/" + c.name + ".csv";
        if (c.before) {
            WriteFile(path, *c.before);
        }
        if (c.fault) {
            c.fault(panel_);
        }
        panel_.clearRequests();
        std::vector<std::string> args = {"--com", "5", "metering-record", path};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult run = Run(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.name << run.err;
        const std::string file = ReadFile(path);
        if (c.exitCode == 5) {
            EXPECT_EQ(file, *c.before);
            EXPECT_TRUE(panel_.requests().empty());  // refused before the port opened
            continue;
        }
        EXPECT_EQ(file.rfind(c.before.value_or(kHeader), 0), 0u) << c.name << file;
        const std::vector<std::string> all = RowsAfterTime(file);
        const std::vector<std::string> added(all.end() - std::min(all.size(), c.rows.size()),
                                             all.end());
        EXPECT_EQ(added, c.rows) << c.name << file;
        EXPECT_EQ(all.size(), c.rows.size() + (c.before ? 1 : 0)) << c.name << file;
        EXPECT_EQ(panel_.requests().size(), kRequestsPerCycle * c.rows.size()) << c.name;
    }
}

// SIGTERM in the middle of a cycle: the cycle ends, its row is written whole, the port is
// closed as a Disconnect does, and the tool says the recording ended well.
TEST_F(RecordCliTest, SigtermEndsAfterTheCurrentRow) {
    const std::string path = ports_.dir() + "/stopped.csv";
    const pid_t pid = Start({"--com", "5", "metering-record", path, "--every", "1"});
    ASSERT_TRUE(panel_.waitForRequests(kRequestsPerCycle + 5, std::chrono::seconds(10)));
    ::kill(pid, SIGTERM);
    const CliResult run = Wait(pid);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string file = ReadFile(path);
    ASSERT_GE(file.size(), 2u);
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
    std::string error;
    const std::optional<std::deque<rec::Row>> rows = rec::ParseRecording(file, &error);
    ASSERT_TRUE(rows) << error << file;
    EXPECT_GE(rows->size(), 2u);
    EXPECT_EQ(panel_.requests().size(), kRequestsPerCycle * rows->size());
    EXPECT_EQ(BytesUpTo(0x00).back(), 0x00);  // the closing byte of a Disconnect
}

}  // namespace
}  // namespace testing_support
