#pragma once
// The home station's record and its rolling histories: every decoder's
// reading arrives here, the tick shifts the histories, and what a reading
// asks of the program (a report out of turn, a redraw) is collected for the
// weather module to take.
#include <array>

#include "weather/WeatherReading.h"
#include "weather/WeatherRecord.h"

namespace velmora {

class WeatherState {
public:
    WeatherState() { Reset(); }

    // Start-up: the day's extremes, no histories, midnight's rain unknown.
    void Reset();
    // "Clear WX Hi/Low" and accepted weather settings.
    void ClearExtremes();

    // One complete reading of a decoder. Values of 0 or below (gust -1,
    // rain counter -1) are not reported; impossible ones are dropped.
    void Store(const WeatherReading& r, TimeStamp now);

    // Single values of the stations that send one value per line; these
    // change the record directly, without the spike filter.
    void SetOutsideTemperature(int32_t tenthsF, TimeStamp now);
    void SetInsideTemperature(int32_t tenthsF, TimeStamp now);
    void SetPressure(int32_t tenthsMbar, TimeStamp now);
    void SetHumidity(int32_t percent, TimeStamp now);
    void SetInsideHumidity(int32_t percent, TimeStamp now);
    void SetWind(int32_t mph, int32_t direction, TimeStamp now);
    void SetGust(int32_t mph, int32_t direction, TimeStamp now);
    // A rain counter from a station that reports no history of its own.
    void SetRainCounter(int32_t counter, TimeStamp now);
    // Totals another program worked out (-1: not given); today's total
    // stands in for the counter.
    void SetRainTotals(int32_t hour, int32_t day, int32_t today, TimeStamp now);

    // Values typed into the weather settings dialog (station type 1).
    struct Manual {
        int temperatureF = 0, windSpeedMph = 0, windDirection = 0;
        int rainHour = 0, rainDay = 0, pressure = 0;
    };
    void EnterManually(const Manual& m, TimeStamp now);

    // The tick.
    void ShiftMinute();
    void ShiftHour();
    void MarkMidnight() { record_.rainMidnight = record_.rainCounter; }
    // The five-minute sample took the gust and the rain since the last one.
    // A station's gust is the highest wind since the last sample, so it
    // starts again; a file's gust is the file's own reading and stays
    // until the file says otherwise.
    void SampleTaken(bool gustFromFile = false) {
        if (!gustFromFile) record_.windGust = 0;
        record_.rainSinceSample = 0;
    }

    // The report is due out of turn when a home alarm limit is passed.
    void CheckAlarmReports(const WeatherLimits& limits);

    const WeatherRecord& Record() const { return record_; }
    TimeStamp LastData() const { return lastData_; }
    TimeStamp LastRain() const { return lastRain_; }
    bool HasData() const { return lastData_ != 0; }
    const std::array<int32_t, 60>& MinuteRain() const { return minuteRain_; }
    const std::array<int32_t, 24>& HourRain() const { return hourRain_; }
    const std::array<int32_t, 3>& PressureHistory() const { return pressureHistory_; }

    // What readings asked for since the last call.
    WeatherRequests TakeRequests();

private:
    void Temperature(int32_t tenthsF, TimeStamp now);
    void Wind(const WeatherReading& r, int32_t direction, TimeStamp now);
    void Rain(int32_t counter, TimeStamp now);
    void PressureExtremes(int32_t tenthsMbar, TimeStamp now);
    void Humidity(int32_t percent);
    void ReportDue() { requests_.weatherNowRadio = requests_.positionNowInternet = true; }
    void Touched(TimeStamp now);

    WeatherRecord record_;
    std::array<int32_t, 60> minuteRain_{};
    std::array<int32_t, 24> hourRain_{};
    std::array<int32_t, 3> pressureHistory_{};
    TimeStamp lastData_ = 0, lastRain_ = 0;
    bool hasRawTemperature_ = false;
    bool hasRainCounter_ = false;
    WeatherRequests requests_;
    // What the display showed last: whole degrees, rain, pressure, wind.
    struct Shown {
        int32_t degrees = 0, rain = 0, pressure = 0, wind = 0;
        bool operator==(const Shown&) const = default;
    } shown_;
};

}  // namespace velmora
