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

}  // namespace
}  // namespace velmora
