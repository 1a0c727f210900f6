#pragma once
// Positions as operators type them: decimal degrees, degrees and decimal
// minutes, degrees minutes and seconds, the APRS form "4736.50N", with a
// sign or a hemisphere letter before or after. Anything else is refused
// with an example, never read as something else.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class Axis : unsigned char { kLatitude, kLongitude };

struct TypedPosition {
    double lat = 0, lon = 0;  // degrees, north and east positive
};

struct CoordinateRead {
    std::optional<double> degrees;
    std::string problem;  // set when degrees is not
};
struct PositionRead {
    std::optional<TypedPosition> position;
    std::string problem;
};

inline constexpr const char* kLatitudeExamples = "47.60833, 47 36.50N, 47 36 30 N or 4736.50N";
inline constexpr const char* kLongitudeExamples = "-122.33333, 122 20.00W, W122 20 0 or 12220.00W";
inline constexpr const char* kPositionExamples = "47.60833 -122.33333, 47 36.50N 122 20.00W or 4736.50N 12220.00W";

CoordinateRead ReadCoordinate(std::string_view text, Axis axis);
PositionRead ReadPosition(std::string_view text);

// Typed degrees to position units, to the nearest unit: "72 36.00W" is
// 72.6 degrees, which truncating its binary fraction would put one unit
// short (and print as 07235.98W).
int32_t TypedLonUnits(double degreesEast);
int32_t TypedLatUnits(double degreesNorth);

// "47°36.50′N" and "47°36.50′N 122°20.00′W", as the reading is shown back.
std::string ShowCoordinate(double degrees, Axis axis);
std::string ShowPosition(double lat, double lon);

}  // namespace velmora
