#include <gtest/gtest.h>

#include "weather/Ultimeter.h"

namespace velmora {
namespace {

TEST(UltimeterII, LineForms) {
    // Direction digit 4, speed 0x20, temperature 0x8A (138 - 56 = 82 F), rain 0x0012.
    const auto kmh = DecodeUltimeterII("#4208A00000012", 10);
    ASSERT_TRUE(kmh);
    EXPECT_EQ(kmh->windDirection, 90);
    EXPECT_EQ(kmh->windMph, 32 * 10 / 16);
    EXPECT_EQ(kmh->outsideTenthsF, 820);
    EXPECT_EQ(kmh->rainCounter, 18 * 10);
    EXPECT_EQ(kmh->gustMph, -1);
    const auto mph = DecodeUltimeterII("*4208A00000012", 1);
    EXPECT_EQ(mph->windMph, 32);
    EXPECT_EQ(mph->rainCounter, 18);
    EXPECT_FALSE(DecodeUltimeterII("#4208A0000001", 1));    // 13 characters
    EXPECT_FALSE(DecodeUltimeterII("#4208A000000123", 1));  // 15
    EXPECT_FALSE(DecodeUltimeterII("#420FF00000012", 1));   // 255 - 56 = 199 F is too hot
    // A non-hex field reads as 0: no wind; a temperature of 0 - 56 = -56.0 F is too cold.
    ASSERT_TRUE(DecodeUltimeterII("#4zz8A00000012", 1));
    EXPECT_EQ(DecodeUltimeterII("#4zz8A00000012", 1)->windMph, 0);
    EXPECT_FALSE(DecodeUltimeterII("#420zz00000012", 1));
}

TEST(U2000, ThreeLineForms) {
    const auto logger = DecodeU2000("!!00A0005B02CE001203E8FFEC01F4032000000384", 1);
    ASSERT_TRUE(logger);
    EXPECT_EQ(logger->windMph, 0xA0 / 16);
    EXPECT_EQ(logger->windDirection, static_cast<int>(0x5B * 1.40625));
    EXPECT_EQ(logger->outsideTenthsF, 718);
    EXPECT_EQ(logger->rainCounter, 0x12);
    EXPECT_EQ(logger->pressureTenthsMbar, 1000);
    EXPECT_EQ(logger->insideTenthsF, -20);  // signed
    EXPECT_EQ(logger->humidity, 50);
    EXPECT_EQ(logger->insideHumidity, 80);
    EXPECT_EQ(logger->minuteOfDay, 0x384);
    EXPECT_FALSE(DecodeU2000("!!00A0005B02CE", 1));  // short

    const auto packet = DecodeU2000("$ULTW0031003702CE0069----000086A00001----011901CC00000005", 1);
    ASSERT_TRUE(packet);
    EXPECT_EQ(packet->gustMph, 0x31 / 16);
    EXPECT_EQ(packet->windMph, 0x05 / 16);  // the one-minute average of a long line
    EXPECT_EQ(packet->outsideTenthsF, 718);
    EXPECT_EQ(packet->rainCounter, 0x69);
    EXPECT_EQ(packet->pressureTenthsMbar, 0);  // "----" is not hex
    EXPECT_EQ(packet->humidity, 0);
    EXPECT_EQ(DecodeU2000("$ULTW0031003702CE0069----", 1)->windMph, 0x31 / 16);
    EXPECT_FALSE(DecodeU2000("$ULTW003100370FFF", 1));  // too short for the pressure
    // Rain uses the low twelve bits only.
    EXPECT_EQ(DecodeU2000("$ULTW0031003702CEF069----", 2)->rainCounter, 0x069 * 2);
    EXPECT_FALSE(DecodeU2000("&C0000", 1));
    EXPECT_FALSE(DecodeU2000("XX", 1));
}

}  // namespace
}  // namespace velmora
