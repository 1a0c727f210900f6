#pragma once
// When the own reports go out: a countdown a minute for each channel (the
// HF TNC, the VHF TNC, the internet link) and each kind of report, a faster
// position rate while a GPS is connected, and a few reports once an hour at
// minutes taken from when a TNC was started.
#include <array>
#include <cstdint>

namespace velmora {

enum Channel : int { kChannelHf = 0, kChannelVhf = 1, kChannelInternet = 2, kChannels = 3 };
constexpr char kChannelRoute[kChannels] = {'H', 'V', 'T'};

// Minutes between reports, 0 off (the preferences' report rates).
struct ReportRates {
    int16_t stationary = 0, moving = 0, weather = 0, objects = 0;
};
using ChannelRates = std::array<ReportRates, kChannels>;

// What the schedule asks of the program.
class ScheduleActions {
public:
    virtual ~ScheduleActions() = default;
    virtual bool ChannelOpen(Channel c) const = 0;
    virtual bool GpsConnected() const = 0;
    virtual bool TcpServerOn() const = 0;
    // The weather port is open, or the values are entered by hand.
    virtual bool WeatherSource() const = 0;
    virtual void SendPosition(char route) = 0;
    virtual void OfferPositionToTcpClients() = 0;
    // Alternate path n (0..2): the position on each TNC that has one.
    virtual void SendAlternatePath(int n) = 0;
    virtual void SendStatus() = 0;
    virtual void SendWeather(char route) = 0;
    virtual void SendObjects(char route) = 0;
    // Messaging's share (bulletins at minute % 20, announcements at their
    // minute, retries every minute); nothing until messaging is built.
    virtual void MessageTasks(int /*minute*/, bool /*announcementMinute*/) {}
};

class ReportSchedule {
public:
    void SetRates(const ChannelRates& rates) { rates_ = rates; }
    const ChannelRates& Rates() const { return rates_; }

    // A TNC started at this minute: the hourly offsets, every counter from
    // its rate, a position due on every channel.
    void Reset(int minute);
    // Once a minute change, with the minute of the hour.
    void Minute(int minute, ScheduleActions& a);

    // Set by a weather alarm or a query: out at the next minute.
    void WeatherNow(Channel c) { weatherNow_[c] = true; }
    void PositionNow(Channel c) { positionNow_[c] = true; }
    // A position sent by hand on a channel answers what was due there.
    void PositionSent(Channel c) { positionNow_[c] = false; }
    bool PositionDue(Channel c) const { return positionNow_[c]; }

    struct Offsets {
        int status = 0, path1 = 0, path2 = 0, path3 = 0, announce = 0;
    };
    const Offsets& HourlyOffsets() const { return offsets_; }
    int16_t StationaryCounter(Channel c) const { return stationary_[c]; }

private:
    void Positions(int minute, ScheduleActions& a);

    ChannelRates rates_{};
    std::array<int16_t, kChannels> stationary_{}, moving_{}, weather_{}, objects_{};
    std::array<bool, kChannels> positionNow_{}, weatherNow_{};
    Offsets offsets_{};
    bool started_ = false;
};

// The rates a new station starts with.
ChannelRates DefaultReportRates();

}  // namespace velmora
