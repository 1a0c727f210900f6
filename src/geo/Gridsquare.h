#pragma once
// Maidenhead grid locators: field letters, square digits and subsquare
// letters, longitude before latitude ("FN31PR").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The locator of a position (position units): six characters, or 2, 4 or
// 8 (the extended square's digits) when asked. Every place in the program
// that shows or sends a locator uses this one routine.
std::string PositionToLocator(int32_t lon, int32_t lat, int characters = 6);

struct LocatorBounds {
    int32_t west, east;    // longitude units
    int32_t north, south;  // latitude units (north is the smaller value)
    int32_t centreLon, centreLat;
    int characters;        // 2, 4, 6 or 8 used
};

// The square of a locator of 2, 4, 6 or 8 characters (case-insensitive; a
// leading "[" is skipped, reading stops at "]"). Empty when the text is no
// locator or lies off the world.
std::optional<LocatorBounds> LocatorToBounds(std::string_view text);

}  // namespace velmora
