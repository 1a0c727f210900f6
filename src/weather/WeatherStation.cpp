#include "weather/WeatherStation.h"

#include "weather/Hk5001.h"
#include "weather/TextStations.h"
#include "weather/Ultimeter.h"
#include "weather/WxNowFile.h"

namespace velmora {

void WeatherStation::Configure(const WeatherStationSettings& s) {
    settings_ = s;
    if (settings_.rainFactor != 10) settings_.rainFactor = 1;
    davis_ = DavisLoop(s.barometerOffset, s.type != kWeatherTypeDavisNoPressure);
    wx200_ = Wx200(s.barometerOffset);
    weatherMax_ = WeatherMax();
}

void WeatherStation::Store(const WeatherReading& r, TimeStamp now) {
    state_.Store(r, now);
    ++readings_;
}

void WeatherStation::Input(std::string_view data, TimeStamp now) {
    switch (settings_.type) {
        case kWeatherTypeDavis:
        case kWeatherTypeDavisNoPressure:
            if (const auto r = davis_.Feed(data)) Store(*r, now);
            return;
        case 9:
            if (const auto r = wx200_.Feed(data)) Store(*r, now);
            return;
        default:
            Line(data, now);
            return;
    }
}

void WeatherStation::Line(std::string_view line, TimeStamp now) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    while (!line.empty() && (line.front() == '\r' || line.front() == '\n')) line.remove_prefix(1);
    if (settings_.type == 0) {
        // An unconfigured port listens for the stations that announce themselves.
        if (IsUltimeterIILine(line)) settings_.type = 2;
        else if (IsU2000Line(line)) settings_.type = 3;
    }
    const int before = static_cast<int>(readings_);
    switch (settings_.type) {
        case 2:
            if (const auto r = DecodeUltimeterII(line, settings_.rainFactor)) {
                Store(*r, now);
                state_.CheckAlarmReports(settings_.limits);
            }
            break;
        case 3:
            if (const auto r = DecodeU2000(line, settings_.rainFactor)) Store(*r, now);
            break;
        case 4:
            if (DecodeHk5001(line, state_, now)) {
                ++readings_;
                state_.CheckAlarmReports(settings_.limits);
            }
            break;
        case 6:
            if (const auto r = DecodeTexas(line)) Store(*r, now);
            break;
        case kWeatherTypeWeatherMax:
            if (const auto r = weatherMax_.Line(line)) Store(*r, now);
            break;
        case 8:
            if (DecodeCapricorn(line, state_, now)) ++readings_;
            break;
        default: break;
    }
    if (readings_ == before) ++ignored_;
}

bool WeatherStation::FileText(std::string_view text, TimeStamp now) {
    const auto w = ParseWxNow(text);
    if (!w) return false;
    WeatherReading r = w->reading;
    r.rainCounter = -1;
    Store(r, now);
    state_.SetRainTotals(w->rainHour, w->rainDay, w->rainToday, now);
    return true;
}

std::string WeatherStation::Poll() {
    if (settings_.type == kWeatherTypeWeatherMax) weatherMax_.Polled();
    if (settings_.type == kWeatherTypeDavis || settings_.type == kWeatherTypeDavisNoPressure) davis_.Clear();
    return std::string(WeatherStationTypeOf(settings_.type).poll);
}

}  // namespace velmora
