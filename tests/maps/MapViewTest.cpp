#include "maps/MapView.h"

#include <gtest/gtest.h>

#include "geo/Position.h"
#include "maps/MapReadout.h"
#include "maps/MovingMap.h"

namespace velmora {
namespace {

constexpr int32_t kDeg = kUnitsPerDegree;

MapView ViewOf(int width, int height, GeoRect r) {
    MapView v;
    v.SetDrawingSize(width, height);
    v.SetView(r);
    return v;
}

TEST(MapView, SquareDivideFactorsTakeTheLargerAndExtendTheVisibleEdge) {
    const int32_t left = LonUnitsFromDegrees(-73), top = LatUnitsFromDegrees(42);
    const MapView v = ViewOf(200, 100, {left, left + kDeg, top, top + kDeg});
    EXPECT_EQ(v.XDivide(), 3600);
    EXPECT_EQ(v.YDivide(), 3600);
    EXPECT_EQ(v.VisibleRight(), left + 2 * kDeg);
    EXPECT_EQ(v.VisibleBottom(), top + kDeg);
    // Pixel and position both ways.
    EXPECT_EQ(v.Project({left + 3600 * 50, top + 3600 * 20}).pixel, (Point{50, 20}));
    EXPECT_EQ(v.Unproject({50, 20}), (GeoPoint{left + 3600 * 50, top + 3600 * 20}));
}

TEST(MapView, PointsFromTheLimitOutAreNotVisible) {
    const MapView v = ViewOf(100, 100, {1000000, 1000000 + 100 * 10, 1000000, 1000000 + 100 * 10});
    ASSERT_EQ(v.XDivide(), 10);
    EXPECT_FALSE(v.Project({1000000 - 4095 * 10, 1000000}).visible);
    EXPECT_TRUE(v.Project({1000000 - 4094 * 10, 1000000}).visible);
    EXPECT_FALSE(v.Project({1000000, 1000000 + 4095 * 10}).visible);
}

TEST(MapView, ViewsAreClampedToTheWorldAndAnEmptyWindowKeepsItsFactors) {
    MapView v = ViewOf(100, 100, {-5000, kLonUnitsMax + 5000, -1, kLatUnitsMax + 1});
    EXPECT_EQ(v.Requested().west, 0);
    EXPECT_EQ(v.Requested().east, kLonUnitsMax);
    EXPECT_EQ(v.Requested().south, kLatUnitsMax);
    const int32_t before = v.XDivide();
    v.SetDrawingSize(0, 100);
    v.SetView({0, 10, 0, 10});
    EXPECT_EQ(v.XDivide(), before);
}

TEST(MapView, ScaleIsHalfTheVisibleWidthInMilesAdjustedByTheLabelFactor) {
    // One degree of longitude at the equator is 69.1 miles.
    MapView v = ViewOf(360, 360, {kLonOrigin, kLonOrigin + kDeg, kLatOrigin - kDeg / 2, kLatOrigin + kDeg / 2});
    EXPECT_NEAR(v.UnadjustedScale(), 34.55, 0.01);
    EXPECT_EQ(v.Scale(), 34);
    v.SetLabelScaleFactor(2);
    EXPECT_EQ(v.Scale(), 69);
    v.SetLabelScaleFactor(-2);
    EXPECT_EQ(v.Scale(), 17);
}

TEST(MapView, ZoomInAboutTheReferenceZoomOutAndPan) {
    const int32_t left = LonUnitsFromDegrees(-80), top = LatUnitsFromDegrees(45);
    MapView v = ViewOf(400, 400, {left, left + 4 * kDeg, top, top + 4 * kDeg});
    const GeoPoint ref{left + kDeg, top + kDeg};
    ASSERT_TRUE(v.ZoomIn(2, ref));
    EXPECT_EQ(v.ZoomCounter(), 2);
    EXPECT_EQ(v.Requested().west, left);              // 1 degree either side of the reference
    EXPECT_EQ(v.Requested().east, left + 2 * kDeg);
    // Zooming out about a reference inside: the span grows f times around it.
    v.ZoomOut(2, ref);
    EXPECT_EQ(v.Requested().west, left - kDeg);
    EXPECT_EQ(v.Requested().east, left + 3 * kDeg);
    EXPECT_EQ(v.ZoomCounter(), 0);
    // Without a reference inside, the edges move out by span / f / 2.
    MapView w = ViewOf(400, 400, {left, left + 4 * kDeg, top, top + 4 * kDeg});
    w.ZoomOut(2, std::nullopt);
    EXPECT_EQ(w.Requested().west, left - kDeg);
    EXPECT_EQ(w.Requested().east, left + 5 * kDeg);
    // Panning by two quarters moves half a span.
    MapView p = ViewOf(400, 400, {left, left + 4 * kDeg, top, top + 4 * kDeg});
    p.Pan(2, -2);
    EXPECT_EQ(p.Requested().west, left + 2 * kDeg);
    EXPECT_EQ(p.Requested().north, top - 2 * kDeg);
}

TEST(MapView, ZoomInStopsAtOneUnitAPixel) {
    MapView v = ViewOf(100, 100, {kLonOrigin, kLonOrigin + 100, kLatOrigin, kLatOrigin + 100});
    ASSERT_EQ(v.XDivide(), 1);
    EXPECT_FALSE(v.ZoomIn(2, std::nullopt));
    MapView w = ViewOf(100, 100, {kLonOrigin, kLonOrigin + 300, kLatOrigin, kLatOrigin + 300});
    EXPECT_TRUE(w.ZoomIn(2, std::nullopt));
    EXPECT_EQ(w.XDivide(), 1);  // one position unit a pixel, around the centre
    EXPECT_EQ(w.Requested().east - w.Requested().west, 100);
}

TEST(MapView, WheelZoomKeepsThePointUnderTheCursorAndDragMovesTheView) {
    const int32_t left = LonUnitsFromDegrees(-80), top = LatUnitsFromDegrees(45);
    MapView v = ViewOf(400, 300, {left, left + 4 * kDeg, top, top + 3 * kDeg});
    const GeoPoint under = v.Unproject({100, 50});
    v.ZoomAbout({100, 50}, 0.5);
    const GeoPoint after = v.Unproject({100, 50});
    EXPECT_NEAR(after.lon, under.lon, v.XDivide());
    EXPECT_NEAR(after.lat, under.lat, v.YDivide());
    const int32_t west = v.Requested().west;
    v.Shift(-10, 0);
    EXPECT_EQ(v.Requested().west, west - 10 * v.XDivide());
}

TEST(MapReadout, DistanceTextsInBothUnitSystems) {
    EXPECT_EQ(DistanceText(12.345, 45, DistanceUnits::kStatute), "12.34 mi, 45 deg");
    EXPECT_EQ(DistanceText(0.5, 270, DistanceUnits::kStatute), "2640 ft, 270 deg");
    EXPECT_EQ(DistanceText(1.0, 0, DistanceUnits::kStatute), "5280 ft, 0 deg");
    EXPECT_EQ(DistanceText(10.0, 90, DistanceUnits::kMetric), "16.00 km, 90 deg");
    EXPECT_EQ(DistanceText(0.5, 90, DistanceUnits::kMetric), "800 m, 90 deg");
    // The same point: no distance and no bearing.
    const GeoPoint p{LonUnitsFromDegrees(-72.5), LatUnitsFromDegrees(41.25)};
    EXPECT_EQ(CursorReadout(p, p, DistanceUnits::kStatute), "Lat  41 15' 00\"N Lon  72 30' 00\"W  0 ft, 0 deg");
}

TEST(MapReadout, InformationLineAndHomeFile) {
    MapDescriptor d;
    d.creator = "Me";
    d.created = 3786912000u;  // 2024-01-01
    d.pointCount = 12;
    d.labelCount = 3;
    d.mapType = {'A', 'P', 'R', char('S' | 0x80)};
    d.west = LonUnitsFromDegrees(-73), d.north = LatUnitsFromDegrees(42);
    d.east = LonUnitsFromDegrees(-72), d.south = LatUnitsFromDegrees(41);
    EXPECT_EQ(MapInformationLine(d),
              "Creator: Me  Date: 2024-01-01  Map Points: 12  Map Labels: 3  Map Type APRS  "
              "Lat  42 00' 00\"N Lon  73 00' 00\"W  Lat  41 00' 00\"N Lon  72 00' 00\"W ");
    const auto home = HomeViewFrom({"lat 41.5", "LON -72.5", "Rad 30"});
    ASSERT_TRUE(home);
    EXPECT_EQ(home->west, LonUnitsFromDegrees(-72.5) - 30 * 6000);
    EXPECT_EQ(home->south, LatUnitsFromDegrees(41.5) + 30 * 6000);
    EXPECT_FALSE(HomeViewFrom({"LAT 41.5", "LON -72.5"}));
    EXPECT_FALSE(HomeViewFrom({"LAT 41.5", "LON -72.5", "RAD 0"}));
}

TEST(MovingMap, ScrollsOnlyWhenTheFollowedPositionLeavesTheMiddle) {
    const MapView v = ViewOf(201, 201, {0, 201 * 100, 0, 201 * 100});
    ASSERT_EQ(v.XDivide(), 100);
    const GeoPoint centre = v.Unproject({100, 100});
    EXPECT_FALSE(MovingMapRecentre(v, {centre.lon + 5 * 100, centre.lat}));
    EXPECT_FALSE(MovingMapRecentre(v, {centre.lon - 7 * 100, centre.lat + 7 * 100}));
    const auto moved = MovingMapRecentre(v, {centre.lon + 8 * 100, centre.lat});
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->east - moved->west, 201 * 100);  // the same span
    MovingMapState s;
    EXPECT_FALSE(MovingMapCheckDue(s, 1000, true));  // off
    s.on = true;
    s.lastCheck = 998, s.lastRecentre = 900;
    EXPECT_FALSE(MovingMapCheckDue(s, 1000, false));
    EXPECT_TRUE(MovingMapCheckDue(s, 1003, false));
    s.lastRecentre = 950;
    EXPECT_FALSE(MovingMapCheckDue(s, 1003, false));  // recentred less than a minute ago
    EXPECT_TRUE(MovingMapCheckDue(s, 1003, true));
    EXPECT_EQ(MovingMapPanel({12, 100, 350, 7, "3 mi"}), "Spd:  12  Cse:  E  Alt: 350  Trk:   7  Dst:3 mi");
}

}  // namespace
}  // namespace velmora
