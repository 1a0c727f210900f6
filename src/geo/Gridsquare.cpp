#include "geo/Gridsquare.h"
#include <cstdint>
#include <cmath>
#include <algorithm>

#include <cctype>

#include "geo/Position.h"

namespace velmora {
namespace {

// Field letter, square digit, subsquare letter of one coordinate scaled
// so that a field is one unit.
void Characters(double scaled, char out[4]) {
    const int field = static_cast<int>(scaled);
    double fraction = scaled - field;
    const int square = static_cast<int>(fraction * 10);
    fraction = fraction * 10 - square;
    const int subsquare = static_cast<int>(fraction * 24);
    fraction = fraction * 24 - subsquare;
    const int extended = static_cast<int>(fraction * 10);
    out[0] = static_cast<char>('A' + field);
    out[1] = static_cast<char>('0' + square);
    out[2] = static_cast<char>('A' + subsquare);
    out[3] = static_cast<char>('0' + extended);
}

}  // namespace

std::string PositionToLocator(int32_t lon, int32_t lat, int characters) {
    // In 64 bits: a position from a damaged file must not overflow here.
    double latitude = static_cast<double>(int64_t{kLatOrigin} - lat) / kUnitsPerDegree;
    double longitude = -static_cast<double>(int64_t{kLonOrigin} - lon) / kUnitsPerDegree;
    longitude = std::fmod(longitude, 360.0);
    if (longitude >= 180) longitude -= 360;
    if (longitude < -180) longitude += 360;
    latitude = std::clamp(latitude, -90.0, 89.999999);
    latitude += 0.000001;
    longitude += 0.000001;
    char x[4], y[4];
    Characters(longitude * 0.05 + 9.0, x);
    Characters(latitude * 0.1 + 9.0, y);
    const std::string all{x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3]};
    return all.substr(0, characters == 2 || characters == 4 || characters == 8 ? size_t(characters) : 6);
}

std::optional<LocatorBounds> LocatorToBounds(std::string_view text) {
    if (!text.empty() && text[0] == '[') text.remove_prefix(1);
    char c[8] = {};
    size_t n = 0;
    while (n < text.size() && n < 8 && text[n] != ']') {
        c[n] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[n])));
        ++n;
    }
    auto letter = [&](size_t i, char last) { return i < n && c[i] >= 'A' && c[i] <= last; };
    auto digit = [&](size_t i) { return i < n && c[i] >= '0' && c[i] <= '9'; };
    // Fields run A..R; beyond them the square would lie off the world.
    if (!letter(0, 'R') || !letter(1, 'R')) return std::nullopt;
    int64_t west = 72000 * (c[0] - 'A');
    int64_t south = 36000 * (c[1] - 'A');
    int64_t width = 72000, height = 36000;
    int characters = 2;
    if (digit(2)) west += 7200 * (c[2] - '0');
    if (digit(3)) south += 3600 * (c[3] - '0');
    const bool squares = digit(2) && digit(3);
    if (squares) {
        width = 7200;
        height = 3600;
        characters = 4;
    }
    if (letter(4, 'X')) west += 300 * (c[4] - 'A');
    if (letter(5, 'X')) south += 150 * (c[5] - 'A');
    const bool subsquares = squares && letter(4, 'X') && letter(5, 'X');
    if (subsquares) {
        width = 300;
        height = 150;
        characters = 6;
    }
    // The extended square: a tenth of the subsquare each way, in seconds
    // that stay whole (30 by 15).
    if (subsquares && digit(6) && digit(7)) {
        west += 30 * (c[6] - '0');
        south += 15 * (c[7] - '0');
        width = 30;
        height = 15;
        characters = 8;
    }
    LocatorBounds b;
    b.west = static_cast<int32_t>(100 * west);
    b.east = static_cast<int32_t>(100 * (west + width));
    b.south = static_cast<int32_t>(100 * (648000 - south));
    b.north = static_cast<int32_t>(100 * (648000 - south - height));
    b.centreLon = b.west / 2 + b.east / 2;
    b.centreLat = b.north / 2 + b.south / 2;
    b.characters = characters;
    return b;
}

}  // namespace velmora
