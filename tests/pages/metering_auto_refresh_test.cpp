// Automatic refresh on the page's window timer: a cycle with the timer stopped, the re-arming,
// the interval, hiding and showing the page, and ticks that come while other panel work runs.
#include "protocol/block_tables.h"
#include "tests/pages/metering_page_fixture.h"

namespace {

using namespace testing_support;
namespace id = ids::metering;

constexpr int kManualButtons[] = {id::kRefreshMeter, id::kRefreshDemand,    id::kRefreshCounters,
                                  id::kSetTotalOps,  id::kDownloadMetering, id::kDownloadHarmonics,
                                  id::kResetMinMax};

TEST_F(MeteringPageTest, ATickRefreshesEveryGroupWithTheTimerStoppedThenReArmsIt) {
    Connect();
    ClickAutoRefresh(true);
    ASSERT_EQ(timer_.Interval(kTimer), 2000);
    for (int button : kManualButtons) {
        EXPECT_TRUE(page_.Form()[button].visible == false) << button;
    }
    EXPECT_TRUE(page_.Form()[id::kTotalOps].readOnly == true);
    EXPECT_TRUE(SeenText().empty());  // the first cycle waits for the first tick

    // While the cycle's requests run, the window keeps its timers going: a tick of our own
    // timer cannot come, since it is stopped for the whole cycle.
    int runningDuringRequests = 0;
    SetBetweenRequestsHook([&] { runningDuringRequests += Fire() ? 1 : 0; });
    ASSERT_TRUE(Fire());
    SetBetweenRequestsHook(nullptr);
    EXPECT_EQ(runningDuringRequests, 0);

    std::vector<std::string> cycle;
    AppendTable(cycle, "R", kMeterBlockTable, kMeterReadBlocks);
    AppendTable(cycle, "R", kMinMaxBlockTable, kMinMaxReadBlocks);
    AppendTable(cycle, "R", kDemandBlockTable, kDemandReadBlocks);
    AppendTable(cycle, "R", kCountersBlockTable, kCountersReadBlocks);
    cycle.insert(cycle.end(), {"R 8/167x6", "R 10/11x1"});
    EXPECT_EQ(SeenText(), cycle);
    EXPECT_EQ(Text(id::kVld), "120.3");
    EXPECT_EQ(Text(id::kFwdKw), "2105");
    EXPECT_EQ(Text(id::kTotalOps), "123456");
    EXPECT_TRUE(Ticked());
    EXPECT_EQ(timer_.Interval(kTimer), 2000);
    EXPECT_TRUE(prompts_.Boxes().empty());

    ClickAutoRefresh(false);
    EXPECT_FALSE(timer_.IsRunning(kTimer));
    EXPECT_FALSE(AutoRefresh().on);
    for (int button : kManualButtons) {
        EXPECT_TRUE(page_.Form()[button].visible == true) << button;
    }
    EXPECT_TRUE(page_.Form()[id::kTotalOps].readOnly == false);
}

TEST_F(MeteringPageTest, AnIntervalPickTakesEffectAtTheNextArming) {
    Connect();
    EXPECT_EQ(page_.Form()[id::kRefreshEvery].items, (Texts{"10", "2", "5"}));  // sorted as text
    ClickAutoRefresh(true);
    ChooseSeconds("10");
    EXPECT_EQ(AutoRefresh().intervalMs, 10000);
    EXPECT_EQ(timer_.Interval(kTimer), 2000);
    ASSERT_TRUE(Fire());
    EXPECT_EQ(timer_.Interval(kTimer), 10000);
    // Typed text is not a pick: with no item selected the interval stays.
    page_.Form()[id::kRefreshEvery].Select(-1);
    page_.Form()[id::kRefreshEvery].text = "7";
    page_.OnSelectionChanged(id::kRefreshEvery, prompts_);
    EXPECT_EQ(AutoRefresh().intervalMs, 10000);
}

TEST_F(MeteringPageTest, HidingStopsTheTimerAndShowingReArmsIt) {
    Connect();
    ClickAutoRefresh(true);
    page_.OnShowWindow(false, prompts_);
    EXPECT_FALSE(timer_.IsRunning(kTimer));
    EXPECT_FALSE(Ticked());
    EXPECT_TRUE(AutoRefresh().on);
    page_.OnShowWindow(true, prompts_);
    EXPECT_TRUE(Ticked());
    EXPECT_TRUE(timer_.IsRunning(kTimer));

    // The flag outlives the page's window: a window made anew resumes when shown.
    page_.OnShowWindow(false, prompts_);
    page_.ResetWindow();
    page_.OnShowWindow(true, prompts_);
    EXPECT_TRUE(Ticked());
    EXPECT_TRUE(timer_.IsRunning(kTimer));

    // Hidden while a cycle runs: the cycle ends without re-arming, and showing resumes it.
    SetBetweenRequestsHook([&] { page_.OnShowWindow(false, prompts_); });
    ASSERT_TRUE(Fire());
    SetBetweenRequestsHook(nullptr);
    EXPECT_FALSE(timer_.IsRunning(kTimer));
    EXPECT_TRUE(AutoRefresh().on);
    page_.OnShowWindow(true, prompts_);
    EXPECT_TRUE(timer_.IsRunning(kTimer));
    ForgetRequests();

    // Shown again after the connection went: the box says so and is cleared, the flag stays.
    page_.OnShowWindow(false, prompts_);
    Flags().connected = false;
    page_.OnShowWindow(true, prompts_);
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>{"NOT CONNECTED"});
    EXPECT_FALSE(Ticked());
    EXPECT_FALSE(timer_.IsRunning(kTimer));
    EXPECT_TRUE(AutoRefresh().on);
    EXPECT_TRUE(SeenText().empty());
}

TEST_F(MeteringPageTest, ATickDuringOtherPanelWorkStartsNoRequests) {
    Connect();
    ClickAutoRefresh(true);
    int ticks = 0;
    SetBetweenRequestsHook([&] {
        if (ticks++ == 0) {
            EXPECT_TRUE(Fire());
        }
    });
    {
        PanelActionScope otherAction;
        page_.RefreshDemand(prompts_);
    }
    SetBetweenRequestsHook(nullptr);
    std::vector<std::string> demandOnly;
    AppendTable(demandOnly, "R", kDemandBlockTable, kDemandReadBlocks);
    EXPECT_EQ(SeenText(), demandOnly);
    // It waits for the next tick, which does refresh.
    EXPECT_TRUE(timer_.IsRunning(kTimer));
    ASSERT_TRUE(Fire());
    EXPECT_GT(SeenText().size(), demandOnly.size());
}

TEST_F(MeteringPageTest, ATickWithoutConnectionSaysSoForEachStepAndClearsTheBox) {
    Connect();
    ClickAutoRefresh(true);
    Flags().connected = false;
    ASSERT_TRUE(Fire());
    EXPECT_EQ(prompts_.Captions(), std::vector<std::string>(4, "NOT CONNECTED"));
    EXPECT_FALSE(Ticked());
    EXPECT_FALSE(timer_.IsRunning(kTimer));
    EXPECT_TRUE(SeenText().empty());
}

}  // namespace
