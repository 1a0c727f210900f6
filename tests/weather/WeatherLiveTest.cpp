// Every station type where users have one: a socat pseudo-terminal plays
// the station on the weather port, another takes the TNC's side of the VHF
// port. Each stream is the kind the station sends (written here, byte for
// byte), and the own weather report must leave the TNC with its values.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/MenuTable.h"
#include "app/Program.h"
#include "platform/qt/QtSerial.h"
#include "ports/PortRole.h"
#include "support/PumpUntil.h"
#include "support/SerialProgram.h"
#include "support/SocatPair.h"
#include "support/TestProgram.h"
#include "weather/DavisLoop.h"

namespace velmora {
namespace {

std::string DavisBlock(int outside) {
    uint8_t d[15] = {0xC8, 0x02, static_cast<uint8_t>(outside & 0xFF), static_cast<uint8_t>(outside >> 8), 7, 0x5A, 0,
                     0xE0, 0x74, 40, 60, 0x10, 0};
    const uint16_t crc = CrcCcitt(d, 15);
    std::string b = "\x01" + std::string(reinterpret_cast<char*>(d), 15);
    b += static_cast<char>(crc >> 8);
    b += static_cast<char>(crc & 0xFF);
    return b;
}

std::string Wx200Stream() {
    std::string humidity(35, '\0'), temperature(34, '\0'), pressure(31, '\0'), wind(27, '\0');
    humidity[0] = '\x8F', humidity[8] = '\x45', humidity[20] = '\x67';
    temperature[0] = '\x9F', temperature[1] = '\x15', temperature[2] = '\x02', temperature[16] = '\x50';
    pressure[0] = '\xAF', pressure[1] = '\x13', pressure[2] = '\x10';
    wind[0] = '\xCF', wind[1] = '\x50', wind[2] = '\x80', wind[3] = '\x27';
    return humidity + temperature + pressure + wind + std::string(20, '\x55');
}

std::string TexasLine() {
    std::string line(58, ' ');
    const auto at = [&line](size_t column, std::string_view text) { line.replace(column, text.size(), text); };
    at(0, "12:34:56 WIND"), at(15, "SSW"), at(18, "64"), at(29, "72.5"), at(35, "55.0"), at(45, "29.92"), at(52, "0.15");
    return line + "\r\n";
}

std::string WeatherMaxAnswer() {
    const char* lines[14] = {"12 12", "0", "215", "105", "2992", "0", "40", "65", "0", "123", "0", "0", "0", "0"};
    std::string out;
    for (const char* l : lines) out += std::string(l) + "\r\n";
    return out;
}

struct Case {
    int type;
    std::string poll;     // what the station is asked first
    std::string stream;   // what it answers
    int temperature;      // tenths of a degree F in the record
    std::string report;   // in the report that goes out
};

std::vector<Case> Cases() {
    return {
        {2, "", "#4208A00000012\r\n", 820, "c090s020g020t082r000p000P000h..b.....wUII"},
        {3, "", "!!00A0005B02CE00122792FFEC01F4032000000384\r\n", 718, "c127s010g010t071r000p000P000h50b10130wU2K"},
        {4, "ATXSA\r", "T72\r\nH45\r\nB2992\r\nw 10  90\r\n", 720, "c090s010g000t072r000p000P000h45b10132wHKT"},
        {5, "LOOP  \r", DavisBlock(455), 455, "c090s007g007t045r000p000P000h60b10132wDAV"},
        {6, "", TexasLine(), 550, "c202s004g004t055r000p000P000h00b10132wTEX"},
        {7, "DRTDA\r", WeatherMaxAnswer(), 509, "c270s012g012t050r000p000P000h65b10132wMAX"},
        {8, "", "OUTSIDE TEMP 21.5 DEG C\r\nWIND DIRECTION WSW\r\nWIND SPEED 10 MPH\r\nBAROMETER 29.92 IN\r\nHUMIDITY 48 %\r\n",
         707, "c247s010g000t070r...p...P...h00b10132wCAP"},
        {9, "", Wx200Stream(), 410, "c278s011g011t041r000p000P000h67b10130wRSW"},
        {11, "LOOP  \r", DavisBlock(455), 455, "c090s007g007t045r000p000P000h60b.....wDAV"},
    };
}

struct LiveStation : test::TestProgram {
    LiveStation(const Case& c, const test::SocatPair& wx, const test::SocatPair& tnc) {
        opts.serial = &serial;
        test::SetPref(prefs, "own_call", "N0WX");
        prefs.SetOwnLatitude(41.5);
        prefs.SetOwnLongitude(-72.5);
        test::SetPref(prefs, "port2_device", tnc.Near());
        test::SetPref(prefs, "port4_device", wx.Near());
        test::SetPref(prefs, "weather_station_type", std::to_string(c.type));
        test::SetPref(prefs, "rate_weather_vhf", "1");
        EXPECT_TRUE(prefs.Save(files));
        Started();
    }
    ~LiveStation() {
        program->Stop();
        program.reset();
    }
    void Minute() {
        clock.Advance(60);
        program->OnTimer(kTimerTick);
        RunSingleShots();
    }
    QtSerialLayer serial;
    Preferences prefs;
};

TEST(WeatherLive, EveryStationTypeThroughAPseudoTerminal) {
    if (!test::SocatPair::Available()) GTEST_SKIP() << "socat is not installed";
    for (const Case& c : Cases()) {
        SCOPED_TRACE("station type " + std::to_string(c.type));
        test::SocatPair wx, tnc;
        ASSERT_TRUE(wx.Ready() && tnc.Ready());
        LiveStation s(c, wx, tnc);
        Program& p = *s.program;
        p.Command(kCmdOpenVhfTnc);
        p.Command(kCmdOpenWxPort);
        s.RunSingleShots();
        ASSERT_TRUE(p.IsChecked(kCmdOpenWxPort));
        std::string asked;
        if (!c.poll.empty())
            EXPECT_TRUE(test::PumpUntil([&] { return (asked += wx.Read()).find(c.poll) != std::string::npos; }, 5000)) << asked;
        ASSERT_TRUE(wx.Write(c.stream));
        const WeatherRecord& w = p.Weather().State().Record();
        EXPECT_TRUE(test::PumpUntil([&] { return p.Weather().State().HasData() && w.temperature == c.temperature; }, 5000))
            << w.temperature;
        // The tick notes the day and the hour first; the report is due a minute after the TNC started.
        s.Minute();
        s.Minute();
        std::string sent;
        for (int m = 0; m < 4 && sent.find(c.report) == std::string::npos; ++m) {
            s.Minute();
            test::PumpUntil([&] { return (sent += tnc.Read()).find(c.report) != std::string::npos; }, 1500);
        }
        EXPECT_NE(sent.find(c.report), std::string::npos) << sent;
    }
}

}  // namespace
}  // namespace velmora
