#include "gateway/StationExchange.h"

#include <gtest/gtest.h>

#include "geo/Position.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

TEST(StationExchange, LinesReadBackIntoTheSameStation) {
    test::TestApp from;
    from.Live("W1SX>APRS:!4140.00N/07240.00W#PHG5132 digi");
    StationRecord r = from.app.Stations().At(from.app.Stations().Lookup("W1SX"));
    r.codeA = "Wn", r.codeB = "XYZ", r.codeC = "Velmora";
    r.altitudeFeet = 1234;
    r.packets = 42;
    const auto lines = StationExchangeLines(r);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 82u);  // 80 characters and the line end
    EXPECT_EQ(lines[0].substr(0, 12), ":W1SX     00");
    EXPECT_EQ(lines[1], ":W1SX     01WnXYZVelmora    \r\n");

    test::TestApp to;
    for (const std::string& l : lines) EXPECT_TRUE(to.app.ReadStationExchange(l.substr(0, l.size() - 2)));
    const StationIndex i = to.app.Stations().Lookup("W1SX");
    ASSERT_GE(i, 0);
    const StationRecord& got = to.app.Stations().At(i);
    EXPECT_EQ(got.lon, r.lon);
    EXPECT_EQ(got.lat, r.lat);
    EXPECT_EQ(got.symbolCode, '#');
    EXPECT_EQ(got.altitudeFeet, 1234);
    EXPECT_EQ(got.packets, 42);
    EXPECT_EQ(got.codeA.View(), "Wn");
    EXPECT_EQ(got.codeC.View(), "Velmora");
    EXPECT_EQ(PortGroupOf(got.sourceKind), kGroupInternet);
}

TEST(StationExchange, HexReadsBlanksAsZeroAndLowerCaseAsUpperAndOtherTypesAreIgnored) {
    test::TestApp t;
    // Longitude "  3dcd40" and latitude "  f4e8a0" in lower case with blanks.
    std::string line = ":K1HX     002F5F 0 0   0       0  3dcd40  f4e8a0       0       0       0       1";
    ASSERT_TRUE(t.app.ReadStationExchange(line));
    const StationRecord& r = t.app.Stations().At(t.app.Stations().Lookup("K1HX"));
    EXPECT_EQ(r.lon, 0x3DCD40);
    EXPECT_EQ(r.lat, 0xF4E8A0);
    EXPECT_EQ(r.symbolTable, '/');
    EXPECT_EQ(r.symbolCode, '_');
    EXPECT_FALSE(t.app.ReadStationExchange(":K1HX     07garbage"));
    EXPECT_FALSE(t.app.ReadStationExchange(":short"));
    EXPECT_FALSE(t.app.ReadStationExchange("W1AW>APRS:!..."));
}

}  // namespace
}  // namespace velmora
