#include "app/Startup.h"

#include "app/Settings.h"
#include "geo/Position.h"

namespace velmora {

void ApplyPreferences(App& app, const Preferences& p) {
    app.SetOwnCall(p.OwnCall());
    if (p.OwnLatUnits() > 0 && p.OwnLonUnits() > 0 &&
        !(p.OwnLatUnits() == kLatOrigin && p.OwnLonUnits() == kLonOrigin)) {
        app.SetHomeUnits(p.OwnLatUnits(), p.OwnLonUnits());
    } else {
        app.ClearHome();  // 0 N 0 E is the default of an unset position
    }
    StationSettings& s = app.StationOptions();
    s.alarmDeltaUnits = p.AlarmDelta();
    s.trackDeltaUnits = p.TrackDelta();
    s.dangerRadiusMiles = p.DangerRadius();
    s.warningRadiusMiles = p.WarningRadius();
    s.autoFlagMacs = p.AutoFlagMacs();
    s.autoFlagWindows = p.AutoFlagWindows();
    s.autoTrackMovingStations = p.AutoTrackMovingStations();
    s.trackPointsToSave = p.TrackCapacity();
    const WeatherSettings weather = WeatherSettingsFrom(p);
    s.weatherLog = weather.trackStations;
    DecodeSettings& d = app.DecodeOptions();
    d.utcOffsetHours = p.UtcOffsetHours();
    // Received weather stations share the home station's alarm limits.
    const WeatherLimits& limits = weather.station.limits;
    d.weatherAlarmRangeMiles = limits.alarmRadiusMiles;
    d.highWindMph = limits.highWindMph;
    d.deltaTemperatureF = limits.deltaTemperatureF;
    d.highTemperatureF = limits.highTemperatureF;
    d.lowTemperatureF = limits.lowTemperatureF;
    d.rainFactor = static_cast<int16_t>(weather.station.rainFactor);
    const std::string symbols = p.SsidSymbols();
    for (size_t i = 0; i < 16 && i < symbols.size(); ++i) {
        if (symbols[i] > ' ') d.ssidSymbols[i] = symbols[i];
    }
}

}  // namespace velmora
