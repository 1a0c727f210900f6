#include <gtest/gtest.h>

#include "gps/Nmea.h"
#include "geo/Position.h"

namespace velmora {
namespace {

TEST(Nmea, FieldConversions) {
    // 49 16' 27" N and 123 11' 7.20" W.
    EXPECT_EQ(NmeaLatitude("4916.45", "N"), kLatOrigin - (49 * 360000 + 16 * 6000 + 2700));
    EXPECT_EQ(NmeaLongitude("12311.12", "W"), kLonOrigin - (123 * 360000 + 11 * 6000 + 720));
    EXPECT_EQ(NmeaLatitude("4916.4599", "S"), kLatOrigin + (49 * 360000 + 16 * 6000 + 2754));  // three decimals
    EXPECT_FALSE(NmeaLatitude("491.645", "N"));
    EXPECT_EQ(NmeaLatitude("9000.00", "N"), 1);  // the pole, never "no position"
    EXPECT_EQ(NmeaLongitude("18000.00", "W"), NmeaLongitude("18000.00", "E"));
    EXPECT_FALSE(NmeaLatitude("4916.45", "X"));
    EXPECT_FALSE(NmeaLongitude("x2311.12", "W"));
    EXPECT_EQ(NmeaAltitudeFeet("12.7", "M"), 39);
    EXPECT_EQ(NmeaAltitudeFeet("545", "F"), 545);
    EXPECT_EQ(NmeaAltitudeFeet("545", "Q"), 0);
    // Found by the fuzzer: a hundred digits of altitude.
    EXPECT_EQ(NmeaAltitudeFeet(std::string(100, '1'), "M"), 1000000);
    EXPECT_EQ(NmeaAltitudeFeet("-99999999999", "F"), -1000000);
    EXPECT_EQ(NmeaSpeedMph("10", "N"), 11);
    EXPECT_EQ(NmeaSpeedMph("100", "K"), 62);
    EXPECT_EQ(NmeaSpeedMph("7.9", "S"), 7);
    EXPECT_EQ(NmeaSpeedMph("1e300", "N"), 0);
    EXPECT_EQ(NmeaTime("123519"), 12u * 3600 + 35 * 60 + 19);
    EXPECT_FALSE(NmeaTime("12351"));
}

TEST(Nmea, SplittingAndChecksum) {
    const NmeaFields f = SplitNmea("$GPGLL,4916.45,N,12311.12,W,225444,A*1D\r\n");
    EXPECT_EQ(f[0], "$GPGLL");
    EXPECT_EQ(f[6], "A");
    EXPECT_EQ(f[7], "1D");
    EXPECT_EQ(f[20], "");
    EXPECT_EQ(SplitNmea("$GPXXX,12345678901234567890").field[1].View(), "123456789012345");
    EXPECT_EQ(NmeaChecksum("$GPGLL,4916.45,N,12311.12,W,225444,A,*1D"), 0x1D);
    EXPECT_EQ(NmeaChecksum("$GPGLL,4916.45,N,12311.12,W,225444,A,"), 0x1D);
}

TEST(Nmea, SentenceRules) {
    const auto rmc = ParseNmeaSentence("$GPRMC,123519,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A");
    ASSERT_TRUE(rmc);
    EXPECT_TRUE(rmc->positionValid);  // status V still sets the position
    EXPECT_FALSE(rmc->goodPosition);
    EXPECT_EQ(rmc->statusCode, 3115);
    EXPECT_EQ(rmc->speedMph, 25);  // 22.4 knots
    EXPECT_EQ(rmc->course, 84);
    EXPECT_TRUE(rmc->moving);
    EXPECT_EQ(rmc->kind, SentenceKind::kRmc);

    const auto noFix = ParseNmeaSentence("$GPGGA,123519,4807.038,N,01131.000,E,0,08,0.9,545.4,M,46.9,M,,*47");
    ASSERT_TRUE(noFix);
    EXPECT_FALSE(noFix->positionValid);
    EXPECT_FALSE(noFix->timeValid);
    EXPECT_TRUE(noFix->positionSentence);
    EXPECT_TRUE(noFix->altitudeValid);  // the altitude is still used
    EXPECT_EQ(noFix->altitudeFeet, 1788);
    EXPECT_EQ(noFix->statusCode, 3101);
    const auto gga = ParseNmeaSentence("$GPGGA,123519,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,*47");
    EXPECT_TRUE(gga->positionValid);
    EXPECT_EQ(gga->statusCode, 3102);

    const auto zero = ParseNmeaSentence("$GPGLL,0000.00,N,00000.00,E,225444,A");
    EXPECT_FALSE(zero->positionValid);  // 0 N 0 E is no fix
    EXPECT_EQ(ParseNmeaSentence("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K")->speedMph, 6);
    EXPECT_EQ(ParseNmeaSentence("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K")->course, 54);
    const auto hdm = ParseNmeaSentence("$HCHDM,238.5,M");
    EXPECT_TRUE(hdm->moving);
    EXPECT_EQ(hdm->course, 238);
    const auto pmgl = ParseNmeaSentence("$PMGLB,3,123519,,,,,,,545,M");
    EXPECT_EQ(pmgl->kind, SentenceKind::kProprietary);
    EXPECT_EQ(pmgl->altitudeFeet, 1788);
    EXPECT_TRUE(pmgl->timeValid);
    EXPECT_EQ(ParseNmeaSentence("$GPGDA,123519,4807.038,N,01131.000,E")->statusCode, 3105);
    EXPECT_EQ(ParseNmeaSentence("$GPXYZ,1")->kind, SentenceKind::kUnknown);
    EXPECT_FALSE(ParseNmeaSentence("$GPRMC"));
    EXPECT_FALSE(ParseNmeaSentence("GPRMC,1,2"));
}

}  // namespace
}  // namespace velmora
