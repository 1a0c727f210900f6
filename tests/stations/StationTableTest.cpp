#include <gtest/gtest.h>

#include "stations/StationTable.h"
#include "stations/StationUpdate.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

struct TableFixture : ::testing::Test {
    explicit TableFixture(int32_t capacity = 8) : table(capacity) {}
    FindResult Add(std::string_view name, Liveness live = Liveness::kReplay, FourCC sw = 0) {
        return FindOrAddStation(ctx, name, live, SourceKind::kVhf, sw);
    }
    FakeClock clock;
    RecordingNotices notices;
    RecordedStationEvents events;
    StationFlagsFile flags;
    StationSettings settings;
    StationTable table;
    HistoryBuffer history{20000};
    StationContext ctx{table, flags, settings, clock, notices, events, history};
};

TEST_F(TableFixture, NamesAreCutCheckedAndComparedExactly) {
    EXPECT_EQ(Add("N0CALL").index, 0);
    EXPECT_EQ(Add("N0CALL-9").index, 1);
    EXPECT_EQ(Add("n0call").index, 2);
    EXPECT_EQ(Add("N0CALL").index, 0);
    EXPECT_FALSE(Add("N0CALL").created);
    // Ten or more characters are cut to nine, so these share a record.
    EXPECT_EQ(Add("ABCDEFGHIJ").index, Add("ABCDEFGHIXYZ").index);
    EXPECT_EQ(table.At(Add("ABCDEFGHIJ").index).callsign.View(), "ABCDEFGHI");
    // The name ends at a blank, ">" or "*".
    EXPECT_EQ(Add("N0CALL>APRS").index, 0);
    EXPECT_EQ(Add("N0CALL*").index, 0);
    EXPECT_EQ(Add("W1/AW").index, kInvalidCallsign);
    EXPECT_EQ(Add("W1.AW").index, kInvalidCallsign);
    EXPECT_EQ(Add("").index, kInvalidCallsign);  // a malformed packet, not a full table
    EXPECT_EQ(Add(" N0CALL").index, kInvalidCallsign);
    EXPECT_EQ(Add("A_B+C-1").index, 4);
}

TEST_F(TableFixture, FullTableRefusesNewButFindsKnown) {
    for (int i = 0; i < 8; ++i) ASSERT_GE(Add("S" + std::to_string(i)).index, 0);
    EXPECT_TRUE(table.Full());
    EXPECT_EQ(Add("NEW").index, kTableFull);
    EXPECT_EQ(Add("S3").index, 3);
}

TEST_F(TableFixture, NewRecordIsInitialisedAndAnnounced) {
    clock.Set(2026, 3, 7, 10, 0, 0);
    settings.announceNewStations = true;
    const FindResult r = Add("W1AW", Liveness::kLive, MakeFourCC("WIN "));
    ASSERT_TRUE(r.created);
    const StationRecord& s = table.At(r.index);
    EXPECT_EQ(s.state, kStateInUse);
    EXPECT_EQ(s.drawn, 1);
    EXPECT_EQ(s.labelPlacement, -1);
    EXPECT_EQ(s.symbolCode, ' ');
    EXPECT_EQ(s.bestWides, 99);
    EXPECT_EQ(s.firstHeard, clock.NowStamp());
    EXPECT_EQ(events.lastLogLine, "W1AW\t2\tWin\t03/07/2026");
    ASSERT_EQ(notices.sounds.size(), 1u);
    EXPECT_EQ(notices.sounds[0].event, kSoundNewStation);
    EXPECT_EQ(notices.sounds[0].caption, "W1AW");
    EXPECT_EQ(events.Invalidations(MakeFourCC("STAL")), 1);
    EXPECT_EQ(events.Invalidations(MakeFourCC("PTHL")), 1);
    // Replayed lines neither log nor announce.
    Add("K1ABC", Liveness::kReplay);
    EXPECT_EQ(events.logLines, 1);
    EXPECT_EQ(notices.sounds.size(), 1u);
}

TEST_F(TableFixture, FlagsFileAndAutoFlagApplyOnCreation) {
    flags.AddLine("W1AW\tDANGER LOCK track");
    settings.autoFlagMacs = true;
    const StationRecord& s = table.At(Add("W1AW").index);
    EXPECT_EQ(s.danger, 1);
    EXPECT_EQ(s.track, 1);
    EXPECT_EQ(s.state, kStateLocked);
    EXPECT_EQ(s.alarm, 0);
    const StationRecord& mac = table.At(Add("K1MAC", Liveness::kReplay, MakeFourCC("MAC ")).index);
    EXPECT_EQ(mac.flagged, 'F');
    EXPECT_EQ(events.Invalidations(MakeFourCC("FLGL")), 1);
}

TEST_F(TableFixture, LookupStaysConsistentAcrossClear) {
    Add("A");
    Add("B");
    table.At(1).trackPoints.resize(1000);
    table.At(1).owned[kOwnedTelemetry].resize(1000);
    table.Clear();
    EXPECT_EQ(table.UsedCount(), 0);
    EXPECT_EQ(table.Lookup("B"), -1);
    EXPECT_TRUE(table.At(1).trackPoints.empty());
    EXPECT_TRUE(table.At(1).owned[kOwnedTelemetry].empty());
    EXPECT_EQ(Add("B").index, 0);
}

TEST(StationTable, CapacityIsClampedAndFindStationCutsTheName) {
    StationTable big(100000);
    EXPECT_EQ(big.Capacity(), StationTable::kMaximumCapacity);
    StationTable t(4);
    ASSERT_EQ(t.Append("W1AW-5"), 0);
    EXPECT_EQ(FindStation(t, "W1AW-5>APRS,WIDE"), 0);
    EXPECT_EQ(FindStation(t, "W1AW-5,x"), 0);
    EXPECT_EQ(FindStation(t, "W1AW-5 text"), 0);
    EXPECT_EQ(FindStation(t, "W1AW"), -1);
    EXPECT_EQ(FindStation(t, ""), -1);
}

}  // namespace
}  // namespace velmora
