#include <gtest/gtest.h>

#include "special/RDF.h"

namespace velmora {
namespace {

TEST(DfBearing, FormsAndRelativeBearings) {
    const auto east = ComputeDfBearing("%090/5", 0);
    ASSERT_TRUE(east);
    EXPECT_EQ(east->bearing, 90);
    EXPECT_EQ(east->quality, 5);
    EXPECT_EQ(east->dx, 1000);
    EXPECT_EQ(east->dy, 0);
    EXPECT_EQ(DfPenWidth(east->quality), 2);
    EXPECT_EQ(ComputeDfBearing("%350/8", 30)->bearing, 20);
    EXPECT_EQ(ComputeDfBearing("%350/8", 10)->bearing, 360);  // not 0
    EXPECT_EQ(ComputeDfBearing("%350/8", 360)->bearing, 350);  // no usable course: true bearing
    const auto bare = ComputeDfBearing("270", 0);
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->bearing, 270);
    EXPECT_EQ(bare->quality, 7);
    EXPECT_EQ(DfPenWidth(7), 3);
    EXPECT_EQ(bare->dx, -1000);
    EXPECT_EQ(ComputeDfBearing("%12345/6", 0)->quality, 6);
    EXPECT_FALSE(ComputeDfBearing("%27/5", 0));
    EXPECT_FALSE(ComputeDfBearing("27", 0));
    EXPECT_FALSE(ComputeDfBearing("", 0));
    const auto north = ComputeDfBearing("%000/1", 0);
    EXPECT_EQ(north->dx, 0);
    EXPECT_EQ(north->dy, -1000);  // up the screen
    EXPECT_EQ(DfPenWidth(12), 0);
}

TEST(DfLine, MovingObserversReplaceTheirLineStationaryOnesDoNot) {
    DfLine line;
    DecodeDfLine(line, "%090/5", 100, 200, 45);
    EXPECT_EQ(line.lon, 100);
    EXPECT_NE(line.dx, 0);
    DecodeDfLine(line, "%090/5", 300, 400, 45);
    EXPECT_EQ(line.lon, 300);  // the previous line is the one erased next
    DecodeDfLine(line, "%180/9", 500, 600, 0);
    EXPECT_EQ(line.lon, 0);  // forgotten, so the next report leaves it on the map
    EXPECT_EQ(line.bearing, 180);
    EXPECT_EQ(line.quality, 9);
}

TEST(DfLine, TheLinesOnTheMapsFollowTheObservers) {
    DfLine line;
    DecodeDfLine(line, "%090/5", 100, 200, 45);   // moving
    DecodeDfLine(line, "%100/5", 300, 400, 45);   // moving: the first goes
    ASSERT_EQ(line.drawn.size(), 1u);
    EXPECT_EQ(line.drawn[0].lon, 300);
    DecodeDfLine(line, "%180/9", 500, 600, 0);    // stationary: the moving one goes, this stays
    DecodeDfLine(line, "%270/2", 700, 800, 0);    // and this too
    ASSERT_EQ(line.drawn.size(), 2u);
    EXPECT_EQ(line.drawn[0].lon, 500);
    EXPECT_TRUE(line.drawn[1].kept);
    DecodeDfLine(line, "%045/7", 0, 0, 0);        // no position: nothing drawn
    EXPECT_EQ(line.drawn.size(), 2u);
    // Every line stays: the older in colour 6, the newest in colour 3.
    line.keepAll = true;
    DecodeDfLine(line, "%010/5", 900, 1000, 45);
    DecodeDfLine(line, "%020/5", 1100, 1200, 45);
    ASSERT_EQ(line.drawn.size(), 4u);
    EXPECT_EQ(line.drawn[2].type, -1);
    EXPECT_EQ(line.drawn[3].type, -2);
    for (int i = 0; i < 100; ++i) DecodeDfLine(line, "%020/5", 1100, 1200, 0);
    EXPECT_EQ(line.drawn.size(), DfLine::kMaxDrawn);
}

}  // namespace
}  // namespace velmora
