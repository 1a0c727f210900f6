#include <gtest/gtest.h>

#include "geo/Position.h"
#include "gps/GpsState.h"
#include "gps/GpsdClient.h"
#include "platform/fake/FakeNetwork.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

GpsFix Parse(const std::string& s) {
    auto f = ParseNmeaSentence(s);
    EXPECT_TRUE(f.has_value()) << s;
    return f.value_or(GpsFix{});
}

TEST(GpsState, PublishingRules) {
    GpsState g;
    // RMC with status V still sets the position; it only does not count as good.
    OwnGpsUpdate u = g.Publish(Parse("$GPRMC,120000,V,4916.45,N,12311.12,W,000.5,054.7,081226,,"), true, true,
                               GpsSource::kSerial, 100);
    ASSERT_TRUE(u.position);
    EXPECT_EQ(g.PercentGood(), 0);
    EXPECT_FALSE(u.courseSpeed);  // half a knot: standing still, the course is not trusted
    // GGA with quality 0: no position, but it counts; the altitude still does.
    u = g.Publish(Parse("$GPGGA,120001,4000.000,N,07400.000,W,0,00,99.9,12.7,M,,M,,"), true, false, GpsSource::kSerial, 101);
    EXPECT_FALSE(u.position);
    ASSERT_TRUE(u.altitudeFeet);
    EXPECT_EQ(*u.altitudeFeet, 39);  // 12 m, truncated
    EXPECT_EQ(g.Lat(), LatUnitsFromDegrees(49 + 16.45 / 60));
    u = g.Publish(Parse("$GPGGA,120031,4000.000,N,07400.000,W,1,08,0.9,42.7,M,,M,,"), true, false, GpsSource::kSerial, 131);
    EXPECT_TRUE(u.position);
    EXPECT_EQ(g.ClimbFeetPerMinute(), (137 - 39) * 60 / 31);  // the quality-0 sentence gave no time
    EXPECT_EQ(g.PercentGood(), 33);
    u = g.Publish(Parse("$GPRMC,120032,A,4000.000,N,07400.000,W,020.0,270.0,081226,,"), true, false, GpsSource::kSerial, 132);
    ASSERT_TRUE(u.courseSpeed);
    EXPECT_EQ(u.courseSpeed->first, 270);
    EXPECT_EQ(u.courseSpeed->second, 23);  // 20 knots in whole mph
    // A log replay moves the marker but never the station.
    u = g.Publish(Parse("$GPRMC,120033,A,4100.000,N,07400.000,W,020.0,270.0,081226,,"), false, true, GpsSource::kReplay, 133);
    EXPECT_FALSE(u.position);
    EXPECT_TRUE(u.markerMoved);
    EXPECT_EQ(g.InputText(), "GPS input OK");
    EXPECT_FALSE(g.MinutePassed());
    EXPECT_TRUE(g.MinutePassed());  // two minutes without data: the alarm, once
    EXPECT_FALSE(g.MinutePassed());
    EXPECT_EQ(g.InputText(), "GPS input NOT WORKING");
}

TEST(GpsState, TheWaypointLinesOfTheDisplay) {
    GpsState g;
    g.Publish(Parse("$GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V"), true, false, GpsSource::kSerial, 0);
    const auto lines = WaypointLines(g.LastWaypoint(), 40, 30, MakeDateTime(2026, 12, 8, 12, 0, 0));
    EXPECT_EQ(lines, (std::vector<std::string>{"Dist to 004  1 mi  052", "Angle Err 12", "Time To Dest   0 hr  2 min",
                                               "ETA: 12/08  12:02"}));
    EXPECT_TRUE(WaypointLines(NmeaFields{}, 0, 0, {}).empty());
}

TEST(GpsState, TheAstralReceiverIsToldWhereItIs) {
    const auto texts = AstralInitialisation(LonUnitsFromDegrees(-72.5), LatUnitsFromDegrees(41.5125),
                                            MakeDateTime(2026, 12, 8, 17, 4, 5));
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[0].text, "$IIGPQ,ASTRAL\r\n");
    EXPECT_EQ(texts[0].pauseTicks, 100);
    const std::string init = "$PRWIINIT,V,,,4130.75,N,07230.00,W,100.0,0.0,M,0.0,T,170405,081226";
    EXPECT_EQ(texts[1].text, WithChecksum(init));
    char sum[8];
    std::snprintf(sum, sizeof sum, "*%02X\r\n", NmeaChecksum(init));
    EXPECT_EQ(texts[1].text, init + sum);
    EXPECT_EQ(texts[6].text, "$PWRIILOG,RMC,V,,,\r\n");
}

TEST(Gpsd, ReportsBecomeFixes) {
    const auto fix = GpsdReportToFix(
        R"({"class":"TPV","device":"/dev/pts/3","mode":3,"time":"2026-12-08T17:04:05.000Z","lat":41.5,"lon":-72.5,)"
        R"("altMSL":100.0,"track":90.5,"speed":10.0,"extra":{"lat":1}})");
    ASSERT_TRUE(fix);
    EXPECT_EQ(fix->lat, LatUnitsFromDegrees(41.5));
    EXPECT_EQ(fix->lon, LonUnitsFromDegrees(-72.5));
    EXPECT_EQ(fix->altitudeFeet, 328);
    EXPECT_EQ(fix->course, 90);
    EXPECT_EQ(fix->speedMph, 22);
    EXPECT_TRUE(fix->moving);
    EXPECT_EQ(fix->time, 17u * 3600 + 4 * 60 + 5);
    EXPECT_FALSE(GpsdReportToFix(R"({"class":"TPV","mode":1})"));           // no fix
    EXPECT_FALSE(GpsdReportToFix(R"({"class":"SKY","satellites":[{"PRN":1}]})"));
    EXPECT_FALSE(GpsdReportToFix(R"({"class":"TPV","mode":2,"lat":"x"})")->positionValid);
    EXPECT_FALSE(GpsdReportToFix("not json"));
    // The world's edges are fixes with a place, never "valid, but none".
    for (const char* edge : {R"("lat":90,"lon":10)", R"("lat":-90,"lon":10)", R"("lat":10,"lon":-180)",
                             R"("lat":10,"lon":180)", R"("lat":90,"lon":-180)"}) {
        const auto f = GpsdReportToFix(std::string(R"({"class":"TPV","mode":2,)") + edge + "}");
        ASSERT_TRUE(f && f->positionValid) << edge;
        EXPECT_GT(f->lat, 0) << edge;
        EXPECT_GT(f->lon, 0) << edge;
    }
    EXPECT_EQ(JsonField(R"({"a":{"class":"x"},"class":"VERSION"})", "class"), "VERSION");
}

TEST(Gpsd, AnAbsentGpsdIsSaidOnceAndTriedAgainLater) {
    test::TestApp t;
    FakeNetwork net;
    GpsdClient client(&net, t.app.Now(), t.notices);
    std::vector<GpsFix> fixes;
    client.onFix = [&](const GpsFix& f) { fixes.push_back(f); };
    client.Start("localhost", 2947);
    ASSERT_EQ(net.opened.size(), 1u);
    net.opened[0]->Close("Connection refused");
    EXPECT_EQ(t.notices.status.size(), 1u);
    client.Poll();
    EXPECT_EQ(net.opened.size(), 1u);  // not before the pause
    t.clock.Advance(3);
    t.app.RefreshClock();
    client.Poll();
    ASSERT_EQ(net.opened.size(), 2u);
    net.opened[1]->Close("Connection refused");
    EXPECT_EQ(t.notices.status.size(), 1u);  // said once
    t.clock.Advance(5);
    t.app.RefreshClock();
    client.Poll();
    ASSERT_EQ(net.opened.size(), 3u);
    net.opened[2]->Establish();
    EXPECT_NE(net.opened[2]->written.find("?WATCH={\"enable\":true,\"json\":true}"), std::string::npos);
    EXPECT_EQ(t.notices.status.back(), "gpsd at localhost:2947 is back");
    net.opened[2]->Deliver("{\"class\":\"VERSION\"}\n{\"class\":\"TPV\",\"mode\":2,\"lat\":41.5,");
    net.opened[2]->Deliver("\"lon\":-72.5}\n");
    EXPECT_EQ(fixes.size(), 1u);
}

TEST(OwnGps, LiveSentencesMoveTheOwnStationAndBadOnesNever) {
    test::TestApp t;
    t.app.SetOwnCall("N0ME");
    t.Live("N0ME>APRS:!4130.00N/07230.00W-home", '0');
    const int32_t before = t.Station("N0ME").lat;
    t.app.TakeNmea("$GPRMC,120000,A,4200.000,N,07230.000,W,030.0,045.0,081226,,*00", true, Liveness::kLive);
    EXPECT_EQ(t.Station("N0ME").lat, before);  // a wrong checksum
    EXPECT_EQ(t.app.GpsBadSentences(), 1);
    t.app.TakeNmea("$GPRMC,120000,A,4200.000,N,07230.000,W,030.0,045.0,081226,,", true, Liveness::kReplay);
    EXPECT_EQ(t.Station("N0ME").lat, before);  // a log replay
    const std::string good = "$GPRMC,120000,A,4200.000,N,07230.000,W,030.0,045.0,081226,,";
    char sum[4];
    std::snprintf(sum, sizeof sum, "%02X", NmeaChecksum(good));
    t.app.TakeNmea(good + "*" + sum, true, Liveness::kLive);
    EXPECT_EQ(t.Station("N0ME").lat, LatUnitsFromDegrees(42.0));
    EXPECT_EQ(t.Station("N0ME").course, 45);
    EXPECT_EQ(t.app.Gps().Source(), GpsSource::kSerial);
    for (const std::string& junk : {std::string("$GPRMC,1"), std::string(100, ','), "$GPGGA," + std::string(100, '9'),
                                    std::string("$GPRMC,120000,A,42")})
        t.app.TakeNmea(junk, true, Liveness::kLive);
    EXPECT_EQ(t.Station("N0ME").lat, LatUnitsFromDegrees(42.0));
}

}  // namespace
}  // namespace velmora
