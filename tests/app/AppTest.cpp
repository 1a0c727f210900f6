#include <gtest/gtest.h>

#include <cstdio>

#include "app/MemoryClass.h"
#include "app/Startup.h"
#include "platform/SystemInfo.h"
#include "stations/StationUpdate.h"
#include "support/TestApp.h"
#include "support/TestProgram.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

using test::TestApp;
using test::TestProgram;

TEST(MemoryClass, CapacitiesFollowTheInstalledMemory) {
    EXPECT_EQ(MemoryClassFor(8000000), 1);
    EXPECT_EQ(MemoryClassFor(8000001), 2);
    const MemoryCapacities one = CapacitiesFor(1);
    EXPECT_EQ(one.stationTable, 1024);
    EXPECT_EQ(one.historyBytes, 256000);
    const MemoryCapacities two = CapacitiesFor(2);
    EXPECT_EQ(two.stationTable, 2048);
    EXPECT_EQ(two.messageStore, 1024);
    EXPECT_EQ(two.waypointTable, 100);
    EXPECT_EQ(two.historyBytes, 1024000);
    // A machine of a gigabyte holds a full internet feed.
    EXPECT_EQ(MemoryClassFor(1ull << 30), 3);
    EXPECT_EQ(MemoryClassFor((1ull << 30) - 1), 2);
    EXPECT_GE(CapacitiesFor(3).stationTable, 50000);
    EXPECT_LE(CapacitiesFor(3).stationTable, 65535);  // the history's 16-bit index
}

// A day of internet traffic: 100,000 lines from 40,000 senders, all kept.
TEST(App, AFullFeedFitsTheTable) {
    TestApp t(AppOptions{3, std::nullopt});
    ASSERT_GE(t.app.Stations().Capacity(), 50000);
    char line[96];
    for (int i = 0; i < 100000; ++i) {
        const int sender = (i * 7919) % 40000;  // every sender, in a scattered order
        std::snprintf(line, sizeof line, "S%05d>APRS,TCPIP*:!%02d%02d.%02dN/072%02d.00W-", sender, 40 + sender % 9,
                      sender % 60, i % 100, sender % 60);
        t.app.ProcessReceivedLine(line, Liveness::kReplay, SourceKind::kInternet);
    }
    EXPECT_EQ(t.app.Stations().UsedCount(), 40000);
    EXPECT_EQ(t.app.Counters().dropped[DropReason::kTableFull], 0u);
    EXPECT_EQ(t.app.Stations().At(t.app.Stations().Lookup("S39999")).packets, 2);
}

// The hour branch removes the stations not heard for the set number of
// hours; the own station stays first and every held index follows.
TEST(App, StationsNotHeardForTheSetHoursAreRemovedAndIndicesFollow) {
    TestProgram t;
    Preferences p;
    test::SetPref(p, "own_call", "N0ME");
    p.SetOwnLatitude(41.7);
    p.SetOwnLongitude(-72.7);
    test::SetPref(p, "station_time_out", "2");
    ASSERT_TRUE(p.Save(t.files));
    t.clock.Set(2026, 12, 8, 10, 0, 30);
    App& app = t.Started().Core();
    app.ProcessReceivedLine("OLD1>APRS:!4140.00N/07240.00W-", Liveness::kLive, SourceKind::kVhf);
    app.ProcessReceivedLine("OLD2>APRS:!4141.00N/07240.00W-", Liveness::kLive, SourceKind::kVhf);
    t.clock.Set(2026, 12, 8, 11, 30, 30);
    app.ProcessReceivedLine("NEW1>APRS:!4142.00N/07240.00W-", Liveness::kLive, SourceKind::kVhf);
    app.ProcessReceivedLine("OLD2>APRS:>still here", Liveness::kLive, SourceKind::kVhf);
    ASSERT_EQ(app.Stations().UsedCount(), 4);
    // 12:00: OLD1 was last heard two hours ago; not yet longer.
    t.clock.Set(2026, 12, 8, 11, 59, 59);
    t.Second();
    t.Second();
    EXPECT_EQ(app.Stations().UsedCount(), 4);
    // 13:00: OLD1 is gone, the others close up behind the own station.
    t.clock.Set(2026, 12, 8, 12, 59, 59);
    t.Second();
    t.Second();
    EXPECT_EQ(app.Stations().UsedCount(), 3);
    EXPECT_EQ(app.Stations().At(0).callsign.View(), "N0ME");
    EXPECT_LT(app.Stations().Lookup("OLD1"), 0);
    const StationIndex old2 = app.Stations().Lookup("OLD2");
    ASSERT_EQ(old2, 1);
    EXPECT_EQ(app.Stations().Lookup("NEW1"), 2);
    // The history follows: OLD2's lines carry its new index, OLD1's none.
    const auto lines = app.History().LinesOf(old2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "OLD2>APRS:>still here");
    EXPECT_EQ(app.History().LinesOf(-1).size(), 1u);
    EXPECT_EQ(app.Events().renumberings, 1);
    // A new station takes the next free record and is found by name.
    app.ProcessReceivedLine("NEW2>APRS:>hello", Liveness::kLive, SourceKind::kVhf);
    EXPECT_EQ(app.Stations().Lookup("NEW2"), 3);
    EXPECT_EQ(app.Stations().Lookup("NEW1"), 2);
}

TEST(App, ATimeOutOfZeroKeepsEveryStation) {
    TestApp t;
    t.Live("N0CALL>APRS:>the own station, first");
    t.Live("OLD1>APRS:>x");
    t.clock.Advance(1000 * 3600);
    t.app.RefreshClock();
    EXPECT_EQ(t.app.RemoveStationsNotHeardFor(0), 0);
    EXPECT_EQ(t.app.RemoveStationsNotHeardFor(1), 1);
    EXPECT_EQ(t.app.Stations().UsedCount(), 1);  // the first record always stays
}

TEST(App, DefaultsAndCapacitySetting) {
    TestApp t;
    EXPECT_EQ(t.app.Own().call.View(), "N0CALL");
    EXPECT_FALSE(t.app.Own().HasHome());
    EXPECT_EQ(t.app.Stations().Capacity(), 2048);
    TestApp small(AppOptions{1, std::nullopt});
    EXPECT_EQ(small.app.Stations().Capacity(), 1024);
    TestApp large(AppOptions{2, 50000});
    EXPECT_EQ(large.app.Stations().Capacity(), 50000);
}

TEST(App, IndependentInstancesShareNothing) {
    TestApp a, b;
    a.Live("W1AW>APRS:>x");
    EXPECT_EQ(a.app.Stations().UsedCount(), 1);
    EXPECT_EQ(b.app.Stations().UsedCount(), 0);
    EXPECT_EQ(b.app.Statistics().Total(1, kStatEveryLine), 0u);
}

TEST(App, ClearStationsReleasesAndFeedsTheOwnPositionFirst) {
    TestApp t;
    t.app.SetOwnCall("N0CALL-9");
    t.app.SetHome(49.058333, -72.029167);
    t.Live("W1AW>APRS:!4903.50N/07201.75W-");
    t.app.Stations().At(0).owned[kOwnedTelemetry].resize(18432);
    t.app.ClearStations();
    ASSERT_EQ(t.app.Stations().UsedCount(), 1);
    const StationRecord& own = t.app.Stations().At(0);
    EXPECT_EQ(own.callsign.View(), "N0CALL-9");
    EXPECT_EQ(ToChar(own.sourceKind), '0');
    EXPECT_TRUE(own.HasPosition());
    EXPECT_TRUE(own.owned[kOwnedTelemetry].empty());
    EXPECT_EQ(t.Find("W1AW"), -1);
}

TEST(App, HourlyClearKeepsTheLast24Hours) {
    TestApp t;
    t.clock.Set(2026, 12, 8, 5, 0, 0);
    t.Live("W1AW>APRS:>x");
    t.Live("W1AW>APRS:>x");
    EXPECT_EQ(t.Station("W1AW").hourCounts[5], 2);
    ClearHourCounts(t.app.Stations(), 5);
    EXPECT_EQ(t.Station("W1AW").hourCounts[5], 0);
    EXPECT_EQ(t.Station("W1AW").packets, 2);
}

TEST(App, StationFlagsLoadFromTheDataFolder) {
    TestApp t;
    {
        std::FILE* f = std::fopen((t.folder / "Stations.txt").c_str(), "wb");
        std::fputs("W1AW\tTRACK\r\n", f);
        std::fclose(f);
    }
    EXPECT_EQ(t.app.LoadStationFlags(), 1);
    t.Live("W1AW>APRS:>x");
    EXPECT_EQ(t.Station("W1AW").track, 1);
}

TEST(Startup, PreferencesReachTheCoreAndTheOwnStationIsFirst) {
    TestProgram t;
    Preferences p;
    test::SetPref(p, "own_call", "W1AW");
    test::SetPref(p, "danger_radius", "7");
    test::SetPref(p, "track_capacity", "50");
    test::SetPref(p, "utc_offset", "-5");
    p.SetOwnLatitude(41.7146);
    p.SetOwnLongitude(-72.727);
    ASSERT_TRUE(p.Save(t.files));
    const App& app = t.Started().Core();
    EXPECT_EQ(app.Own().call.View(), "W1AW");
    EXPECT_TRUE(app.Own().HasHome());
    EXPECT_EQ(t.program->Core().StationOptions().dangerRadiusMiles, 7);
    EXPECT_EQ(t.program->Core().StationOptions().trackPointsToSave, 50);
    EXPECT_EQ(t.program->Core().DecodeOptions().utcOffsetHours, -5);
    ASSERT_EQ(app.Stations().UsedCount(), 1);
    EXPECT_EQ(app.Stations().At(0).callsign.View(), "W1AW");
    // With no preferences file the own station has no position to feed.
    TestProgram fresh;
    EXPECT_FALSE(fresh.Started().Core().Own().HasHome());
    EXPECT_EQ(fresh.program->Core().Stations().UsedCount(), 0);
}

TEST(Startup, TheHourBranchClearsTheHoursCounters) {
    TestProgram t;
    t.clock.Set(2026, 12, 8, 5, 30, 0);
    t.Started();
    for (int i = 0; i < 3; ++i) t.Second();  // the day, hour and minute branches
    t.program->Core().ProcessReceivedLine("W1AW>APRS:>x", Liveness::kLive, SourceKind::kVhf);
    const App& app = t.program->Core();
    ASSERT_EQ(app.Stations().At(app.Stations().Lookup("W1AW")).hourCounts[5], 1);
    // A day later the same hour's slot is stale when the hour begins.
    t.clock.Set(2026, 12, 9, 4, 59, 50);
    for (int i = 0; i < 3; ++i) t.Second();  // day, hour 4, minute 59
    t.clock.Set(2026, 12, 9, 4, 59, 59);
    t.Second();  // 5:00:00, the hour branch
    EXPECT_EQ(app.Stations().At(app.Stations().Lookup("W1AW")).hourCounts[5], 0);
    EXPECT_EQ(app.Statistics().Slot(1, kStatEveryLine, 5), 0u);
    EXPECT_EQ(app.Statistics().Total(1, kStatEveryLine), 1u);
    EXPECT_GT(InstalledMemoryBytes(), 8000000u);
}

}  // namespace
}  // namespace velmora
