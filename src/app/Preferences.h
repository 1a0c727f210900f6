#pragma once
// The preferences record: 7230 bytes, kept in memory for the whole run and
// stored in "Velmora.prf" byte for byte, integers little-endian. Every
// field is read and written at its own offset; none is copied as a struct.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Files.h"

namespace velmora {

enum class PrefType : uint8_t { kI16, kI32, kByte, kChar, kText };

struct PrefField {
    std::string name;  // snake_case; per-port settings carry the port after the name
    uint16_t offset;
    PrefType type;
    uint16_t size;     // bytes of a text field (with its NUL)
    int64_t defaultNumber;
    std::string defaultText;
    // A switch: 0 or 1. Any other byte in a stored file is damage and reads
    // as the default (a flipped bit must not turn the server on).
    bool flag = false;
};

// A field by its name in the table. Code names a field through the
// constants in pref:: below, so a misspelt field fails to compile; the
// table test checks that every constant names a field.
struct PrefKey {
    std::string_view name;
};

// The fields the program reads by itself (the port fields, numbered, and the
// TNC command lines are reached through PortField and TncCommandField).
#define VELMORA_PREF_KEYS(X) \
    X(kOwnCall, "own_call") \
    X(kMsgRetries, "msg_retries") \
    X(kOwnLatDegrees, "own_lat_degrees") \
    X(kOwnLatMinutes, "own_lat_minutes") \
    X(kOwnLatSeconds, "own_lat_seconds") \
    X(kOwnLatHundredths, "own_lat_hundredths") \
    X(kOwnLatHemisphere, "own_lat_hemisphere") \
    X(kOwnLonDegrees, "own_lon_degrees") \
    X(kOwnLonMinutes, "own_lon_minutes") \
    X(kOwnLonSeconds, "own_lon_seconds") \
    X(kOwnLonHundredths, "own_lon_hundredths") \
    X(kOwnLonHemisphere, "own_lon_hemisphere") \
    X(kOwnLonUnits, "own_lon_units") \
    X(kOwnLatUnits, "own_lat_units") \
    X(kPortArrangement, "port_arrangement") \
    X(kAlarmDelta, "alarm_delta") \
    X(kTrackDelta, "track_delta") \
    X(kPositComment, "posit_comment") \
    X(kStatusText, "status_text") \
    X(kUnprotoPath, "unproto_path") \
    X(kOwnSymbolCode, "own_symbol_code") \
    X(kUtcOffset, "utc_offset") \
    X(kPhg, "phg") \
    X(kAutoLogStation, "auto_log_station") \
    X(kAutoLogAprs, "auto_log_aprs") \
    X(kAutoLogNmea, "auto_log_nmea") \
    X(kAutoLogWeather, "auto_log_weather") \
    X(kAutoLogMessage, "auto_log_message") \
    X(kAutoLogRdf, "auto_log_rdf") \
    X(kAutoLogStatistics, "auto_log_statistics") \
    X(kAutoInputHfTnc, "auto_input_hf_tnc") \
    X(kAutoInputVhfTnc, "auto_input_vhf_tnc") \
    X(kAutoInputGps, "auto_input_gps") \
    X(kAutoInputWx, "auto_input_wx") \
    X(kAutoInputRdf, "auto_input_rdf") \
    X(kAutoFlagMacs, "auto_flag_macs") \
    X(kAutoFlagWindows, "auto_flag_windows") \
    X(kAutoTrackMovingStations, "auto_track_moving_stations") \
    X(kTrackCapacity, "track_capacity") \
    X(kWarningRadius, "warning_radius") \
    X(kDangerRadius, "danger_radius") \
    X(kStationTimeOut, "station_time_out") \
    X(kSsidSymbols, "ssid_symbols") \
    X(kAllowGpsHf, "allow_gps_hf") \
    X(kAllowGpsVhf, "allow_gps_vhf") \
    X(kEnableHspHf, "enable_hsp_hf") \
    X(kEnableHspVhf, "enable_hsp_vhf") \
    X(kPicoControlEHf, "pico_control_e_hf") \
    X(kPicoControlEVhf, "pico_control_e_vhf") \
    X(kMasterMode, "master_mode") \
    X(kState, "state") \
    X(kCounty, "county") \
    X(kCity, "city") \
    X(kOwnSymbolTable, "own_symbol_table") \
    X(kKissEnabledVhf, "kiss_enabled_vhf") \
    X(kKissEnabledHf, "kiss_enabled_hf") \
    X(kDigipeatVhf, "digipeat_vhf") \
    X(kDigipeatHf, "digipeat_hf") \
    X(kKissDigiPathVhf, "kiss_digi_path_vhf") \
    X(kKissDigiPathHf, "kiss_digi_path_hf") \
    X(kAliasListVhf, "alias_list_vhf") \
    X(kAliasListHf, "alias_list_hf") \
    X(kKissOnTextVhf, "kiss_on_text_vhf") \
    X(kKissOnTextHf, "kiss_on_text_hf") \
    X(kAutostartTcp, "autostart_tcp") \
    X(kFeedLocalToTcp, "feed_local_to_tcp") \
    X(kIgnoreIncomingTcp, "ignore_incoming_tcp") \
    X(kAutoReconnect, "auto_reconnect") \
    X(kOutgoingThirdParty, "outgoing_third_party") \
    X(kMetricUnits, "metric_units") \
    X(kInternetFilter, "internet_filter") \
    X(kInternetRangeKm, "internet_range_km") \
    X(kNotifyNewMail, "notify_new_mail") \
    X(kNotifyBulletins, "notify_bulletins") \
    X(kNotifyAnnouncements, "notify_announcements") \
    X(kSoundOn, "sound_on") \
    X(kMessageRoundTrip, "message_round_trip") \
    X(kNearestNwsStation, "nearest_nws_station") \
    X(kEnableServer, "enable_server") \
    X(kServerPort, "server_port") \
    X(kServerAllInterfaces, "server_all_interfaces") \
    X(kServerToRf, "server_to_rf") \
    X(kServerIdleMinutes, "server_idle_minutes") \
    X(kIgatePerMinute, "igate_per_minute") \
    X(kIgatePerFiveMinutes, "igate_per_five_minutes") \
    X(kGpsSource, "gps_source") \
    X(kGpsdPort, "gpsd_port") \
    X(kGpsdHost, "gpsd_host") \
    X(kWeatherStationType, "weather_station_type") \
    X(kRainGaugeTenths, "rain_gauge_tenths") \
    X(kBarometerOffset, "barometer_offset") \
    X(kAlarmLowTemperature, "alarm_low_temperature") \
    X(kAlarmHighTemperature, "alarm_high_temperature") \
    X(kAlarmHighWind, "alarm_high_wind") \
    X(kAlarmDeltaTemperature, "alarm_delta_temperature") \
    X(kWxAlarmRadius, "wx_alarm_radius") \
    X(kTrackWxStations, "track_wx_stations") \
    X(kWxNowFile, "wxnow_file") \
    X(kMapDefaultsSet, "map_defaults_set") \
    X(kMapCallSigns, "map_call_signs") \
    X(kMapIcons, "map_icons") \
    X(kMapLabels, "map_labels") \
    X(kMapSymbols, "map_symbols") \
    X(kMapFilledPolygons, "map_filled_polygons") \
    X(kMapCourseSpeed, "map_course_speed") \
    X(kMapDeadReckoning, "map_dead_reckoning") \
    X(kMapStationAge, "map_station_age") \
    X(kMapFilter, "map_filter") \
    X(kMapPlacement, "map_placement") \
    X(kMapFontSize, "map_font_size") \
    X(kVersionMajor, "version_major") \
    X(kVersionMinor, "version_minor") \
    X(kVersionBuild, "version_build") \
    X(kOwnLonText, "own_lon_text") \
    X(kOwnLatText, "own_lat_text") \
    X(kStatusTextSent, "status_text_sent") \
    X(kPreferencesVersion, "preferences_version")

namespace pref {
#define VELMORA_DECLARE_PREF_KEY(id, text) inline constexpr PrefKey id{text};
VELMORA_PREF_KEYS(VELMORA_DECLARE_PREF_KEY)
#undef VELMORA_DECLARE_PREF_KEY
#define VELMORA_LIST_PREF_KEY(id, text) id,
inline constexpr PrefKey kAll[] = {VELMORA_PREF_KEYS(VELMORA_LIST_PREF_KEY)};
#undef VELMORA_LIST_PREF_KEY
}  // namespace pref

enum class PortField : uint8_t { kDevice, kDeviceNumber, kBaud, kParity, kStopBits };
// "port2_baud" and the like.
std::string PortFieldName(int port, PortField field);
// "tnc_command0" to "tnc_command10".
std::string TncCommandFieldName(int n);

// Every named field, in offset order.
const std::vector<PrefField>& PreferenceFields();
const PrefField* FindPreferenceField(std::string_view name);

class Preferences {
public:
    static constexpr size_t kSize = 7230;
    static constexpr int32_t kVersion = 100;
    static constexpr const char* kFileName = "Velmora.prf";

    Preferences() { SetDefaults(); }
    void SetDefaults();

    // Reads as many bytes as the file has (a short file keeps the defaults
    // for the rest) and recomputes the numeric own position when the version
    // is not 100 or a stored coordinate is negative. A file that is not a
    // settings record at all (no program version in it) leaves every
    // default. The result says which, with the status text to show.
    enum class LoadResult : uint8_t { kLoaded, kMissing, kShort, kJunk };
    LoadResult Load(const FileAccess& files, size_t* bytesRead = nullptr);
    LoadResult LoadBytes(std::string_view bytes);
    static std::string LoadText(LoadResult result, size_t bytesRead);
    // Stamps the program version (2.2.8) and the record version (100), then
    // writes the whole record to a new file renamed over the old one.
    // Writes the record. A field changed in the file meanwhile by another
    // program, and not here, keeps the file's value.
    [[nodiscard]] bool Save(const FileAccess& files);
    // The texts kept beside the settings they come from: the own position
    // as report text, and the status report as sent (">DDHHMM text").
    void RegenerateReportTexts(const LocalDateTime& now);
    // The last load rebuilt the position, or the position has no text yet.
    bool ReportTextsStale() const { return textsStale_ || Text(pref::kOwnLatText).empty(); }
    const std::array<uint8_t, kSize>& Bytes() const { return bytes_; }

    // Typed access by key; a key that names no field reads as 0 or empty
    // and is never written.
    int64_t Number(PrefKey key) const;
    bool Flag(PrefKey key) const { return Number(key) != 0; }
    std::string Text(PrefKey key) const;
    char Char(PrefKey key) const { return static_cast<char>(Number(key)); }
    [[nodiscard]] bool SetNumber(PrefKey key, int64_t value);
    [[nodiscard]] bool SetText(PrefKey key, std::string_view value);

    int64_t Number(const PrefField& f) const;
    std::string Text(const PrefField& f) const;
    void SetNumber(const PrefField& f, int64_t value);
    void SetText(const PrefField& f, std::string_view value);

    // By name; empty when there is no such field.
    std::optional<std::string> Get(std::string_view name) const;
    // Any field as text, as an editor shows it: numbers in decimal, a
    // character as itself.
    std::optional<std::string> Get(PrefKey key) const { return Get(key.name); }
    // False (and nothing changed) for an unknown name or a value that does
    // not fit the field.
    [[nodiscard]] bool Set(std::string_view name, std::string_view value);
    [[nodiscard]] bool Set(PrefKey key, std::string_view value) { return Set(key.name, value); }

    // The own position from degrees, minutes, seconds, hundredths and the
    // hemisphere letters into the numeric fields (position units).
    void RecomputeOwnPosition();
    // Fills the degree fields from decimal degrees (north, east positive).
    void SetOwnLatitude(double degrees);
    void SetOwnLongitude(double degrees);

    // Named accessors of the fields the program reads.
    std::string OwnCall() const { return Text(pref::kOwnCall); }
    int32_t OwnLonUnits() const { return static_cast<int32_t>(Number(pref::kOwnLonUnits)); }
    int32_t OwnLatUnits() const { return static_cast<int32_t>(Number(pref::kOwnLatUnits)); }
    int16_t AlarmDelta() const { return static_cast<int16_t>(Number(pref::kAlarmDelta)); }
    int16_t TrackDelta() const { return static_cast<int16_t>(Number(pref::kTrackDelta)); }
    int16_t UtcOffsetHours() const { return static_cast<int16_t>(Number(pref::kUtcOffset)); }
    bool AutoTrackMovingStations() const { return Number(pref::kAutoTrackMovingStations) != 0; }
    int16_t TrackCapacity() const { return static_cast<int16_t>(Number(pref::kTrackCapacity)); }
    int16_t WarningRadius() const { return static_cast<int16_t>(Number(pref::kWarningRadius)); }
    int16_t DangerRadius() const { return static_cast<int16_t>(Number(pref::kDangerRadius)); }
    bool AutoFlagMacs() const { return Number(pref::kAutoFlagMacs) != 0; }
    bool AutoFlagWindows() const { return Number(pref::kAutoFlagWindows) != 0; }
    std::string SsidSymbols() const { return Text(pref::kSsidSymbols); }

private:

    // Fields another program (velmora-prefs) changed in the file since it
    // was read or written here, and this record did not, are taken from it.
    void MergeChangedOnDisk(const std::string& file);

    bool textsStale_ = false;
    std::array<uint8_t, kSize> bytes_{};
    // The file as it was last read or written: what "changed on disk" means.
    std::array<uint8_t, kSize> onDisk_{};
    bool onDiskKnown_ = false;
};

}  // namespace velmora
