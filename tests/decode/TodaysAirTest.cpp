// Packets as they come off today's air: real lines that the classic rules
// got wrong, each with the mend it needs.
#include <gtest/gtest.h>

#include "MicEEncoder.h"
#include "decode/MicE.h"
#include "decode/ReportDecoders.h"
#include "geo/Position.h"
#include "support/TestApp.h"

namespace velmora {
namespace air {
inline double Lat(const StationRecord& s) { return LatDegreesFromUnits(s.lat); }
inline double Lon(const StationRecord& s) { return LonDegreesFromUnits(s.lon); }
}  // namespace air
namespace {
using air::Lat;
using air::Lon;

using test::TestApp;

TEST(AnyDestination, APositionOrObjectIsDecodedWhateverTheDestination) {
    TestApp t;
    // A weather station's own software code as destination.
    t.Live("SR9WXP>AKLPRZ:!4932.18N/01919.18E_021/000g000t030r...p...P...b08428h00", 'T');
    const StationRecord& wx = t.Station("SR9WXP");
    EXPECT_NEAR(Lat(wx), 49 + 32.18 / 60, 1e-6);
    EXPECT_NEAR(Lon(wx), 19 + 19.18 / 60, 1e-6);
    EXPECT_EQ(wx.temperatureF, 30);
    EXPECT_EQ(wx.barometerTenthsMbar, 8428);
    // An object sent to LOCAL through the internet.
    t.Live("OK0BCA-1>LOCAL,TCPIP*,qAC,T2CZECH:;438.700LI*111111z5045.23N/01530.39Er438.700MHz T136 -760", 'T');
    const StationRecord& object = t.Station("438.700LI");
    EXPECT_NEAR(Lat(object), 50 + 45.23 / 60, 1e-6);
    EXPECT_NEAR(Lon(object), 15 + 30.39 / 60, 1e-6);
    // A time-stamped position to a destination that only looks like Mic-E.
    t.Live("KE6BLR-98>R2D2M2,qAS,KE6BLR-17:/235915h3327.58N/11741.68WO/A=000006", 'T');
    EXPECT_NEAR(Lat(t.Station("KE6BLR-98")), 33 + 27.58 / 60, 1e-6);
    EXPECT_EQ(t.Station("KE6BLR-98").altitudeFeet, 6);
    // Another station's call as destination.
    t.Live("A0RID-1>KC0PID-7,WIDE1,qAR,NX0R-6:=3851.38N/09908.75W_Home of KA0RID", 'T');
    EXPECT_NEAR(Lon(t.Station("A0RID-1")), -(99 + 8.75 / 60), 1e-6);
    // Text that starts with no data type stays text.
    t.Live("K1ABC>LOCAL:hello there");
    EXPECT_FALSE(t.Station("K1ABC").HasPosition());
}

TEST(MicE, TheSpaceCharacterLCarriesTheDigitRangesFlags) {
    TestApp t;
    // U0QW6L: "W" in the 4th place is north; "6" and "L" in the 5th and 6th
    // are no offset and east. Today's radios send L for a blanked digit.
    const MicEPacket p = EncodeMicE(50.2933, 18.66, 0, 0, '/', '>', 0);
    t.Live("SQ9USB-2>U0QW6L:" + p.info);
    const StationRecord& s = t.Station("SQ9USB-2");
    ASSERT_TRUE(s.HasPosition());
    EXPECT_NEAR(Lon(s), 18.66, 0.001);
    EXPECT_NEAR(Lat(s), 50 + 17.60 / 60, 0.001);
    // L in the 4th place is south, in the 5th no longitude offset.
    t.Live("VK2ABC>U0QL6L:" + p.info);
    EXPECT_LT(Lat(t.Station("VK2ABC")), 0);
    EXPECT_NEAR(Lon(t.Station("VK2ABC")), 18.66, 0.001);
}

TEST(ShortPackets, NoPositionFromAPacketCutShort) {
    TestApp t;
    t.Live("SX15S6>SX15S6:`short");
    EXPECT_FALSE(t.Station("SX15S6").HasPosition());
    t.Live("W1AW>S32U6T:`(_f");  // nine bytes are needed for a Mic-E position
    EXPECT_FALSE(t.Station("W1AW").HasPosition());
    t.Live("W2AW>APRS:!/5L!!<*e7>");  // twelve characters of a compressed position
    EXPECT_FALSE(t.Station("W2AW").HasPosition());
    // A "!" deep in the text of a beacon is punctuation, not a position.
    t.Live("W3AW>BEACON:Welcome to the net, check in on 146.52 and say hi!4903.50N/07201.75W-");
    EXPECT_FALSE(t.Station("W3AW").HasPosition());
    t.Live("W4AW>BEACON:Net!4903.50N/07201.75W-");
    EXPECT_TRUE(t.Station("W4AW").HasPosition());
}

TEST(Weather, FieldsByLetterWithFieldsLeftOut) {
    TestApp t;
    // No temperature and no rain: humidity 50 must not land in the rain.
    t.Live("W1AW>APRS:_10090556c220s004g005t077h50b09900");
    t.Live("W2AW>APRS:_10090556c220s004g005h50b09900");
    const StationRecord& s = t.Station("W2AW");
    EXPECT_EQ(s.humidity, 50);
    EXPECT_EQ(s.rainHour, 0);
    EXPECT_EQ(s.barometerTenthsMbar, 9900);
    EXPECT_EQ(s.windGustMph, 5);
    EXPECT_EQ(t.Station("W1AW").temperatureF, 77);
}

TEST(Weather, TheBarometerIsFiveDigitsAndTextAfterItIsNoValue) {
    TestApp t;
    t.Live("W1AW>APRS:!4903.50N/07201.75W_220/004g005t077b100700");
    EXPECT_EQ(t.Station("W1AW").barometerTenthsMbar, 10070);
    t.Live("W2AW>APRS:!4903.50N/07201.75W_220/004g005t077r000p000P000h87b10139L000AmbientCWOP.com");
    EXPECT_EQ(t.Station("W2AW").barometerTenthsMbar, 10139);
    EXPECT_EQ(t.Station("W2AW").temperatureF, 77);
    t.Live("W3AW>APRS:!4903.50N/07201.75W_220/004g005t045b09856STACJA");
    EXPECT_EQ(t.Station("W3AW").barometerTenthsMbar, 9856);
    EXPECT_EQ(t.Station("W3AW").temperatureF, 45);
    t.Live("W4AW>APRS:!4903.50N/07201.75W_220/004g005t061h87T2WX");
    EXPECT_EQ(t.Station("W4AW").humidity, 87);
    EXPECT_EQ(t.Station("W4AW").temperatureF, 61);
}

TEST(Weather, AfterACompressedPositionWithWindInTheCourseAndSpeed) {
    TestApp t;
    // "/" table, position, "_" symbol, course byte "7" (88 deg) and speed "P"
    // (1.08^47 - 1 = 36 knots, 41 mph), "C" type (course and speed); then the fields.
    t.Live("W1AW>APRS:=/5L!!<*e7_7PCg045t063h40b10120");
    const StationRecord& s = t.Station("W1AW");
    ASSERT_TRUE(s.HasPosition());
    EXPECT_TRUE(s.isWeatherStation);
    EXPECT_EQ(s.windDirection, 88);
    EXPECT_EQ(s.windSpeedMph, 41);
    EXPECT_EQ(s.windGustMph, 45);
    EXPECT_EQ(s.temperatureF, 63);
    EXPECT_EQ(s.humidity, 40);
    EXPECT_EQ(s.barometerTenthsMbar, 10120);
    EXPECT_EQ(s.speedKnots, 0);  // the wind is no movement
}

TEST(Weather, UltimeterRainSinceMidnightIsTheDaysCount) {
    TestApp t;
    // Fields: peak wind, direction, temperature, long-term rain 0x0123,
    // pressure, delta, corrections, humidity, date, time, today's rain 0x0007.
    t.Live("W1AW>APRS:$ULTW0031003702CE01230000000000000000038E009D0357000700B1");
    EXPECT_EQ(t.Station("W1AW").rainMidnight, 7);
}

TEST(Weather, AStationsWindIsNotItsCourseAndSpeed) {
    TestApp t;
    t.Live("W1AW>APRS:@092345z4903.50N/07201.75W_220/004g005t077");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.windDirection, 220);
    EXPECT_EQ(s.windSpeedMph, 4);
    EXPECT_EQ(s.course, 0);
    EXPECT_EQ(s.speedKnots, 0);
}

TEST(Altitude, SixCharactersAnywhereInTheComment) {
    TestApp t;
    t.Live("W1AW>APRS:!4903.50N/07201.75W#PHG2835/W3, ASL:1200m /A=003937");
    EXPECT_EQ(t.Station("W1AW").altitudeFeet, 3937);
    t.Live("W2AW>APRS:!4903.50N/07201.75W>/A=000915145,275 mHz");
    EXPECT_EQ(t.Station("W2AW").altitudeFeet, 915);
    t.Live("W3AW>APRS:!4903.50N/07201.75W>090/010/A=-00050");
    EXPECT_EQ(t.Station("W3AW").altitudeFeet, -50);
    EXPECT_EQ(t.Station("W3AW").course, 90);
}

TEST(Precision, APositionKeepsItsHundredthsOfAMinute) {
    TestApp t;
    t.Live("OH1AA>APRS:!6028.51N/02215.37E-");
    EXPECT_NEAR(Lat(t.Station("OH1AA")), 60.475167, 0.0000005);
    EXPECT_NEAR(Lon(t.Station("OH1AA")), 22 + 15.37 / 60, 0.0000005);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

using test::TestApp;

TEST(Telemetry, FieldByFieldInTheFormsStationsSend) {
    struct Case {
        const char* info;
        int32_t sequence;
        std::vector<double> analog;
        int bitCount;
        uint8_t bits;
    } cases[] = {
        {"T#005,199,000,255,073,123,01101001", 5, {199, 0, 255, 73, 123}, 8, 0b01101001},
        {"T#324,000,.12,50.12,1,2,01000001", 324, {0, 0.12, 50.12, 1, 2}, 8, 0b01000001},
        {"T#MIC199,000,255,073,123,01101001", -1, {199, 0, 255, 73, 123}, 8, 0b01101001},
        {"T#MIC,1,2,3", -1, {1, 2, 3}, 0, 0},
        {"T#017,1023,4095", 17, {1023, 4095}, 0, 0},
        {"T#001,12,13,14,15,16,101", 1, {12, 13, 14, 15, 16}, 3, 0b10100000},
        {"T#002,-12.5,3,00000000", 2, {-12.5, 3}, 8, 0},
        {"T#003,12,abc,14", 3, {12}, 0, 0},  // the text stops the values
    };
    for (const Case& c : cases) {
        const auto r = ParseTelemetryReport(c.info);
        ASSERT_TRUE(r) << c.info;
        EXPECT_EQ(r->sequence, c.sequence) << c.info;
        ASSERT_EQ(r->analogCount, c.analog.size()) << c.info;
        for (size_t i = 0; i < c.analog.size(); ++i) EXPECT_DOUBLE_EQ(r->analog[i], c.analog[i]) << c.info;
        EXPECT_EQ(r->bitCount, c.bitCount) << c.info;
        EXPECT_EQ(r->bits, c.bits) << c.info;
    }
    EXPECT_FALSE(ParseTelemetryReport("T#"));
    EXPECT_FALSE(ParseTelemetryReport("Telemetry"));
}

TEST(Telemetry, MicSequencesAllStayWithTheirStation) {
    TestApp t;
    for (int i = 0; i < 5; ++i) t.Live("W1AW>APRS:T#MIC,00" + std::to_string(i) + ",1,2,3,4,00000000");
    const StationRecord& s = t.Station("W1AW");
    ASSERT_EQ(s.telemetry.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.telemetry[static_cast<size_t>(i)].analog[0], i);
}

TEST(Telemetry, DefinitionsNameScaleAndLabelAStationsValues) {
    TestApp t;
    t.Live("N0TLM>APRS::N0TLM    :PARM.Battery,Temp,Light,,,Door,Alarm");
    t.Live("N0TLM>APRS::N0TLM    :UNIT.V,deg.C,lux,,,open,on");
    t.Live("N0TLM>APRS::N0TLM    :EQNS.0,0.1,0,0,0.5,-40,0,1,0,0,1,0,0,1,0");
    t.Live("N0TLM>APRS::N0TLM    :BITS.01111111,Cabin monitor{12");
    t.Live("N0TLM>APRS:T#042,132,110,500,0,0,10000000");
    const StationRecord& s = t.Station("N0TLM");
    ASSERT_TRUE(s.telemetryDefinitions);
    const TelemetryDefinitions& d = *s.telemetryDefinitions;
    EXPECT_EQ(d.names[0], "Battery");
    EXPECT_EQ(d.names[5], "Door");
    EXPECT_EQ(d.units[1], "deg.C");
    EXPECT_EQ(d.bitSense, 0b01111111);
    EXPECT_EQ(d.project, "Cabin monitor");
    ASSERT_EQ(s.telemetry.size(), 1u);
    EXPECT_DOUBLE_EQ(ScaledAnalog(d, s.telemetry[0], 0), 13.2);
    EXPECT_DOUBLE_EQ(ScaledAnalog(d, s.telemetry[0], 1), 15.0);
    EXPECT_DOUBLE_EQ(ScaledAnalog(d, s.telemetry[0], 2), 500.0);
    // Another station's definitions for it land on the station they name.
    t.Live("W1AW>APRS::K9TLM    :PARM.Volts");
    EXPECT_EQ(t.Station("K9TLM").telemetryDefinitions->names[0], "Volts");
    EXPECT_FALSE(t.Station("W1AW").telemetryDefinitions);
}

TEST(Telemetry, Base91InTheComment) {
    TestApp t;
    // |ss11223344556677| : sequence, five values, then the bits.
    t.Live("W1AW>APRS:!4903.50N/07201.75W>Comment |!\"%!!#!$!%!&!$|");
    const StationRecord& s = t.Station("W1AW");
    ASSERT_EQ(s.telemetry.size(), 1u);
    const TelemetryRecord& r = s.telemetry[0];
    EXPECT_EQ(r.sequence, 1);
    EXPECT_EQ(r.analogCount, 5);
    EXPECT_EQ(r.analog[0], 4 * 91);
    EXPECT_EQ(r.analog[1], 2);
    EXPECT_EQ(r.bitCount, 8);
    EXPECT_EQ(r.bits, 0b11000000);  // value 3: B1 and B2
    const auto bits = ParseCommentTelemetry("|!!!!!!!!!!!!!$|");  // bits value 3: B1 and B2
    ASSERT_TRUE(bits);
    EXPECT_EQ(bits->bits, 0b11000000);
    EXPECT_FALSE(ParseCommentTelemetry("a|b|c"));       // too short
    EXPECT_FALSE(ParseCommentTelemetry("|!!!|"));       // odd length
    EXPECT_FALSE(ParseCommentTelemetry("|!!!!!!!!!!!!!!!!|"));  // too long
    t.Live("K1ABC>APRS:!4903.50N/07201.75W>no telemetry | here |");
    EXPECT_TRUE(t.Station("K1ABC").telemetry.empty());
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

using test::TestApp;

TEST(Objects, AKilledObjectOrItemKeepsItsLastPosition) {
    TestApp t;
    t.Live("W1AW>APRS:;EVENT    *111111z4145.00N/07240.00Wo");
    const int32_t lat = t.Station("EVENT").lat;
    t.Live("W1AW>APRS:;EVENT    _111111z4145.00N/07240.00Wo");
    EXPECT_TRUE(t.Station("EVENT").killed);
    EXPECT_EQ(t.Station("EVENT").lat, lat);
    t.Live("W1AW>APRS:)AID#2!4903.50N/07201.75WA");
    t.Live("W1AW>APRS:)AID#2_4903.50N/07201.75WA");
    EXPECT_TRUE(t.Station("AID#2").killed);
    EXPECT_TRUE(t.Station("AID#2").HasPosition());
    // Compressed objects and items, with an altitude in their comments.
    t.Live("W1AW>APRS:;BALLOON  *111111z/5L!!<*e7O   /A=012345");
    EXPECT_TRUE(t.Station("BALLOON").HasPosition());
    EXPECT_EQ(t.Station("BALLOON").altitudeFeet, 12345);
    t.Live("W1AW>APRS:)CAR!/5L!!<*e7>7P  on the road");
    EXPECT_TRUE(t.Station("CAR").HasPosition());
}

TEST(Times, TrackPointsAndTelemetryCarryTheirReceptionTime) {
    TestApp t;
    t.app.StationOptions().autoTrackMovingStations = true;
    t.Live("W1AW>APRS:!4903.50N/07201.75W>");
    t.clock.Advance(120);
    t.Live("W1AW>APRS:!4904.50N/07201.75W>");
    const StationRecord& s = t.Station("W1AW");
    ASSERT_GE(s.trackCount, 2);
    EXPECT_EQ(s.trackPoints[static_cast<size_t>(s.trackCount - 1)].time, t.clock.NowStamp());
    EXPECT_EQ(s.trackPoints[static_cast<size_t>(s.trackCount - 2)].time, t.clock.NowStamp() - 120);
}

TEST(Dao, AnExtraDigitOfPrecision) {
    TestApp t;
    t.Live("W1AW>APRS:!4903.50N/07201.75W>comment !W37!");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_NEAR(Lat(s), 49 + 3.503 / 60, 1e-7);
    EXPECT_NEAR(Lon(s), -(72 + 1.757 / 60), 1e-7);
    EXPECT_EQ(s.daoDatum, 'W');
    // Base 91: two more digits, south and east moving the other way.
    t.Live("VK2AA>APRS:!3351.50S/15112.25E>!w\"z!");
    const StationRecord& v = t.Station("VK2AA");
    // '"' is 1 of 91: .0001'; 'z' is 89 of 91: .0098'. Kept to the nearest
    // unit, a hundredth of a second (1.4e-6 degrees at most away).
    EXPECT_NEAR(Lat(v), -(33 + (51.50 + 0.0001) / 60), 1.4e-6);
    EXPECT_NEAR(Lon(v), 151 + (12.25 + 0.0098) / 60, 1.4e-6);
    // Mic-E with a DAO in its comment.
    const MicEPacket p = EncodeMicE(41.5, -72.5, 0, 0, '/', '>', 0);
    t.Live("K1MIC>" + p.destination + ":" + p.info + "!W55!");
    EXPECT_NEAR(Lat(t.Station("K1MIC")), 41.5 + 0.005 / 60, 1e-6);
    EXPECT_EQ(t.Station("K1MIC").daoDatum, 'W');
    // "!" in a comment that is no DAO changes nothing.
    t.Live("W2AW>APRS:!4903.50N/07201.75W>Hello! How are you!");
    EXPECT_NEAR(Lat(t.Station("W2AW")), 49 + 3.50 / 60, 1e-7);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

using test::TestApp;

TEST(MicE, TheRadiosCodeIsSeparatedFromTheComment) {
    struct Case {
        const char* comment;
        const char* device;
        const char* status;  // what is left of a ">" status
    } cases[] = {
        {">Hello world=", "Kenwood TH-D72", "Hello world"},
        {">On the road^", "Kenwood TH-D74", "On the road"},
        {"]Mobile=", "Kenwood TM-D710", ""},
        {"]", "Kenwood TM-D700", ""},
        {"`Going home_%", "Yaesu FTM-400DR", ""},
        {"`_\"", "Yaesu FTM-350", ""},
        {"'|3", "Byonics TinyTrack3", ""},
        {"`Hi(8", "Anytone D878UV", ""},
    };
    const MicEPacket p = EncodeMicE(41.5, -72.5, 0, 0, '/', '>', 0);
    int n = 0;
    for (const Case& c : cases) {
        TestApp t;
        const std::string call = "K1MC-" + std::to_string(++n);
        t.Live(call + ">" + p.destination + ":" + p.info + c.comment);
        const StationRecord& s = t.Station(call);
        EXPECT_EQ(s.device.View(), c.device) << c.comment;
        EXPECT_EQ(s.status.View(), c.status) << c.comment;
        EXPECT_TRUE(s.HasPosition()) << c.comment;
    }
    EXPECT_FALSE(IdentifyMicEDevice(" plain comment"));
    // Found by the fuzzer: the older form's eight bytes and nothing after.
    TestApp t;
    t.Live("W1AW>S32U6T:\x1c.$(?f !");
    EXPECT_GE(t.Find("W1AW"), 0);
    EXPECT_FALSE(IdentifyMicEDevice(""));
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

using test::TestApp;

// A "!" weather report has no time of its own: its day-log slot is its
// reception time in UTC, corrected as a "_" report's time stamp is.
TEST(Times, APositionWeatherReportIsLoggedLikeAPositionlessOne) {
    TestApp t;
    t.clock.SetUtcOffset(-5 * 3600);  // the machine: 12:00 local is 17:00 UTC
    t.app.DecodeOptions().utcOffsetHours = -5;
    t.clock.Set(2026, 12, 8, 12, 0, 0);
    t.Live("W1AW>APRS:_12081700c220s004g005t077");                       // stamped 17:00 UTC
    t.Live("W2AW>APRS:!4903.50N/07201.75W_220/004g005t077");            // received now
    const StationRecord& a = t.Station("W1AW");
    const StationRecord& b = t.Station("W2AW");
    ASSERT_FALSE(a.weatherDay.empty());
    ASSERT_FALSE(b.weatherDay.empty());
    EXPECT_EQ(a.weatherSlot, (12 * 60) / 5);
    EXPECT_EQ(b.weatherSlot, a.weatherSlot);
}

}  // namespace
}  // namespace velmora
