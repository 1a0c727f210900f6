#include "weather/CompassPoints.h"

namespace velmora {
namespace {

struct CompassPoint {
    std::string_view text;
    int degrees;
};

constexpr CompassPoint kCompassPointTable[] = {
    {"NNE", 22}, {"NE", 45},   {"ENE", 67}, {"E", 90},   {"ESE", 112}, {"SE", 135}, {"SSE", 157}, {"S", 180},
    {"SSW", 202}, {"SW", 225}, {"WSW", 247}, {"W", 270}, {"WNW", 292}, {"NW", 315}, {"NNW", 337},
};

}  // namespace

int CompassPointDegrees(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    for (const CompassPoint& p : kCompassPointTable)
        if (p.text == text) return p.degrees;
    return 0;
}

}  // namespace velmora
