// One home weather station type's decoder, chosen when the target is built
// (VELMORA_WEATHER_TYPE): lines or byte chunks as the port hands them, with
// the tick's shifts and polls in between. Nothing may crash, nothing
// impossible may reach the record, and the report built from the record
// must keep every field its width.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/WeatherModule.h"
#include "transmit/WeatherReport.h"
#include "weather/WeatherStation.h"
#include "weather/WeatherStationType.h"

using namespace velmora;

namespace {

void Check(const WeatherRecord& w, int type) {
    const bool ok = (w.temperature >= -600 && w.temperature <= 1500) && w.humidity >= 0 && w.humidity <= 100 &&
                    w.humidityInside >= 0 && w.humidityInside <= 100 &&
                    (w.pressure == 0 || (w.pressure >= kMinPressureTenths && w.pressure <= kMaxPressureTenths)) &&
                    w.windSpeed >= 0 && w.windSpeed <= kMaxWindMph && w.windGust >= 0 && w.windGust <= kMaxWindMph &&
                    w.windDirection >= 0 && w.windDirection <= 360 && w.rainCounter >= 0 && w.rain1h >= 0 &&
                    w.rain24h >= 0 && w.rainToday >= 0;
    if (!ok) std::abort();
    const OwnWeather own = OwnWeatherOf(w);
    const auto report = WeatherReport(type, own, "12081200");
    OwnWeather plain;
    plain.temperatureTenthsF = 500;
    plain.barometerTenthsMbar = 10000;
    const auto reference = WeatherReport(type, plain, "12081200");
    if (report && reference && report->size() != reference->size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    WeatherState state;
    WeatherStation station(state);
    WeatherStationSettings settings;
    settings.type = VELMORA_WEATHER_TYPE;
    settings.rainFactor = (data[0] & 1) ? 10 : 1;
    settings.barometerOffset = static_cast<int8_t>(data[1]);
    station.Configure(settings);
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    TimeStamp now = 3'000'000'000u;
    if (settings.type == kWeatherTypeFile) {
        (void)station.FileText(rest, now);
    } else if (TakesBytes(settings.type)) {
        // Chunks as a serial port delivers them: the first byte of each says how long.
        while (!rest.empty()) {
            const size_t n = std::min<size_t>(rest.size(), 1 + static_cast<unsigned char>(rest[0]) % 64);
            station.Input(rest.substr(0, n), now++);
            rest.remove_prefix(n);
            if (now % 7 == 0) state.ShiftMinute(), (void)station.Poll();
        }
    } else {
        while (!rest.empty()) {
            const size_t end = rest.find('\n');
            station.Input(rest.substr(0, end), now++);
            if (end == std::string_view::npos) break;
            rest.remove_prefix(end + 1);
            if (now % 5 == 0) state.ShiftMinute(), (void)station.Poll();
            if (now % 11 == 0) state.ShiftHour(), state.MarkMidnight();
        }
    }
    Check(state.Record(), station.Type());
    (void)state.TakeRequests();
    return 0;
}
