#include "transmit/ReportSchedule.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "transmit/TransmitRouter.h"

namespace velmora {
namespace {

// Every send the schedule asks for, by kind and route, with its minute.
struct Recorder final : ScheduleActions {
    bool ChannelOpen(Channel c) const override { return open[c]; }
    bool GpsConnected() const override { return gps; }
    bool TcpServerOn() const override { return tcpServer; }
    bool WeatherSource() const override { return weather; }
    void SendPosition(char route) override { Log("position", route); }
    void OfferPositionToTcpClients() override { Log("tcp", '-'); }
    void SendAlternatePath(int n) override { Log("path" + std::to_string(n + 1), '-'); }
    void SendStatus() override { Log("status", '-'); }
    void SendWeather(char route) override { Log("weather", route); }
    void SendObjects(char route) override { Log("objects", route); }
    void Log(const std::string& what, char route) { sent.push_back({minute, what + " " + route}); }
    std::vector<int> MinutesOf(const std::string& what) const {
        std::vector<int> out;
        for (const auto& [m, s] : sent)
            if (s == what) out.push_back(m);
        return out;
    }
    bool open[kChannels] = {false, false, false};
    bool gps = false, tcpServer = false, weather = false;
    int minute = 0;
    std::vector<std::pair<int, std::string>> sent;
};

void RunMinutes(ReportSchedule& s, Recorder& r, int from, int count) {
    for (int k = 0; k < count; ++k) {
        r.minute = from + k;
        s.Minute((from + k) % 60, r);
    }
}

TEST(ReportSchedule, ARateOfThirtySendsAtTheFirstMinuteAndThenEveryThirty) {
    ReportSchedule s;
    s.SetRates(DefaultReportRates());
    Recorder r;
    r.open[kChannelHf] = true;
    s.Reset(0);
    RunMinutes(s, r, 1, 120);
    EXPECT_EQ(r.MinutesOf("position H"), (std::vector<int>{1, 30, 60, 90, 120}));
    EXPECT_EQ(s.StationaryCounter(kChannelHf), 30);
    EXPECT_TRUE(r.MinutesOf("position V").empty());  // a closed channel stands still
}

TEST(ReportSchedule, BeforeAnyStartTheFirstMinuteSendsAtOnceAndARateOfZeroNever) {
    ReportSchedule s;
    ChannelRates rates = DefaultReportRates();
    rates[kChannelHf].stationary = 0;
    s.SetRates(rates);
    Recorder r;
    r.open[kChannelHf] = r.open[kChannelVhf] = true;
    RunMinutes(s, r, 0, 31);
    EXPECT_TRUE(r.MinutesOf("position H").empty());
    EXPECT_EQ(r.MinutesOf("position V"), (std::vector<int>{0, 30}));
    EXPECT_TRUE(r.MinutesOf("status -").empty());  // no hourly offsets before a start
}

TEST(ReportSchedule, HourlyOffsetsWrapTheHour) {
    ReportSchedule s;
    s.SetRates(DefaultReportRates());
    Recorder r;
    r.open[kChannelVhf] = true;
    s.Reset(58);
    RunMinutes(s, r, 59, 12);
    EXPECT_EQ(r.MinutesOf("status -"), (std::vector<int>{59}));
    EXPECT_EQ(r.MinutesOf("path1 -"), (std::vector<int>{61}));  // minute 1 of the next hour
    EXPECT_EQ(r.MinutesOf("path3 -"), (std::vector<int>{63}));
}

TEST(ReportSchedule, GpsUsesTheMovingRateButNotOnTheInternet) {
    ReportSchedule s;
    s.SetRates(DefaultReportRates());
    Recorder r;
    r.open[kChannelVhf] = r.open[kChannelInternet] = true;
    r.gps = true;
    r.tcpServer = true;
    s.Reset(0);
    RunMinutes(s, r, 1, 30);
    EXPECT_EQ(r.MinutesOf("position V"), (std::vector<int>{1, 10, 20, 30}));
    EXPECT_EQ(r.MinutesOf("position T"), (std::vector<int>{1, 30}));
    EXPECT_TRUE(r.MinutesOf("tcp -").empty());  // the TCP broadcast only without a GPS
    r.gps = false;
    r.sent.clear();
    RunMinutes(s, r, 31, 12);
    EXPECT_EQ(r.MinutesOf("tcp -"), (std::vector<int>{34, 38, 42}));
}

TEST(ReportSchedule, WeatherAtItsRateOrAtOnceAfterAnAlarmAndObjects) {
    ReportSchedule s;
    s.SetRates(DefaultReportRates());
    Recorder r;
    r.open[kChannelVhf] = true;
    r.weather = true;
    s.Reset(0);
    RunMinutes(s, r, 1, 12);
    EXPECT_EQ(r.MinutesOf("weather V"), (std::vector<int>{10}));
    s.WeatherNow(kChannelVhf);
    RunMinutes(s, r, 13, 1);
    EXPECT_EQ(r.MinutesOf("weather V"), (std::vector<int>{10, 13}));
    RunMinutes(s, r, 14, 20);
    EXPECT_EQ(r.MinutesOf("objects V"), (std::vector<int>{30}));
}

// Where the router put each packet.
struct Links final : TransmitLinks {
    bool TncOpen(int port) const override { return open[port]; }
    bool KissOn(int port) const override { return kiss[port]; }
    void SendText(int port, std::string_view text, int) override { out.push_back("text" + std::to_string(port) + " " + std::string(text)); }
    void SendKiss(int port, std::string_view text) override { out.push_back("kiss" + std::to_string(port) + " " + std::string(text)); }
    bool InternetOpen() const override { return internet; }
    void SendInternet(std::string_view line) override { out.push_back("net " + std::string(line)); }
    void OfferTcpClients(std::string_view line) override { out.push_back("tcp " + std::string(line)); }
    void RecordTransmitted(std::string_view line) override { history.emplace_back(line); }
    bool open[3] = {false, true, true};
    bool kiss[3] = {false, false, true};
    bool internet = true;
    std::vector<std::string> out, history;
};

TEST(TransmitRouter, RoutesByCharacterAndArrangement) {
    Links l;
    RouteSettings s;
    s.ownCall = "N0ME";
    RouteTransmit('-', "X\r", 0, s, l);
    EXPECT_EQ(l.out, (std::vector<std::string>{"net N0ME>APZ228,TCPIP*:X\r", "tcp N0ME>APZ228,TCPIP*:X\r", "text1 X\r",
                                               "kiss2 X\r"}));
    EXPECT_EQ(l.history, (std::vector<std::string>{">xmit To ALL>X\r"}));
    l.out.clear();
    RouteTransmit('V', "Y\r", 0, s, l);
    EXPECT_EQ(l.out, (std::vector<std::string>{"kiss2 Y\r"}));
    // A dual-port TNC: written twice to the HF cable, once with each prefix.
    l.out.clear();
    s.arrangement = 2;
    s.prefixHf = "~1", s.prefixVhf = "~2";
    RouteTransmit('-', "Z\r", 0, s, l);
    EXPECT_EQ(l.out, (std::vector<std::string>{"net N0ME>APZ228,TCPIP*:Z\r", "tcp N0ME>APZ228,TCPIP*:Z\r",
                                               "text1 ~1Z\r", "text1 ~2Z\r"}));
    // Receive only: the internet still, the radios never.
    l.out.clear();
    s.arrangement = 0;
    RouteTransmit('H', "Q\r", 0, s, l);
    EXPECT_TRUE(l.out.empty());
    EXPECT_EQ(RouteDisplay('x'), ">xmit To ?\?\?>");
}

}  // namespace
}  // namespace velmora
