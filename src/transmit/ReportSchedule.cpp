#include "transmit/ReportSchedule.h"

namespace velmora {
namespace {

// One minute off a counter; true when it ran out (and it starts again).
bool CountDown(int16_t& counter, int16_t rate) {
    if (--counter >= 1) return false;
    counter = rate;
    return true;
}

}  // namespace

ChannelRates DefaultReportRates() {
    return {{{30, 10, 10, 30}, {30, 10, 10, 30}, {30, 0, 30, 0}}};
}

void ReportSchedule::Reset(int minute) {
    offsets_ = {(minute + 1) % 60, (minute + 3) % 60, (minute + 4) % 60, (minute + 5) % 60, (minute + 10) % 60};
    for (int c = 0; c < kChannels; ++c) {
        stationary_[c] = rates_[c].stationary;
        moving_[c] = rates_[c].moving;
        weather_[c] = rates_[c].weather;
        objects_[c] = rates_[c].objects;
        positionNow_[c] = true;
    }
    started_ = true;
}

void ReportSchedule::Positions(int minute, ScheduleActions& a) {
    const bool gps = a.GpsConnected();
    for (int c = 0; c < kChannels; ++c) {
        const Channel ch = static_cast<Channel>(c);
        // The internet link has no moving rate: it keeps its stationary one.
        const bool moving = gps && ch != kChannelInternet;
        const int16_t rate = moving ? rates_[c].moving : rates_[c].stationary;
        if (!a.ChannelOpen(ch) || rate <= 0) continue;
        if (CountDown(moving ? moving_[c] : stationary_[c], rate)) a.SendPosition(kChannelRoute[c]);
    }
    if (gps) return;
    if (a.TcpServerOn() && minute % 4 == 2) a.OfferPositionToTcpClients();
    // A rate lowered below the running count takes effect now.
    for (int c = 0; c < kChannels; ++c)
        if (stationary_[c] < 0 || stationary_[c] > rates_[c].stationary) stationary_[c] = rates_[c].stationary;
}

void ReportSchedule::Minute(int minute, ScheduleActions& a) {
    Positions(minute, a);
    if (started_) {
        if (minute == offsets_.path1) a.SendAlternatePath(0);
        if (minute == offsets_.path2) a.SendAlternatePath(1);
        if (minute == offsets_.path3) a.SendAlternatePath(2);
    }
    a.MessageTasks(minute, started_ && minute == offsets_.announce);
    if (started_ && minute == offsets_.status) a.SendStatus();
    if (a.WeatherSource()) {
        for (int c = 0; c < kChannels; ++c) {
            const Channel ch = static_cast<Channel>(c);
            if (!a.ChannelOpen(ch) || rates_[c].weather <= 0) continue;
            if (CountDown(weather_[c], rates_[c].weather) || weatherNow_[c]) {
                weather_[c] = rates_[c].weather;
                weatherNow_[c] = false;
                a.SendWeather(kChannelRoute[c]);
            }
        }
    }
    for (int c = 0; c < kChannels; ++c) {
        if (!positionNow_[c] || !a.ChannelOpen(static_cast<Channel>(c))) continue;
        positionNow_[c] = false;
        a.SendPosition(kChannelRoute[c]);
    }
    for (int c = 0; c < kChannels; ++c) {
        if (!a.ChannelOpen(static_cast<Channel>(c)) || rates_[c].objects <= 0) continue;
        if (CountDown(objects_[c], rates_[c].objects)) a.SendObjects(kChannelRoute[c]);
    }
}

}  // namespace velmora
