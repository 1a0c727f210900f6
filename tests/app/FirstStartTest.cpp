// A new station's first start: the assistant's checks, what it writes,
// and the program that asks for it only when there is no "Velmora.prf".
#include <gtest/gtest.h>

#include "app/FirstStartForm.h"
#include "geo/Position.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

FirstStartForm Filled() {
    FirstStartForm f;
    f.call = "W1AW-9";
    f.latitude = 41.7147;
    f.longitude = -72.7272;
    f.symbol = 1;  // car
    f.connection = FirstConnection::kKissNetwork;
    f.device = "tcp:localhost:8001";
    return f;
}

TEST(FirstStart, TheChecksInTheAssistantsWords) {
    FirstStartForm f = Filled();
    EXPECT_EQ(f.Problem(), "");
    const std::pair<std::function<void(FirstStartForm&)>, const char*> kCases[] = {
        {[](FirstStartForm& x) { x.call = ""; }, "Please enter your own call sign"},
        {[](FirstStartForm& x) { x.call = "N0CALL"; }, "Please enter your own call sign"},
        {[](FirstStartForm& x) { x.call = "W1AW-16"; }, "Call sign: The SSID after the \"-\" is a number from 1 to 15"},
        {[](FirstStartForm& x) { x.latitude = 91; }, "Latitude must be between -90 and 90 degrees"},
        {[](FirstStartForm& x) { x.longitude = -181; }, "Longitude must be between -180 and 180 degrees"},
        {[](FirstStartForm& x) { x.latitude = x.longitude = 0; }, "Please enter your position (or take it from a GPS)"},
        {[](FirstStartForm& x) { x.device = "/dev/ttyUSB0"; }, "A network TNC is written tcp:HOST:PORT, such as tcp:localhost:8001"},
        {[](FirstStartForm& x) { x.connection = FirstConnection::kKissSerial; }, "A TNC on the network is the third choice, KISS over TCP"},
        {[](FirstStartForm& x) { x.connection = FirstConnection::kTextSerial, x.device = ""; }, "Please choose the TNC's serial device"},
        {[](FirstStartForm& x) { x.connection = FirstConnection::kInternetOnly, x.rangeKm = 0; }, "The range round home must be between 1 and 5000 km"},
        {[](FirstStartForm& x) { x.gpsDevice = "ttyACM0"; }, "GPS: The device must be a path such as /dev/ttyUSB0, or tcp:HOST:PORT"},
        {[](FirstStartForm& x) { x.gpsDevice = "/dev/ttyACM0", x.positionFromGpsd = true; }, "Take the position from gpsd or from a serial GPS, not both"},
        {[](FirstStartForm& x) { x.connection = FirstConnection::kKissSerial, x.device = x.gpsDevice = "/dev/ttyUSB0"; }, "The GPS and the TNC cannot share /dev/ttyUSB0"},
    };
    for (const auto& [change, expected] : kCases) {
        FirstStartForm g = Filled();
        change(g);
        EXPECT_EQ(g.Problem(), expected);
    }
    FirstStartForm gpsd = Filled();
    gpsd.latitude = gpsd.longitude = 0;
    gpsd.positionFromGpsd = true;
    EXPECT_EQ(gpsd.Problem(), "");
}

TEST(FirstStart, WhatTheAssistantWrites) {
    Preferences p;
    Filled().Apply(p, MakeDateTime(2026, 12, 8, 12, 0, 0));
    EXPECT_EQ(p.OwnCall(), "W1AW-9");
    EXPECT_NEAR(LatDegreesFromUnits(p.OwnLatUnits()), 41.7147, 1e-4);
    EXPECT_NEAR(LonDegreesFromUnits(p.OwnLonUnits()), -72.7272, 1e-4);
    EXPECT_EQ(p.Char(pref::kOwnSymbolCode), '>');
    EXPECT_EQ(*p.Get("port2_device"), "tcp:localhost:8001");
    EXPECT_TRUE(p.Flag(pref::kKissEnabledVhf));
    EXPECT_TRUE(p.Flag(pref::kAutoInputVhfTnc));
    EXPECT_FALSE(p.Flag(pref::kAutostartTcp));
    EXPECT_EQ(*p.Get("own_lat_text"), "4142.86N");  // whole seconds, as the report texts are made
    FirstStartForm internet = Filled();
    internet.connection = FirstConnection::kInternetOnly;
    internet.rangeKm = 250;
    Preferences q;
    internet.Apply(q, MakeDateTime(2026, 12, 8, 12, 0, 0));
    EXPECT_TRUE(q.Flag(pref::kAutostartTcp));
    EXPECT_FALSE(q.Flag(pref::kAutoInputVhfTnc));
    EXPECT_EQ(q.Number(pref::kInternetRangeKm), 250);
    EXPECT_EQ(*q.Get("port2_device"), "");
    EXPECT_FALSE(q.Flag(pref::kAutoInputGps));
    // A serial GPS: its port at 4800 baud, opened at start; no typed position needed.
    FirstStartForm moving = Filled();
    moving.latitude = moving.longitude = 0;
    moving.gpsDevice = "/dev/ttyACM0";
    ASSERT_EQ(moving.Problem(), "");
    Preferences r;
    moving.Apply(r, MakeDateTime(2026, 12, 8, 12, 0, 0));
    EXPECT_EQ(*r.Get("port3_device"), "/dev/ttyACM0");
    EXPECT_EQ(*r.Get("port3_baud"), "4800");
    EXPECT_TRUE(r.Flag(pref::kAutoInputGps));
    EXPECT_EQ(r.Number(pref::kGpsSource), 0);
    EXPECT_EQ(r.OwnLatUnits(), Preferences().OwnLatUnits());  // untouched until the GPS has a fix
}

TEST(FirstStart, AskedOnlyWithoutPreferencesAndWrittenBeforeTheModulesRead) {
    test::TestProgram t;
    int asked = 0;
    t.dialogs.firstStart = [&](FirstStartForm& f) {
        ++asked;
        f = Filled();
    };
    Program& p = t.Started();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(p.FirstStart());
    EXPECT_EQ(p.Core().Own().call.View(), "W1AW-9");  // the station module read the new settings
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.OwnCall(), "W1AW-9");
    p.Stop();
    t.program.reset();
    t.Started();
    EXPECT_EQ(asked, 1);  // the next start has its preferences
    EXPECT_FALSE(t.program->FirstStart());
}

}  // namespace
}  // namespace velmora
