#include "app/Settings.h"

namespace velmora {
namespace {

TncRadioSettings RadioFrom(const Preferences& p, bool hf) {
    TncRadioSettings r;
    r.kiss = p.Flag(hf ? pref::kKissEnabledHf : pref::kKissEnabledVhf);
    r.digipeat = p.Flag(hf ? pref::kDigipeatHf : pref::kDigipeatVhf);
    r.digiPath = p.Text(hf ? pref::kKissDigiPathHf : pref::kKissDigiPathVhf);
    r.aliases = p.Text(hf ? pref::kAliasListHf : pref::kAliasListVhf);
    r.kissOnText = p.Text(hf ? pref::kKissOnTextHf : pref::kKissOnTextVhf);
    r.allowGps = p.Flag(hf ? pref::kAllowGpsHf : pref::kAllowGpsVhf);
    r.hsp = p.Flag(hf ? pref::kEnableHspHf : pref::kEnableHspVhf);
    r.picoControlE = p.Flag(hf ? pref::kPicoControlEHf : pref::kPicoControlEVhf);
    return r;
}

void StoreRadio(Preferences& p, const TncRadioSettings& r, bool hf) {
    (void)p.SetNumber(hf ? pref::kKissEnabledHf : pref::kKissEnabledVhf, r.kiss);
    (void)p.SetNumber(hf ? pref::kDigipeatHf : pref::kDigipeatVhf, r.digipeat);
    (void)p.SetText(hf ? pref::kKissDigiPathHf : pref::kKissDigiPathVhf, r.digiPath);
    (void)p.SetText(hf ? pref::kAliasListHf : pref::kAliasListVhf, r.aliases);
    (void)p.SetText(hf ? pref::kKissOnTextHf : pref::kKissOnTextVhf, r.kissOnText);
}

int64_t PortNumber(const Preferences& p, int port, PortField field, int64_t fallback) {
    const PrefField* f = FindPreferenceField(PortFieldName(port, field));
    return f ? p.Number(*f) : fallback;
}

}  // namespace

TncSettings TncSettingsFrom(const Preferences& p) {
    TncSettings s;
    s.radio = {RadioFrom(p, true), RadioFrom(p, false)};
    for (size_t n = 0; n < s.userCommands.size(); ++n) {
        if (const PrefField* f = FindPreferenceField(TncCommandFieldName(static_cast<int>(n))))
            s.userCommands[n] = p.Text(*f);
    }
    s.unprotoPath = p.Text(pref::kUnprotoPath);
    s.dualPort = p.Number(pref::kPortArrangement) == 2;
    s.weatherType = static_cast<int>(p.Number(pref::kWeatherStationType));
    return s;
}

void StoreKissSettings(Preferences& p, const TncSettings& s) {
    StoreRadio(p, s.radio[0], true);
    StoreRadio(p, s.radio[1], false);
}

PortConfig PortConfigFrom(const Preferences& p, int port) {
    PortConfig c;
    c.deviceNumber = static_cast<int16_t>(PortNumber(p, port, PortField::kDeviceNumber, 1));
    if (const PrefField* f = FindPreferenceField(PortFieldName(port, PortField::kDevice))) c.devicePath = p.Text(*f);
    c.baud = static_cast<int32_t>(PortNumber(p, port, PortField::kBaud, 9600));
    c.parity = static_cast<uint8_t>(PortNumber(p, port, PortField::kParity, 0));
    c.stopBits = static_cast<uint8_t>(PortNumber(p, port, PortField::kStopBits, 0));
    return c;
}

OwnReportSettings OwnReportFrom(const Preferences& p, const OwnStation& own, int machineCode) {
    OwnReportSettings s;
    s.call = std::string(own.call.View());
    s.lon = own.homeLon;
    s.lat = own.homeLat;
    const char table = p.Char(pref::kOwnSymbolTable), code = p.Char(pref::kOwnSymbolCode);
    s.symbolTable = table ? table : '/';
    s.symbolCode = code ? code : 'Z';
    s.phg = p.Text(pref::kPhg);
    s.comment = p.Text(pref::kPositComment);
    s.state = p.Text(pref::kState);
    s.county = p.Text(pref::kCounty);
    s.city = p.Text(pref::kCity);
    s.machineCode = machineCode;
    s.utcOffsetHours = p.UtcOffsetHours();
    s.spaceMode = p.Number(pref::kMasterMode) == 2;
    return s;
}

AutomaticInputs AutomaticInputsFrom(const Preferences& p) {
    AutomaticInputs a;
    a.hfTnc = p.Flag(pref::kAutoInputHfTnc);
    a.vhfTnc = p.Flag(pref::kAutoInputVhfTnc);
    a.gps = p.Flag(pref::kAutoInputGps);
    a.weather = p.Flag(pref::kAutoInputWx);
    a.rdf = p.Flag(pref::kAutoInputRdf);
    return a;
}

namespace {

struct MapFlag {
    PrefKey key;
    bool MapDisplayOptions::*option;
};
constexpr MapFlag kMapFlags[] = {
    {pref::kMapCallSigns, &MapDisplayOptions::callSigns},
    {pref::kMapIcons, &MapDisplayOptions::icons},
    {pref::kMapLabels, &MapDisplayOptions::labels},
    {pref::kMapSymbols, &MapDisplayOptions::symbols},
    {pref::kMapFilledPolygons, &MapDisplayOptions::filledPolygons},
    {pref::kMapCourseSpeed, &MapDisplayOptions::courseAndSpeed},
    {pref::kMapDeadReckoning, &MapDisplayOptions::deadReckoning},
    {pref::kMapStationAge, &MapDisplayOptions::age},
};

}  // namespace

MapSettings MapSettingsFrom(const Preferences& prefs) {
    MapSettings m;
    m.metricUnits = prefs.Flag(pref::kMetricUnits);
    // Until the operator has chosen, a new window shows what it always did.
    if (!prefs.Flag(pref::kMapDefaultsSet)) return m;
    for (const MapFlag& f : kMapFlags) m.newWindows.*f.option = prefs.Flag(f.key);
    const int64_t filter = prefs.Number(pref::kMapFilter);
    m.newWindows.filter = filter >= 0 && filter <= 4 ? static_cast<StationFilter>(filter) : StationFilter::kAll;
    const int64_t placement = prefs.Number(pref::kMapPlacement);
    m.newWindows.placement = placement >= 1 && placement <= 4 ? static_cast<int>(placement) : 1;
    const int64_t font = prefs.Number(pref::kMapFontSize);
    m.fontSize = font >= 6 ? static_cast<int>(font) : 14;
    return m;
}

void StoreMapSettings(Preferences& prefs, const MapSettings& settings) {
    (void)prefs.SetNumber(pref::kMetricUnits, settings.metricUnits ? 1 : 0);
    (void)prefs.SetNumber(pref::kMapDefaultsSet, 1);
    for (const MapFlag& f : kMapFlags) (void)prefs.SetNumber(f.key, settings.newWindows.*f.option ? 1 : 0);
    (void)prefs.SetNumber(pref::kMapFilter, static_cast<int>(settings.newWindows.filter));
    (void)prefs.SetNumber(pref::kMapPlacement, settings.newWindows.placement);
    (void)prefs.SetNumber(pref::kMapFontSize, settings.fontSize);
}

TransmitSettings TransmitSettingsFrom(const Preferences& prefs) {
    TransmitSettings t;
    const char* groups[kChannels] = {"hf", "vhf", "internet"};
    for (int c = 0; c < kChannels; ++c) {
        auto rate = [&](const char* kind) {
            const auto v = prefs.Get(std::string(kind) + "_" + groups[c]);
            const int n = v ? std::atoi(v->c_str()) : 0;
            return static_cast<int16_t>(n < 0 ? 0 : n);  // a negative rate is off
        };
        t.rates[size_t(c)] = {rate("rate_position"), rate("rate_moving"), rate("rate_weather"), rate("rate_objects")};
    }
    t.arrangement = static_cast<int>(prefs.Number(pref::kPortArrangement));
    t.prefixHf = prefs.Get("port_prefix_hf").value_or("");
    t.prefixVhf = prefs.Get("port_prefix_vhf").value_or("");
    for (size_t n = 0; n < 3; ++n) {
        t.altPathsHf[n] = prefs.Get("alt_path_hf" + std::to_string(n + 1)).value_or("");
        t.altPathsVhf[n] = prefs.Get("alt_path_vhf" + std::to_string(n + 1)).value_or("");
    }
    t.statusText = prefs.Get("status_text_sent").value_or("");
    t.unprotoPath = prefs.Text(pref::kUnprotoPath);
    return t;
}

InternetLinkSettings InternetLinkSettingsFrom(const Preferences& prefs) {
    InternetLinkSettings s;
    s.autostart = prefs.Flag(pref::kAutostartTcp);
    s.feedLocal = prefs.Flag(pref::kFeedLocalToTcp);
    s.ignoreIncoming = prefs.Flag(pref::kIgnoreIncomingTcp);
    s.autoReconnect = prefs.Flag(pref::kAutoReconnect);
    s.filter = prefs.Text(pref::kInternetFilter);
    const int64_t km = prefs.Number(pref::kInternetRangeKm);
    if (km > 0) s.rangeKm = static_cast<int>(km);
    return s;
}

WeatherSettings WeatherSettingsFrom(const Preferences& p) {
    WeatherSettings w;
    WeatherStationSettings& s = w.station;
    s.type = static_cast<int>(p.Number(pref::kWeatherStationType));
    s.rainFactor = p.Number(pref::kRainGaugeTenths) != 0 ? 10 : 1;
    s.barometerOffset = static_cast<int>(p.Number(pref::kBarometerOffset));
    s.limits.lowTemperatureF = static_cast<int16_t>(p.Number(pref::kAlarmLowTemperature));
    s.limits.highTemperatureF = static_cast<int16_t>(p.Number(pref::kAlarmHighTemperature));
    s.limits.highWindMph = static_cast<int16_t>(p.Number(pref::kAlarmHighWind));
    s.limits.deltaTemperatureF = static_cast<int16_t>(p.Number(pref::kAlarmDeltaTemperature));
    s.limits.alarmRadiusMiles = static_cast<int16_t>(p.Number(pref::kWxAlarmRadius));
    w.wxNowFile = p.Text(pref::kWxNowFile);
    w.trackStations = p.Flag(pref::kTrackWxStations);
    return w;
}

void StoreWeatherSettings(Preferences& p, const WeatherSettings& w) {
    const WeatherStationSettings& s = w.station;
    p.SetNumber(pref::kWeatherStationType, s.type);
    p.SetNumber(pref::kRainGaugeTenths, s.rainFactor == 10 ? 1 : 0);
    p.SetNumber(pref::kBarometerOffset, s.barometerOffset);
    p.SetNumber(pref::kAlarmLowTemperature, s.limits.lowTemperatureF);
    p.SetNumber(pref::kAlarmHighTemperature, s.limits.highTemperatureF);
    p.SetNumber(pref::kAlarmHighWind, s.limits.highWindMph);
    p.SetNumber(pref::kAlarmDeltaTemperature, s.limits.deltaTemperatureF);
    p.SetNumber(pref::kWxAlarmRadius, s.limits.alarmRadiusMiles);
    p.SetText(pref::kWxNowFile, w.wxNowFile);
    p.SetNumber(pref::kTrackWxStations, w.trackStations ? 1 : 0);
}

}  // namespace velmora
