// The decoders of the station types, each fed the way its station talks.
#include <gtest/gtest.h>

#include <string>

#include "weather/CompassPoints.h"
#include "weather/DavisLoop.h"
#include "weather/Hk5001.h"
#include "weather/TextStations.h"
#include "weather/WeatherMax.h"
#include "weather/WeatherStation.h"
#include "weather/Wx200.h"
#include "weather/WxNowFile.h"

namespace velmora {
namespace {

// A LOOP block as the station sends it: 0x01, fifteen data bytes, the CRC high byte first.
std::string DavisBlock(int inside, int outside, int wind, int direction, int baro, int inHum, int outHum, int rain) {
    uint8_t d[15] = {};
    const auto put = [&](int at, int v) {
        d[at] = static_cast<uint8_t>(v & 0xFF);
        d[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    put(0, inside), put(2, outside);
    d[4] = static_cast<uint8_t>(wind);
    put(5, direction), put(7, baro);
    d[9] = static_cast<uint8_t>(inHum), d[10] = static_cast<uint8_t>(outHum);
    put(11, rain);
    const uint16_t crc = CrcCcitt(d, 15);
    std::string out(1, '\x01');
    out.append(reinterpret_cast<const char*>(d), 15);
    out += static_cast<char>(crc >> 8);
    out += static_cast<char>(crc & 0xFF);
    return out;
}

TEST(CompassPoints, TableAndUnknownTexts) {
    EXPECT_EQ(CompassPointDegrees("NNE"), 22);
    EXPECT_EQ(CompassPointDegrees("SW "), 225);
    EXPECT_EQ(CompassPointDegrees("NNW"), 337);
    EXPECT_EQ(CompassPointDegrees("N"), 0);
    EXPECT_EQ(CompassPointDegrees("XYZ"), 0);
    EXPECT_EQ(CompassPointDegrees(""), 0);
}

TEST(Davis, BlocksAmongJunkAndTheirEdgeCases) {
    DavisLoop davis(5);
    // Junk first, then a block cut in two as a serial port delivers it.
    const std::string block = DavisBlock(712, 455, 12, 270, 29920, 40, 65, 321);
    EXPECT_FALSE(davis.Feed("\x06\xff\x01\x02junk"));
    EXPECT_FALSE(davis.Feed(block.substr(0, 7)));
    const auto r = davis.Feed(block.substr(7));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->insideTenthsF, 712);
    EXPECT_EQ(r->outsideTenthsF, 455);
    EXPECT_EQ(r->windMph, 12);
    EXPECT_EQ(r->windDirection, 270);
    EXPECT_EQ(r->pressureTenthsMbar, 5 + static_cast<int>(29920 / 2.953));
    EXPECT_EQ(r->insideHumidity, 40);
    EXPECT_EQ(r->humidity, 65);
    EXPECT_EQ(r->rainCounter, 321);
    EXPECT_EQ(r->gustMph, -1);
    // 2001 keeps the last good outside temperature; 360 degrees reads 0; a
    // barometer below 8 inHg reads nothing; negative temperatures are signed.
    const auto lost = davis.Feed(DavisBlock(-25, 2001, 3, 360, 7999, 40, 65, 321));
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->outsideTenthsF, 455);
    EXPECT_EQ(lost->windDirection, 0);
    EXPECT_EQ(lost->pressureTenthsMbar, 0);
    EXPECT_EQ(lost->insideTenthsF, -25);
    // A bad CRC is skipped; the good block behind it is found.
    std::string bad = DavisBlock(700, 500, 1, 1, 30000, 1, 1, 1);
    bad[5] ^= 0x40;
    const auto after = davis.Feed(bad + DavisBlock(700, 501, 1, 1, 30000, 1, 1, 1));
    ASSERT_TRUE(after);
    EXPECT_EQ(after->outsideTenthsF, 501);
    // A station without a barometer, and one that lost its outside sensor from the start.
    DavisLoop noBaro(0, false);
    const auto nb = noBaro.Feed(DavisBlock(700, 32767, 1, 1, 30000, 1, 1, 1));
    ASSERT_TRUE(nb);
    EXPECT_EQ(nb->pressureTenthsMbar, 0);
    EXPECT_EQ(nb->outsideTenthsF, kNoTemperature);
    // Unplugged mid-block: the half block and the next whole one.
    DavisLoop unplugged;
    const std::string b = DavisBlock(700, 600, 1, 1, 30000, 1, 1, 1);
    EXPECT_FALSE(unplugged.Feed(b.substr(0, 9)));
    const auto back = unplugged.Feed(b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->outsideTenthsF, 600);
    // A buffer that fills without a block is emptied, and works on.
    DavisLoop full;
    EXPECT_FALSE(full.Feed(std::string(600, '\x01')));
    EXPECT_TRUE(full.Feed(b));
}

TEST(Hk5001, OneValuePerLine) {
    WeatherState s;
    EXPECT_TRUE(DecodeHk5001("T72", s, 100));
    EXPECT_TRUE(DecodeHk5001("B2992", s, 100));
    EXPECT_TRUE(DecodeHk5001("H45", s, 100));
    EXPECT_TRUE(DecodeHk5001("w 16K 270", s, 100));
    EXPECT_TRUE(DecodeHk5001("W 30  180", s, 100));
    EXPECT_TRUE(DecodeHk5001("h33", s, 100));
    EXPECT_TRUE(DecodeHk5001("t68", s, 100));
    const WeatherRecord& w = s.Record();
    EXPECT_EQ(w.temperature, 720);
    EXPECT_EQ(w.pressure, 10132);  // 29.92 inHg
    EXPECT_EQ(w.humidity, 45);
    EXPECT_EQ(w.windSpeed, 10);    // 16 km/h
    EXPECT_EQ(w.windDirection, 270);
    EXPECT_EQ(w.windGust, 30);
    EXPECT_EQ(w.windGustDirection, 180);
    EXPECT_EQ(w.gustMax, 30);
    EXPECT_EQ(w.humidityInside, 33);
    EXPECT_EQ(w.temperatureInside, 680);
    EXPECT_FALSE(DecodeHk5001("X12", s, 100));
    EXPECT_FALSE(DecodeHk5001("T", s, 100));
    EXPECT_FALSE(DecodeHk5001("Tabc", s, 100));
    // The first rain line only sets the counter; the next one is rain.
    (void)s.TakeRequests();
    EXPECT_TRUE(DecodeHk5001("R120", s, 100));
    EXPECT_EQ(w.rainAccumulated, 0);
    EXPECT_TRUE(s.TakeRequests().weatherNowRadio);  // every rain line asks for a report
    EXPECT_TRUE(DecodeHk5001("R125", s, 200));
    EXPECT_EQ(w.rainAccumulated, 5);
    EXPECT_EQ(s.LastRain(), 200u);
    EXPECT_EQ(w.rain1h, 125);
}

TEST(TexasStation, FixedColumns) {
    std::string line(58, ' ');
    const auto at = [&line](size_t column, std::string_view text) { line.replace(column, text.size(), text); };
    at(0, "12:34:56 WIND"), at(15, "SSW"), at(18, "64"), at(29, "72.5"), at(35, "55.0"), at(45, "29.92"), at(52, "0.15");
    const auto r = DecodeTexas(line);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->windDirection, 202);
    EXPECT_EQ(r->windMph, 4);
    EXPECT_EQ(r->insideTenthsF, 725);
    EXPECT_EQ(r->outsideTenthsF, 550);
    EXPECT_EQ(r->pressureTenthsMbar, 10132);
    EXPECT_EQ(r->rainCounter, 15);
    EXPECT_FALSE(DecodeTexas("12-34:56 WIND  SSW 64"));
    EXPECT_FALSE(DecodeTexas("12:3"));
    line.replace(35, 4, "----");
    EXPECT_FALSE(DecodeTexas(line));  // no outside temperature
}

TEST(Capricorn, LabelledLines) {
    WeatherState s;
    EXPECT_TRUE(DecodeCapricorn("OUTSIDE TEMP 21.5 DEG C", s, 10));
    EXPECT_TRUE(DecodeCapricorn("INSIDE TEMP 70 DEG F", s, 10));
    EXPECT_TRUE(DecodeCapricorn("WIND DIRECTION WSW", s, 10));
    EXPECT_TRUE(DecodeCapricorn("WIND SPEED 32 KM/H", s, 10));
    EXPECT_TRUE(DecodeCapricorn("HIGH WIND SPEED 30 MPH", s, 10));
    EXPECT_TRUE(DecodeCapricorn("BAROMETER 29.92 IN", s, 10));
    EXPECT_TRUE(DecodeCapricorn("HUMIDITY 48 %", s, 10));
    const WeatherRecord& w = s.Record();
    EXPECT_EQ(w.temperature, 707);  // 21.5 C
    EXPECT_EQ(w.temperatureInside, 700);
    EXPECT_EQ(w.windDirection, 247);
    EXPECT_EQ(w.windSpeed, 20);     // 32 km/h
    EXPECT_EQ(w.windGust, 30);      // not read as "WIND SPEED"
    EXPECT_EQ(w.pressure, 10132);
    EXPECT_EQ(w.humidity, 48);
    EXPECT_FALSE(DecodeCapricorn("RAIN 3", s, 10));
    // A value no station prints (found by the fuzzer: it overflowed the conversion).
    EXPECT_FALSE(DecodeCapricorn("BAROMETER 68554875", s, 10));
    EXPECT_EQ(w.pressure, 10132);
    EXPECT_FALSE(DecodeCapricorn("HUMIDITY", s, 10));
}

TEST(WeatherMax, FourteenLinesMakeAReading) {
    WeatherMax m;
    m.Polled();
    const char* lines[14] = {"12 12", "", "215", "-35", "2992", "", "40", "65", "", "123", "", "", "", ""};
    std::optional<WeatherReading> r;
    for (const char* l : lines) r = m.Line(l);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->windMph, 12);
    EXPECT_EQ(r->windDirection, 270);
    EXPECT_EQ(r->insideTenthsF, 215 * 9 / 5 + 320);
    EXPECT_EQ(r->outsideTenthsF, -35 * 9 / 5 + 320);
    EXPECT_EQ(r->pressureTenthsMbar, 10132);
    EXPECT_EQ(r->insideHumidity, 40);
    EXPECT_EQ(r->humidity, 65);
    EXPECT_EQ(r->rainCounter, 123);
    // A letter in any kept line spoils the whole answer.
    m.Polled();
    for (int i = 0; i < 14; ++i) r = m.Line(i == 9 ? "12A" : "1");
    EXPECT_FALSE(r);
    // "INVALID COMMAND" starts the count over; lines beyond fourteen are ignored.
    m.Polled();
    for (int i = 0; i < 5; ++i) (void)m.Line("9");
    EXPECT_FALSE(m.Line("INVALID COMMAND!  BUFFERS CLEARED"));
    for (int i = 0; i < 13; ++i) EXPECT_FALSE(m.Line("1"));
    EXPECT_TRUE(m.Line("1"));
    EXPECT_FALSE(m.Line("1"));
}

TEST(Wx200, GroupsInTheStream) {
    Wx200 wx(0);
    std::string stream(3, '\x55');  // noise
    std::string humidity(35, '\0');
    humidity[0] = '\x8F', humidity[8] = '\x45', humidity[20] = '\x67';
    std::string temperature(34, '\0');
    temperature[0] = '\x9F', temperature[1] = '\x15', temperature[2] = '\x02';  // 21.5 C
    temperature[16] = '\x50', temperature[17] = '\x08';                          // -5.0 C
    std::string pressure(31, '\0');
    pressure[0] = '\xAF', pressure[1] = '\x13', pressure[2] = '\x10';            // 1013 mb
    std::string rain(14, '\0');
    rain[0] = '\xBF', rain[5] = '\x54', rain[6] = '\x00';                        // 54 mm
    std::string wind(27, '\0');
    wind[0] = '\xCF', wind[1] = '\x50', wind[2] = '\x80', wind[3] = '\x27';      // 5.0 m/s from 278
    stream += humidity + temperature + pressure + rain + wind;
    const auto r = wx.Feed(stream);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->insideHumidity, 45);
    EXPECT_EQ(r->humidity, 67);
    EXPECT_EQ(r->insideTenthsF, 215 * 9 / 5 + 320);
    EXPECT_EQ(r->outsideTenthsF, -50 * 9 / 5 + 320);
    EXPECT_EQ(r->pressureTenthsMbar, 10130);
    EXPECT_EQ(r->rainCounter, 213);  // 54 mm
    EXPECT_EQ(r->windMph, 11);       // 5 m/s
    EXPECT_EQ(r->windDirection, 278);
    // A group cut short is not used; too few bytes wait for more.
    Wx200 cut(0);
    EXPECT_FALSE(cut.Feed(std::string(130, '\x11')));
    EXPECT_FALSE(cut.Feed(humidity.substr(0, 11)));  // scanned: the group is not whole
}

TEST(WxNowFile, BothFormsAndMissingSensors) {
    const auto a = ParseWxNow("Dec 08 2026 23:15\n272/010g015t069r001p030P020h61b10150\n");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->reading.windDirection, 272);
    EXPECT_EQ(a->reading.windMph, 10);
    EXPECT_EQ(a->reading.gustMph, 15);
    EXPECT_EQ(a->reading.outsideTenthsF, 690);
    EXPECT_EQ(a->rainHour, 1);
    EXPECT_EQ(a->rainDay, 30);
    EXPECT_EQ(a->rainToday, 20);
    EXPECT_EQ(a->reading.humidity, 61);
    EXPECT_EQ(a->reading.pressureTenthsMbar, 10150);
    const auto b = ParseWxNow("c...s...g...t-05h00b.....");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->reading.windMph, -1);
    EXPECT_EQ(b->reading.outsideTenthsF, -50);
    EXPECT_EQ(b->reading.humidity, 100);
    EXPECT_EQ(b->reading.pressureTenthsMbar, 0);
    EXPECT_FALSE(ParseWxNow("Dec 08 2026 23:15\n"));
    EXPECT_FALSE(ParseWxNow(""));
}

TEST(WeatherStation, AutoDetectionAndTheLineForms) {
    WeatherState state;
    WeatherStation station(state);
    station.Configure({});
    station.Input("garbage\r\n", 100);
    EXPECT_EQ(station.Type(), 0);
    station.Input("#4208A00000012\r\n", 110);
    EXPECT_EQ(station.Type(), 2);
    EXPECT_EQ(state.Record().temperature, 820);
    station.Configure({});
    station.Input("$ULTW0031003702CE0069----000086A00001----011901CC00000005", 120);
    EXPECT_EQ(station.Type(), 3);
    EXPECT_EQ(station.Readings(), 2);
    // A type that takes bytes hands them to its decoder as they come.
    WeatherStationSettings davis;
    davis.type = 5;
    station.Configure(davis);
    const std::string block = DavisBlock(700, 650, 5, 90, 30000, 40, 50, 10);
    station.Input(block.substr(0, 10), 130);
    station.Input(block.substr(10), 131);
    EXPECT_EQ(state.Record().temperature, 650);
    EXPECT_EQ(state.LastData(), 131u);
    EXPECT_EQ(station.Poll(), "LOOP  \r");
}

}  // namespace
}  // namespace velmora
