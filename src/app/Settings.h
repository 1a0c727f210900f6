#pragma once
// The typed settings each module runs on, built from the preferences
// record in one place. Nothing outside app/ reads a preference by name.
#include "app/Preferences.h"
#include "decode/DecodeContext.h"
#include "maps/MapWindow.h"
#include "ports/TncSettings.h"
#include "transmit/OwnReports.h"
#include "transmit/ReportSchedule.h"
#include "weather/WeatherStation.h"

#include <array>
#include <string>

namespace velmora {

TncSettings TncSettingsFrom(const Preferences& prefs);
// The KISS fields back into the record (after they were reset to defaults).
void StoreKissSettings(Preferences& prefs, const TncSettings& settings);
PortConfig PortConfigFrom(const Preferences& prefs, int port);

OwnReportSettings OwnReportFrom(const Preferences& prefs, const OwnStation& own, int machineCode);

// The ports opened at start-up, with the command that opens each.
struct AutomaticInputs {
    bool hfTnc = false, vhfTnc = false, gps = false, weather = false, rdf = false;
    bool Any() const { return hfTnc || vhfTnc || gps || weather || rdf; }
};
AutomaticInputs AutomaticInputsFrom(const Preferences& prefs);

// What the transmit schedule and router take from the record.
struct TransmitSettings {
    ChannelRates rates{};
    int arrangement = 1;
    std::string prefixHf, prefixVhf;
    std::array<std::string, 3> altPathsHf, altPathsVhf;
    std::string statusText;  // the status report as saved (">DDHHMM text")
    std::string unprotoPath;
};
TransmitSettings TransmitSettingsFrom(const Preferences& prefs);

// The internet links' options ("TCP settings") and the server filter.
struct InternetLinkSettings {
    bool autostart = false, feedLocal = false, ignoreIncoming = false, autoReconnect = true;
    std::string filter;  // empty: a range round home
    int rangeKm = 200;
};
InternetLinkSettings InternetLinkSettingsFrom(const Preferences& prefs);

// What the map windows take from the record.
struct MapSettings {
    bool metricUnits = false;
    // What a new map window shows, and its station font size.
    MapDisplayOptions newWindows;
    int fontSize = 14;
};
MapSettings MapSettingsFrom(const Preferences& prefs);
void StoreMapSettings(Preferences& prefs, const MapSettings& settings);

// The home weather station and the weather alarms ("Weather Settings").
struct WeatherSettings {
    WeatherStationSettings station;
    std::string wxNowFile;       // read by station type 12
    bool trackStations = true;   // day logs of received weather stations
};
WeatherSettings WeatherSettingsFrom(const Preferences& prefs);
void StoreWeatherSettings(Preferences& prefs, const WeatherSettings& settings);

}  // namespace velmora
