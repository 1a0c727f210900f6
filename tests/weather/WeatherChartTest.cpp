#include <gtest/gtest.h>

#include "platform/fake/RecordingSurface.h"
#include "weather/ChartDrawing.h"
#include "weather/WeatherChart.h"
#include "weather/WeatherDisplay.h"

namespace velmora {
namespace {

bool HasText(const RecordingSurface& s, const std::string& text) {
    for (const std::string& c : s.calls)
        if (c.rfind("text ", 0) == 0 && c.size() > text.size() && c.compare(c.size() - text.size() - 1, std::string::npos, " " + text) == 0)
            return true;
    return false;
}

WeatherRecord Record(int tenthsF, int pressure = 10130, int humidity = 50) {
    WeatherRecord w;
    w.temperaturePrevious = w.temperature = tenthsF;
    w.pressure = pressure;
    w.humidity = w.humidityMin = w.humidityMax = humidity;
    return w;
}

TEST(WeatherChart, SlotsAtTheDaysEndsAndYesterdaysValues) {
    WeatherChart c;
    EXPECT_EQ(WeatherChart::SlotOf(23, 55), 287u);
    EXPECT_EQ(WeatherChart::SlotOf(0, 0), 0u);
    EXPECT_EQ(WeatherChart::SlotOf(12, 34), 150u);
    (void)c.Sample(Record(400, 10100, 60), 0, 0, {});
    (void)c.Sample(Record(380, 10110, 70), 23, 55, {});
    EXPECT_EQ(c.At(287)[kChartTemperature], 380);
    (void)c.Sample(Record(420, 10120, 55), 0, 0, {});  // the next day
    const WeatherChart::Slot& s = c.At(0);
    EXPECT_EQ(s[kChartTemperature], 420);
    EXPECT_EQ(s[kChartTemperatureYesterday], 400);
    EXPECT_EQ(s[kChartPressureYesterday], 10100);
    EXPECT_EQ(s[kChartHumidityYesterday], 60);
    EXPECT_EQ(s[kChartTemperatureLow], 400);
    EXPECT_EQ(s[kChartTemperatureHigh], 420);
    EXPECT_EQ(s[kChartPressureLow], 10100);
    EXPECT_EQ(s[kChartPressureHigh], 10120);
}

TEST(WeatherChart, PressureOutsideItsRangeIsNoExtremeAndNoAlarm) {
    WeatherChart c;
    (void)c.Sample(Record(500, 7999), 10, 0, {});
    EXPECT_EQ(c.At(120)[kChartPressure], 7999);
    EXPECT_EQ(c.At(120)[kChartPressureLow], 0);
    const SampleAlarms quiet = c.Sample(Record(500, 10100), 10, 10, {});
    EXPECT_TRUE(quiet.events.empty());  // 7999 ten minutes ago does not count
    // 6.1 mb in ten minutes is an alarm; 6.0 is not.
    (void)c.Sample(Record(500, 10000), 11, 0, {});
    EXPECT_TRUE(c.Sample(Record(500, 10060), 11, 10, {}).events.empty());
    const SampleAlarms fast = c.Sample(Record(500, 10121), 11, 20, {});  // 6.1 above 11:10
    EXPECT_FALSE(fast.events.empty());
    (void)c.Sample(Record(500, 10000), 11, 5, {});
    const SampleAlarms fall = c.Sample(Record(500, 9939), 11, 15, {});
    ASSERT_EQ(fall.events.size(), 1u);
    EXPECT_EQ(fall.events[0], 6003);
    EXPECT_TRUE(fall.weatherNow);
}

TEST(WeatherChart, NoPressureAlarmInTheFirstFifteenMinutes) {
    WeatherChart c;
    (void)c.Sample(Record(500, 10000), 23, 50, {});
    (void)c.Sample(Record(500, 10000), 23, 55, {});
    for (int m : {0, 5, 10}) EXPECT_TRUE(c.Sample(Record(500, 10200), 0, m, {}).events.empty()) << m;
    EXPECT_FALSE(c.Sample(Record(500, 10000), 0, 15, {}).events.empty());  // slot 3 against slot 1
}

TEST(WeatherChart, TemperatureLimitsAndTheHomeDeltaAlarm) {
    WeatherChart c;
    WeatherLimits l;
    l.lowTemperatureF = 32;
    l.highTemperatureF = 95;
    l.deltaTemperatureF = 10;
    const SampleAlarms cold = c.Sample(Record(310), 6, 0, l);
    ASSERT_EQ(cold.events.size(), 1u);
    EXPECT_EQ(cold.events[0], 6001);
    EXPECT_FALSE(cold.weatherNow);  // a low temperature only sounds
    const SampleAlarms hot = c.Sample(Record(960), 6, 20, l);
    ASSERT_EQ(hot.events.size(), 1u);
    EXPECT_EQ(hot.events[0], 6002);
    EXPECT_TRUE(hot.weatherNow);
    (void)c.Sample(Record(600), 7, 0, l);
    const SampleAlarms jump = c.Sample(Record(710), 7, 10, l);
    ASSERT_EQ(jump.events.size(), 1u);
    EXPECT_EQ(jump.events[0], 6003);
    EXPECT_TRUE(c.Sample(Record(690), 7, 20, l).events.empty());  // 9 F
}

TEST(WeatherChart, FileBytesAreLittleEndianAndShortFilesLeaveZeros) {
    WeatherChart c;
    WeatherRecord w = Record(-123, 10130, 45);
    w.rainCounter = 40950;  // a 0.10 inch gauge's counter does not fit: it saturates
    (void)c.Sample(w, 0, 5, {});
    const std::vector<uint8_t> bytes = c.Bytes();
    ASSERT_EQ(bytes.size(), 18432u);
    const size_t at = 1 * 64;  // slot 1
    EXPECT_EQ(bytes[at], 0x85);  // -123 = 0xFF85
    EXPECT_EQ(bytes[at + 1], 0xFF);
    EXPECT_EQ(bytes[at + 2 * kChartPressure], 10130 & 0xFF);
    EXPECT_EQ(bytes[at + 2 * kChartPressure + 1], 10130 >> 8);
    EXPECT_EQ(bytes[at + 2 * kChartRainCounter], 0xFF);
    EXPECT_EQ(bytes[at + 2 * kChartRainCounter + 1], 0x7F);
    WeatherChart back;
    back.Load(bytes);
    EXPECT_EQ(back.Bytes(), bytes);
    WeatherChart shorter;
    shorter.Load(std::span<const uint8_t>(bytes.data(), 64 + 3));  // slot 0 and a byte and a half of slot 1
    EXPECT_EQ(shorter.At(1)[0], -123);
    EXPECT_EQ(shorter.At(1)[1], 0);
    EXPECT_EQ(shorter.At(2)[0], 0);
}

TEST(WeatherChart, ZeroGroupsAndStatistics) {
    WeatherChart c;
    WeatherRecord w = Record(700);
    w.windSpeed = 10;
    w.windGust = 20;
    w.rainSinceSample = 5;
    (void)c.Sample(w, 1, 0, {});
    w.rainSinceSample = -3;  // a counter reset counts as no rain
    (void)c.Sample(w, 1, 5, {});
    const ChartStatistics st = StatisticsOf(c, w, false);
    EXPECT_EQ(st.temperature, "Temp Min   0  Avg   0  Max  70");
    EXPECT_EQ(st.rainAccumulated, "Acumulated     5");
    EXPECT_EQ(st.wind, "Wind  Avg   0   Max  10");
    EXPECT_EQ(st.gust, "Gust  Avg   0   Max  20");
    EXPECT_EQ(st.pressure, " 1013 mb   2991 in");
    EXPECT_EQ(c.Zero('W'), "Wind Values Zeroed");
    EXPECT_EQ(c.At(12)[kChartWindSpeed], 0);
    EXPECT_EQ(c.At(12)[kChartTemperature], 700);
    EXPECT_EQ(c.Zero('T'), "Temperature Values Zeroed");
    EXPECT_EQ(c.At(12)[kChartTemperature], 0);
    EXPECT_EQ(c.Zero('R'), "Rain Values Zeroed");
    EXPECT_EQ(c.Zero('P'), "Pressure Values Zeroed");
    EXPECT_EQ(c.At(12)[kChartPressure], 0);
    EXPECT_EQ(c.Zero('Q'), "");
}

TEST(WeatherChart, LogRecordLayout) {
    WeatherRecord w = Record(-15, 10130, 88);
    w.rainSinceSample = 3;
    w.windSpeed = 7, w.windDirection = 270, w.windGust = 12, w.windGustDirection = 260;
    const auto r = WeatherLogRecord(w, 0x01020304);
    EXPECT_EQ(r[0], 0x04);
    EXPECT_EQ(r[3], 0x01);
    const auto i16 = [&r](size_t at) { return static_cast<int16_t>(r[at] | r[at + 1] << 8); };
    EXPECT_EQ(i16(4), -15);
    EXPECT_EQ(i16(6), 3);
    EXPECT_EQ(i16(8), 10130);
    EXPECT_EQ(i16(10), 7);
    EXPECT_EQ(i16(12), 270);
    EXPECT_EQ(i16(14), 12);
    EXPECT_EQ(i16(16), 260);
    EXPECT_EQ(i16(18), 88);
    for (size_t i = 20; i < 32; ++i) EXPECT_EQ(r[i], 0);
}

TEST(WeatherDisplay, LinesInBothUnitsAndWithoutData) {
    WeatherRecord w = Record(725, 10132, 61);
    w.temperatureMin = 601, w.temperatureMax = 780;
    w.humidityInside = 40;
    w.rainToday = 123, w.rain1h = 210;
    w.windSpeed = 12, w.windDirection = 225, w.windGust = 20, w.windGustDirection = 230, w.gustMax = 31;
    w.pressureMin = 10100, w.pressureMax = 10150;
    const TimeStamp at = ToTimeStamp(MakeDateTime(2026, 12, 8, 14, 5, 0));
    const auto us = WeatherDisplayLines({w, at, 700, 10110, "Davis", false});
    ASSERT_EQ(us.size(), 10u);
    EXPECT_EQ(us[0], "14:05");
    EXPECT_EQ(us[1], " 72 F   22 C");
    EXPECT_EQ(us[2], "Lo 60 F Hi 78 F Yest  70 F (Delta  2 F)");
    EXPECT_EQ(us[3], "Total 1.23 Inches   Rate 2 Inches");
    EXPECT_EQ(us[4], "Humidity: Outside 61  Inside 40");
    EXPECT_EQ(us[5], "Wind  12 mph  225  SW");
    EXPECT_EQ(us[6], "Gust  20 mph  230  High  31");
    EXPECT_EQ(us[7], "1013 mb  2991 in");
    EXPECT_EQ(us[8], "Low 1010 mb High 1015 mb  Yesterday 1011 mb");
    EXPECT_EQ(us[9], "Davis");
    const auto metric = WeatherDisplayLines({w, at, 700, 10110, "Davis", true});
    EXPECT_EQ(metric[5], "Wind  19 km/h  225  SW");
    EXPECT_EQ(metric[3], "Total 31.2 mm   Rate 53.3 mm");
    const auto none = WeatherDisplayLines({WeatherRecord{}, 0, 0, 0, "Unused", false});
    ASSERT_EQ(none.size(), 10u);
    EXPECT_EQ(none[0], "--:--");
    EXPECT_EQ(none[5], "Wind -- mph  --  --");
    EXPECT_EQ(none[9], "Unused");
    const auto compact = CompactWeatherLines({w, at, 700, 10110, "Davis", false});
    EXPECT_EQ(compact[0], "T   72oF");
    EXPECT_EQ(compact[4], "P 1013.2");
    EXPECT_EQ(compact[6], "R   1.23");
}

TEST(ChartDrawing, PanelsTitlesAndAStationsDayLog) {
    WeatherChart c;
    for (int m = 0; m < 60; m += 5) (void)c.Sample(Record(500 + m, 10100 + m), 9, m, {});
    RecordingSurface surface(800, 600);
    DrawWeatherChart(surface, SeriesFromChart(c, Record(555), 115, false), false);
    for (const char* title : {"Weather Chart", "Temperature (deg F)", "Rain Fall (Inches)", "Wind (MPH)",
                              "Barometric Press", "N", "E", "S", "W"})
        EXPECT_TRUE(HasText(surface, title)) << title;
    StationRecord station;
    station.callsign = "KB1WX";
    ChartSeries series;
    EXPECT_FALSE(SeriesFromStation(station, 0, series));
    station.weatherDay.assign(kWeatherSlots, WeatherSlot{});
    station.weatherDay[100] = {55, 10, 20, 10, 5, 20, 8, 180, 15, 0, 10120, 70};
    ASSERT_TRUE(SeriesFromStation(station, 100, series));
    EXPECT_EQ(series.title, "KB1WX Weather Data");
    EXPECT_EQ(series.temperature[100], 550);
    EXPECT_TRUE(series.present[100]);
    EXPECT_FALSE(series.present[101]);
}

}  // namespace
}  // namespace velmora
