#include "maps/MapPainter.h"

#include <gtest/gtest.h>

#include "maps/MapColours.h"
#include "platform/fake/RecordingSurface.h"

namespace velmora {
namespace {

// A 100 x 100 view, 100 units a pixel, from (1,000,000, 1,000,000).
constexpr int32_t kOrigin = 1000000;
constexpr int32_t kUnit = 100;

MapView TestView() {
    MapView v;
    v.SetDrawingSize(100, 100);
    v.SetView({kOrigin, kOrigin + 100 * kUnit, kOrigin, kOrigin + 100 * kUnit});
    return v;
}

MapPoint At(uint8_t pen, uint8_t attribute, int x, int y) {
    return {pen, attribute, kOrigin + x * kUnit, kOrigin + y * kUnit};
}

std::vector<std::string> Drawn(const std::vector<MapPoint>& points, bool filled = true) {
    RecordingSurface s(100, 100);
    MapIndex index;
    index.Build(points);
    DrawMapPoints(s, TestView(), points, index, filled);
    return s.calls;
}

TEST(MapColours, TableCodesAndCharacterCodes) {
    EXPECT_EQ(MapColour(4), (Rgb{0xBF, 0, 0}));
    EXPECT_EQ(MapColour(21), (Rgb{0xF2, 0x08, 0x84}));
    EXPECT_EQ(MapColour('9'), MapColour(9));
    EXPECT_EQ(MapColour('A'), MapColour(10));
    EXPECT_EQ(MapColour('E'), MapColour(14));
    EXPECT_EQ(MapColour('0'), MapColour(16));
    EXPECT_EQ(MapColour('Z'), MapColour(16));
    EXPECT_EQ(MapFillColour(0x83), (Rgb{0xFF, 0xFF, 0x80}));
    EXPECT_EQ(MapFillColour(0x8F), (Rgb{0xCF, 0xCF, 0xCF}));
}

TEST(MapPainter, PolylinesGoWhereTheProjectionSaysInTheirColourAndWidth) {
    const auto calls = Drawn({At(255, 1, 10, 10), At(12, 0, 20, 10), At(12, 0, 20, 30), At(255, 0, 50, 50),
                              At(9, 0, 60, 60), At(0, 0, 0, 0), At(9, 0, 90, 90)});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "polyline 10,10 20,10 20,30 #ff0000 w2");
    EXPECT_EQ(calls[1], "polyline 50,50 60,60 #0000ff w1");  // pen 0 ends the list
}

TEST(MapPainter, FilledPolygonsFillBeforeTheirOutlineAndOnlyWhenAsked) {
    const std::vector<MapPoint> square = {At(255, 0x80, 10, 10), At(2, 0x81, 30, 10), At(2, 0x81, 30, 30),
                                          At(2, 0x84, 10, 30)};
    const auto filled = Drawn(square);
    ASSERT_EQ(filled.size(), 2u);
    EXPECT_EQ(filled[0].rfind("polygon 10,10 30,10 30,30 10,30", 0), 0u) << filled[0];
    EXPECT_NE(filled[0].find("brush #80ff80"), std::string::npos) << filled[0];
    EXPECT_EQ(filled[1], "polyline 10,10 30,10 30,30 10,30 #339966 w1");
    EXPECT_EQ(Drawn(square, false).size(), 1u);
}

TEST(MapPainter, ALandPolygonAroundTheViewStillFillsIt) {
    // Every vertex is far outside the window, so none is "visible"; the
    // polygon is clipped to the window instead of skipped.
    const auto calls = Drawn({At(255, 0x80, -9000, -9000), At(7, 0x81, 9000, -9000), At(7, 0x81, 9000, 9000),
                              At(7, 0x88, -9000, 9000), At(7, 0, -9000, -9000)});
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].rfind("polygon -8,108 -8,-8 108,-8 108,108 ", 0), 0u) << calls[0];
    for (const std::string& c : calls) EXPECT_EQ(c.rfind("polyline", 0), std::string::npos) << c;
}

TEST(MapPainter, LinesCrossingTheWindowAreCutToItAndLinesOutsideCostNothing) {
    const auto crossing = Drawn({At(255, 0, -5000, 50), At(4, 0, 5000, 50)});
    ASSERT_EQ(crossing.size(), 1u);
    EXPECT_EQ(crossing[0], "polyline -8,50 108,50 #bf0000 w1");
    EXPECT_TRUE(Drawn({At(255, 0, 200, 200), At(4, 0, 300, 300), At(4, 0, 250, 400)}).empty());
}

std::vector<std::string> Labels(const std::vector<MapLabel>& labels, int labelScaleFactor = 0, bool declutter = true) {
    RecordingSurface s(100, 100);
    s.SetFont(12);
    MapView v = TestView();
    v.SetLabelScaleFactor(labelScaleFactor);
    MapDrawOptions o;
    o.declutter = declutter;
    DrawMapLabels(s, v, labels, o);
    return s.calls;
}

TEST(MapPainter, LabelsByScaleLimitPlacementAndKind) {
    // The test view is about 0.19 miles across: scale value 0.
    const MapLabel always{1, kOrigin + 50 * kUnit, kOrigin + 50 * kUnit, 0, "Here"};
    const MapLabel begins{0x8C, kOrigin + 10 * kUnit, kOrigin + 20 * kUnit, 5, "Red"};
    const MapLabel rotated{4, kOrigin + 30 * kUnit, kOrigin + 80 * kUnit, 0, "#045Main St   "};
    const MapLabel outside{1, kOrigin - 10 * kUnit, kOrigin + 50 * kUnit, 0, "Gone"};
    const auto calls = Labels({always, begins, rotated, outside});
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], "text 26,54 #000000 0 Here");   // ends at the point: 4 characters of 6 pixels
    EXPECT_EQ(calls[1], "text 10,24 #ff0000 0 Red");    // begins at the point, colour 12
    EXPECT_EQ(calls[2], "text 30,80 #bf0000 45 Main St");
    // A label whose limit is below the scale value is not drawn.
    const MapLabel limited{1, kOrigin + 50 * kUnit, kOrigin + 50 * kUnit, 1, "Small"};
    EXPECT_EQ(Labels({limited}).size(), 1u);
    EXPECT_TRUE(Labels({limited}, 300).empty());  // the label factor multiplies the scale value
}

TEST(MapPainter, CrowdedNamesAreLeftOutUnlessAskedFor) {
    const MapLabel a{0x81, kOrigin + 10 * kUnit, kOrigin + 50 * kUnit, 0, "First"};
    const MapLabel b{0x81, kOrigin + 12 * kUnit, kOrigin + 51 * kUnit, 0, "Second"};
    const MapLabel c{0x81, kOrigin + 10 * kUnit, kOrigin + 80 * kUnit, 0, "Third"};
    EXPECT_EQ(Labels({a, b, c}).size(), 2u);
    EXPECT_EQ(Labels({a, b, c}, 0, false).size(), 3u);
}

TEST(MapPainter, BoundariesInTheColourOfTheirTypeWithTheNameWhenItFits) {
    MapDescriptor big, small;
    big.valid = small.valid = true;
    big.mapType = {'A', 'P', 'R', 'S'};
    small.mapType = {'T', 'G', 'R', ' '};
    big.fileName = "BIG.MAP", small.fileName = "S.MAP";
    big.west = kOrigin + 10 * kUnit, big.east = kOrigin + 90 * kUnit;
    big.north = kOrigin + 10 * kUnit, big.south = kOrigin + 90 * kUnit;
    small.west = kOrigin + 20 * kUnit, small.east = kOrigin + 25 * kUnit;
    small.north = kOrigin + 20 * kUnit, small.south = kOrigin + 25 * kUnit;
    RecordingSurface s(100, 100);
    DrawMapBoundaries(s, TestView(), {big, small});
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[0].rfind("rect 10,10 90,90 #bf0000", 0), 0u) << s.calls[0];
    EXPECT_EQ(s.calls[1], "text 29,50 #bf0000 0 BIG.MAP");
    EXPECT_EQ(s.calls[2].rfind("rect 20,20 25,25 #ff7fff", 0), 0u) << s.calls[2];
}

}  // namespace
}  // namespace velmora
