#pragma once
// The home weather station behind the weather port: input of the chosen
// type goes to its decoder, and every reading into the weather state. Type
// 0 listens for an Ultimeter and switches to it when one speaks.
#include <string>
#include <string_view>

#include "weather/DavisLoop.h"
#include "weather/WeatherMax.h"
#include "weather/WeatherState.h"
#include "weather/WeatherStationType.h"
#include "weather/Wx200.h"

namespace velmora {

struct WeatherStationSettings {
    int type = 0;
    int rainFactor = 1;        // 10 for a 0.10 inch gauge, 1 for 0.01 inch
    int barometerOffset = 0;   // tenths of a millibar, added to Davis and WX-200 pressure
    WeatherLimits limits;
};

class WeatherStation {
public:
    explicit WeatherStation(WeatherState& state) : state_(state) {}

    // New settings: the decoders start over.
    void Configure(const WeatherStationSettings& settings);
    const WeatherStationSettings& Settings() const { return settings_; }
    int Type() const { return settings_.type; }

    // A line (or, for the binary types, a block of bytes) from the port.
    void Input(std::string_view data, TimeStamp now);
    // The text of "wxnow.txt"; false when it holds no weather line.
    bool FileText(std::string_view text, TimeStamp now);
    // What to send to poll the station now (empty for none); the decoder
    // expects the answer from here on.
    std::string Poll();
    // Lines the decoders took and left alone, for the tests and the display.
    long Readings() const { return readings_; }
    long Ignored() const { return ignored_; }

private:
    void Line(std::string_view line, TimeStamp now);
    void Store(const WeatherReading& r, TimeStamp now);

    WeatherState& state_;
    WeatherStationSettings settings_;
    DavisLoop davis_;
    Wx200 wx200_;
    WeatherMax weatherMax_;
    long readings_ = 0, ignored_ = 0;
};

}  // namespace velmora
