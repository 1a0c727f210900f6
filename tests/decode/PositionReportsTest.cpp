#include <gtest/gtest.h>

#include "decode/PositionReports.h"
#include "geo/Position.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using test::TestApp;

TEST(PositionReports, PlainTextPosition) {
    TestApp t;
    t.Live("W1AW>APRS,WIDE2-2:!4903.50N/07201.75W-Test 73");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.lat, 32400000 - (49 * 360000 + 3 * 6000 + 30 * 100));
    EXPECT_EQ(s.lon, 64800000 - (72 * 360000 + 1 * 6000 + 45 * 100));
    EXPECT_EQ(s.symbolTable, '/');
    EXPECT_EQ(s.symbolCode, '-');
    EXPECT_EQ(s.reportType, '!');
    EXPECT_EQ(s.lastInfo.View(), "!4903.50N/07201.75W-Test 73");
    EXPECT_EQ(t.app.Statistics().Total(1, kStatPlainPosition), 1u);
}

TEST(PositionReports, SevenCharacterPrefixBeforeTheText) {
    TestApp t;
    t.Live("W1AW>APRS:!ABCDEFG4903.50N/07201.75W-x");
    EXPECT_TRUE(t.Station("W1AW").HasPosition());
}

TEST(PositionReports, AmbiguityIsStored) {
    TestApp t;
    t.Live("W1AW>APRS:=4903.  N/07201.  W-");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.ambiguity, 2);
    EXPECT_EQ(s.lat, 32400000 - (49 * 360000 + 3 * 6000));
    t.Live("K1ABC>APRS:!49  .  N/072  .  W-");
    EXPECT_EQ(t.Station("K1ABC").ambiguity, 4);
}

TEST(PositionReports, TimedPositionWithCourseAndSpeed) {
    TestApp t;
    t.Live("W1AW>APRS:@092345z4903.50N/07201.75W>088/036");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.course, 88);
    EXPECT_EQ(s.speedKnots, 36);
    EXPECT_EQ(s.reportType, 'z');
    EXPECT_EQ(s.reportTime, 0u);  // day-hour-minute stamps are not stored
    EXPECT_EQ(t.app.Statistics().Total(1, kStatTimedPosition), 1u);
}

TEST(PositionReports, MessagingPositionClearsCourseAndSpeed) {
    TestApp t;
    t.Live("W1AW>APRS:@092345z4903.50N/07201.75W>088/036");
    t.Live("W1AW>APRS:=4903.50N/07201.75W>no course here");
    EXPECT_EQ(t.Station("W1AW").course, 0);
    EXPECT_EQ(t.Station("W1AW").speedKnots, 0);
}

TEST(PositionReports, ShortCompressedOnlyWithThePrimaryTableAndNeverCutShort) {
    TestApp t;
    t.Live("W1AW>APRS:!/PPPPPP> with a comment");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_TRUE(s.HasPosition());
    EXPECT_EQ(s.symbolTable, '/');
    EXPECT_EQ(s.symbolCode, '>');
    t.Live("K1ABC>APRS:!\\PPPPPP> with a comment");
    EXPECT_FALSE(t.Station("K1ABC").HasPosition());
    EXPECT_EQ(t.Station("K1ABC").badPlainCount, 1);
    // Fewer than 13 characters is a compressed position cut short: nothing.
    t.Live("K2ABC>APRS:!/PPPPPP>");
    t.Live("K3ABC>APRS:!/5L!!<*e7>7P");
    EXPECT_FALSE(t.Station("K2ABC").HasPosition());
    EXPECT_FALSE(t.Station("K3ABC").HasPosition());
}

TEST(PositionReports, StandardCompressedInEveryReportType) {
    TestApp t;
    for (const char* line : {"A1>APRS:!/5L!!<*e7>7P[", "A2>APRS:=/5L!!<*e7>7P[ text",
                             "A3>APRS:@092345z/5L!!<*e7>7P[", "A4>APRS:/092345z\\5L!!<*e7>7P[",
                             "A5>APRS:!D5L!!<*e7>7P["}) {
        t.Live(line);
    }
    for (const char* call : {"A1", "A2", "A3", "A4", "A5"}) {
        const StationRecord& s = t.Station(call);
        EXPECT_NEAR(LatDegreesFromUnits(s.lat), 49.5, 1e-4) << call;
        EXPECT_NEAR(LonDegreesFromUnits(s.lon), -72.75, 1e-4) << call;
        EXPECT_EQ(s.course, 88) << call;
        EXPECT_EQ(s.speedKnots, 36) << call;
    }
    EXPECT_EQ(t.Station("A4").symbolTable, '\\');
    EXPECT_EQ(t.Station("A5").symbolTable, 'D');
    t.Live("A6>APRS:=/5L!!<*e7OS]S");
    EXPECT_NEAR(t.Station("A6").altitudeFeet, 10004, 2);
    // An altitude written in the comment is exact and wins.
    t.Live("A7>APRS:=/5L!!<*e7OS]S/A=000123");
    EXPECT_EQ(t.Station("A7").altitudeFeet, 123);
}

TEST(PositionReports, HmsTimeStampTakesTheLatestMatchingDay) {
    FakeClock clock;
    clock.Set(2026, 12, 8, 0, 30, 0);
    clock.SetUtcOffset(-5 * 3600);  // local 00:30 is 05:30 UTC
    // 05:00 UTC today is 00:00 local today.
    EXPECT_EQ(HmsReportTime(5, 0, 0, clock), ToTimeStamp({2026, 12, 8, 0, 0, 0, 0}));
    // 23:59 UTC has not happened yet today: it was yesterday, 18:59 local.
    EXPECT_EQ(HmsReportTime(23, 59, 0, clock), ToTimeStamp({2026, 12, 7, 18, 59, 0, 0}));
    // Less than an hour ahead is a clock that runs fast, not yesterday.
    EXPECT_EQ(HmsReportTime(6, 0, 0, clock), ToTimeStamp({2026, 12, 8, 1, 0, 0, 0}));

    TestApp t;
    t.clock.Set(2026, 12, 8, 12, 0, 0);
    t.Live("W1AW>APRS:/113000h4903.50N/07201.75W>");
    EXPECT_EQ(t.Station("W1AW").reportTime, ToTimeStamp({2026, 12, 8, 11, 30, 0, 0}));
    EXPECT_EQ(t.Station("W1AW").reportType, 'h');
}

TEST(PositionReports, DestinationSymbolForGpsSentences) {
    TestApp t;
    t.Live("W1AW>GPSC43:$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A");
    const StationRecord& w = t.Station("W1AW");
    EXPECT_EQ(w.symbolTable, '/');
    EXPECT_EQ(w.symbolCode, 'K');
    EXPECT_EQ(w.software, MakeFourCC("GPS "));
    EXPECT_NEAR(LatDegreesFromUnits(w.lat), 48 + 7.038 / 60, 1e-5);
    // Without a destination symbol the SSID picks one from the table.
    t.app.DecodeOptions().ssidSymbols[9] = 'j';
    t.Live("K1ABC-9>APRS:$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A");
    EXPECT_EQ(t.Station("K1ABC-9").symbolCode, 'j');
    // A text position's own symbol replaces the destination's.
    t.Live("K1ABC>GPSC43:!4903.50N/07201.75W-");
    EXPECT_EQ(t.Station("K1ABC").symbolCode, '-');
}

}  // namespace
}  // namespace velmora
