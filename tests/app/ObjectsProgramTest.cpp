// Own objects in the whole program: sent at once through the TNC, on the
// object schedule and to "?APRSO", killed a few times, kept across a restart.
#include <gtest/gtest.h>

#include "app/ObjectsModule.h"
#include "geo/Position.h"
#include "geo/PositionInput.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

struct ObjectProgram : test::VhfTncProgram {
    std::string Sent() {
        RunSingleShots();
        return VhfTncProgram::Sent();
    }
    OwnObjectEntry Eoc() const {
        OwnObjectEntry e;
        e.name = "EOC";
        e.symbolTable = '/', e.symbolCode = 'o';
        e.lat = TypedLatUnits(41.6), e.lon = TypedLonUnits(-72.6);  // as the console and dialog read them
        e.comment = "shelter open";
        return e;
    }
};

TEST(OwnObjectsProgram, SentAtOnceOnScheduleAndAskedForThenKilled) {
    ObjectProgram t;
    Program& p = t.Open();
    const auto made = p.Objects().Put(t.Eoc());
    ASSERT_TRUE(made.ok) << made.text;
    EXPECT_EQ(made.text, "Object EOC at 41°36.00′N 72°36.00′W, /o Emergency operations centre: shelter open");
    EXPECT_NE(t.Sent().find(";EOC      *"), std::string::npos);
    // Drawn and listed as ours.
    const StationRecord& r = p.Core().Stations().At(p.Core().Stations().Lookup("EOC"));
    EXPECT_EQ(r.objectState, '+');
    EXPECT_EQ(r.comment.View(), "shelter open");
    // "?APRSO" asks for the own objects.
    p.Core().ProcessReceivedLine("W1AW>APRS,WIDE2-1::N0ME     :?APRSO", Liveness::kLive, SourceKind::kVhf);
    const std::string answer = t.Sent();
    EXPECT_NE(answer.find("4136.00N/07236.00Wo shelter open\r"), std::string::npos) << answer;
    // Send Objects from the menu.
    p.Command(kCmdTncSendObjects);
    EXPECT_NE(t.Sent().find(";EOC      *"), std::string::npos);
    // Killed: at once, then on the next schedule rounds, then no more.
    ASSERT_TRUE(p.Objects().Kill("EOC").ok);
    EXPECT_NE(t.Sent().find(";EOC      _"), std::string::npos);
    int killedReports = 1;
    for (int minute = 1; minute <= 120; ++minute) {
        t.clock.Advance(60);
        t.Second();
        if (t.Sent().find(";EOC      _") != std::string::npos) ++killedReports;
    }
    EXPECT_EQ(killedReports, OwnObjectStore::kKilledSends);
    EXPECT_TRUE(p.Objects().Store().Entries().empty());
    EXPECT_EQ(p.Core().Stations().At(p.Core().Stations().Lookup("EOC")).objectState, 0);
}

TEST(OwnObjectsProgram, KeptAcrossARestartAndRefusedNames) {
    ObjectProgram t;
    Program& p = t.Up();
    ASSERT_TRUE(p.Objects().Put(t.Eoc()).ok);
    OwnObjectEntry own = t.Eoc();
    own.name = "N0ME";
    EXPECT_EQ(p.Objects().Put(own).text, "An object cannot bear the station's own call");
    p.Core().ProcessReceivedLine("W1AW>APRS:!4140.35N/07243.55W-home", Liveness::kLive, SourceKind::kVhf);
    own.name = "W1AW";
    EXPECT_EQ(p.Objects().Put(own).text, "W1AW is a station heard on the air: choose another name");
    ASSERT_TRUE(p.Objects().Move("EOC", LonUnitsFromDegrees(-72.7), LatUnitsFromDegrees(41.7)).ok);
    t.program->Stop();
    t.program.reset();
    Program& again = t.Up();
    ASSERT_EQ(again.Objects().Store().Entries().size(), 1u);
    EXPECT_EQ(again.Objects().Store().Entries()[0].lat, LatUnitsFromDegrees(41.7));
    const StationIndex i = again.Core().Stations().Lookup("EOC");
    ASSERT_GE(i, 0);
    EXPECT_EQ(again.Core().Stations().At(i).objectState, '+');
}

}  // namespace
}  // namespace velmora
