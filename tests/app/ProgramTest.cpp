#include "app/Program.h"

#include <gtest/gtest.h>

#include "app/MenuTable.h"
#include "geo/Position.h"
#include "support/TestProgram.h"
#include "support/SerialProgram.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using test::TestProgram;

TEST(ProgramStart, TheAboutBoxAsksForNothingAlreadySet) {
    test::SerialProgram t("W1AW", 41.7, -72.7);
    t.Up();
    ASSERT_EQ(t.ui.abouts.size(), 1u);
    EXPECT_EQ(t.ui.abouts[0].find("Set your call"), std::string::npos) << t.ui.abouts[0];
    EXPECT_NE(t.ui.abouts[0].find("TCP/IP Connections"), std::string::npos);
}

TEST(ProgramStart, CreatesTheThreeTimersInOrderAndOpensASquareMapThenTiles) {
    TestProgram t;
    t.Started();
    EXPECT_EQ(t.ui.startOrder, (std::vector<int>{kTimerLink, kTimerTick, kTimerMinute}));
    EXPECT_EQ(t.ui.timers[kTimerLink], 200);
    EXPECT_EQ(t.ui.timers[kTimerTick], 1000);
    EXPECT_EQ(t.ui.timers[kTimerMinute], 60000);
    EXPECT_EQ(t.ui.posted, (std::vector<uint16_t>{kCmdNewMapSquare, kCmdTile}));
    t.RunPosted();
    EXPECT_EQ(t.maps.shown.size(), 1u);
    EXPECT_EQ(t.ui.tiles, 1);
    ASSERT_EQ(t.ui.abouts.size(), 1u);  // nothing opens by itself: the About box
    // It says what to do next; with no call or position it asks for them.
    EXPECT_NE(t.ui.abouts[0].find("Set your call and position"), std::string::npos);
    EXPECT_NE(t.ui.abouts[0].find("open a TNC (Settings > Open VHF TNC)"), std::string::npos);

    t.program->Stop();
    EXPECT_TRUE(t.ui.timers.empty());
    EXPECT_EQ(t.program->Timers().Count(), 0u);
}

TEST(ProgramStart, PollingTimerOnlyWithoutReaderThreadsAndNoNewWindowsWhenSomeAreOpen) {
    ProgramOptions o;
    o.platform.usesReaderThreads = false;
    TestProgram t(o);
    t.ui.windows = 1;
    t.Started();
    EXPECT_EQ(t.ui.timers[kTimerPoll], 300);
    EXPECT_EQ(t.program->Timers().Count(), 4u);
    EXPECT_TRUE(t.ui.posted.empty());
}

TEST(ProgramStart, OwnStationIsIndexZeroAndStartupLogIsReplayed) {
    TestProgram t;
    Preferences p;
    test::SetPref(p, "own_call", "N0TEST-9");
    p.SetOwnLatitude(41.5);
    p.SetOwnLongitude(-72.25);
    ASSERT_TRUE(p.Save(t.files));
    t.Write("Startup.log", "W1AW>APRS,WIDE2-2:!4140.35N/07243.55W#\r\nshort\r\nK1ABC>APRS:>status here\r\n");
    Program& prog = t.Started();
    const StationTable& st = prog.Core().Stations();
    ASSERT_GE(st.UsedCount(), 3);
    EXPECT_EQ(st.At(0).callsign.View(), "N0TEST-9");
    EXPECT_NE(st.Lookup("W1AW"), -1);
    EXPECT_NE(st.Lookup("K1ABC"), -1);
    EXPECT_EQ(prog.StartupLinesReplayed(), 3);
}

TEST(ProgramStart, MasterModeThreeIsResetAndSpaceModeWarns) {
    for (int mode : {2, 3}) {
        TestProgram t;
        Preferences p;
        test::SetPref(p, "master_mode", std::to_string(mode));
        ASSERT_TRUE(p.Save(t.files));
        t.Started();
        EXPECT_EQ(t.program->Prefs().Get("master_mode"), mode == 3 ? "0" : "2");
        ASSERT_EQ(t.ui.boxes.size(), mode == 2 ? 1u : 0u);
        if (mode == 2) {
            EXPECT_NE(t.ui.boxes[0].text.find("You have space mode enabled."), std::string::npos);
        }
    }
}

TEST(ProgramClose, AsksBeforeQuittingAndQuitsOnlyOnOk) {
    TestProgram t;
    t.Started();
    t.ui.answer = Answer::kCancel;
    EXPECT_FALSE(t.program->CloseRequested());
    EXPECT_FALSE(t.program->QuitRequested());
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].text, "Are you sure you want to quit Velmora");
    EXPECT_EQ(t.ui.boxes[0].buttons, Buttons::kOkCancel);
    t.ui.answer = Answer::kOk;
    EXPECT_TRUE(t.program->CloseRequested());
    EXPECT_TRUE(t.program->QuitRequested());
    EXPECT_TRUE(t.ui.quit);
    EXPECT_EQ(t.program->ExitCode(), 0);
}

TEST(ProgramClose, WithoutReaderThreadsQuitsWithoutAsking) {
    ProgramOptions o;
    o.platform.usesReaderThreads = false;
    TestProgram t(o);
    t.Started();
    EXPECT_TRUE(t.program->CloseRequested());
    EXPECT_TRUE(t.ui.boxes.empty());
}

TEST(ProgramCommands, CheckMarksAreRefreshedAfterEveryCommandTakenOrNot) {
    TestProgram t;
    t.Started();
    const int before = t.ui.checkRefreshes;
    EXPECT_TRUE(t.program->Command(7101));
    EXPECT_TRUE(t.program->IsChecked(7101));
    EXPECT_FALSE(t.program->Command(8999));  // no group takes it
    EXPECT_EQ(t.ui.checkRefreshes, before + 2);
    EXPECT_TRUE(t.program->Command(kStopAllLogging));
    EXPECT_FALSE(t.program->IsChecked(7101));
}

TEST(ProgramCommands, FrameCommandsReachTheDesktop) {
    TestProgram t;
    t.Started();
    t.program->Command(kCmdNewChild);
    t.program->Command(kCmdCascade);
    t.program->Command(kCmdArrangeIcons);
    EXPECT_EQ(t.ui.children, 1);
    EXPECT_EQ(t.ui.cascades, 1);
    EXPECT_EQ(t.ui.arranges, 1);
}

TEST(ProgramCommands, StationSettingsWriteThePreferencesAndTheOwnStation) {
    TestProgram t;
    t.Started();
    t.dialogs.editSettings = [](Preferences& p) {
        test::SetPref(p, "own_call", "W1NEW-7");
        p.SetOwnLatitude(42.0);
        p.SetOwnLongitude(-71.5);
    };
    EXPECT_TRUE(t.program->Command(kCmdStationSettings));
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.OwnCall(), "W1NEW-7");
    const StationRecord& own = t.program->Core().Stations().At(t.program->Core().Stations().Lookup("W1NEW-7"));
    EXPECT_NEAR(LatDegreesFromUnits(own.lat), 42.0, 0.001);
    EXPECT_NEAR(LonDegreesFromUnits(own.lon), -71.5, 0.001);
}

TEST(ProgramTick, FirstTickOpensAutomaticPortsOnceThenRunsTheBranches) {
    TestProgram t;
    t.Started();
    t.Second();
    EXPECT_NE(t.program->Tick().Memory().day, 0);  // the day branch ran first
}

TEST(ProgramTick, MemorySampleEveryFifteenSeconds) {
    TestProgram t;
    t.clock.Set(2026, 12, 8, 10, 20, 0);
    t.Started();
    for (int i = 0; i < 4; ++i) t.Second();  // day, hour, minute branches, then seconds
    const size_t base = t.program->Memory().Count();
    t.clock.Set(2026, 12, 8, 10, 20, 10);
    for (int s = 0; s < 60; ++s) t.Second();  // through 10:21:10
    // 15, 30 and 45 of the first minute; 0 of the next minute is the minute branch.
    EXPECT_EQ(t.program->Memory().Count() - base, 3u);
}

TEST(ProgramMemoryLog, OpensWhenTheOperatorAgreesAndLogsEverySample) {
    TestProgram t;
    t.clock.Set(2026, 3, 5, 10, 20, 0);
    t.Started();
    t.ui.answer = Answer::kCancel;
    t.program->Command(kCmdMemoryUsage);
    EXPECT_FALSE(t.program->MemoryLogOpen());
    EXPECT_EQ(t.ui.boxes.back().text, "Do want to log to disk?");
    t.ui.answer = Answer::kOk;
    t.program->Command(kCmdMemoryUsage);
    ASSERT_TRUE(t.program->MemoryLogOpen());
    for (int i = 0; i < 4; ++i) t.Second();
    t.clock.Set(2026, 3, 5, 10, 20, 14);
    t.Second();  // 10:20:15
    t.program->Command(kCmdMemoryUsage);  // closes it
    const std::string text = t.Read("Mem 3 5.log");
    const std::string head =
        "----------------------Program restarted\r\nTime\tWindows\tStations\t Ptrs\t In use\t Free\tLoad\r\n";
    ASSERT_GT(text.size(), head.size());
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(text.substr(head.size(), 6), "10:20\t");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    t.program->Command(kCmdMemoryUsage);  // again in this run: no second restart line
    t.program->Command(kCmdMemoryUsage);
    EXPECT_EQ(t.Read("Mem 3 5.log").find("restarted", 50), std::string::npos);
}

// Starts the program, lets the day, hour and minute branches pass, and
// starts a simulation of this text.
bool Simulating(TestProgram& t, const std::string& text) {
    t.Write("sim.txt", text);
    t.clock.Set(2026, 12, 8, 10, 20, 30);
    t.Started();
    for (int i = 0; i < 4; ++i) t.Second();
    return t.program->StartSimulation((t.folder / "sim.txt").string());
}

TEST(ProgramSimulation, FeedsFiveLinesATickAndEndsWithThreeBeeps) {
    TestProgram t;
    std::string text;
    for (int i = 0; i < 30; ++i) text += "SIM" + std::to_string(i) + ">APRS:!4140.00N/07240.00W-\r\n";
    ASSERT_TRUE(Simulating(t, text));
    const int32_t before = t.program->Core().Stations().UsedCount();
    t.Second();
    EXPECT_EQ(t.program->Core().Stations().UsedCount() - before, 5);
    for (int i = 0; i < 5; ++i) t.Second();
    EXPECT_EQ(t.program->Core().Stations().UsedCount() - before, 30);
    EXPECT_TRUE(t.program->Replay().Active());
    EXPECT_EQ(t.notices.beeps, 0);
    t.Second();
    EXPECT_FALSE(t.program->Replay().Active());
    EXPECT_EQ(t.notices.beeps, 3);
}

TEST(ProgramSimulation, ShiftFeedsAHundredLinesATick) {
    TestProgram t;
    std::string text;
    for (int i = 0; i < 250; ++i) text += "FAST" + std::to_string(i) + ">APRS:!4140.00N/07240.00W-\n";
    ASSERT_TRUE(Simulating(t, text));
    t.ui.shift = true;
    const int32_t before = t.program->Core().Stations().UsedCount();
    t.Second();
    EXPECT_EQ(t.program->Core().Stations().UsedCount() - before, 100);
    t.ui.shift = false;
    t.ui.capsLock = true;
    t.Second();
    EXPECT_EQ(t.program->Core().Stations().UsedCount() - before, 200);
}

TEST(ProgramSimulation, SkipsCommentsAndLinesOfTenCharacters) {
    TestProgram t;
    // "A>B:>abcde" is 10 characters; "A>B:>abcdef" is 11.
    ASSERT_TRUE(Simulating(t, "A>B:>abcde\n>K1ABC>APRS:>a comment line that is long\nC>B:>abcdef\n"));
    t.Second();
    const StationTable& st = t.program->Core().Stations();
    EXPECT_EQ(st.Lookup("A"), -1);
    EXPECT_EQ(st.Lookup(">K1ABC"), -1);
    EXPECT_EQ(st.Lookup("K1ABC"), -1);
    EXPECT_NE(st.Lookup("C"), -1);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// A station event reaches every listener the core was given, in addition to
// being counted.
TEST(StationEvents, ReachTheListeners) {
    struct Listener final : StationEvents {
        void InvalidateList(FourCC, FourCC list) override { lists.push_back(list); }
        void RedrawStation(int32_t index) override { redrawn.push_back(index); }
        void NewStationLogLine(std::string_view) override { ++logLines; }
        void CentreMapOn(int32_t) override {}
        void HistoryGrew(int32_t, std::string_view source) override { sources.emplace_back(source); }
        void HistoryRebuilt() override {}
        std::vector<FourCC> lists;
        std::vector<int32_t> redrawn;
        std::vector<std::string> sources;
        int logLines = 0;
    } listener;
    test::TestApp t;
    t.app.ListenToStations(listener);
    t.app.SetHome(41.7, -72.7);
    t.Live("W1AW>APRS:!4140.35N/07243.55W#");
    ASSERT_EQ(listener.sources.size(), 1u);
    EXPECT_EQ(listener.sources[0], "W1AW");
    EXPECT_FALSE(listener.redrawn.empty());
    int counted = 0;
    for (const auto& [key, n] : t.app.Events().invalidations) counted += n;
    EXPECT_GT(counted, 0);
    EXPECT_EQ(static_cast<int>(listener.lists.size()), counted);
    EXPECT_EQ(listener.redrawn.size(), static_cast<size_t>(t.app.Events().redraws));
}

}  // namespace
}  // namespace velmora

#include "support/SerialProgram.h"

namespace velmora {
namespace {

// A station that starts a network service by itself gets no About box, as
// one that opens a port by itself does not.
TEST(ProgramStatistics, NoAboutBoxWhenANetworkServiceStartsByItself) {
    for (const char* service : {"autostart_tcp", "enable_server", ""}) {
        test::SerialProgram t("N0ME", 41.5, -72.5);
        if (*service) test::SetPref(t.prefs, service, "1");
        if (*service) test::SetPref(t.prefs, "server_port", "0");
        t.Up();
        EXPECT_EQ(t.ui.abouts.size(), *service ? 0u : 1u) << service;
    }
}

// Found as: the packet statistics started from 0 at every restart, and a
// slot of the activity table kept what it counted a day (or a year) ago.
TEST(ProgramStatistics, KeptAcrossARestartAndSlotsStartAgain) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    t.clock.Set(2026, 12, 10, 9, 3, 0);
    {
        Program& p = t.Up();
        for (int i = 0; i < 3; ++i)
            p.Core().ProcessReceivedLine("W1AW>APRS:>status " + std::to_string(i), Liveness::kLive, SourceKind::kVhf);
        EXPECT_EQ(p.Core().Activity().FiveMinute(ActivityTable::kVhf, 9 * 12), 3u);
        p.Stop();
    }
    t.program.reset();
    Program& p = t.Up();
    EXPECT_EQ(p.Core().Statistics().Total(1, 0), 3u);
    EXPECT_EQ(p.Core().Activity().FiveMinute(ActivityTable::kVhf, 9 * 12), 3u);
    EXPECT_EQ(p.Core().Activity().DayOfYear(ActivityTable::kVhf, 11 * 32 + 10), 3u);
    // Two minutes on, the five minutes from 9:05 begin again: their slot is emptied.
    p.Core().ProcessReceivedLine("W1AW>APRS:>later", Liveness::kLive, SourceKind::kVhf);
    t.clock.Set(2026, 12, 10, 9, 5, 0);
    t.Second();
    EXPECT_EQ(p.Core().Activity().FiveMinute(ActivityTable::kVhf, 9 * 12), 4u);  // 9:00 to 9:05 kept
    t.clock.Set(2026, 12, 10, 9, 7, 0);
    p.Core().ProcessReceivedLine("W1AW>APRS:>at 9:07", Liveness::kLive, SourceKind::kVhf);
    EXPECT_EQ(p.Core().Activity().FiveMinute(ActivityTable::kVhf, 9 * 12 + 1), 1u);
    t.clock.Set(2026, 12, 11, 9, 5, 0);  // the next day's 9:05: yesterday's count goes
    for (int s = 0; s < 3; ++s) t.Second();  // the tick takes the day and the hour first
    EXPECT_EQ(p.Core().Activity().FiveMinute(ActivityTable::kVhf, 9 * 12 + 1), 0u);
    t.Write("PacketStats.bin", "not statistics");
    t.program.reset();
    Program& q = t.Up();
    EXPECT_EQ(q.Core().Statistics().Total(1, 0), 0u);
}

}  // namespace
}  // namespace velmora
