#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "geo/Position.h"
#include "stations/Track.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using test::TestApp;

std::string PositionLine(const char* call, double lat, double lon, char symbol = '>') {
    const double la = std::fabs(lat), lo = std::fabs(lon);
    char line[128];
    std::snprintf(line, sizeof line, "%s>APRS:!%02d%05.2f%c/%03d%05.2f%c%c", call, static_cast<int>(la),
                  (la - static_cast<int>(la)) * 60, lat < 0 ? 'S' : 'N', static_cast<int>(lo),
                  (lo - static_cast<int>(lo)) * 60, lon < 0 ? 'W' : 'E', symbol);
    return line;
}

TEST(Track, MovingStationGetsOnePointPerMoveAndItsMiles) {
    TestApp t;
    double expectedMiles = 0;
    // Three hundred metres or so north-east each time (0.2' of latitude).
    for (int i = 0; i < 20; ++i) t.Live(PositionLine("W1AW-9", 41.5 + i * 0.2 / 60, -72.5 + i * 0.2 / 60));
    const StationRecord& s = t.Station("W1AW-9");
    ASSERT_EQ(s.trackCount, 20);
    for (int i = 1; i < s.trackCount; ++i) {
        const TrackPoint& a = s.trackPoints[static_cast<size_t>(i - 1)];
        const TrackPoint& b = s.trackPoints[static_cast<size_t>(i)];
        expectedMiles += DistanceMiles(a.lon, a.lat, b.lon, b.lat);
    }
    // Each leg is about 0.27 miles; the sum is kept to a tenth of a percent.
    EXPECT_NEAR(s.trackMiles, expectedMiles, expectedMiles * 0.001);
    EXPECT_NEAR(s.trackMiles, 19 * 0.27, 19 * 0.27 * 0.1);
    EXPECT_EQ(s.track, 'T');
    EXPECT_GE(s.trackColour, 1);
}

TEST(Track, BelowTheThresholdNoPointsAndFixedSymbolsNoTrack) {
    TestApp t;
    t.Live("W1AW>APRS:!4130.00N/07230.00W>");
    t.Live("W1AW>APRS:!4130.00N/07230.00W>");
    EXPECT_EQ(t.Station("W1AW").trackCount, 1);  // the same place again is no new point
    t.Live("W1AW>APRS:!4130.00N/07230.01W>");  // .01' is 60 units, above the 10-unit threshold
    EXPECT_EQ(t.Station("W1AW").trackCount, 2);
    t.Live("HOME>APRS:!4130.00N/07230.00W-");
    t.Live("HOME>APRS:!4131.00N/07230.00W-");
    EXPECT_EQ(t.Station("HOME").trackCapacity, 0);  // a house does not move
}

TEST(Track, EquatorAndGreenwichAreNeverRecorded) {
    TestApp t;
    t.Live("EQ>APRS:!0000.00N/01000.00E>");
    t.Live("EQ>APRS:!0100.00N/01000.00E>");
    t.Live("EQ>APRS:!0000.00N/01100.00E>");
    t.Live("GR>APRS:!5100.00N/00000.00E>");
    t.Live("GR>APRS:!5200.00N/00100.00E>");
    const StationRecord& eq = t.Station("EQ");
    ASSERT_EQ(eq.trackCount, 1);
    EXPECT_EQ(eq.trackPoints[0].lat, LatUnitsFromDegrees(1));
    const StationRecord& gr = t.Station("GR");
    ASSERT_EQ(gr.trackCount, 1);
    EXPECT_EQ(gr.trackPoints[0].lon, LonUnitsFromDegrees(1));
}

TEST(Track, FullTracksStopAndColoursRotate) {
    TestApp t;
    t.app.StationOptions().trackPointsToSave = 3;
    for (int i = 0; i < 6; ++i) t.Live(PositionLine("W1AW", 41.5 + i / 60.0, -72.5));
    EXPECT_EQ(t.Station("W1AW").trackCount, 3);
    EXPECT_EQ(t.Station("W1AW").trackPoints.size(), 3u);
    std::vector<int> colours;
    for (int i = 0; i < 15; ++i) {
        const std::string call = "C" + std::to_string(i);
        t.Live(PositionLine(call.c_str(), 41.5, -72.5));
        colours.push_back(t.Station(call).trackColour);
    }
    EXPECT_EQ(colours[0], 2);   // W1AW took colour 1
    EXPECT_EQ(colours[12], 14);
    EXPECT_EQ(colours[13], 1);
}

TEST(Track, TrackFlagFromTheFlagsFileRecordsAnySymbol) {
    TestApp t;
    t.app.Flags().AddLine("HOME\tTRACK");
    t.Live("HOME>APRS:!4130.00N/07230.00W-");
    t.Live("HOME>APRS:!4131.00N/07230.00W-030/005/A=000123");
    const StationRecord& s = t.Station("HOME");
    ASSERT_EQ(s.trackCount, 2);
    EXPECT_EQ(s.trackPoints[1].altitudeFeet, 123);
    EXPECT_EQ(s.trackPoints[1].course, 30);  // the report's own course
    EXPECT_EQ(s.trackPoints[1].speed, 5);
}

TEST(Track, ClearStationsReleasesTracksAndHistory) {
    TestApp t;
    for (int i = 0; i < 3; ++i) t.Live(PositionLine("W1AW", 41.5 + i / 60.0, -72.5));
    EXPECT_GT(t.app.History().Length(), 0u);
    t.app.ClearStations();
    EXPECT_EQ(t.app.History().Length(), 0u);
    EXPECT_EQ(t.app.Stations().UsedCount(), 0);
    EXPECT_TRUE(t.app.Stations().At(0).trackPoints.empty());
}

TEST(WeatherDayLog, SlotsClearingAndMidnight) {
    TestApp t;
    t.clock.Set(2026, 12, 8, 23, 58, 0);
    t.Live("WX>APRS:_12082358c220s004g005t077r000p000P000h50b09900");
    const StationRecord& s = t.Station("WX");
    EXPECT_EQ(s.weatherSlot, 287);
    // 00:02 after 23:58: slot 0, nothing in between cleared.
    t.app.Stations().At(t.Find("WX")).weatherDay[100][0] = 55;
    t.Live("WX>APRS:_12090002c220s004g005t078r000p000P000h50b09900");
    EXPECT_EQ(s.weatherSlot, 0);
    EXPECT_EQ(s.weatherDay[0][0], 78);
    EXPECT_EQ(s.weatherDay[100][0], 55);
    // A later report clears the slots it skipped.
    t.Live("WX>APRS:_12090900c220s004g005t079r000p000P000h50b09900");
    EXPECT_EQ(s.weatherSlot, 9 * 12);
    EXPECT_EQ(s.weatherDay[100][0], 0);
    EXPECT_EQ(s.weatherDay[108][0], 79);
    EXPECT_EQ(s.weatherDay[108][10], 9900);
    EXPECT_EQ(s.weatherDay[108][11], 50);
}

TEST(WeatherDayLog, UtcCorrectionWrapsAndTheLogIsOptional) {
    TestApp t;
    t.app.DecodeOptions().utcOffsetHours = -5;
    t.Live("WX>APRS:_12080200c220s004g005t077r000p000P000h50b09900");  // 02:00 UTC is 21:00 local
    EXPECT_EQ(t.Station("WX").weatherSlot, 21 * 12);
    t.app.StationOptions().weatherLog = false;
    t.Live("WX2>APRS:_12080200c220s004g005t077r000p000P000h50b09900");
    EXPECT_TRUE(t.Station("WX2").weatherDay.empty());
}

}  // namespace
}  // namespace velmora
