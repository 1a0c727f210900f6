// UTM against PROJ: tests/data/utm_reference.txt holds what PROJ gives for
// each case (tools/utm_reference.py), and the conversions must agree both
// ways to the series' accuracy.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "geo/Utm.h"

namespace velmora {
namespace {

struct Case {
    std::string ellipsoid;
    int zone = 0;
    bool south = false;
    double lat = 0, lon = 0, easting = 0, northing = 0;
};

std::vector<Case> ReferenceCases() {
    std::ifstream in(VELMORA_TEST_DATA "/utm_reference.txt");
    std::vector<Case> cases;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Case c;
        std::string hemisphere;
        fields >> c.ellipsoid >> c.zone >> hemisphere >> c.lat >> c.lon >> c.easting >> c.northing;
        c.south = hemisphere == "S";
        if (fields) cases.push_back(c);
    }
    return cases;
}

TEST(Utm, AgreesWithProjBothWaysInBothHemispheresAndAtZoneEdges) {
    const std::vector<Case> cases = ReferenceCases();
    ASSERT_GE(cases.size(), 19u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ellipsoid + " " + std::to_string(c.lat) + " " + std::to_string(c.lon));
        const Ellipsoid& e = c.ellipsoid == "CLRK66" ? kClarke1866 : kWgs84;
        const UtmPosition p = LatLonToUtmInZone(c.lat, c.lon, c.zone, e);
        // Three degrees off the central meridian the series is good to
        // centimetres; well inside a zone to the millimetre.
        EXPECT_NEAR(p.easting, c.easting, 0.05);
        EXPECT_NEAR(p.northing, c.northing, 0.05);
        EXPECT_EQ(p.south, c.south);
        const auto back = UtmToLatLon(c.zone, c.easting, c.northing, c.south, e);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->lat, c.lat, 1e-6);  // about 0.1 m
        EXPECT_NEAR(back->lon, c.lon, 1e-6);
    }
}

TEST(Utm, ZonesBandsAndLimits) {
    const auto newington = LatLonToUtm(41.7147, -72.7272);
    ASSERT_TRUE(newington);
    EXPECT_EQ(newington->zone, 18);
    EXPECT_EQ(newington->band, 'T');
    EXPECT_EQ(UtmText(*newington), "18T 689072 4620596");
    EXPECT_EQ(LatLonToUtm(60.39, 5.32)->zone, 32);   // Norway's exception
    EXPECT_EQ(LatLonToUtm(60.39, 2.5)->zone, 31);
    EXPECT_EQ(LatLonToUtm(78.22, 15.65)->zone, 33);  // Svalbard's
    EXPECT_EQ(LatLonToUtm(78.22, 8.9)->zone, 31);
    EXPECT_EQ(LatLonToUtm(10, 180)->zone, 1);        // the date line
    EXPECT_EQ(LatLonToUtm(10, -180)->zone, 1);
    EXPECT_EQ(LatLonToUtm(10, 179.99)->zone, 60);
    EXPECT_EQ(LatLonToUtm(-33.87, 151.21)->band, 'H');
    EXPECT_EQ(UtmBand(-80), 'C');
    EXPECT_EQ(UtmBand(0), 'N');
    EXPECT_EQ(UtmBand(-0.001), 'M');
    EXPECT_EQ(UtmBand(72), 'X');
    EXPECT_EQ(UtmBand(84), 'X');
    EXPECT_EQ(UtmBand(84.01), 0);
    EXPECT_FALSE(LatLonToUtm(84.01, 0));   // polar regions are not UTM
    EXPECT_FALSE(LatLonToUtm(-80.01, 0));
    EXPECT_FALSE(LatLonToUtm(std::nan(""), 0));
    EXPECT_FALSE(LatLonToUtm(0, 181));
    // The map reader's northern Clarke form is the general one.
    const auto a = UtmToLatLon(18, 689077.2735, 4620383.5079);
    ASSERT_TRUE(a);
    EXPECT_NEAR(a->lat, 41.7147, 1e-6);
    EXPECT_NEAR(UtmToLongitude(18, 689077.2735, 4620383.5079), -72.7272, 1e-6);
}

}  // namespace
}  // namespace velmora
