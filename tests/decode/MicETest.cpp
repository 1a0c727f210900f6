#include <gtest/gtest.h>

#include "MicEEncoder.h"
#include "decode/MicE.h"
#include "geo/Position.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using test::TestApp;

std::string Line(const std::string& source, const MicEPacket& p) {
    return source + ">" + p.destination + ",WIDE1-1:" + p.info;
}

TEST(MicE, WorkedExample) {
    TestApp t;
    t.clock.Set(2026, 12, 8, 14, 5, 0);
    t.app.DecodeOptions().utcOffsetHours = -5;
    t.Live("N1ABC-7>S32U6T,WIDE1-1:\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F");
    const StationRecord& s = t.Station("N1ABC-7");
    EXPECT_EQ(s.lat, kLatOrigin - (33 * 360000 + 25 * 6000 + 64 * 60));
    EXPECT_EQ(s.lon, kLonOrigin - (12 * 360000 + 7 * 6000 + 74 * 60));
    EXPECT_EQ(s.speedKnots, 20);
    EXPECT_EQ(s.course, 251);
    EXPECT_EQ(s.micMessage, 3);
    EXPECT_STREQ(MicEMessageText(s.micMessage), "Returning");
    EXPECT_EQ(s.symbolTable, '/');
    EXPECT_EQ(s.symbolCode, 'j');
    EXPECT_EQ(s.specialIcon, 26);
    EXPECT_EQ(s.extraText.View(), "\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F");
    // Local 14:05 is 19:05 UTC five hours west.
    EXPECT_EQ(s.lastInfo.View(), "@081905z3325.64N/01207.74Wj251/020/Mic-E/M3/Returning");
    const int before = t.app.Events().Invalidations(MakeFourCC("MICL"));
    t.Live("N1ABC-7>S32U6T,WIDE1-1:\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F");
    EXPECT_EQ(t.app.Events().Invalidations(MakeFourCC("MICL")), before + 1);
}

TEST(MicE, LongitudeFolding) {
    // d = 185 with the +100 flag: 185 - 80 = 105 degrees.
    const MicEFields hundredFive = ParseMicEInformation(std::string("`") + char(85 + 28) + "(((((j/", true);
    EXPECT_EQ(hundredFive.lonDegrees, 105);
    // d = 91 with the flag gives 191, folded to 1 degree.
    EXPECT_EQ(ParseMicEInformation(std::string("`") + char(91 + 28) + "(((((j/", true).lonDegrees, 1);
    // Minutes of 60 and more are folded by 60.
    EXPECT_EQ(ParseMicEInformation(std::string("`(") + char(65 + 28) + "((((j/", false).lonMinutes, 5);
    // Every longitude the encoder writes comes back.
    for (double lon : {-179.5, -109.99, -100.0, -99.5, -10.0, -9.99, -0.01, 0.0, 5.25, 99.99, 105.5, 179.99}) {
        TestApp t;
        t.Live(Line("W1AW", EncodeMicE(45.5, lon, 10, 90, '/', '>', 0)));
        EXPECT_NEAR(LonDegreesFromUnits(t.Station("W1AW").lon), lon, 1.0 / 6000) << lon;
    }
}

TEST(MicE, OlderFormDoesNotFold) {
    TestApp t;
    // SP = 82, DC = 6, SE = 51 again, but in the older form: no subtraction.
    t.Live("W1AW>S32U6T:\x1c\x28\x5F\x66\x6E\x22\x4F\x6A");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.speedKnots, 820);
    EXPECT_EQ(s.course, 651);
    EXPECT_EQ(s.symbolCode, 'j');
    EXPECT_EQ(s.symbolTable, 0);  // the older form carries no table
    // 0x5F - 28 = 67 minutes is not folded either, so there is no longitude.
    EXPECT_FALSE(s.HasPosition());
    const MicEFields f = ParseMicEInformation("\x1c\x28\x3F\x66\x6E\x22\x4F\x6A\x1d\x1c\x1d\x1e\x1f\x20\x21", false);
    EXPECT_TRUE(f.hasLongitude);
    EXPECT_EQ(f.lonMinutes, 35);
    ASSERT_EQ(f.channels, 6);
    EXPECT_EQ(f.channelValue[5], 5);
}

TEST(MicE, EmergencyCentresTheMapOnce) {
    TestApp t;
    t.Live(Line("W1AW", EncodeMicE(41.5, -72.5, 30, 180, '/', '>', 0)));
    EXPECT_EQ(t.app.Events().centreRequests, 0);
    t.Live(Line("W1AW", EncodeMicE(41.5, -72.5, 30, 180, '/', '>', 7)));
    EXPECT_EQ(t.Station("W1AW").micMessage, 7);
    EXPECT_EQ(t.app.Events().centreRequests, 1);
    EXPECT_EQ(t.app.Events().lastCentred, t.Find("W1AW"));
    t.Live(Line("W1AW", EncodeMicE(41.5, -72.5, 30, 180, '/', '>', 7)));
    EXPECT_EQ(t.app.Events().centreRequests, 1);
}

TEST(MicE, TelemetryKeepsTheNewestRecordsWithTheirTimes) {
    TestApp t;
    const MicEPacket base = EncodeMicE(41.5, -72.5, 0, 0, '/', '>', 0);
    const int sent = static_cast<int>(kTelemetryRecords) + 1;
    for (int i = 0; i < sent; ++i) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "'%02X%02X0000FF", i & 0xFF, (i >> 8) & 0xFF);
        t.clock.Advance(1);
        t.Live("W1AW>" + base.destination + ":" + base.info + hex);
    }
    const StationRecord& s = t.Station("W1AW");
    ASSERT_EQ(s.telemetry.size(), kTelemetryRecords);  // the first was dropped
    const TelemetryRecord& last = s.telemetry.back();
    // The last packet: channel 1 = 0x00, channel 2 = 0x02, channel 5 = 0xFF.
    EXPECT_EQ(last.analogCount, 5);
    EXPECT_EQ(last.analog[0], (sent - 1) & 0xFF);
    EXPECT_EQ(last.analog[1], (sent - 1) >> 8);
    EXPECT_EQ(last.analog[4], 0xFF);
    EXPECT_EQ(last.time, t.clock.NowStamp());
    EXPECT_EQ(s.telemetry.front().analog[0], 1);
    EXPECT_EQ(s.telemetry.front().time, t.clock.NowStamp() - kTelemetryRecords + 1);
    EXPECT_GE(t.app.Events().Invalidations(MakeFourCC("TELM")), sent);
}

TEST(MicE, TwoChannelTelemetryAndCommentsThatAreNotTelemetry) {
    const MicEFields two = ParseMicEInformation("`(_fn\"Oj/`1AFF", false);
    ASSERT_EQ(two.channels, 2);
    EXPECT_EQ(two.channelValue[0], 0x1A);
    EXPECT_EQ(two.channelSlot[1], 2);  // the third channel
    EXPECT_EQ(two.channelValue[1], 0xFF);
    // A radio's "`" comment prefix with non-hex text is not telemetry.
    EXPECT_EQ(ParseMicEInformation("`(_fn\"Oj/`_\"hello", false).channels, 0);
    EXPECT_EQ(ParseMicEInformation("`(_fn\"Oj/'12", false).channels, 0);  // cut short
}

TEST(MicE, StatusAltitudeAndTheCarSymbol) {
    TestApp t;
    t.Live(Line("W1AW", EncodeMicE(41.5, -72.5, 30, 180, '/', '>', 1, "\"4T}>On my way")));
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.status.View(), ">On my way");
    EXPECT_NEAR(s.altitudeFeet, (static_cast<int>('"' - 33) * 8281 + ('4' - 33) * 91 + ('T' - 33) - 10000) * 3.28084, 1);
    EXPECT_NE(s.lastInfo.View().find("/M1/Enroute>On my way"), std::string_view::npos);
    // The car symbol ">" among the fixed bytes is not a status.
    t.Live(Line("K1ABC", EncodeMicE(41.5, -72.5, 30, 180, '/', '>', 1, " no status")));
    EXPECT_EQ(t.Station("K1ABC").status.View(), "");
}

TEST(MicE, ForwardsConvertedPacketsWhenAsked) {
    TestApp t;
    t.app.SetOwnCall("N0GATE");
    const std::string line = Line("W1AW", EncodeMicE(41.5, -72.5, 30, 180, '/', '>', 0));
    t.Live(line, '2');
    EXPECT_TRUE(t.seams.internet.empty());
    t.app.DecodeOptions().forwardMicEToInternet = true;
    t.Live(line, 'T');
    EXPECT_TRUE(t.seams.internet.empty());  // never back to where it came from
    t.Live(line, '2');
    ASSERT_EQ(t.seams.internet.size(), 1u);
    EXPECT_EQ(t.seams.internet[0].rfind("W1AW>APRS,TCPIP,N0GATE*:@", 0), 0u);
    EXPECT_EQ(t.seams.internet[0].back(), '\r');
}

TEST(MicE, AutoTrackAsksForATrack) {
    TestApp t;
    t.Live(Line("W1AW", EncodeMicE(41.5, -72.5, 30, 180, '/', '>', 0)));
    EXPECT_GT(t.Station("W1AW").trackCapacity, 0);
    EXPECT_GE(t.app.Events().Invalidations(MakeFourCC("TRKL")), 1);
    t.app.StationOptions().autoTrackMovingStations = false;
    t.Live(Line("K1ABC", EncodeMicE(41.5, -72.5, 30, 180, '/', '>', 0)));
    EXPECT_EQ(t.Station("K1ABC").trackCapacity, 0);
}

TEST(MicE, MangledPacketsDecodeOnlyAsFarAsTheyGo) {
    TestApp t;
    const std::string full = "W1AW>S32U6T:\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F\x27\x31\x32";
    for (size_t n = 12; n <= full.size(); ++n) t.Live(full.substr(0, n));
    // A destination outside the alphabet gives no latitude and no message
    // code; one that is no AX.25 call at all is no packet.
    t.Live("K1ABC>S3MU6T:\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F");
    EXPECT_EQ(t.Station("K1ABC").course, 251);
    EXPECT_FALSE(t.Station("K1ABC").HasPosition());
    t.Live("K1ABD>S3!U6T:\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F");
    EXPECT_LT(t.Find("K1ABD"), 0);
    t.Live("K2ABC>S32U:\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F");  // short destination: not Mic-E at all
    EXPECT_FALSE(t.Station("K2ABC").HasPosition());
    // Bytes below the offset are no longitude.
    t.Live("K3ABC>S32U6T:\x60\x01\x5F\x66\x6E\x22\x4F\x6A\x2F");
    EXPECT_FALSE(t.Station("K3ABC").HasPosition());
    // Blanked digits read as zero and count as ambiguity.
    t.Live("K4ABC>S32ULZ:\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F");
    EXPECT_EQ(t.Station("K4ABC").ambiguity, 2);
    EXPECT_NEAR(LatDegreesFromUnits(t.Station("K4ABC").lat), 33 + 25.0 / 60, 1e-9);
}

TEST(MicE, TheCommentKeepsOnlyTheOperatorsWords) {
    TestApp t;
    // Altitude "}", a Kenwood's type byte, a Yaesu's suffix, base-91 telemetry.
    const MicEPacket p = EncodeMicE(41.7, -72.7, 90, 30, '/', '>', 0);
    t.Live("K1MIC>" + p.destination + ":" + p.info + "]\"4T}146.520 simplex=");
    EXPECT_EQ(t.Station("K1MIC").comment.View(), "146.520 simplex");
    t.Live("K2MIC>" + p.destination + ":" + p.info + "`\"4T}QRV 70cm_%");
    EXPECT_EQ(t.Station("K2MIC").comment.View(), "QRV 70cm");
    t.Live("K3MIC>" + p.destination + ":" + p.info + "hello |!!!!!!|");
    EXPECT_EQ(t.Station("K3MIC").comment.View(), "hello");
}

}  // namespace
}  // namespace velmora
