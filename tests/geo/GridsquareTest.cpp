#include <gtest/gtest.h>

#include "geo/Gridsquare.h"
#include "geo/Position.h"

namespace velmora {
namespace {

TEST(Gridsquare, PositionToLocator) {
    EXPECT_EQ(PositionToLocator(kLonOrigin, kLatOrigin), "JJ00AA");
    // Newington, CT (41.7146 N, 72.7270 W) lies in FN31PR.
    EXPECT_EQ(PositionToLocator(LonUnitsFromDegrees(-72.727), LatUnitsFromDegrees(41.7146)), "FN31PR");
    // Sydney (33.87 S, 151.21 E) lies in QF56OD.
    EXPECT_EQ(PositionToLocator(LonUnitsFromDegrees(151.21), LatUnitsFromDegrees(-33.87)), "QF56OD");
}

TEST(Gridsquare, LocatorToBoundsSizes) {
    const auto two = LocatorToBounds("FN");
    ASSERT_TRUE(two);
    EXPECT_EQ(two->east - two->west, 20 * kUnitsPerDegree);
    EXPECT_EQ(two->south - two->north, 10 * kUnitsPerDegree);
    EXPECT_EQ(two->characters, 2);
    const auto four = LocatorToBounds("[fn31]");
    ASSERT_TRUE(four);
    EXPECT_EQ(four->east - four->west, 2 * kUnitsPerDegree);
    EXPECT_EQ(four->south - four->north, 1 * kUnitsPerDegree);
    EXPECT_EQ(four->west, LonUnitsFromDegrees(-74.0));
    const auto six = LocatorToBounds("FN31pr");
    ASSERT_TRUE(six);
    EXPECT_EQ(six->characters, 6);
    EXPECT_EQ(six->east - six->west, 5 * 60 * 100);  // 5 minutes
    // The centre of a square converts back to the same locator.
    EXPECT_EQ(PositionToLocator(six->centreLon, six->centreLat), "FN31PR");
    EXPECT_FALSE(LocatorToBounds("1N31"));
    EXPECT_FALSE(LocatorToBounds("ZZ00"));  // off the world
    EXPECT_FALSE(LocatorToBounds(""));
    EXPECT_FALSE(LocatorToBounds("["));
}

TEST(Gridsquare, TwoFourAndEightCharacters) {
    const int32_t lon = LonUnitsFromDegrees(-72.7272), lat = LatUnitsFromDegrees(41.7147);
    EXPECT_EQ(PositionToLocator(lon, lat, 2), "FN");
    EXPECT_EQ(PositionToLocator(lon, lat, 4), "FN31");
    EXPECT_EQ(PositionToLocator(lon, lat, 8), "FN31PR21");
    EXPECT_EQ(PositionToLocator(lon, lat, 5), "FN31PR");  // anything else is the usual six
    const auto eight = LocatorToBounds("fn31pr21");
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->characters, 8);
    EXPECT_EQ(eight->east - eight->west, 30 * 100);    // 30 seconds
    EXPECT_EQ(eight->south - eight->north, 15 * 100);  // 15 seconds
    EXPECT_TRUE(eight->west <= lon && lon < eight->east);
    EXPECT_TRUE(eight->north < lat && lat <= eight->south);
    EXPECT_EQ(PositionToLocator(eight->centreLon, eight->centreLat, 8), "FN31PR21");
    // Seven characters, or a letter where the extended digit goes: six.
    EXPECT_EQ(LocatorToBounds("FN31PR2")->characters, 6);
    EXPECT_EQ(LocatorToBounds("FN31PRX1")->characters, 6);
    // Every corner of the world keeps its letters in range.
    EXPECT_EQ(PositionToLocator(LonUnitsFromDegrees(179.9999), LatUnitsFromDegrees(89.9999), 8), "RR99XX99");
    EXPECT_EQ(PositionToLocator(LonUnitsFromDegrees(-180), LatUnitsFromDegrees(-90), 8), "AA00AA00");
}

}  // namespace
}  // namespace velmora
