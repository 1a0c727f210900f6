#include <gtest/gtest.h>

#include "decode/MicE.h"
#include "decode/ReportDecoders.h"
#include "geo/Gridsquare.h"
#include "geo/Position.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using test::TestApp;

std::string PositionToLocatorOf(const StationRecord& s) { return PositionToLocator(s.lon, s.lat); }

TEST(Objects, CreatedUnderTheirOwnNameWithoutMarkingThemHeard) {
    TestApp t;
    t.clock.Set(2026, 12, 8, 10, 0, 0);
    t.Live("N1JKL>APRS,WIDE2-1:;EOC      *081200z4145.00N/07240.00WoEmergency Operations Center");
    const StationRecord& eoc = t.Station("EOC");
    EXPECT_TRUE(eoc.HasPosition());
    EXPECT_EQ(eoc.status.View(), "Object created by N1JKL");
    EXPECT_EQ(eoc.specialIcon, 30);
    EXPECT_EQ(eoc.objectState, '*');
    EXPECT_EQ(eoc.symbolCode, 'o');
    EXPECT_EQ(eoc.packets, 0);
    EXPECT_EQ(ToChar(eoc.sourceKind), '2');
    // Day 8, 12:00 UTC in a zone at UTC: this morning's day, today's month.
    EXPECT_EQ(eoc.reportTime, ToTimeStamp({2026, 12, 8, 12, 0, 0, 0}));
    // The sender keeps no position from its object.
    EXPECT_FALSE(t.Station("N1JKL").HasPosition());
    EXPECT_EQ(t.app.Counters().lastStation, t.Find("EOC"));
}

TEST(Objects, KilledObjectsAndOwnObjects) {
    TestApp t;
    t.app.SetOwnCall("N0CALL");
    t.Live("N1JKL>APRS:;GONE     _081200z4145.00N/07240.00Wo");
    EXPECT_GE(t.Find("GONE"), 0);
    // A killed object keeps the position it was killed at, marked killed.
    EXPECT_TRUE(t.Station("GONE").HasPosition());
    EXPECT_TRUE(t.Station("GONE").killed);
    EXPECT_EQ(t.Station("GONE").objectState, '_');
    t.app.Stations().At(t.Find("GONE")).objectState = '+';
    t.Live("N0CALL>APRS:;GONE     *081200z4145.00N/07240.00Wo");
    EXPECT_EQ(t.Station("GONE").objectState, '+');  // reception never changes an own object's state
    EXPECT_TRUE(t.Station("GONE").HasPosition());
    EXPECT_FALSE(t.Station("GONE").killed);
}

TEST(Objects, FrequencyObjectsCompressedObjectsAndOldObjects) {
    TestApp t;
    t.Live("W1AW>APRS:;147.39-NY*111111z4145.00N/07240.00Wr147.390MHz T100");
    EXPECT_TRUE(t.Station("147.39-NY").HasPosition());
    t.Live("W1AW>APRS:;MY OBJ   *092345z/5L!!<*e7>7P[");
    EXPECT_NEAR(LatDegreesFromUnits(t.Station("MY OBJ").lat), 49.5, 1e-4);
    t.Live("W1AW>APRS:OBJNAME  *092345z4903.50N/07201.75W>");
    const StationRecord& old = t.Station("OBJNAME");
    EXPECT_TRUE(old.HasPosition());
    EXPECT_EQ(old.packets, 1);  // objects without ";" are marked heard
    EXPECT_EQ(old.objectState, '*');
    t.Live("W1AW>APRS:;\x01" "BAD     *092345z4903.50N/07201.75W>");  // unprintable name
    EXPECT_EQ(t.app.Stations().UsedCount(), 4);
}

TEST(Items, KeptLikeObjects) {
    TestApp t;
    t.Live("N1JKL>APRS:)AID#2!4144.00N/07239.00W!First aid");
    const StationRecord& aid = t.Station("AID#2");
    EXPECT_TRUE(aid.HasPosition());
    EXPECT_EQ(aid.status.View(), "Item created by N1JKL");
    t.Live("N1JKL>APRS:)AID#2_");
    EXPECT_EQ(t.Station("AID#2").objectState, '_');
    t.Live("N1JKL>APRS:)AB!4144.00N/07239.00W!");  // names have at least three characters
    EXPECT_EQ(t.Find("AB"), -1);
}

TEST(TextReports, StatusCapabilitiesAndOtherText) {
    TestApp t;
    t.Live("W1AW>APRS:>" + std::string(200, 's'));
    EXPECT_EQ(t.Station("W1AW").status.Size(), 127u);
    EXPECT_EQ(t.Station("W1AW").status[0], '>');
    t.Live("W1AW>APRS:<IGATE,MSG_CNT=1234,LOC_CNT=25");
    EXPECT_EQ(t.Station("W1AW").igateCapable, 1);
    EXPECT_EQ(t.Station("W1AW").messageCount, 1234);
    EXPECT_EQ(t.Station("W1AW").extraText.View(), "<IGATE,MSG_CNT=1234,LOC_CNT=25");
    t.Live("K1ABC>BEACON:Club station !4903.50N/07201.75W-");
    EXPECT_TRUE(t.Station("K1ABC").HasPosition());
    EXPECT_EQ(t.app.Statistics().Total(1, kStatBeaconText), 1u);
    t.Live("K2ABC>ID:Located in [FN31pr] here");
    EXPECT_EQ(t.Station("K2ABC").symbolCode, 'G');
    EXPECT_EQ(PositionToLocatorOf(t.Station("K2ABC")), "FN31PR");
}

TEST(Weather, PositionlessFixedColumns) {
    TestApp t;
    t.Live("W1AW>APRS:_10090556c220s004g005t077r001p002P003h50b09900wRSW");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.windDirection, 220);
    EXPECT_EQ(s.windSpeedMph, 4);
    EXPECT_EQ(s.windGustMph, 5);
    EXPECT_EQ(s.temperatureF, 77);
    EXPECT_EQ(s.rainHour, 1);
    EXPECT_EQ(s.rain24h, 2);
    EXPECT_EQ(s.rainMidnight, 3);
    EXPECT_EQ(s.humidity, 50);
    EXPECT_EQ(s.barometerTenthsMbar, 9900);
    EXPECT_EQ(s.weatherType.View(), "RSW");
    EXPECT_TRUE(s.isWeatherStation);
    // The day log slot of 05:56 (UTC offset 0 here).
    ASSERT_EQ(s.weatherDay.size(), kWeatherSlots);
    EXPECT_EQ(s.weatherSlot, (5 * 60 + 56) / 5);
    EXPECT_EQ(s.weatherDay[static_cast<size_t>(s.weatherSlot)][0], 77);
}

TEST(Weather, ShortPaddedAndMalformedFieldsKeepWhatWasStored) {
    TestApp t;
    t.Live("W1AW>APRS:_10090556c220s004g005t077r001p002P003h50b09900");
    t.Live("W1AW>APRS:_10090556c...s...g...t-05r...p...P...h00b.....");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.windDirection, 220);  // "..." did not parse
    EXPECT_EQ(s.temperatureF, -5);
    EXPECT_EQ(s.humidity, 100);  // "h00" is 100 %
    EXPECT_EQ(s.barometerTenthsMbar, 9900);
    t.Live("W1AW>APRS:_1009");
    EXPECT_EQ(s.temperatureF, -5);
    t.Live("W1AW>APRS:_10090556c220s999g005t077r001p002P003h50b99999");
    EXPECT_EQ(s.windSpeedMph, 999);
    EXPECT_EQ(s.barometerTenthsMbar, 32767);  // clamped, never wrapped
}

TEST(Weather, ExtensionAfterAPosition) {
    TestApp t;
    t.Live("W1AW>APRS:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b998/A=001234xDvs");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.windDirection, 220);
    EXPECT_EQ(s.barometerTenthsMbar, 9980);
    EXPECT_EQ(s.altitudeFeet, 1234);
    EXPECT_EQ(s.weatherType.View(), "xDv");
    t.Live("K1ABC>APRS:@092345z4903.50N/07201.75W_220/004g005t077b0123jUNK");
    EXPECT_EQ(t.Station("K1ABC").barometerTenthsMbar, 10123);
    EXPECT_EQ(t.Station("K1ABC").systemCode, 20307);
    // A real station's six-digit barometer: the humidity after it is read.
    t.Live("K1SIX>APRS:!4903.50N/07201.75W_220/004g005t077b100490h01");
    EXPECT_EQ(t.Station("K1SIX").barometerTenthsMbar, 10049);
    EXPECT_EQ(t.Station("K1SIX").humidity, 1);
    EXPECT_EQ(s.weatherSlot, (12 * 60) / 5);  // no time stamp: the slot of now (12:00)
    EXPECT_EQ(t.Station("K1ABC").weatherSlot, (23 * 60 + 45) / 5);
}

TEST(Weather, AlarmsAndTrends) {
    TestApp t;
    t.app.SetHome(49.0, -72.0);
    t.app.DecodeOptions().weatherAlarmRangeMiles = 50;
    t.app.DecodeOptions().highWindMph = 40;
    t.app.DecodeOptions().highTemperatureF = 100;
    t.app.DecodeOptions().lowTemperatureF = 10;
    t.app.DecodeOptions().deltaTemperatureF = 5;
    t.Live("W1AW>APRS:!4903.50N/07201.75W_220/004t050b10100");
    EXPECT_TRUE(t.notices.sounds.empty());
    EXPECT_EQ(t.Station("W1AW").temperatureTrend, ' ');
    t.clock.Advance(120);
    t.Live("W1AW>APRS:!4903.50N/07201.75W_220/045t052b10090");
    EXPECT_EQ(t.notices.CountSounds(kSoundHighWind), 1);
    EXPECT_EQ(t.notices.sounds.back().caption, "High wiind a larm from W1AW");
    EXPECT_EQ(t.Station("W1AW").temperatureTrend, '+');
    EXPECT_EQ(t.Station("W1AW").pressureTrend, '-');
    EXPECT_EQ(t.Station("W1AW").symbolCode, 11);
    t.clock.Advance(60);
    t.Live("W1AW>APRS:!4903.50N/07201.75W_220/004t105");  // +53 F in a minute and too hot
    EXPECT_EQ(t.notices.CountSounds(6003), 1);
    EXPECT_EQ(t.notices.CountSounds(6002), 1);
    t.Live("W1AW>APRS:!4903.50N/07201.75W_220/004t005");
    EXPECT_EQ(t.notices.CountSounds(6001), 1);
    EXPECT_EQ(t.Station("W1AW").weatherAlarmCount, 5);
    // Beyond the alarm range the symbol changes but nobody is told.
    const size_t told = t.notices.sounds.size();
    t.Live("FAR>APRS:!3903.50N/07201.75W_220/099t050");
    EXPECT_EQ(t.notices.sounds.size(), told);
    EXPECT_EQ(t.Station("FAR").weatherAlarmCount, 1);
    // Found as: a station inside the radius raised nothing on its first
    // packet, its distance being read before its position was applied.
    t.Live("NEAR>APRS:!4903.50N/07202.75W_220/099t050");
    EXPECT_EQ(t.notices.sounds.size(), told + 1);
    EXPECT_EQ(t.notices.CountSounds(kSoundHighWind), 2);
}

TEST(Weather, StormData) {
    TestApp t;
    t.Live("NHC>APRS:!2500.00N/08000.00W@090/025/HC/065^080/960>045&120%250OUTER BANDS");
    const StationRecord& s = t.Station("NHC");
    EXPECT_EQ(s.course, 90);
    EXPECT_EQ(s.speedKnots, 25);
    EXPECT_EQ(s.stormType, ('H' << 8) | 'C');
    EXPECT_EQ(s.stormWind, 65);
    EXPECT_EQ(s.stormGust, 80);
    EXPECT_EQ(s.barometerTenthsMbar, 960);
    EXPECT_EQ(s.radiusHurricane, 45);
    EXPECT_EQ(s.radiusStorm, 120);
    EXPECT_EQ(s.radiusGale, 250);
    EXPECT_EQ(s.stormText.View(), "OUTER BANDS");
    EXPECT_TRUE(s.isWeatherStation);
    t.Live("TS>APRS:!2500.00N/08000.00W@090/025/TS/065^080/150>045&120");
    EXPECT_EQ(t.Station("TS").barometerTenthsMbar, 1150);
    t.Live("TS>APRS:!2500.00N/08000.00W@090/025/TS/065^080/,,,>045&120");
    EXPECT_EQ(t.Station("TS").barometerTenthsMbar, 0);
    t.Live("BAD>APRS:!2500.00N/08000.00W@090/025/TS");
    EXPECT_FALSE(t.Station("BAD").isWeatherStation);
}

TEST(Weather, RawStationData) {
    TestApp t;
    t.Live("W1AW>APRS:#4208A00000012");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.weatherType.View(), "UII");
    EXPECT_EQ(s.symbolCode, 10);
    EXPECT_EQ(s.windDirection, 90);
    EXPECT_EQ(s.temperatureF, 82);
    t.Live("K1ABC>APRS:#4208A0000001");      // 13 characters
    t.Live("K2ABC>APRS:#4208A000000123456");  // 18 characters
    EXPECT_FALSE(t.Station("K1ABC").isWeatherStation);
    EXPECT_FALSE(t.Station("K2ABC").isWeatherStation);
    t.Live("K3ABC>APRS:#4208A00000012\\x0d\\x0a");  // a trailer of up to three is accepted
    t.Live("K4ABC>APRS:$ULTW0031003702CE0069----000086A00001----011901CC00000005");
    EXPECT_EQ(t.Station("K4ABC").weatherType.View(), "U2k");
    EXPECT_EQ(t.Station("K4ABC").temperatureF, 71);
    t.Live("K5ABC>APRS:!!00A0005B02CE001203E8FFEC01F4032000000384");
    EXPECT_EQ(t.Station("K5ABC").barometerTenthsMbar, 1000);
    EXPECT_EQ(t.app.Statistics().Total(1, kStatRawWeather), 6u);
}

TEST(Sentences, GpsStationsAndTheirIcon) {
    TestApp t;
    t.Live("W1AW>APRS:$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_NEAR(LatDegreesFromUnits(s.lat), 48 + 7.038 / 60, 1e-5);
    EXPECT_EQ(s.altitudeFeet, 1788);
    EXPECT_EQ(s.specialIcon, 24);
    EXPECT_EQ(s.symbolTable, '/');
    EXPECT_GT(s.trackCapacity, 0);
    t.Live("K1ABC>APRS:$PGRMZ,246,f,3*1B");
    EXPECT_EQ(t.Station("K1ABC").specialIcon, 19);
    t.Live("K2ABC>APRS:$GPGGA,123519,4807.038,N,01131.000,E,0,00,,,M,,M,,*47");
    EXPECT_FALSE(t.Station("K2ABC").HasPosition());
}

TEST(DirectionFinding, UsesTheStationsPositionAndCourse) {
    TestApp t;
    t.Live("W1AW>APRS:!4903.50N/07201.75W>030/010");
    t.Live("W1AW>APRS:%350/8");
    EXPECT_EQ(t.Station("W1AW").dfBearing, 20);
    EXPECT_EQ(t.Station("W1AW").dfQuality, 8);
    EXPECT_EQ(t.Station("W1AW").dfTime, t.clock.NowStamp());
    EXPECT_EQ(t.app.LastDfLine().lon, t.Station("W1AW").lon);
    t.Live("W1AW>APRS:%27/5");
    EXPECT_EQ(t.Station("W1AW").dfBearing, 20);
}

TEST(GridLocators, BeaconsAndDestinations) {
    TestApp t;
    t.Live("A1>APRS:[FN31pr]");
    EXPECT_EQ(PositionToLocatorOf(t.Station("A1")), "FN31PR");
    EXPECT_EQ(t.Station("A1").symbolCode, 'G');
    t.Live("A2>APRS:[FN31]");
    EXPECT_TRUE(t.Station("A2").HasPosition());
    t.Live("A3>APRS:[FN]");
    EXPECT_TRUE(t.Station("A3").HasPosition());
    t.Live("A4>APRS:[FN31pr");   // no "]"
    t.Live("A5>APRS:[ZZ31]");    // fields run to R
    t.Live("A6>APRS:[F131pr]");
    for (const char* call : {"A4", "A5", "A6"}) EXPECT_FALSE(t.Station(call).HasPosition()) << call;
    t.Live("A7>FN31PR:hello");
    EXPECT_EQ(PositionToLocatorOf(t.Station("A7")), "FN31PR");
}

TEST(Telemetry, RecordsInTheOrderTheyCameWithTheTimeOfReception) {
    TestApp t;
    t.Live("W1AW>APRS:T#005,199,000,255,073,123,01101001");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.specialIcon, 23);
    ASSERT_EQ(s.telemetry.size(), 1u);
    const TelemetryRecord& r = s.telemetry[0];
    EXPECT_EQ(r.sequence, 5);
    EXPECT_EQ(r.analogCount, 5);
    EXPECT_EQ(r.analog[0], 199);
    EXPECT_EQ(r.analog[3], 73);
    EXPECT_EQ(r.bitCount, 8);
    EXPECT_EQ(r.bits, 0b01101001);
    EXPECT_EQ(r.time, t.clock.NowStamp());
    t.clock.Advance(60);
    t.Live("W1AW>APRS:T#000,001,002,003,004,005,11111111");
    t.Live("W1AW>APRS:T#261,9999,000,255,073,123,0");
    ASSERT_EQ(s.telemetry.size(), 3u);
    EXPECT_EQ(s.telemetry[2].analog[0], 9999);  // above 255 survives
    EXPECT_EQ(s.telemetry[2].bitCount, 1);
    t.Live("W1AW>APRS:T#");  // nothing after the mark: no record
    EXPECT_EQ(s.telemetry.size(), 3u);
}

TEST(PlusBlock, ShelterReport) {
    TestApp t;
    t.Live("W1AW>APRS:+SHELTER 0100005001--FF--AA--0F--0E--0D--0C--");
    const StationRecord& s = t.Station("W1AW");
    ASSERT_EQ(s.plusBlock.size(), 18u);
    auto slot = [&](int i) { return static_cast<int16_t>(s.plusBlock[2 * i] | s.plusBlock[2 * i + 1] << 8); };
    EXPECT_EQ(slot(0), 100);   // capacity
    EXPECT_EQ(slot(1), 50);    // occupancy
    EXPECT_EQ(slot(2), 0x01);  // hex at 17
    EXPECT_EQ(slot(3), 0xFF);  // at 21
    EXPECT_EQ(slot(5), 0x0D);  // at 37, in the sixth slot
    EXPECT_EQ(slot(6), 0x0E);  // at 33, in the seventh
    EXPECT_EQ(slot(7), 0x0F);  // at 29, moved to the eighth
    EXPECT_EQ(slot(8), 0x0C);
    EXPECT_EQ(s.plusTime, t.clock.NowStamp());
    t.Live("K1ABC>APRS:+S");
    EXPECT_EQ(t.Station("K1ABC").plusBlock.size(), 18u);
}

TEST(Queries, FootprintOwnAndPortGroups) {
    TestApp t;
    t.app.SetOwnCall("N0CALL");
    t.app.SetHome(34.0, -117.0);
    t.Live("W1AW>APRS:?APRS? 34.02,-117.15,0200", 'T');
    EXPECT_TRUE(t.app.Schedule().positionNow[kGroupInternet]);
    EXPECT_FALSE(t.app.Schedule().positionNow[kGroupVhf]);
    EXPECT_EQ(t.notices.CountSounds(kSoundSelectiveQuery), 1);
    ASSERT_EQ(t.seams.footprints.size(), 1u);
    EXPECT_DOUBLE_EQ(t.seams.footprints[0].radius, 200);
    t.Live("W1AW>APRS:?APRS? 44.02,-117.15,0010", '2');  // out of range
    EXPECT_FALSE(t.app.Schedule().positionNow[kGroupVhf]);
    t.Live("N0CALL>APRS:?APRS?", '2');  // our own query
    EXPECT_FALSE(t.app.Schedule().positionNow[kGroupVhf]);
    t.Live("W1AW>APRS:?WX?", '1');
    EXPECT_TRUE(t.app.Schedule().weatherNow[kGroupHf]);
    t.Live("W1AW>APRS:?IGATE?", '2');
    EXPECT_TRUE(t.seams.igateReports.empty());
    t.app.DecodeOptions().igateOperation = true;
    t.Live("W1AW>APRS:?IGATE?", '2');
    EXPECT_EQ(t.seams.igateReports.size(), 1u);
}

TEST(DxSpots, AllThreeClasses) {
    TestApp t;
    std::string record(54, '\0');
    record.replace(0, 2, "K2");
    record.replace(10, 13, "United States");
    t.app.DxPrefixes().LoadBytes(record);  // a prefix with no position
    t.Live("DX0CL>XYZZY:DX de K1ABC:     14025.0  K2DX/P       599 CT                1203Z");
    const StationRecord& dx = t.Station("K2DX");
    EXPECT_EQ(dx.specialIcon, 20);
    EXPECT_EQ(dx.lastInfo.View(), "  14025.0 ");
    EXPECT_NE(dx.status.View().find("United States"), std::string_view::npos);
    EXPECT_FALSE(dx.HasPosition());
    t.Live("DX0CL>XYZZY:DX de K1ABC:     14025.0  W9DX         FN31 loud         1203Z");
    EXPECT_EQ(t.Station("W9DX").symbolCode, 'G');
    t.Live("DX0CL>XYZZY:spot de K1ABC: 14025 W1AW loud");
    t.Live("DX0CL>XYZZY:spot de K1ABC: 14025 W1AW loud");
    ASSERT_EQ(t.app.Messages().Count(), 1);
    EXPECT_EQ(t.app.Messages().At(0).seenCount, 2);
    EXPECT_EQ(t.app.Messages().At(0).from.View(), "K1ABC");
    const std::string fixed = " 14025.0 K2DX" + std::string(23, ' ') + "-" + std::string(8, ' ') + "Z comment";
    t.Live("DX0CL>XYZZY:" + fixed);
    t.Live("DX0CL>XYZZY:" + fixed + " again");
    ASSERT_EQ(t.app.Waypoints().Count(), 1);
    EXPECT_EQ(t.app.Waypoints().At(0).key, 14025);
    EXPECT_EQ(t.app.Statistics().Total(1, kStatDxSpot), 6u);
}

TEST(ReportParsing, NumbersAndDayHourMinuteStamps) {
    EXPECT_EQ(NumberAt("t-05", 1, 3), -5);
    EXPECT_EQ(NumberAt("c 12", 1, 3), 12);
    EXPECT_EQ(NumberAt("c...", 1, 3), std::nullopt);
    EXPECT_EQ(NumberAt("c99999999", 1, 9), 32767);
    EXPECT_EQ(NumberAt("c", 5, 3), std::nullopt);
    FakeClock clock;
    clock.Set(2026, 1, 2, 12, 0, 0);
    EXPECT_EQ(DhmReportTime("011200", '/', clock), ToTimeStamp({2026, 1, 1, 12, 0, 0, 0}));
    // Day 31 on the 2nd of January was last December.
    EXPECT_EQ(DhmReportTime("312359", 'z', clock), ToTimeStamp({2025, 12, 31, 23, 59, 0, 0}));
    EXPECT_FALSE(DhmReportTime("322359", 'z', clock));
    EXPECT_FALSE(DhmReportTime("0112", 'z', clock));
}

}  // namespace
}  // namespace velmora
