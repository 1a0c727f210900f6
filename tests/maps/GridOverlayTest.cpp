// Grids, overlay files and the user grid over a map window.
#include <gtest/gtest.h>

#include <algorithm>

#include "geo/Position.h"
#include "maps/GridOverlay.h"
#include "maps/OverlayFile.h"
#include "maps/UserGrid.h"
#include "platform/fake/RecordingSurface.h"

namespace velmora {
namespace {

size_t CountStarting(const RecordingSurface& s, const std::string& prefix) {
    return static_cast<size_t>(std::count_if(s.calls.begin(), s.calls.end(),
                                             [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}
bool Drew(const RecordingSurface& s, const std::string& tail) {
    return std::any_of(s.calls.begin(), s.calls.end(), [&](const std::string& c) {
        return c.size() >= tail.size() && c.compare(c.size() - tail.size(), tail.size(), tail) == 0;
    });
}

// A window looking at a span of degrees round a point.
MapWindow WindowAt(double lat, double lon, double spanDegrees, int width = 800, int height = 600) {
    MapWindow w(width, height);
    const int32_t half = static_cast<int32_t>(spanDegrees * kUnitsPerDegree / 2);
    const int32_t cLon = LonUnitsFromDegrees(lon), cLat = LatUnitsFromDegrees(lat);
    w.View().SetMapBounds({0, kLonUnitsMax, 0, kLatUnitsMax});
    w.SetViewTo({cLon - half, cLon + half, cLat - half * 3 / 4, cLat + half * 3 / 4});
    return w;
}

TEST(GridOverlay, LevelsSpacingsAndColours) {
    EXPECT_EQ(GridLevel(-1, 10000001), 2);
    EXPECT_EQ(GridLevel(-1, 10000000), 4);  // exactly the limit: four characters
    EXPECT_EQ(GridLevel(-1, 1000001), 4);
    EXPECT_EQ(GridLevel(-1, 1000000), 6);
    EXPECT_EQ(GridLevel(2, 10), 2);
    EXPECT_EQ(GridSpacingFor(2).lon, 7200000);
    EXPECT_EQ(GridSpacingFor(4).lat, 360000);
    EXPECT_EQ(GridSpacingFor(6).colour, 4);
    EXPECT_EQ(UtmZoneLabel(102, 40), "18  T");  // 78° W to 72° W, 40° N to 48° N
    EXPECT_EQ(UtmZoneLabel(0, -80), "1  C");
}

TEST(GridOverlay, FourCharacterSquaresWithTheirNamesWhenThereIsRoom) {
    MapWindow w = WindowAt(41.5, -72.0, 8);  // 100 pixels a square
    w.Options().grid = 4;
    GridLayer layer;
    RecordingSurface s(800, 600);
    layer.DrawOver(s, w);
    EXPECT_TRUE(Drew(s, " FN31"));
    EXPECT_TRUE(Drew(s, " FN42"));
    EXPECT_FALSE(Drew(s, " FN31PR"));
    // Lines every two degrees across, one every degree down.
    const int32_t x74 = static_cast<int32_t>(w.View().ProjectX(LonUnitsFromDegrees(-74)));
    EXPECT_TRUE(std::any_of(s.calls.begin(), s.calls.end(), [&](const std::string& c) {
        return c.rfind("line " + std::to_string(x74) + ",", 0) == 0;
    }));
    // The automatic level over a continent is the fields, without names
    // when a field is under 51 pixels wide.
    MapWindow wide = WindowAt(0, 0, 359);
    wide.Options().grid = -1;
    RecordingSurface t(800, 600);
    layer.DrawOver(t, wide);
    EXPECT_GT(CountStarting(t, "line "), 10u);
    EXPECT_EQ(CountStarting(t, "text "), 0u);
    // Off: nothing.
    w.Options().grid = 0;
    RecordingSurface none(800, 600);
    layer.DrawOver(none, w);
    EXPECT_TRUE(none.calls.empty());
}

TEST(GridOverlay, UtmZonesAndTheCapGrid) {
    MapWindow w = WindowAt(42, -75, 20);
    w.Options().utmZones = true;
    GridLayer layer;
    RecordingSurface s(800, 600);
    layer.DrawOver(s, w);
    EXPECT_TRUE(Drew(s, " 18  T"));
    EXPECT_TRUE(Drew(s, " 17  T"));
    MapWindow close = WindowAt(41.6, -72.6, 1);
    close.Options().capGrid = true;
    RecordingSurface c(800, 600);
    layer.DrawOver(c, close);
    EXPECT_TRUE(Drew(c, " A"));
    EXPECT_TRUE(Drew(c, " D"));
    EXPECT_GT(CountStarting(c, "line "), 8u);
}

TEST(OverlayFile, LinesAsTheFormatGivesThem) {
    const auto e = ParseOverlayLine("TOWER1!4903.50N/07201.75W#Water tower", 3);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->name, "TOWER1");
    EXPECT_EQ(e->symbolTable, '/');
    EXPECT_EQ(e->symbolCode, '#');
    EXPECT_EQ(e->comment, "Water tower");
    EXPECT_EQ(e->overlayNumber, 3);
    EXPECT_EQ(e->lat, kLatOrigin - (49 * kUnitsPerDegree + 3 * 6000));  // decimal minutes dropped
    EXPECT_EQ(e->lon, kLonOrigin - (72 * kUnitsPerDegree + 1 * 6000));
    const auto south = ParseOverlayLine("SYDNEY  !3352.00S15112.00E-Harbour", 1);
    ASSERT_TRUE(south);
    EXPECT_EQ(south->name, "SYDNEY");
    EXPECT_EQ(south->lat, kLatOrigin + 33 * kUnitsPerDegree + 52 * 6000);
    EXPECT_EQ(south->lon, kLonOrigin + 151 * kUnitsPerDegree + 12 * 6000);
    // Comments, short lines and lines that hold no position.
    EXPECT_FALSE(ParseOverlayLine("# TOWER1!4903.50N/07201.75W#a long comment line", 1));
    EXPECT_FALSE(ParseOverlayLine("*TOWER1!4903.50N/07201.75W#", 1));
    EXPECT_FALSE(ParseOverlayLine("A!49N/72W#", 1));  // ten characters
    EXPECT_FALSE(ParseOverlayLine("TOWER1 4903.50N/07201.75W#no bang", 1));
    EXPECT_FALSE(ParseOverlayLine("TOWER1!9503.50N/07201.75W#", 1));
    EXPECT_FALSE(ParseOverlayLine("TOWER1!4961.50N/07201.75W#", 1));
    EXPECT_FALSE(ParseOverlayLine("TOWER1!4903.50X/07201.75W#", 1));
    EXPECT_FALSE(ParseOverlayLine("TOWER1!4903.50N/18101.75W#", 1));
    EXPECT_FALSE(ParseOverlayLine("TOWER1!49x3.50N/07201.75W#", 1));
    EXPECT_FALSE(ParseOverlayLine(std::string(300, '!'), 1));
    const std::string text = "# a file\r\nTOWER1!4903.50N/07201.75W#Water tower\nSHORT\r\nHILL!4100.00N/07200.00W^\n";
    EXPECT_EQ(ParseOverlay(text, 1).size(), 2u);
    // The label by scale: names below 400, with comments below 75.
    EXPECT_EQ(OverlayLabel(*e, 100, false), "TOWER1");
    EXPECT_EQ(OverlayLabel(*e, 50, false), "TOWER1 - Water tower");
    EXPECT_EQ(OverlayLabel(*e, 400, false), "");
    EXPECT_EQ(OverlayLabel(*e, 400, true), "TOWER1");
}

TEST(UserGrid, FourHundredNamedPointsOrTheFileIsRefused) {
    std::string bytes(536, '\0');
    const auto put = [&bytes](size_t at, int32_t v) {
        for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
    };
    put(0, 0x41505253);
    put(4, 0x55475244);
    const int32_t west = LonUnitsFromDegrees(-73), north = LatUnitsFromDegrees(42);
    put(8, west);
    put(12, west + 2000 * 20);
    put(16, north);
    put(20, north + 2000 * 20);
    UserGrid grid;
    ASSERT_EQ(ParseUserGrid(bytes, grid), UserGridStatus::kLoaded);
    ASSERT_EQ(grid.points.size(), 400u);
    EXPECT_EQ(grid.points[0].name, "A01");
    EXPECT_EQ(grid.points[0].lon, west + 1000);
    EXPECT_EQ(grid.points[0].lat, north + 1000);
    EXPECT_EQ(grid.points[19].name, "A20");
    EXPECT_EQ(grid.points[399].name, "T20");
    EXPECT_EQ(grid.points[399].lat, north + 19 * 2000 + 1000);
    std::string empty = bytes;
    put(12, west);
    EXPECT_EQ(ParseUserGrid(bytes, grid), UserGridStatus::kEmptyArea);
    EXPECT_TRUE(grid.points.empty());
    empty[0] = 'X';
    EXPECT_EQ(ParseUserGrid(empty, grid), UserGridStatus::kInvalid);
    EXPECT_EQ(ParseUserGrid(empty.substr(0, 20), grid), UserGridStatus::kInvalid);
}

TEST(OverlayLayer, FramesInsideTheViewAndLabelsByScale) {
    MapWindow w = WindowAt(49.05, -72.0, 0.5);
    OverlayLayer layer;
    layer.Set(ParseOverlay("TOWER1!4903.50N/07201.75W#Water tower\nFAR!1000.00N/01000.00E#", 1));
    RecordingSurface s(800, 600);
    layer.DrawOver(s, w);
    EXPECT_TRUE(s.calls.empty());  // not shown until the window asks
    w.Options().overlay = true;
    layer.DrawOver(s, w);
    EXPECT_EQ(CountStarting(s, "rect "), 1u);  // the far one is out of view
    EXPECT_TRUE(Drew(s, " TOWER1 - Water tower"));
}

}  // namespace
}  // namespace velmora
