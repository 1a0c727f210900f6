#include <gtest/gtest.h>

#include "weather/WeatherState.h"

namespace velmora {
namespace {

WeatherReading Reading(int tenthsF, int rain = 100) {
    WeatherReading r;
    r.outsideTenthsF = tenthsF;
    r.rainCounter = rain;
    return r;
}

TEST(WeatherState, SpikeFilterAveragesAJumpOf20FAndTakes19Point9) {
    WeatherState s;
    s.Store(Reading(500), 1000);
    s.Store(Reading(700), 1010);  // exactly 20.0 F: (500 + 500 + 700) / 3
    EXPECT_EQ(s.Record().temperature, 566);
    EXPECT_EQ(s.Record().temperaturePrevious, 500);
    EXPECT_EQ(s.Record().temperatureMax, 500);  // nothing else about temperature changed
    WeatherState t;
    t.Store(Reading(500), 1000);
    t.Store(Reading(699), 1010);
    EXPECT_EQ(t.Record().temperature, 699);
    EXPECT_EQ(t.Record().temperaturePrevious, 699);
    EXPECT_EQ(t.Record().temperatureMax, 699);
    EXPECT_EQ(t.Record().temperatureMaxTime, 1010u);
    EXPECT_EQ(t.Record().temperatureMin, 500);
    // The very first reading has nothing to compare with: it is taken as it is.
    WeatherState u;
    u.Store(Reading(900), 1000);
    EXPECT_EQ(u.Record().temperature, 900);
}

TEST(WeatherState, TheFirstReadingIsNoRainAndLaterIncreasesAre) {
    WeatherState s;
    s.Store(Reading(500, 1234), 1000);
    EXPECT_EQ(s.Record().rainAccumulated, 0);
    EXPECT_EQ(s.LastRain(), 0u);
    EXPECT_EQ(s.Record().rain1h, 0);
    EXPECT_EQ(s.Record().rain24h, 0);
    EXPECT_FALSE(s.TakeRequests().weatherNowRadio);
    s.Store(Reading(500, 1240), 1060);
    const WeatherRequests r = s.TakeRequests();
    EXPECT_TRUE(r.weatherNowRadio);
    EXPECT_TRUE(r.positionNowInternet);
    EXPECT_EQ(s.Record().rainAccumulated, 6);
    EXPECT_EQ(s.LastRain(), 1060u);
    EXPECT_EQ(s.Record().rain1h, 6);
    // A station reset (the counter back to 0) is no rain and no negative total.
    s.Store(Reading(500, 0), 1120);
    EXPECT_EQ(s.Record().rain1h, 0);
    EXPECT_EQ(s.Record().rainAccumulated, 6);
    EXPECT_FALSE(s.TakeRequests().weatherNowRadio);
}

TEST(WeatherState, RainHistoriesRollByMinuteHourAndMidnight) {
    WeatherState s;
    s.Store(Reading(500, 100), 1000);
    EXPECT_EQ(s.Record().rainToday, 0);  // midnight not seen yet
    s.MarkMidnight();
    for (int m = 0; m < 30; ++m) s.ShiftMinute();
    s.Store(Reading(500, 130), 2800);
    EXPECT_EQ(s.Record().rain1h, 30);
    EXPECT_EQ(s.Record().rainToday, 30);
    for (int m = 0; m < 60; ++m) s.ShiftMinute();
    s.Store(Reading(500, 130), 6400);
    EXPECT_EQ(s.Record().rain1h, 0);   // the hour has passed
    EXPECT_EQ(s.Record().rain24h, 30);
    for (int h = 0; h < 24; ++h) s.ShiftHour();
    s.MarkMidnight();
    s.Store(Reading(500, 135), 90000);
    EXPECT_EQ(s.Record().rain24h, 5);
    EXPECT_EQ(s.Record().rainToday, 5);
}

TEST(WeatherState, ImpossibleValuesAreNotStored) {
    WeatherState s;
    WeatherReading r = Reading(600);
    r.humidity = 55;
    r.pressureTenthsMbar = 10130;
    s.Store(r, 1000);
    WeatherReading bad = Reading(-2000, -5);
    bad.humidity = 150;
    bad.insideHumidity = 101;
    bad.pressureTenthsMbar = 0;
    bad.windMph = 900;
    bad.windDirection = 400;
    s.Store(bad, 1010);
    const WeatherRecord& w = s.Record();
    EXPECT_EQ(w.temperature, 600);
    EXPECT_EQ(w.humidity, 55);
    EXPECT_EQ(w.pressure, 10130);
    EXPECT_EQ(w.rainCounter, 100);
    EXPECT_EQ(w.windSpeed, 0);
    EXPECT_EQ(w.windDirection, 0);
    s.SetPressure(50, 1020);
    s.SetHumidity(0, 1020);
    EXPECT_EQ(w.pressure, 10130);
    EXPECT_EQ(w.humidity, 55);
}

TEST(WeatherState, GustsPressureExtremesAndTendency) {
    WeatherState s;
    WeatherReading r = Reading(600);
    r.windMph = 12;
    r.windDirection = 90;
    r.gustMph = 20;
    r.pressureTenthsMbar = 10100;
    r.humidity = 40;
    s.Store(r, 1000);
    EXPECT_EQ(s.Record().gustMax, 20);
    EXPECT_EQ(s.Record().windGust, 20);
    EXPECT_EQ(s.Record().windSpeedCopy, 12);
    EXPECT_EQ(s.Record().pressureTendency, 0);
    s.ShiftHour();
    s.ShiftHour();
    r.pressureTenthsMbar = 10080;
    r.gustMph = -1;
    r.windMph = 25;
    r.humidity = 70;
    s.Store(r, 2000);
    EXPECT_EQ(s.Record().pressureTendency, -1);
    EXPECT_EQ(s.Record().pressureMin, 10080);
    EXPECT_EQ(s.Record().pressureMax, 10100);
    EXPECT_EQ(s.Record().gustMax, 25);  // the wind itself beat the gust
    EXPECT_EQ(s.Record().gustMaxTime, 2000u);
    EXPECT_EQ(s.Record().humidityMin, 40);
    EXPECT_EQ(s.Record().humidityMax, 70);
    s.ClearExtremes();
    EXPECT_EQ(s.Record().temperatureMin, 999);
    EXPECT_EQ(s.Record().temperatureMax, -999);
    EXPECT_EQ(s.Record().gustMax, 0);
}

TEST(WeatherState, ManualEntryAndAlarmReports) {
    WeatherState s;
    s.EnterManually({150, 10, 500, 3, 40, 1013}, 5000);
    EXPECT_EQ(s.Record().temperature, 1200);  // at most 120 F
    EXPECT_EQ(s.Record().windDirection, 360);
    EXPECT_EQ(s.Record().pressure, 10130);    // millibars taken as such
    EXPECT_EQ(s.Record().rain24h, 40);
    EXPECT_EQ(s.LastData(), 5000u);
    (void)s.TakeRequests();
    WeatherLimits limits;
    limits.highTemperatureF = 100;
    s.CheckAlarmReports(limits);
    EXPECT_TRUE(s.TakeRequests().weatherNowRadio);
    limits = {};
    limits.highWindMph = 10;
    s.CheckAlarmReports(limits);
    EXPECT_FALSE(s.TakeRequests().weatherNowRadio);  // 10 is not above 10
}

TEST(WeatherState, DisplayChangesOnlyWhenAShownValueChanges) {
    WeatherState s;
    s.Store(Reading(601), 1000);
    EXPECT_TRUE(s.TakeRequests().displayChanged);
    s.Store(Reading(605), 1010);  // still 60 F
    EXPECT_FALSE(s.TakeRequests().displayChanged);
    s.Store(Reading(611), 1020);
    EXPECT_TRUE(s.TakeRequests().displayChanged);
}

}  // namespace
}  // namespace velmora
