#include <gtest/gtest.h>

#include <vector>

#include "app/PeriodicTick.h"
#include "platform/fake/FakeClock.h"

namespace velmora {
namespace {

struct RecordingWork : TickWork {
    void DayChanged(const LocalDateTime&) override { ++days; }
    void HourChanged(const LocalDateTime&) override { ++hours; }
    void MinuteChanged(const LocalDateTime&) override { ++minutes; }
    void MemorySample() override { samples.push_back(second); }
    bool HspEnabled() const override { return hsp; }
    void SetHspSwitch(int v) override { switches.push_back(v); }
    void SendPicoControlE() override { ++controlE; }
    void FeedReplay(int n) override { fed.push_back(n); }
    bool FastReplayHeld() const override { return shift; }
    void EveryTick() override { ++ticks; }

    int days = 0, hours = 0, minutes = 0, controlE = 0, ticks = 0;
    int second = 0;
    bool hsp = false, shift = false;
    std::vector<int> samples, switches, fed;
};

struct Ticker {
    RecordingWork work;
    PeriodicTick tick{work};
    FakeClock clock;
    TickBranch Step(int seconds = 1) {
        clock.Advance(seconds);
        work.second = clock.Now().second;
        return tick.Tick(clock.Now());
    }
};

TEST(PeriodicTick, MidnightRunsOneBranchPerTick) {
    Ticker t;
    t.clock.Set(2026, 12, 8, 23, 59, 58);
    t.tick.Tick(t.clock.Now());
    t.tick.Tick(t.clock.Now());
    t.tick.Tick(t.clock.Now());
    t.tick.Tick(t.clock.Now());  // day, hour, minute, second all seen now
    EXPECT_EQ(t.Step(), TickBranch::kSecond);  // 23:59:59
    EXPECT_EQ(t.Step(), TickBranch::kDay);     // 00:00:00
    EXPECT_EQ(t.Step(), TickBranch::kHour);    // 00:00:01
    EXPECT_EQ(t.Step(), TickBranch::kMinute);  // 00:00:02
    EXPECT_EQ(t.Step(), TickBranch::kSecond);  // 00:00:03
    EXPECT_EQ(t.work.days, 2);  // the first tick saw day 8 as new too
    EXPECT_EQ(t.work.ticks, 9);
}

TEST(PeriodicTick, MinuteZeroNeverReachesTheSecondBranch) {
    Ticker t;
    t.clock.Set(2026, 12, 8, 12, 0, 50);
    for (int i = 0; i < 4; ++i) t.tick.Tick(t.clock.Now());
    t.work.samples.clear();
    std::vector<TickBranch> branches;
    for (int i = 0; i < 70; ++i) branches.push_back(t.Step());  // 12:00:51 .. 12:02:00
    EXPECT_EQ(branches[8], TickBranch::kSecond);  // 12:00:59
    EXPECT_EQ(branches[9], TickBranch::kMinute);  // 12:01:00, and no second branch for it
    EXPECT_EQ(branches[10], TickBranch::kSecond);  // 12:01:01
    EXPECT_EQ(branches[69], TickBranch::kMinute);  // 12:02:00
    // The memory sample fires at 15, 30 and 45 only.
    EXPECT_EQ(t.work.samples, (std::vector<int>{15, 30, 45}));
    EXPECT_EQ(t.work.controlE, 2);  // 12:00:58 and 12:01:58
}

TEST(PeriodicTick, ALateTimerThatSkipsSecond58SendsNoControlE) {
    Ticker t;
    t.clock.Set(2026, 12, 8, 12, 0, 50);
    for (int i = 0; i < 4; ++i) t.tick.Tick(t.clock.Now());
    t.Step(7);  // :57
    t.Step(2);  // :59
    EXPECT_EQ(t.work.controlE, 0);
}

TEST(PeriodicTick, HspSwitchWindowFromSecond56ToTheNextMinute) {
    Ticker t;
    t.work.hsp = true;
    t.clock.Set(2026, 12, 8, 12, 0, 50);
    for (int i = 0; i < 4; ++i) t.tick.Tick(t.clock.Now());
    for (int i = 0; i < 12; ++i) t.Step();  // to 12:01:02
    EXPECT_EQ(t.work.switches, (std::vector<int>{0, 1}));
    EXPECT_FALSE(t.tick.Memory().switchWindowOpen);
}

TEST(PeriodicTick, ReplayFeederRate) {
    Ticker t;
    t.clock.Set(2026, 12, 8, 12, 0, 10);
    for (int i = 0; i < 4; ++i) t.tick.Tick(t.clock.Now());
    t.Step();
    t.work.shift = true;
    t.Step();
    EXPECT_EQ(t.work.fed, (std::vector<int>{5, 5, 100}));
}

}  // namespace
}  // namespace velmora
