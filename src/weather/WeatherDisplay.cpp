#include "weather/WeatherDisplay.h"

#include <cstdio>

namespace velmora {
namespace {

int Celsius(int tenthsF) { return (tenthsF - 320) * 5 / 90; }
int Kmh(int mph) { return mph * 1609 / 1000; }

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[128];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

}  // namespace

std::string_view CompassText(int degrees) {
    static constexpr std::string_view kPoints[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                                   "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
    const int d = ((degrees % 360) + 360) % 360;
    return kPoints[static_cast<size_t>((d * 10 + 112) / 225) % 16];
}

std::vector<std::string> WeatherDisplayLines(const WeatherDisplayInput& in) {
    const WeatherRecord& w = in.record;
    std::vector<std::string> lines;
    if (in.lastData == 0) {
        const char* unit = in.metric ? "C" : "F";
        lines = {"--:--", "-- F  -- C", std::string("Lo -- ") + unit + " Hi -- " + unit + " Yest -- " + unit + " (Delta -- " + unit + ")",
                 in.metric ? "Total -- mm   Rate -- mm" : "Total -- Inches   Rate -- Inches",
                 "Humidity: Outside --  Inside --", in.metric ? "Wind -- km/h  --  --" : "Wind -- mph  --  --",
                 in.metric ? "Gust -- km/h  --  High --" : "Gust -- mph  --  High --", "-- mb  -- in",
                 "Low -- mb High -- mb  Yesterday -- mb", std::string(in.typeName)};
        return lines;
    }
    const LocalDateTime at = FromTimeStamp(in.lastData);
    lines.push_back(Format("%02d:%02d", at.hour, at.minute));
    lines.push_back(Format("%3d F  %3d C", w.temperature / 10, Celsius(w.temperature)));
    const bool extremes = w.temperatureMin <= w.temperatureMax;
    const int yesterday = in.yesterdayTenthsF;
    if (!in.metric) {
        lines.push_back(extremes ? Format("Lo %2d F Hi %2d F Yest %3d F (Delta %2d F)", w.temperatureMin / 10,
                                          w.temperatureMax / 10, yesterday / 10, (w.temperature - yesterday) / 10)
                                 : "Lo -- F Hi -- F Yest -- F (Delta -- F)");
        lines.push_back(Format("Total %d.%02d Inches   Rate %d Inches", w.rainToday / 100, w.rainToday % 100,
                               w.rain1h / 100));
    } else {
        lines.push_back(extremes ? Format("Lo %2d C Hi %2d C Yest %3d C (Delta %2d C)", Celsius(w.temperatureMin),
                                          Celsius(w.temperatureMax), Celsius(yesterday),
                                          Celsius(w.temperature) - Celsius(yesterday))
                                 : "Lo -- C Hi -- C Yest -- C (Delta -- C)");
        const int mm = w.rainToday * 254 / 100, rate = w.rain1h * 254 / 100;
        lines.push_back(Format("Total %d.%d mm   Rate %d.%d mm", mm / 10, mm % 10, rate / 10, rate % 10));
    }
    lines.push_back(w.humidity > 0 ? Format("Humidity: Outside %d  Inside %d", w.humidity, w.humidityInside)
                                   : std::string("Humidity: Outside --  Inside --"));
    const std::string compass(CompassText(w.windDirection));
    if (!in.metric) {
        lines.push_back(Format("Wind %3d mph  %3d  %s", w.windSpeed, w.windDirection, compass.c_str()));
        lines.push_back(Format("Gust %3d mph  %3d  High %3d", w.windGust, w.windGustDirection, w.gustMax));
    } else {
        lines.push_back(Format("Wind %3d km/h  %3d  %s", Kmh(w.windSpeed), w.windDirection, compass.c_str()));
        lines.push_back(Format("Gust %3d km/h  %3d  High %3d", Kmh(w.windGust), w.windGustDirection, Kmh(w.gustMax)));
    }
    if (w.pressure > 0) {
        lines.push_back(Format("%ld mb  %ld in", long(w.pressure / 10), long(w.pressure * 2953L / 10000L)));
        lines.push_back(Format("Low %ld mb High %ld mb  Yesterday %ld mb", long(w.pressureMin / 10),
                               long(w.pressureMax / 10), long(in.yesterdayPressure / 10)));
    } else {
        lines.push_back("-- mb  -- in");
        lines.push_back("Low -- mb High -- mb  Yesterday -- mb");
    }
    lines.push_back(std::string(in.typeName));
    return lines;
}

std::vector<std::string> CompactWeatherLines(const WeatherDisplayInput& in) {
    const WeatherRecord& w = in.record;
    if (in.lastData == 0) {
        const std::string unit = in.metric ? "oC" : "oF";
        return {"T   --" + unit, "TH  --" + unit, "TL  --" + unit, "Ti  --" + unit, "P   --.-", "H   --", "R  --.--",
                "hp    --", "hpi   --", std::string(in.typeName)};
    }
    const auto temperature = [&in](int tenthsF) { return in.metric ? Celsius(tenthsF) : tenthsF / 10; };
    const char tendency = w.pressureTendency > 0 ? '+' : w.pressureTendency < 0 ? '-' : ' ';
    std::vector<std::string> lines = {
        Format(in.metric ? "T %4doC" : "T %4doF", temperature(w.temperature)),
        Format(in.metric ? "TH%4doC" : "TH%4doF", temperature(w.temperatureMax)),
        Format(in.metric ? "TL%4doC" : "TL%4doF", temperature(w.temperatureMin)),
        Format(in.metric ? "Ti%4doC" : "Ti%4doF", temperature(w.temperatureInside)),
        Format("P%c%4d.%1d", tendency, w.pressure / 10, w.pressure % 10),
        Format("H%5d", w.humidity),
        Format("R %3d.%02d", w.rainToday / 100, w.rainToday % 100),
        Format("hp  %4d", w.pressure / 10),
        Format("hpi %4d", int(w.pressure * 2953L / 10000L)),
        std::string(in.typeName),
    };
    return lines;
}

}  // namespace velmora
