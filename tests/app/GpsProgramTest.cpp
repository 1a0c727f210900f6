// The GPS inside the whole program, on the fake clock: a logged route fed
// to the GPS port moves the own station, and the position reports at the
// moving rate follow it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/MenuTable.h"
#include "platform/fake/FakeSerial.h"
#include "ports/PortRole.h"
#include "geo/Position.h"
#include "support/SerialProgram.h"
#include "transmit/OwnReports.h"

namespace velmora {
namespace {

std::vector<std::string> Route() {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/tests/data/route.nmea");
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l.substr(0, l.find('\r')));
    return lines;
}

// Opening the GPS port starts its counters afresh and says so; a TNC on
// the GPS's device is refused with one alert that names the device.
TEST(GpsProgram, OpeningTheGpsPortStartsItsCountersAndADeviceInUseIsSaidOnce) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB1");
    test::SetPref(t.prefs, "port3_device", "/dev/ttyUSB1");
    Program& p = t.Up();
    p.Command(kCmdOpenGpsPort);
    EXPECT_EQ(t.notices.status.back(), "NMEA/GPS Input Started");
    p.Ports().PortData(kPortGps, Route()[0] + "\r\n");
    p.Ports().PortData(kPortGps, "$GPRMC,bad*00\r\n");
    EXPECT_GT(p.Core().Gps().PercentGood(), 0);
    p.Command(kCmdOpenVhfTnc);
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].text, "Port /dev/ttyUSB1 is already open by GPS Port");
    p.Command(kCmdOpenGpsPort);  // closed
    p.Command(kCmdOpenGpsPort);  // open again: counted afresh
    EXPECT_EQ(p.Core().Gps().PercentGood(), 0);
}

TEST(GpsProgram, ARouteMovesTheStationAndItsMovingReports) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    test::SetPref(t.prefs, "port3_device", "/dev/ttyUSB1");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    p.Command(kCmdOpenGpsPort);
    t.RunSingleShots();
    const std::vector<std::string> route = Route();
    ASSERT_EQ(route.size(), 40u);
    for (size_t i = 0; i < 10; ++i) p.Ports().PortData(kPortGps, route[i] + "\r\n");
    const StationRecord& me = p.Core().Stations().At(0);
    EXPECT_EQ(me.lat, LatUnitsFromDegrees(41.508));
    EXPECT_EQ(me.lon, LonUnitsFromDegrees(-72.492));
    EXPECT_EQ(me.course, 45);
    EXPECT_EQ(me.altitudeFeet, 341);  // 104 m
    t.layer.written[kPortVhfTnc].clear();
    const auto minute = [&] {
        t.clock.Advance(60);
        p.OnTimer(kTimerTick);
        t.RunSingleShots();
    };
    for (int m = 0; m < 3; ++m) minute();  // the tick notes the day and the hour first; then the report due
    // The report's position text is the one the own reports always write.
    const auto at = [](double lat, double lon) {
        return LatitudeText(LatUnitsFromDegrees(lat)) + "/" + LongitudeText(LonUnitsFromDegrees(lon));
    };
    EXPECT_NE(t.layer.written[kPortVhfTnc].find(at(41.508, -72.492)), std::string::npos) << t.layer.written[kPortVhfTnc];
    EXPECT_NE(t.layer.written[kPortVhfTnc].find("Z045/0"), std::string::npos) << t.layer.written[kPortVhfTnc];
    for (size_t i = 10; i < route.size(); ++i) p.Ports().PortData(kPortGps, route[i] + "\r\n");
    t.layer.written[kPortVhfTnc].clear();
    for (int m = 0; m < 10; ++m) minute();  // the moving rate is ten minutes
    EXPECT_NE(t.layer.written[kPortVhfTnc].find(at(41.538, -72.462)), std::string::npos) << t.layer.written[kPortVhfTnc];
    // The display and the console agree.
    EXPECT_NE(p.Gps().ConsoleText().find("fix 41.53800 -72.46200"), std::string::npos) << p.Gps().ConsoleText();
    EXPECT_NE(p.Gps().ConsoleText().find("source GPS port"), std::string::npos);
}

TEST(GpsProgram, AnAstralReceiverIsInitialisedAtMostEvery100Seconds) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    test::SetPref(t.prefs, "port3_device", "/dev/ttyUSB1");
    Program& p = t.Up();
    p.Command(kCmdOpenGpsPort);
    p.Ports().PortData(kPortGps, "ASTRAL\r\n");
    t.RunSingleShots();
    const std::string sent = t.layer.written[kPortGps];
    EXPECT_EQ(sent.substr(0, 15), "$IIGPQ,ASTRAL\r\n");
    EXPECT_NE(sent.find("$PRWIINIT,V,,,4130.00,N,07230.00,W,100.0,0.0,M,0.0,T,"), std::string::npos) << sent;
    p.Ports().PortData(kPortGps, "ASTRAL\r\n");
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortGps], sent);
}

}  // namespace
}  // namespace velmora
