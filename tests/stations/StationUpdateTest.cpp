#include <gtest/gtest.h>

#include "stations/StationUpdate.h"

namespace velmora {
namespace {

PathSummary Path(bool direct, bool local, int hops, int wides, std::string_view dest = "APRS") {
    PathSummary p;
    p.direct = direct;
    p.local = local;
    p.hopCount = static_cast<int16_t>(hops);
    p.wideCount = static_cast<int16_t>(wides);
    p.destination = dest;
    return p;
}

TEST(PathStatistics, RadioCountsAndBestPathReplacement) {
    StationRecord s;
    s.bestWides = 99;
    UpdatePathStatistics(s, Path(true, true, 0, 0), SourceKind::kVhf, 0);
    EXPECT_EQ(s.heardDirect, 1);
    EXPECT_EQ(s.heardLocal, 1);
    EXPECT_EQ(s.directCount, 1);
    EXPECT_EQ(s.bestHops, 0);
    EXPECT_EQ(s.bestWides, 0);
    // Internet lines and relayed inner lines do not count as radio.
    UpdatePathStatistics(s, Path(false, false, 0, 0), SourceKind::kInternet, 0);
    UpdatePathStatistics(s, Path(false, false, 0, 0), SourceKind::kVhf, 1);
    EXPECT_EQ(s.digiCount, 0);
    // A WIDE-heavy path replaces the stored one only after 16 longer ones.
    for (int i = 0; i < 16; ++i) {
        UpdatePathStatistics(s, Path(false, false, 3, 2, "APZ"), SourceKind::kVhf, 0);
        EXPECT_EQ(s.bestHops, 0) << i;
    }
    EXPECT_EQ(s.longerCount, 16);
    UpdatePathStatistics(s, Path(false, false, 3, 2, "APZ"), SourceKind::kVhf, 0);
    EXPECT_EQ(s.bestHops, 3);
    EXPECT_EQ(s.bestWides, 2);
    EXPECT_EQ(s.longerCount, 0);
    EXPECT_EQ(s.bestPath[0].View(), "APZ");
    EXPECT_EQ(s.digiCount, 17);
}

TEST(SetStationSoftware, SetsTheIconOnlyWhenNoneIsSet) {
    StationRecord s;
    SetStationSoftware(s, MakeFourCC("WIN "));
    EXPECT_EQ(s.specialIcon, 90);
    SetStationSoftware(s, MakeFourCC("GPS "));
    EXPECT_EQ(s.software, MakeFourCC("GPS "));
    EXPECT_EQ(s.specialIcon, 90);
    StationRecord t;
    SetStationSoftware(t, MakeFourCC("KENW"));  // no icon of its own
    EXPECT_EQ(t.specialIcon, 0);
    SetStationSoftware(t, MakeFourCC("XWIN"));
    EXPECT_EQ(t.specialIcon, 120);
}

}  // namespace
}  // namespace velmora
