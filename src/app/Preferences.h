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
};

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
    // is not 100 or a stored coordinate is negative. False when missing.
    bool Load(const FileAccess& files);
    bool LoadBytes(std::string_view bytes);
    bool Save(const FileAccess& files) const;
    const std::array<uint8_t, kSize>& Bytes() const { return bytes_; }

    int64_t Number(const PrefField& f) const;
    std::string Text(const PrefField& f) const;
    void SetNumber(const PrefField& f, int64_t value);
    void SetText(const PrefField& f, std::string_view value);

    // By name; empty when there is no such field.
    std::optional<std::string> Get(std::string_view name) const;
    // False (and nothing changed) for an unknown name or a value that does
    // not fit the field.
    bool Set(std::string_view name, std::string_view value);

    // The own position from degrees, minutes, seconds, hundredths and the
    // hemisphere letters into the numeric fields (position units).
    void RecomputeOwnPosition();
    // Fills the degree fields from decimal degrees (north, east positive).
    void SetOwnLatitude(double degrees);
    void SetOwnLongitude(double degrees);

    // Named accessors of the fields the program reads.
    std::string OwnCall() const { return Text(Field("own_call")); }
    int32_t OwnLonUnits() const { return static_cast<int32_t>(Number(Field("own_lon_units"))); }
    int32_t OwnLatUnits() const { return static_cast<int32_t>(Number(Field("own_lat_units"))); }
    int16_t AlarmDelta() const { return static_cast<int16_t>(Number(Field("alarm_delta"))); }
    int16_t TrackDelta() const { return static_cast<int16_t>(Number(Field("track_delta"))); }
    int16_t UtcOffsetHours() const { return static_cast<int16_t>(Number(Field("utc_offset"))); }
    bool AutoTrackMovingStations() const { return Number(Field("auto_track_moving_stations")) != 0; }
    int16_t TrackCapacity() const { return static_cast<int16_t>(Number(Field("track_capacity"))); }
    int16_t WarningRadius() const { return static_cast<int16_t>(Number(Field("warning_radius"))); }
    int16_t DangerRadius() const { return static_cast<int16_t>(Number(Field("danger_radius"))); }
    bool AutoFlagMacs() const { return Number(Field("auto_flag_macs")) != 0; }
    bool AutoFlagWindows() const { return Number(Field("auto_flag_windows")) != 0; }
    std::string SsidSymbols() const { return Text(Field("ssid_symbols")); }

private:
    static const PrefField& Field(std::string_view name);

    std::array<uint8_t, kSize> bytes_{};
};

}  // namespace velmora
