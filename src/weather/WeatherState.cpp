#include "weather/WeatherState.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {
namespace {

bool OutsideTemperatureOk(int32_t t) { return t >= kMinOutsideTenthsF && t <= kMaxOutsideTenthsF; }
bool PressureOk(int32_t p) { return p >= kMinPressureTenths && p <= kMaxPressureTenths; }
bool PercentOk(int32_t h) { return h >= 1 && h <= 100; }
int32_t Direction(int32_t d) { return d >= 0 && d <= 360 ? d : 0; }

}  // namespace

void WeatherState::Reset() {
    record_ = WeatherRecord{};
    minuteRain_.fill(0);
    hourRain_.fill(0);
    pressureHistory_.fill(0);
    lastData_ = lastRain_ = 0;
    hasRawTemperature_ = hasRainCounter_ = false;
    requests_ = {};
    shown_ = {};
}

void WeatherState::ClearExtremes() {
    record_.temperatureMin = 999;
    record_.temperatureMax = -999;
    record_.gustMax = record_.gustMaxDirection = 0;
    record_.windGust = 0;
    record_.humidityMin = record_.humidityMax = 0;
    record_.pressureMin = record_.pressureMax = 0;
}

void WeatherState::Temperature(int32_t t, TimeStamp now) {
    WeatherRecord& w = record_;
    if (t < w.temperatureMin) w.temperatureMin = t, w.temperatureMinTime = now;
    if (t > w.temperatureMax) w.temperatureMax = t, w.temperatureMaxTime = now;
    w.temperaturePrevious = w.temperature = t;
    hasRawTemperature_ = true;
}

void WeatherState::PressureExtremes(int32_t p, TimeStamp now) {
    WeatherRecord& w = record_;
    if (w.pressureMin == 0 || p < w.pressureMin) w.pressureMin = p, w.pressureMinTime = now;
    if (p > w.pressureMax) w.pressureMax = p, w.pressureMaxTime = now;
    w.pressure = p;
}

void WeatherState::Humidity(int32_t h) {
    WeatherRecord& w = record_;
    w.humidity = h;
    if (w.humidityMin == 0 || h < w.humidityMin) w.humidityMin = h;
    if (h > w.humidityMax) w.humidityMax = h;
}

void WeatherState::Store(const WeatherReading& r, TimeStamp now) {
    WeatherRecord& w = record_;
    // A jump of 20 F or more between two readings is more often a glitch
    // on the cable than weather: average it in instead of taking it.
    if (OutsideTemperatureOk(r.outsideTenthsF)) {
        if (hasRawTemperature_ && std::abs(r.outsideTenthsF - w.temperature) >= 200)
            w.temperature = (w.temperaturePrevious + w.temperature + r.outsideTenthsF) / 3;
        else
            Temperature(r.outsideTenthsF, now);
    }
    if (r.insideTenthsF >= -999 && r.insideTenthsF <= 1999) w.temperatureInside = r.insideTenthsF;
    if (r.pressureTenthsMbar > 0 && PressureOk(r.pressureTenthsMbar)) PressureExtremes(r.pressureTenthsMbar, now);
    const int32_t direction = Direction(r.windDirection);
    if (r.windMph >= 0) Wind(r, direction, now);
    if (PercentOk(r.humidity)) Humidity(r.humidity);
    if (PercentOk(r.insideHumidity)) w.humidityInside = r.insideHumidity;
    if (r.rainCounter >= 0) Rain(r.rainCounter, now);
    if (w.pressure > 0 && pressureHistory_[0] == 0 && pressureHistory_[1] == 0) pressureHistory_.fill(w.pressure);
    pressureHistory_[2] = w.pressure;
    const int32_t oldest = pressureHistory_[0];
    if (oldest != 0) w.pressureTendency = w.pressure == oldest ? 0 : w.pressure > oldest ? 1 : -1;
    Touched(now);
}

void WeatherState::Wind(const WeatherReading& r, int32_t direction, TimeStamp now) {
    WeatherRecord& w = record_;
    const int32_t speed = r.windMph <= kMaxWindMph ? r.windMph : 0;
    if (speed > 0) {
        if (speed > w.gustMax) w.gustMax = speed, w.gustMaxDirection = direction, w.gustMaxTime = now;
        if (speed > w.windGust) w.windGust = speed, w.windGustDirection = direction;
    }
    if (r.gustMph > 0 && r.gustMph <= kMaxWindMph) {
        if (r.gustMph > w.gustMax) w.gustMax = r.gustMph, w.gustMaxDirection = direction, w.gustMaxTime = now;
        w.windGust = r.gustMph;
    }
    w.windDirection = direction;
    w.windSpeed = w.windSpeedCopy = speed;
}

void WeatherState::Rain(int32_t counter, TimeStamp now) {
    WeatherRecord& w = record_;
    // The first counter after start is where we begin, not rain that fell.
    if (hasRainCounter_ && counter > w.rainCounter && counter > 0) {
        ReportDue();
        lastRain_ = now;
        const int32_t increase = counter - w.rainCounter;
        w.rainAccumulated += increase;
        w.rainSinceSample += increase;
    }
    if (!w.initialised) {
        minuteRain_.fill(counter);
        hourRain_.fill(counter);
        w.initialised = true;
    }
    hasRainCounter_ = true;
    w.rainCounter = counter;
    // A counter that went back (a station reset) gives no negative rain.
    w.rain1h = std::max(0, counter - minuteRain_[0]);
    w.rain24h = std::max(0, counter - hourRain_[0]);
    w.rainToday = w.rainMidnight >= 0 ? std::max(0, counter - w.rainMidnight) : 0;
    minuteRain_.back() = counter;
    hourRain_.back() = counter;
}

void WeatherState::SetOutsideTemperature(int32_t t, TimeStamp now) {
    if (!OutsideTemperatureOk(t)) return;
    Temperature(t, now);
    Touched(now);
}

void WeatherState::SetInsideTemperature(int32_t t, TimeStamp now) {
    if (t < -999 || t > 1999) return;
    record_.temperatureInside = t;
    Touched(now);
}

void WeatherState::SetPressure(int32_t p, TimeStamp now) {
    if (!PressureOk(p)) return;
    PressureExtremes(p, now);
    if (pressureHistory_[0] == 0 && pressureHistory_[1] == 0) pressureHistory_.fill(p);
    pressureHistory_[2] = p;
    Touched(now);
}

void WeatherState::SetHumidity(int32_t h, TimeStamp now) {
    if (!PercentOk(h)) return;
    Humidity(h);
    Touched(now);
}

void WeatherState::SetInsideHumidity(int32_t h, TimeStamp now) {
    if (!PercentOk(h)) return;
    record_.humidityInside = h;
    Touched(now);
}

void WeatherState::SetWind(int32_t mph, int32_t direction, TimeStamp now) {
    if (mph < 0 || mph > kMaxWindMph) return;
    WeatherRecord& w = record_;
    w.windSpeed = w.windSpeedCopy = mph;
    w.windDirection = Direction(direction);
    if (mph > w.gustMax) w.gustMax = mph, w.gustMaxDirection = w.windDirection, w.gustMaxTime = now;
    Touched(now);
}

void WeatherState::SetGust(int32_t mph, int32_t direction, TimeStamp now) {
    if (mph < 0 || mph > kMaxWindMph) return;
    WeatherRecord& w = record_;
    w.windGust = mph;
    w.windGustDirection = Direction(direction);
    if (mph > w.gustMax) w.gustMax = mph, w.gustMaxDirection = w.windGustDirection, w.gustMaxTime = now;
    Touched(now);
}

void WeatherState::SetRainCounter(int32_t counter, TimeStamp now) {
    if (counter < 0) return;
    WeatherRecord& w = record_;
    if (hasRainCounter_ && counter > w.rainCounter) {
        lastRain_ = now;
        w.rainAccumulated += counter - w.rainCounter;
        w.rainSinceSample += counter - w.rainCounter;
    }
    hasRainCounter_ = true;
    w.rainCounter = counter;
    // This station counts its own hour and day: both take the value.
    w.rain1h = w.rain24h = counter;
    w.rainToday = w.rainMidnight >= 0 ? std::max(0, counter - w.rainMidnight) : 0;
    ReportDue();
    Touched(now);
}

void WeatherState::SetRainTotals(int32_t hour, int32_t day, int32_t today, TimeStamp now) {
    WeatherRecord& w = record_;
    if (today >= 0) {
        if (hasRainCounter_ && today > w.rainCounter) {
            ReportDue();
            lastRain_ = now;
            w.rainAccumulated += today - w.rainCounter;
            w.rainSinceSample += today - w.rainCounter;
        }
        hasRainCounter_ = true;
        w.rainCounter = w.rainToday = today;
    }
    if (hour >= 0) w.rain1h = hour;
    if (day >= 0) w.rain24h = day;
    Touched(now);
}

void WeatherState::EnterManually(const Manual& m, TimeStamp now) {
    WeatherRecord& w = record_;
    w.temperaturePrevious = w.temperature = std::clamp(m.temperatureF, -99, 120) * 10;
    w.windSpeed = w.windSpeedCopy = std::clamp(m.windSpeedMph, 0, kMaxWindMph);
    w.windDirection = std::clamp(m.windDirection, 0, 360);
    w.rain1h = std::max(0, m.rainHour);
    w.rain24h = std::max(0, m.rainDay);
    // Pressure typed in millibars is taken as such.
    const int32_t p = m.pressure > 0 && m.pressure < 8000 ? m.pressure * 10 : m.pressure;
    w.pressure = PressureOk(p) ? p : 0;
    hasRawTemperature_ = true;
    Touched(now);
}

void WeatherState::ShiftMinute() {
    std::rotate(minuteRain_.begin(), minuteRain_.begin() + 1, minuteRain_.end());
    minuteRain_.back() = record_.rainCounter;
}

void WeatherState::ShiftHour() {
    std::rotate(hourRain_.begin(), hourRain_.begin() + 1, hourRain_.end());
    hourRain_.back() = record_.rainCounter;
    std::rotate(pressureHistory_.begin(), pressureHistory_.begin() + 1, pressureHistory_.end());
    pressureHistory_.back() = record_.pressure;
}

void WeatherState::CheckAlarmReports(const WeatherLimits& l) {
    const WeatherRecord& w = record_;
    const int32_t degrees = w.temperaturePrevious / 10;
    if ((l.highWindMph > 0 && w.windSpeed > l.highWindMph) ||
        (l.lowTemperatureF != 0 && hasRawTemperature_ && degrees < l.lowTemperatureF) ||
        (l.highTemperatureF != 0 && hasRawTemperature_ && degrees > l.highTemperatureF))
        ReportDue();
}

void WeatherState::Touched(TimeStamp now) {
    lastData_ = now;
    const Shown shown{record_.temperature / 10, record_.rainCounter, record_.pressure, record_.windSpeed};
    if (!(shown == shown_)) {
        shown_ = shown;
        requests_.displayChanged = true;
    }
}

WeatherRequests WeatherState::TakeRequests() {
    const WeatherRequests r = requests_;
    requests_ = {};
    return r;
}

}  // namespace velmora
