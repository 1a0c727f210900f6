#include "transmit/OwnReports.h"

#include <gtest/gtest.h>

#include "geo/Position.h"
#include "transmit/WeatherReport.h"

namespace velmora {
namespace {

OwnReportSettings Station() {
    OwnReportSettings s;
    s.call = "N0ME-9";
    s.lat = kLatOrigin - (41 * 360000 + 30 * 6000);
    s.lon = kLonOrigin - (72 * 360000 + 30 * 6000);
    s.symbolTable = '/', s.symbolCode = '-';
    s.comment = "Velmora 2.2.8";
    return s;
}

TEST(OwnReports, PositionTextsAndTheirHemispheres) {
    EXPECT_EQ(LatitudeText(kLatOrigin - (49 * 360000 + 3 * 6000 + 3000)), "4903.50N");
    EXPECT_EQ(LongitudeText(kLonOrigin - (72 * 360000 + 1 * 6000 + 5900)), "07201.98W");
    EXPECT_EQ(LatitudeText(kLatOrigin), "0000.00N");
    EXPECT_EQ(LatitudeText(kLatOrigin + 1), "0000.00S");
    EXPECT_EQ(LongitudeText(kLonOrigin + 360000), "00100.00E");
}

TEST(OwnReports, FixedReportWithLocationPhgAndVersion) {
    OwnReportSettings s = Station();
    s.machineCode = 0x630;
    s.state = "CT", s.county = "HAR", s.city = "Newtown";
    EXPECT_EQ(FixedPositionReport(s), "=4130.00N/07230.00W- Velmora 2.2.8 -CTHARNewtown -228-<630>\r");
    s.state = "C";
    s.phg = "5132";
    EXPECT_EQ(FixedPositionReport(s), "=4130.00N/07230.00W-PHG5132/Velmora 2.2.8 -228-<630>\r");
}

TEST(OwnReports, MovingStatusGridRdfAndObjects) {
    const LocalDateTime now{2026, 12, 8, 14, 5, 9, 2};
    OwnReportSettings s = Station();
    s.symbolCode = '>';
    OwnMotion fix{s.lon, s.lat, 90, 34.5};
    EXPECT_EQ(MovingPositionReport(s, fix, now), "@081405z4130.00N/07230.00W>090/029/ -228-<630>\r");
    EXPECT_EQ(StatusReport(now, "On the air"), ">081405 On the air");
    EXPECT_EQ(StatusReport(now, ""), "");
    EXPECT_EQ(GridSquareReport(s), "[FN31SM]\r");
    EXPECT_EQ(RdfReport(s, now, 45, 7), "@081405z4130.00N/07230.00W\\045/007/\r");
    OwnObject o{"EOC", '/', 'o', s.lon, s.lat, 0, 0, 0, "Ops", "081200z", false};
    EXPECT_EQ(ObjectReport(o, "081405z"), ";EOC      *081200z4130.00N/07230.00Wo Ops\r");
    o.speed = 12, o.course = 270, o.deadReckoned = true;
    EXPECT_EQ(ObjectReport(o, "081405z"), ";EOC      *081405z4130.00N/07230.00Wo270/012 Ops DR\r");
    o.altitudeFeet = 1200;
    EXPECT_EQ(ObjectReport(o, "081405z"), ";EOC      *081405z4130.00N/07230.00Wo270/012/A=001200 Ops DR\r");
    o.speed = 0;  // standing still: never the DR trailer
    EXPECT_EQ(ObjectReport(o, "081405z"), ";EOC      *081405z4130.00N/07230.00Wo Ops\r");
}

TEST(OwnReports, QueriesMessagesAndTheInternetForm) {
    const OwnReportSettings s = Station();
    EXPECT_EQ(QueryAll(), "?APRS?\r");
    EXPECT_EQ(QueryArea(s.lon, s.lat, 20), "?APRS?041.50,-072.50,0020\r");
    EXPECT_EQ(InternetForm(s, "?APRS?\r"), "N0ME-9>APZ228,TCPIP*:?APRS?\r");
}

TEST(WeatherReports, ClampsFormatsByTypeAndFreshness) {
    OwnWeather w;
    w.temperatureTenthsF = 725, w.windDirection = 270, w.windSpeedMph = 5, w.windGustMph = 12;
    w.rainHour = 1, w.rain24h = 20, w.rainTotal = 150, w.rainAtMidnight = 100;
    w.humidity = 100, w.barometerTenthsMbar = 10132;
    EXPECT_EQ(WeatherReport(5, w, "12081405"), "_12081405c270s005g012t072r001p020P050h99b10132wDAV\r");
    w.humidity = 101;
    EXPECT_EQ(WeatherReport(5, w, "12081405"), "_12081405c270s005g012t072r001p020P050h00b10132wDAV\r");
    EXPECT_EQ(WeatherReport(2, w, "12081405"), "_12081405c270s005g012t072r001p020P050h..b.....wUII\r");
    EXPECT_EQ(WeatherReport(8, w, "12081405"), "_12081405c270s005g012t072r...p...P...h00b10132wCAP\r");
    OwnWeather low = w;
    low.barometerTenthsMbar = 9875;  // a deep low keeps the field's five digits
    EXPECT_EQ(WeatherReport(8, low, "12081405"), "_12081405c270s005g012t072r...p...P...h00b09875wCAP\r");
    EXPECT_FALSE(WeatherReport(10, w, "12081405"));
    EXPECT_FALSE(WeatherReport(1, OwnWeather{}, "12081405"));  // nothing entered by hand
    w.windDirection = 400, w.windSpeedMph = -3, w.temperatureTenthsF = -45;
    EXPECT_EQ(WeatherReport(3, w, "12081405"), "_12081405c000s000g012t-04r001p020P050h00b10132wU2K\r");
    EXPECT_TRUE(WeatherFresh(5399));
    EXPECT_FALSE(WeatherFresh(5400));
}

}  // namespace
}  // namespace velmora
