#include "maps/StationLayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "geo/Position.h"
#include "lists/StationInfo.h"
#include "maps/SymbolArt.h"
#include "platform/fake/RecordingSurface.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

// A 400 x 400 map window showing about a degree around Hartford.
struct Scene {
    Scene() : window(400, 400 + kStatusStripHeight) {
        window.SetViewTo({LonUnitsFromDegrees(-73.2), LonUnitsFromDegrees(-72.2), LatUnitsFromDegrees(42.2),
                          LatUnitsFromDegrees(41.2)});
    }
    Point At(double lat, double lon) const {
        return window.View().Project({LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat)}).pixel;
    }
    std::vector<std::string> Draw() {
        RecordingSurface s(400, 400 + kStatusStripHeight);
        StationLayer layer({&t.app.Stations(), {}, t.clock.NowStamp(), &art});
        layer.DrawOver(s, window);
        return s.calls;
    }
    test::TestApp t;
    SymbolArt art;
    MapWindow window;
};

size_t Count(const std::vector<std::string>& calls, const std::string& prefix) {
    size_t n = 0;
    for (const std::string& c : calls) n += c.rfind(prefix, 0) == 0;
    return n;
}
bool HasText(const std::vector<std::string>& calls, const std::string& text) {
    for (const std::string& c : calls)
        if (c.rfind("text ", 0) == 0 && c.size() >= text.size() && c.substr(c.size() - text.size()) == text) return true;
    return false;
}

TEST(StationLayer, CallSignsBelowTheScaleLimitAndOnlyStationsThatPassTheFilter) {
    Scene sc;
    sc.t.Live("W1AW>APRS:!4140.35N/07243.55W-Home");
    sc.t.Live("W1WX>APRS:!4145.00N/07240.00W_000/005g010t045");
    auto calls = sc.Draw();
    EXPECT_TRUE(HasText(calls, "W1AW"));
    EXPECT_TRUE(HasText(calls, "W1WX"));
    sc.window.Options().filter = StationFilter::kWeather;
    calls = sc.Draw();
    EXPECT_FALSE(HasText(calls, "W1AW"));
    EXPECT_TRUE(HasText(calls, "W1WX 45F 0/5"));  // the weather style
    const StationTable& t = sc.t.app.Stations();
    EXPECT_EQ(t.At(t.Lookup("W1AW")).drawn, 0);
    EXPECT_EQ(t.At(t.Lookup("W1WX")).drawn, 1);
    // A view 3,400 miles across (scale 1700) draws no calls; just below it does.
    sc.window.Options().filter = StationFilter::kAll;
    const int32_t lat = LatUnitsFromDegrees(41.7);
    const int32_t halfWidth = static_cast<int32_t>(1700 / 69.1 / std::cos(41 * 0.017453292519943302) * 360000);
    sc.window.SetViewTo({LonUnitsFromDegrees(-72.7) - halfWidth, LonUnitsFromDegrees(-72.7) + halfWidth,
                         lat - halfWidth / 2, lat + halfWidth / 2});
    ASSERT_NEAR(sc.window.View().UnadjustedScale(), 1700, 40);
    if (sc.window.View().UnadjustedScale() >= 1700) {
        EXPECT_FALSE(HasText(sc.Draw(), "W1AW"));
    } else {
        EXPECT_TRUE(HasText(sc.Draw(), "W1AW"));
    }
}

TEST(StationLayer, VectorsForCourseWindAndDirectionFinding) {
    EXPECT_EQ(DirectionVector(0, 10), (Point{0, -10}));
    EXPECT_EQ(DirectionVector(90, 10), (Point{10, 0}));
    EXPECT_EQ(DirectionVector(180, 10), (Point{0, 10}));
    EXPECT_EQ(DirectionVector(270, 10), (Point{-10, 0}));
    Scene sc;
    sc.t.Live("W1CAR>APRS:!4140.00N/07240.00W>090/036");
    const Point p = sc.At(41 + 40.0 / 60, -72 - 40.0 / 60);
    const auto calls = sc.Draw();
    const std::string course = "line " + std::to_string(p.x) + "," + std::to_string(p.y) + " " +
                               std::to_string(p.x + 36) + "," + std::to_string(p.y) + " #7fffff w1";
    EXPECT_NE(std::find(calls.begin(), calls.end(), course), calls.end()) << course;
}

TEST(StationLayer, CoverageCirclesFromPhg) {
    EXPECT_EQ(PhgRadiusMiles("5132"), 8);  // 25 W, 20 ft, 3 dB
    EXPECT_FALSE(PhgRadiusMiles("0132"));
    EXPECT_FALSE(PhgRadiusMiles("51"));
    EXPECT_EQ(PhgRadiusMiles("5032"), 0);  // no height: no reach
    Scene sc;
    sc.t.Live("W1PHG>APRS:!4140.00N/07240.00W#PHG5132");
    EXPECT_EQ(Count(sc.Draw(), "ellipse"), 0u);
    sc.window.Options().coverage = true;
    const auto calls = sc.Draw();
    ASSERT_EQ(Count(calls, "ellipse"), 1u);
    // 8 miles: about 0.116 degrees of latitude either way.
    const auto box = CircleBox(sc.window.View(), {LonUnitsFromDegrees(-72.6667), LatUnitsFromDegrees(41.6667)}, 8);
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->Height(), 2 * 8 / 69.1 * 360000 / sc.window.View().YDivide(), 2);
    EXPECT_GT(box->Width(), box->Height());  // wider in longitude at 41 N
    EXPECT_FALSE(CircleBox(sc.window.View(), {LonUnitsFromDegrees(-72.6667), LatUnitsFromDegrees(41.6667)}, 0.001));
}

TEST(StationLayer, RangeCirclesRoundFlaggedStationsByTheScale) {
    Scene sc;
    sc.t.Live("W1RNG>APRS:!4140.00N/07240.00W-");
    sc.t.app.Stations().At(sc.t.app.Stations().Lookup("W1RNG")).warning = 1;
    sc.window.Options().ranges = true;
    // Below scale 501 the circles go every 5 miles up to 25 (45 - 20).
    ASSERT_LT(sc.window.View().Scale(), 501);
    EXPECT_EQ(Count(sc.Draw(), "ellipse"), 4u);
    sc.t.app.Stations().At(sc.t.app.Stations().Lookup("W1RNG")).warning = 0;
    EXPECT_EQ(Count(sc.Draw(), "ellipse"), 0u);
}

TEST(StationLayer, ClicksOnOverlappingStationsTakeTheNextOneEachTime) {
    Scene sc;
    sc.t.Live("W1ONE>APRS:!4140.00N/07240.00W-");
    sc.t.Live("W1TWO>APRS:!4140.00N/07240.01W-");
    sc.t.Live("W1FAR>APRS:!4150.00N/07250.00W-");
    sc.Draw();  // sets the drawn flags
    const StationTable& t = sc.t.app.Stations();
    const Point p = sc.At(41 + 40.0 / 60, -72 - 40.0 / 60);
    const int32_t one = t.Lookup("W1ONE"), two = t.Lookup("W1TWO");
    EXPECT_EQ(StationAt(t, sc.window.View(), p, -1), one);
    EXPECT_EQ(StationAt(t, sc.window.View(), p, one), two);
    EXPECT_EQ(StationAt(t, sc.window.View(), p, two), one);
    EXPECT_EQ(StationAt(t, sc.window.View(), {p.x + 30, p.y}, -1), -1);
    const std::string strip = SelectedStationText(t.At(one));
    EXPECT_EQ(strip.rfind("W1ONE Packets 1  Lat  41 40' 00\"N Lon  72 40' 00\"W", 0), 0u) << strip;
    EXPECT_NE(strip.find("FN31"), std::string::npos) << strip;
    // A DX spot's station shows the spotted frequency where an altitude would stand.
    sc.t.Live("W1AW>XYZZY:DX de K1ABC:     14025.0  K2DX         599 CT                1203Z");
    const std::string spot = SelectedStationText(t.At(t.Lookup("K2DX")));
    EXPECT_NE(spot.find("  Freq 14025.0"), std::string::npos) << spot;
}

TEST(StationLayer, PathTracesStopAtGenericAliasesAndEndAtHome) {
    test::TestApp t;
    t.Live("W1DIG>APRS:!4150.00N/07250.00W#");
    t.Live("W1MOB>APRS,W1DIG*,WIDE2-1:!4140.00N/07240.00W>");
    t.Live("W1WID>APRS,WIDE1-1,W1DIG*:!4141.00N/07241.00W>");
    const StationTable& st = t.app.Stations();
    const GeoPoint home{LonUnitsFromDegrees(-72.7), LatUnitsFromDegrees(41.7)};
    const auto trace = PathTrace(st, st.At(st.Lookup("W1MOB")), home, 9);
    ASSERT_EQ(trace.size(), 2u);  // the station and the digipeater marked used
    EXPECT_EQ(trace[1].lon, st.At(st.Lookup("W1DIG")).lon);
    // A path that starts with a WIDE alias: nothing beyond the station.
    EXPECT_EQ(PathTrace(st, st.At(st.Lookup("W1WID")), home, 9).size(), 1u);
}

TEST(StationLayer, DeadReckoningFlashesAndGatheredCalls) {
    StationRecord r;
    r.lon = LonUnitsFromDegrees(-72), r.lat = LatUnitsFromDegrees(41);
    r.course = 90, r.speedKnots = 60, r.lastHeard = 1000;
    EXPECT_FALSE(DeadReckoned(r, 1000));
    const auto half = DeadReckoned(r, 1000 + 1800);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->lat, r.lat);
    EXPECT_NEAR(LonDegreesFromUnits(half->lon) + 72, 34.5 / 69.1 / std::cos(41 * 0.0174533), 0.001);
    EXPECT_EQ(DeadReckoned(r, 1000 + 7200)->lon, half->lon);  // no further than half an hour
    r.speedKnots = 0;
    EXPECT_FALSE(DeadReckoned(r, 5000));

    Scene sc;
    sc.t.Live("W1ONE>APRS:!4140.00N/07240.00W-");
    sc.t.Live("W1TWO>APRS:!4140.00N/07240.00W-");
    sc.window.Options().placement = 2;
    const Point p = sc.At(41 + 40.0 / 60, -72 - 40.0 / 60);
    std::vector<StationFlash> flashes{{"W1ONE", 2}};
    RecordingSurface s(400, 439);
    StationLayer layer({&sc.t.app.Stations(), {}, sc.t.clock.NowStamp(), &sc.art, &flashes});
    layer.DrawOver(s, sc.window);
    const int x = (p.x / 16) * 16 + 20, y = (p.y / 16) * 16 + 12;
    EXPECT_NE(std::find(s.calls.begin(), s.calls.end(), "text " + std::to_string(x) + "," + std::to_string(y) +
                                                             " #000000 0 W1ONE"), s.calls.end());
    EXPECT_NE(std::find(s.calls.begin(), s.calls.end(), "text " + std::to_string(x) + "," + std::to_string(y + 12) +
                                                             " #000000 0 W1TWO"), s.calls.end());
    const std::string flash = "rect " + std::to_string(p.x - 40) + "," + std::to_string(p.y - 40) + " " +
                              std::to_string(p.x + 40) + "," + std::to_string(p.y + 40) + " #000000 w1";
    const auto at = std::find(s.calls.begin(), s.calls.end(), flash);
    ASSERT_NE(at, s.calls.end()) << flash;
    EXPECT_EQ(*(at - 1), "mode invert");
}

TEST(StationLayer, AreaObjectsDrawTheirShapeFromTheComment) {
    Scene sc;
    // A filled box (shape 5): 4 squared times 240 units down and across.
    sc.t.Live("W1AREA>APRS:;BOX      *111111z4140.00N/07240.00Wl504/004{5}area");
    const auto calls = sc.Draw();
    const Point p = sc.At(41 + 40.0 / 60, -72 - 40.0 / 60);
    const int32_t lon = LonUnitsFromDegrees(-72 - 40.0 / 60), lat = LatUnitsFromDegrees(41 + 40.0 / 60);
    const Point q = sc.window.View().Project({lon + 16 * 240, lat + 16 * 240}).pixel;
    const std::string box = "rect " + std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(q.x) +
                            "," + std::to_string(q.y) + " #000000 w2 brush #000000";
    EXPECT_NE(std::find(calls.begin(), calls.end(), box), calls.end()) << box;
}

TEST(StationLayer, TracksInTheHueOfTheirAltitude) {
    TrackPoint p{LatUnitsFromDegrees(41.5), LonUnitsFromDegrees(-72.5), 1200, 0, 90, 30};
    EXPECT_EQ(TrackPointText(p, {LonUnitsFromDegrees(-72.5), LatUnitsFromDegrees(41.0)}),
              "Lat  41 30' 00\"N Lon  72 30' 00\"W  Altitude 1200 Cse  90 Spd  30 Dist: 34 mi    0");
    EXPECT_EQ(HueWheel(0), (Rgb{255, 0, 0}));
    EXPECT_EQ(HueWheel(128), (Rgb{0, 255, 255}));
    EXPECT_EQ(HueWheel(999), HueWheel(255));
}

TEST(SymbolArt, EveryCodeOfBothTablesDrawsAndOverlaysShow) {
    for (char table : {'/', '\\', 'I', '7'}) {
        for (int code = '!'; code <= '~'; ++code) {
            RecordingSurface s(32, 32);
            SymbolArt::Paint(s, {16, 16}, table, static_cast<char>(code));
            EXPECT_FALSE(s.calls.empty()) << table << char(code);
            if (table == 'I' || table == '7') {
                ASSERT_FALSE(s.calls.empty());
                // The overlay comes last, white, in the lower right quarter.
                EXPECT_EQ(s.calls.back(), std::string("text 17,22 #ffffff 0 ") + table) << s.calls.back();
            }
        }
    }
}

TEST(SymbolArt, EachPictureIsDrawnOnceAndStampedAfterThat) {
    SymbolArt art;
    RecordingSurface s(100, 100);
    art.DrawSymbol(s, {20, 20}, '/', '>');
    art.DrawSymbol(s, {60, 40}, '/', '>');
    ASSERT_GE(s.calls.size(), 2u);
    EXPECT_EQ(s.calls[0], "layer 11,11 18x18");
    const auto second = std::find(s.calls.begin() + 1, s.calls.end(), "layer 51,31 18x18");
    ASSERT_NE(second, s.calls.end());
    // The same picture both times.
    EXPECT_TRUE(std::equal(s.calls.begin() + 1, second, second + 1, s.calls.end()));
}

TEST(StationInfo, TheTextCarriesWhatTheTableKnows) {
    test::TestApp t;
    t.app.SetHome(41.7, -72.7);
    t.Live("W1WX>APRS,WIDE2-1:!4145.00N/07240.00W_090/005g010t045h50b10150PHG5132 backyard station");
    const StationTable& st = t.app.Stations();
    const std::string text = StationInfoText(st, st.Lookup("W1WX"), t.app.History(), {LonUnitsFromDegrees(-72.7),
                                                                                      LatUnitsFromDegrees(41.7)});
    EXPECT_EQ(text.rfind("W1WX\nSymbol: /_ Weather station\n", 0), 0u) << text;
    EXPECT_NE(text.find("Grid FN31"), std::string::npos) << text;
    EXPECT_NE(text.find("\nUTM 18T "), std::string::npos) << text;
    EXPECT_NE(text.find("From home: 3.9 mi"), std::string::npos) << text;
    EXPECT_NE(text.find("45 F, wind 90 deg 5 mph gust 10 mph, humidity 50%, 1015.0 mbar"), std::string::npos) << text;
    EXPECT_NE(text.find("Path: APRS,WIDE2-1"), std::string::npos) << text;
    EXPECT_NE(text.find("History:\n  W1WX>APRS,WIDE2-1:!4145.00N"), std::string::npos) << text;
    EXPECT_EQ(StationInfoText(st, 999, t.app.History(), {}), "No such station\n");
}

}  // namespace
}  // namespace velmora
