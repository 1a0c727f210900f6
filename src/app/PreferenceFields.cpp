#include "app/Preferences.h"

#include <algorithm>
#include <iterator>

// The preferences record, field by field: names, offsets, types and
// defaults. Every field the program reads or velmora-prefs sets is here.

namespace velmora {
namespace {

PrefField Num(std::string name, uint16_t offset, PrefType type, int64_t def = 0) {
    return {std::move(name), offset, type, 0, def, {}};
}
PrefField Txt(std::string name, uint16_t offset, uint16_t size, std::string def = {}) {
    return {std::move(name), offset, PrefType::kText, size, 0, std::move(def)};
}

// Settings this program keeps that have no place of their own in the
// record: they live in the unused bytes from 6208 on. Every one is here.
//   6208 + 64 n  portN_device   the device of port n (a path such as
//                               /dev/ttyUSB0, or tcp:HOST:PORT for a KISS
//                               TNC over TCP), 63 characters
//   6848         auto_input_rdf open the RDF port at start-up
//   6850         metric_units   map read-outs in kilometres (else miles)
//   6852         internet_filter  the APRS-IS server filter (empty: a range
//                                 round home), 127 characters
//   6980         internet_range_km  that range, km (0: 200)
//   6982         notify_new_mail, notify_bulletins, notify_announcements,
//   6985         sound_on, message_round_trip (bytes, 1 on)
//   6988         nearest_nws_station  the "Msg to NWS" addressee, 15 characters
//   7004         enable_server  the APRS server for other programs (byte)
//   7006         server_port    its port (23; 2023 needs no privileges)
//   7008         igate_per_minute, igate_per_five_minutes  packets the IGate
//                               may send to radio (6 and 10)
//   7012         gps_source     0 the GPS port (or a TNC's cable), 1 gpsd
//   7014         gpsd_port      gpsd's port (2947), 32 bits
//   7018         gpsd_host      gpsd's host (localhost), 63 characters
//   7084         weather_station_type  the home weather station (0 none)
//   7086         rain_gauge_tenths     1: a 0.10 inch gauge, 0: 0.01 inch
//   7088         barometer_offset      tenths of a millibar, signed
//   7090         alarm_low_temperature, alarm_high_temperature (whole F),
//   7094         alarm_high_wind (mph), alarm_delta_temperature (F),
//   7098         wx_alarm_radius (miles); 0 is off for each
//   7100         track_wx_stations     day logs of received weather stations (byte, 1)
//   7102         wxnow_file            the file another program writes, 95 characters
//   7198         map_defaults_set      1 once the operator chose what new map
//                                      windows show; until then the built-in
//                                      choices hold (older files have 0 here)
//   7199         map_call_signs, map_icons, map_labels, map_symbols,
//                map_filled_polygons, map_course_speed, map_dead_reckoning,
//                map_station_age (bytes)
//   7207         map_filter (0 all, 1 direct, 2 flagged, 3 tracked, 4 weather),
//   7208         map_placement (1, 2, 3 or 4)
//   7209         map_font_size (byte)
//   7210         server_all_interfaces  the APRS server listens on every
//                                       address (else 127.0.0.1 only)
//   7211         server_to_rf   packets from verified server clients may be
//                               gated to radio (the calls in "ServerRF.txt"
//                               only, when that file lists any)
//   7212         server_idle_minutes  a silent client is let go (30; 0 never);
//                7214 to 7230 are free
constexpr uint16_t kOwnFieldsStart = 6208;
void AddOwnFields(std::vector<PrefField>& f) {
    for (int n = 0; n < 10; ++n) {
        f.push_back(Txt("port" + std::to_string(n) + "_device", static_cast<uint16_t>(kOwnFieldsStart + 64 * n), 64));
    }
    f.push_back(Num("auto_input_rdf", kOwnFieldsStart + 640, PrefType::kI16));
    f.push_back(Num("metric_units", kOwnFieldsStart + 642, PrefType::kByte));
    f.push_back(Txt("internet_filter", kOwnFieldsStart + 644, 128));
    f.push_back(Num("internet_range_km", kOwnFieldsStart + 772, PrefType::kI16));
    f.push_back(Num("notify_new_mail", kOwnFieldsStart + 774, PrefType::kByte, 1));
    f.push_back(Num("notify_bulletins", kOwnFieldsStart + 775, PrefType::kByte, 1));
    f.push_back(Num("notify_announcements", kOwnFieldsStart + 776, PrefType::kByte, 1));
    f.push_back(Num("sound_on", kOwnFieldsStart + 777, PrefType::kByte, 1));
    f.push_back(Num("message_round_trip", kOwnFieldsStart + 778, PrefType::kByte, 1));
    f.push_back(Txt("nearest_nws_station", kOwnFieldsStart + 780, 16));
    f.push_back(Num("enable_server", kOwnFieldsStart + 796, PrefType::kByte));
    f.push_back(Num("server_port", kOwnFieldsStart + 798, PrefType::kI16, 23));
    f.push_back(Num("igate_per_minute", kOwnFieldsStart + 800, PrefType::kI16, 6));
    f.push_back(Num("igate_per_five_minutes", kOwnFieldsStart + 802, PrefType::kI16, 10));
    f.push_back(Num("gps_source", kOwnFieldsStart + 804, PrefType::kI16));
    f.push_back(Num("gpsd_port", kOwnFieldsStart + 806, PrefType::kI32, 2947));
    f.push_back(Txt("gpsd_host", kOwnFieldsStart + 810, 64, "localhost"));
    f.push_back(Num("weather_station_type", kOwnFieldsStart + 876, PrefType::kI16));
    f.push_back(Num("rain_gauge_tenths", kOwnFieldsStart + 878, PrefType::kI16));
    f.push_back(Num("barometer_offset", kOwnFieldsStart + 880, PrefType::kI16));
    f.push_back(Num("alarm_low_temperature", kOwnFieldsStart + 882, PrefType::kI16));
    f.push_back(Num("alarm_high_temperature", kOwnFieldsStart + 884, PrefType::kI16));
    f.push_back(Num("alarm_high_wind", kOwnFieldsStart + 886, PrefType::kI16));
    f.push_back(Num("alarm_delta_temperature", kOwnFieldsStart + 888, PrefType::kI16));
    f.push_back(Num("wx_alarm_radius", kOwnFieldsStart + 890, PrefType::kI16));
    f.push_back(Num("track_wx_stations", kOwnFieldsStart + 892, PrefType::kByte, 1));
    f.push_back(Txt("wxnow_file", kOwnFieldsStart + 894, 96));
    f.push_back(Num("map_defaults_set", kOwnFieldsStart + 990, PrefType::kByte));
    constexpr const char* kMapFlags[] = {"map_call_signs", "map_icons", "map_labels", "map_symbols",
                                         "map_filled_polygons", "map_course_speed", "map_dead_reckoning",
                                         "map_station_age"};
    for (size_t n = 0; n < std::size(kMapFlags); ++n)
        f.push_back(Num(kMapFlags[n], static_cast<uint16_t>(kOwnFieldsStart + 991 + n), PrefType::kByte));
    f.push_back(Num("map_filter", kOwnFieldsStart + 999, PrefType::kByte));
    f.push_back(Num("map_placement", kOwnFieldsStart + 1000, PrefType::kByte, 1));
    f.push_back(Num("map_font_size", kOwnFieldsStart + 1001, PrefType::kByte, 14));
    f.push_back(Num("server_all_interfaces", kOwnFieldsStart + 1002, PrefType::kByte));
    f.push_back(Num("server_to_rf", kOwnFieldsStart + 1003, PrefType::kByte));
    f.push_back(Num("server_idle_minutes", kOwnFieldsStart + 1004, PrefType::kI16, 30));
}

// The on/off switches of the record.
void MarkFlags(std::vector<PrefField>& fields) {
    constexpr std::string_view kPrefixes[] = {"auto_log_", "auto_input_", "auto_flag_", "allow_gps_", "enable_hsp_",
                                              "pico_control_e_", "kiss_enabled_", "digipeat_", "notify_", "map_"};
    constexpr std::string_view kNames[] = {
        "auto_track_moving_stations", "autostart_tcp", "feed_local_to_tcp", "ignore_incoming_tcp",
        "auto_reconnect", "outgoing_third_party", "metric_units", "sound_on", "message_round_trip",
        "enable_server", "track_wx_stations", "rain_gauge_tenths", "server_all_interfaces", "server_to_rf"};
    for (PrefField& f : fields) {
        if (f.type == PrefType::kText) continue;
        bool on = std::find(std::begin(kNames), std::end(kNames), f.name) != std::end(kNames);
        for (std::string_view p : kPrefixes) on = on || f.name.starts_with(p);
        // The map's filter, placement and font are numbers, not switches.
        if (f.name == "map_filter" || f.name == "map_placement" || f.name == "map_font_size") on = false;
        f.flag = on;
    }
}

std::vector<PrefField> BuildFields() {
    using T = PrefType;
    std::vector<PrefField> f = {
        Txt("own_call", 0, 32, "N0CALL"),
        Num("setting_64", 64, T::kI16, 1),
        Num("msg_retries", 66, T::kI16, 5),
        Num("own_lat_degrees", 70, T::kI32), Num("own_lat_minutes", 74, T::kI32),
        Num("own_lat_seconds", 78, T::kI32), Num("own_lat_hundredths", 82, T::kI32),
        Num("own_lat_hemisphere", 86, T::kI16),
        Num("own_lon_degrees", 88, T::kI32), Num("own_lon_minutes", 92, T::kI32),
        Num("own_lon_seconds", 96, T::kI32), Num("own_lon_hundredths", 100, T::kI32),
        Num("own_lon_hemisphere", 104, T::kI16),
        Num("own_lon_units", 106, T::kI32), Num("own_lat_units", 110, T::kI32),
        Num("port_arrangement", 114, T::kI32, 1),
        Num("alarm_delta", 118, T::kI16, 30),
        Num("track_delta", 120, T::kI16, 10),
        Txt("own_lon_text", 122, 32), Txt("own_lat_text", 154, 32),
        Txt("posit_comment", 186, 128, "Velmora 2.2.8"),
        Txt("status_text", 314, 128),
        Txt("status_text_sent", 442, 128),
        Txt("unproto_path", 570, 128),
    };
    for (int n = 0; n <= 10; ++n) f.push_back(Txt("tnc_command" + std::to_string(n), static_cast<uint16_t>(698 + 128 * n), 128));
    const std::vector<PrefField> more = {
        Num("own_symbol_code", 2106, T::kChar, 'Z'),
        Num("gps_marker_symbol", 2107, T::kChar, '.'),
        Num("utc_offset", 2108, T::kI16),
        Num("version_major", 2110, T::kI16, 2), Num("version_minor", 2112, T::kI16, 2),
        Num("version_build", 2114, T::kI16, 8),
        Txt("phg", 2130, 5, "0000"),
        Txt("special_event", 2146, 8),
        Num("auto_log_station", 2154, T::kI16), Num("auto_log_aprs", 2156, T::kI16),
        Num("auto_log_nmea", 2158, T::kI16), Num("auto_log_weather", 2160, T::kI16),
        Num("auto_log_message", 2162, T::kI16), Num("auto_log_rdf", 2164, T::kI16),
        Num("auto_input_hf_tnc", 2166, T::kI16), Num("auto_input_vhf_tnc", 2168, T::kI16),
        Num("auto_input_gps", 2170, T::kI16), Num("auto_input_wx", 2172, T::kI16),
        Num("auto_log_statistics", 2182, T::kI16),
        Num("auto_flag_macs", 2184, T::kI16), Num("auto_flag_windows", 2186, T::kI16),
        Num("auto_track_moving_stations", 2242, T::kI16, 1),
        Num("track_capacity", 2244, T::kI16, 500),
        Num("warning_radius", 2258, T::kI16), Num("danger_radius", 2260, T::kI16),
        Num("station_time_out", 2322, T::kI16),
        Txt("ssid_symbols", 2326, 16, ""),
        Txt("port_prefix_hf", 2342, 4), Txt("port_prefix_vhf", 2346, 4),
    };
    f.insert(f.end(), more.begin(), more.end());
    const char* groups[3] = {"hf", "vhf", "internet"};
    const char* rates[4] = {"rate_position", "rate_moving", "rate_weather", "rate_objects"};
    // Minutes between reports: the HF and VHF TNCs, then the internet link.
    constexpr int16_t kRateDefaults[3][4] = {{30, 10, 10, 30}, {30, 10, 10, 30}, {30, 0, 30, 0}};
    for (int g = 0; g < 3; ++g)
        for (int r = 0; r < 4; ++r)
            f.push_back(Num(std::string(rates[r]) + "_" + groups[g], static_cast<uint16_t>(3422 + 16 * g + 2 * r), T::kI16,
                            kRateDefaults[g][r]));
    for (int n = 0; n < 3; ++n) {
        f.push_back(Txt("alt_path_hf" + std::to_string(n + 1), static_cast<uint16_t>(3486 + 130 * n), 130));
        f.push_back(Txt("alt_path_vhf" + std::to_string(n + 1), static_cast<uint16_t>(3876 + 130 * n), 130));
    }
    f.push_back(Num("allow_gps_hf", 4786, T::kByte));
    f.push_back(Num("allow_gps_vhf", 4787, T::kByte));
    f.push_back(Num("min_font_size", 4788, T::kI16, 12));
    for (int n = 0; n < 10; ++n) {
        const uint16_t at = static_cast<uint16_t>(4792 + 10 * n);
        const std::string p = std::to_string(n);
        f.push_back(Num("port" + p + "_device_number", at, T::kI16, 1));
        f.push_back(Num("port" + p + "_baud", static_cast<uint16_t>(at + 2), T::kI32, 9600));
        f.push_back(Num("port" + p + "_parity", static_cast<uint16_t>(at + 7), T::kByte));
        f.push_back(Num("port" + p + "_stop_bits", static_cast<uint16_t>(at + 8), T::kByte));
    }
    const std::vector<PrefField> tail = {
        Num("enable_hsp_hf", 4898, T::kByte), Num("enable_hsp_vhf", 4899, T::kByte),
        Num("pico_control_e_hf", 4900, T::kByte), Num("pico_control_e_vhf", 4901, T::kByte),
        Num("master_mode", 4972, T::kI16),
        Txt("state", 5036, 3), Txt("county", 5039, 24), Txt("city", 5063, 24),
        Num("own_symbol_table", 5087, T::kChar, '/'),
        Num("kiss_enabled_vhf", 5142, T::kByte), Num("kiss_enabled_hf", 5143, T::kByte),
        // Digipeating is off until the operator turns it on; the fill-in
        // alias and the path of a fixed station are today's practice.
        Num("digipeat_vhf", 5350, T::kByte, 0), Num("digipeat_hf", 5351, T::kByte, 0),
        Txt("kiss_digi_path_vhf", 5352, 128, "WIDE1-1,WIDE2-1"), Txt("kiss_digi_path_hf", 5480, 128, "WIDE2-1"),
        Txt("alias_list_vhf", 5608, 128, "WIDE1-1"), Txt("alias_list_hf", 5736, 128, "WIDE1-1"),
        Txt("kiss_on_text_vhf", 5864, 128, "KISS ON"), Txt("kiss_on_text_hf", 5992, 128, "KISS ON"),
        Num("autostart_tcp", 5213, T::kByte), Num("feed_local_to_tcp", 5214, T::kByte),
        Num("ignore_incoming_tcp", 5215, T::kByte), Num("auto_reconnect", 5216, T::kByte, 1),
        Num("outgoing_third_party", 5217, T::kByte),
        Num("preferences_version", 6202, T::kI32, Preferences::kVersion),
    };
    f.insert(f.end(), tail.begin(), tail.end());
    AddOwnFields(f);
    MarkFlags(f);
    return f;
}

}  // namespace

const std::vector<PrefField>& PreferenceFields() {
    static const std::vector<PrefField> fields = BuildFields();  // immutable table
    return fields;
}

const PrefField* FindPreferenceField(std::string_view name) {
    for (const PrefField& f : PreferenceFields()) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

std::string PortFieldName(int port, PortField field) {
    static constexpr const char* kSuffix[] = {"_device", "_device_number", "_baud", "_parity", "_stop_bits"};
    return "port" + std::to_string(port) + kSuffix[static_cast<size_t>(field)];
}

std::string TncCommandFieldName(int n) { return "tnc_command" + std::to_string(n); }

}  // namespace velmora
