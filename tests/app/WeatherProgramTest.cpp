// The home weather station inside the whole program, on the fake clock:
// lines and blocks on the weather port, the polls, the own weather report
// at its rate, the chart across a restart, midnight's rain and the alarms.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/MenuTable.h"
#include "app/TransmitModule.h"
#include "app/WeatherModule.h"
#include "ports/PortRole.h"
#include "support/SerialProgram.h"
#include "weather/DavisLoop.h"

namespace velmora {
namespace {

// The size of a file somewhere in the data folder (the logs folder's case
// is the first writer's); 0 when there is none.
uintmax_t FileSize(const std::filesystem::path& folder, const std::string& name) {
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.path().filename() == name) return std::filesystem::file_size(e.path());
    return 0;
}

struct FakeWeatherWindows final : WeatherWindows {
    void ShowWeatherChart() override { ++shown; }
    void WeatherChartChanged() override { ++changed; }
    bool EditWeatherSettings(WeatherDialogValues& v) override {
        if (!edit) return false;
        edit(v);
        return true;
    }
    int shown = 0, changed = 0;
    std::function<void(WeatherDialogValues&)> edit;
};

struct WeatherStation : test::SerialProgram {
    explicit WeatherStation(int type) : SerialProgram("N0WX", 41.5, -72.5) {
        test::SetPref(prefs, "port2_device", "/dev/ttyUSB2");
        test::SetPref(prefs, "port4_device", "/dev/ttyUSB4");
        test::SetPref(prefs, "weather_station_type", std::to_string(type));
        test::SetPref(prefs, "rate_weather_vhf", "10");
        opts.weather = &windows;
    }
    Program& Open() {
        Program& p = Up();
        p.Command(kCmdOpenVhfTnc);
        p.Command(kCmdOpenWxPort);
        RunSingleShots();
        return p;
    }
    void Minutes(int n) {
        for (int i = 0; i < n; ++i) {
            clock.Advance(60);
            program->OnTimer(kTimerTick);
            RunSingleShots();
        }
    }
    // Ticks a second at a time until the clock reads hour:minute.
    void RunTo(int hour, int minute) {
        for (int guard = 0; guard < 200000; ++guard) {
            const LocalDateTime now = clock.Now();
            if (now.hour == hour && now.minute == minute && now.second >= 3) return;
            Second();
            RunSingleShots();
        }
    }
    void Feed(std::string_view line) { program->Ports().PortData(kPortWeather, std::string(line)); }
    const WeatherRecord& Record() { return program->Weather().State().Record(); }
    std::string& Vhf() { return layer.written[kPortVhfTnc]; }
    FakeWeatherWindows windows;
};

TEST(WeatherProgram, AnUltimeterReadingGoesOutAsTheOwnReportAtItsRate) {
    WeatherStation t(2);
    Program& p = t.Open();
    t.Feed("#4208A00000012\r\n");
    EXPECT_EQ(t.Record().temperature, 820);
    EXPECT_EQ(t.Record().windSpeed, 20);  // 32 km/h
    t.Vhf().clear();
    for (int m = 0; m < 12 && t.Vhf().find("wUII") == std::string::npos; ++m) {
        t.Feed("#4208A00000012\r\n");  // the station speaks every few seconds
        t.Minutes(1);
    }
    EXPECT_NE(t.Vhf().find("c090s020g020t082r000p000P000h..b.....wUII"), std::string::npos) << t.Vhf();
    // With the cable out for 90 minutes the report is due but not sent.
    t.Minutes(91);
    t.Vhf().clear();
    t.Minutes(20);
    EXPECT_EQ(t.Vhf().find("wUII"), std::string::npos) << t.Vhf();
    t.ui.boxes.clear();
    p.Command(kCmdSendWeather);
    ASSERT_FALSE(t.ui.boxes.empty());
    EXPECT_EQ(t.ui.boxes.back().text, "Weather data is invalid or too old (check cables)");
}

TEST(WeatherProgram, TheDavisIsPolledOnOpeningAndEveryMinuteAfter) {
    WeatherStation t(5);
    Program& p = t.Open();
    EXPECT_EQ(t.layer.written[kPortWeather], "LOOP  \r");
    t.Minutes(6);  // the tick notes the day and the hour first; the first minute change skips the poll
    EXPECT_EQ(t.layer.written[kPortWeather], std::string("LOOP  \r") + "LOOP  \r" + "LOOP  \r" + "LOOP  \r");
    // The answer arrives as raw bytes, 8-bit, in pieces.
    uint8_t d[15] = {0xC8, 0x02, 0xE4, 0x01, 7, 0x5A, 0, 0xE0, 0x74, 40, 60, 0x10, 0};
    const uint16_t crc = CrcCcitt(d, 15);
    std::string block = "\x01" + std::string(reinterpret_cast<char*>(d), 15);
    block += static_cast<char>(crc >> 8);
    block += static_cast<char>(crc & 0xFF);
    t.Feed(block.substr(0, 5));
    t.Feed(block.substr(5));
    EXPECT_EQ(t.Record().temperature, 0x1E4);
    EXPECT_EQ(t.Record().temperatureInside, 0x2C8);
    EXPECT_EQ(t.Record().windDirection, 90);
    EXPECT_EQ(t.Record().humidity, 60);
    EXPECT_EQ(t.Record().pressure, static_cast<int>(0x74E0 / 2.953));
    p.Command(kCmdOpenWxPort);  // closed: no more polls
    const std::string before = t.layer.written[kPortWeather];
    t.Minutes(3);
    EXPECT_EQ(t.layer.written[kPortWeather], before);
}

TEST(WeatherProgram, TheChartSurvivesARestartAndMidnightStartsTheDaysRain) {
    WeatherStation t(3);
    t.clock.Set(2026, 12, 8, 23, 40, 0);
    t.Open();
    const std::string line = "!!00A0005B02CE001203E8FFEC01F4032000000384\r\n";  // 71.8 F, rain 0x12
    t.Feed(line);
    t.RunTo(23, 45);
    const size_t slot = WeatherChart::SlotOf(23, 45);
    EXPECT_EQ(t.program->Weather().Chart().At(slot)[kChartTemperature], 718);
    EXPECT_EQ(t.Record().rainToday, 0);  // no midnight seen yet
    t.RunTo(0, 2);                       // midnight: the counter is the day's baseline; the hour saves the chart
    EXPECT_EQ(t.Record().rainMidnight, 0x12);
    EXPECT_EQ(FileSize(t.folder, "WXHist.bin"), 18432u);
    t.Feed("!!00A0005B02CE001803E8FFEC01F4032000000384\r\n");  // six more hundredths
    EXPECT_EQ(t.Record().rainToday, 6);
    EXPECT_EQ(t.Record().rainAccumulated, 6);
    t.program->Stop();
    t.program.reset();
    t.Started();
    EXPECT_EQ(t.program->Weather().Chart().At(slot)[kChartTemperature], 718);
}

TEST(WeatherProgram, AlarmsSoundAndAskForAReportAndTheLogGetsItsRecord) {
    WeatherStation t(2);
    test::SetPref(t.prefs, "alarm_high_temperature", "80");
    t.clock.Set(2026, 12, 8, 10, 1, 0);
    Program& p = t.Open();
    p.Command(7103);  // Local Weather Logging
    t.Feed("#4208A00000012\r\n");  // 82 F
    t.Vhf().clear();
    t.RunTo(10, 6);  // the sample at 10:05, its report at the next minute
    EXPECT_EQ(t.notices.CountSounds(6002), 1);
    EXPECT_NE(t.Vhf().find("wUII"), std::string::npos) << t.Vhf();
    p.Command(7103);
    EXPECT_EQ(FileSize(t.folder, "WXData.log"), 32u);
    EXPECT_GE(t.windows.changed, 1);
}

TEST(WeatherProgram, ManualEntryFromTheDialogAndSendWeather) {
    WeatherStation t(0);
    Program& p = t.Open();
    t.windows.edit = [](WeatherDialogValues& v) {
        v.settings.station.type = kWeatherTypeManual;
        v.current = {45, 8, 270, 0, 12, 1008};
    };
    p.Command(kCmdWeatherSettings);
    ASSERT_EQ(t.prefs.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(t.prefs.Number(pref::kWeatherStationType), kWeatherTypeManual);
    EXPECT_EQ(t.Record().temperature, 450);
    EXPECT_EQ(t.Record().pressure, 10080);
    t.Vhf().clear();
    p.Command(kCmdSendWeather);
    EXPECT_NE(t.Vhf().find("c270s008g000t045r000p012P000h00b10080wMAN"), std::string::npos) << t.Vhf();
}

TEST(WeatherProgram, AWxNowFileIsReadWhenItChanges) {
    WeatherStation t(12);
    test::SetPref(t.prefs, "wxnow_file", (t.folder / "wxnow.txt").string());
    t.Write("wxnow.txt", "Dec 08 2026 12:00\n180/005g012t055r000p010P004h80b10200\n");
    Program& p = t.Open();
    t.Second();
    p.Weather().Poll();
    EXPECT_EQ(t.Record().temperature, 550);
    EXPECT_EQ(t.Record().rainToday, 4);
    EXPECT_TRUE(p.Weather().Source());
    t.Vhf().clear();
    p.Command(kCmdSendWeather);
    EXPECT_NE(t.Vhf().find("c180s005g012t055r000p010P004h80b10200wWXN"), std::string::npos) << t.Vhf();
    // Found as: the five-minute sample zeroed the file's gust until the file changed.
    t.Minutes(6);
    EXPECT_EQ(t.Record().windGust, 12);
    t.Vhf().clear();
    p.Command(kCmdSendWeather);
    EXPECT_NE(t.Vhf().find("g012"), std::string::npos) << t.Vhf();
}

}  // namespace
}  // namespace velmora
