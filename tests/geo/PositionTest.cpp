#include <gtest/gtest.h>

#include "geo/Position.h"

namespace velmora {
namespace {

TEST(PositionUnits, CountFromTheNorthWestCornerAndTruncate) {
    EXPECT_EQ(LonUnitsFromDegrees(0), kLonOrigin);
    EXPECT_EQ(LonUnitsFromDegrees(-180), 0);
    EXPECT_EQ(LatUnitsFromDegrees(90), 0);
    EXPECT_EQ(LatUnitsFromDegrees(-45.5), kLatOrigin + 16380000);
    // Truncation toward zero, on both sides of Greenwich.
    EXPECT_EQ(LonUnitsFromDegrees(1.0 / 360000 * 0.9), kLonOrigin);
    EXPECT_EQ(LonUnitsFromDegrees(-1.0 / 360000 * 0.9), kLonOrigin);
    EXPECT_DOUBLE_EQ(LatDegreesFromUnits(LatUnitsFromDegrees(49.5)), 49.5);
}

TEST(Distance, FlatEarthWithWholeDegreeMiddleLatitude) {
    const int32_t lat = LatUnitsFromDegrees(45.0);
    const int32_t lon = LonUnitsFromDegrees(-75.0);
    // One degree of latitude is 69.10 miles.
    EXPECT_NEAR(DistanceMiles(lon, lat, lon, LatUnitsFromDegrees(46.0)), 69.10, 1e-9);
    // One degree of longitude at 45 degrees uses cos(45).
    EXPECT_NEAR(DistanceMiles(lon, lat, LonUnitsFromDegrees(-74.0), lat), 69.10 * 0.7071067811865476, 1e-9);
    // Middle latitude 45.9 uses only its whole degrees (45).
    const int32_t lat2 = LatUnitsFromDegrees(45.9);
    EXPECT_NEAR(DistanceMiles(lon, lat2, LonUnitsFromDegrees(-74.0), lat2), 69.10 * 0.7071067811865476, 1e-9);
    EXPECT_EQ(DistanceMiles(lon, lat, lon, lat), 0);
    EXPECT_EQ(WholeMilesRounded(9.4), 9);
    EXPECT_EQ(WholeMilesRounded(9.5), 10);
}

TEST(Bearing, ClockwiseFromNorth) {
    const int32_t lat = LatUnitsFromDegrees(45.0);
    const int32_t lon = LonUnitsFromDegrees(-75.0);
    EXPECT_EQ(BearingDegrees(lon, lat, lon, lat), 0);
    EXPECT_EQ(BearingDegrees(lon, lat, LonUnitsFromDegrees(-74.0), lat), 89);  // great circle leaves a hair north of east
    EXPECT_EQ(BearingDegrees(lon, lat, LonUnitsFromDegrees(-76.0), lat), 270);
    EXPECT_EQ(BearingDegrees(lon, lat, LonUnitsFromDegrees(-74.99), LatUnitsFromDegrees(44.0)), 179);
}

TEST(Dms, SplitsWithHemisphere) {
    const auto lat = LatToDms(LatUnitsFromDegrees(-33.5));
    EXPECT_EQ(lat.degrees, 33);
    EXPECT_EQ(lat.minutes, 30);
    EXPECT_EQ(lat.hemisphere, 'S');
    const auto lon = LonToDms(LonUnitsFromDegrees(-72.0 - 1.0 / 60 - 45.0 / 3600));
    EXPECT_EQ(lon.degrees, 72);
    EXPECT_EQ(lon.minutes, 1);
    EXPECT_EQ(lon.seconds, 45);
    EXPECT_EQ(lon.hemisphere, 'W');
}

}  // namespace
}  // namespace velmora
