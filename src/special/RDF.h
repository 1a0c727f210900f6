#pragma once
// Direction-finding bearing reports: "%bbb/q", "%bbbbb/q" or a bare
// three-digit bearing, relative to the observer's heading when moving.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora {

struct DfBearing {
    int bearing = 0;  // true bearing, 1..360 (360 stays 360)
    int quality = 0;
    int16_t dx = 0;   // end of a 1000-pixel line: right
    int16_t dy = 0;   // and down on the screen
};

// Empty when the text is not a bearing report. course: the observer's
// course in degrees, 0 or less when unknown.
std::optional<DfBearing> ComputeDfBearing(std::string_view text, int course);

// A bearing line as the maps draw it: from the observer's position, the
// 1000-pixel offset, the quality (its pen), and whether it stays when the
// next report comes.
struct DfSegment {
    int32_t lon = 0, lat = 0;
    int16_t dx = 0, dy = 0;
    int quality = 0;
    bool kept = false;
    int type = 0;  // 0 by quality; -1 and -2 the keep-every-line mode's older and newer line
};

// The last bearing line drawn, shared by every source of bearings so a new
// line replaces the previous one.
struct DfLine {
    static constexpr size_t kMaxDrawn = 64;
    int32_t lon = 0, lat = 0;
    int16_t dx = 0, dy = 0;
    int bearing = 0, quality = 0;
    // The lines on the maps: a moving observer's last line goes when the
    // next report comes; a stationary observer's lines stay. With keepAll
    // (the Caps Lock of old) every line stays, the older in one colour and
    // the newest in another.
    std::vector<DfSegment> drawn;
    bool keepAll = false;
    uint64_t generation = 0;  // raised at every change of the lines

    // Remembers a new report from an observer at (lon, lat). A stationary
    // observer's line is forgotten so that the next report does not erase it.
    void Remember(const DfBearing& b, int32_t observerLon, int32_t observerLat, int course);
};

// Pen width in pixels for a line of this quality, or for the types -1 and
// -2 of the keep-every-line mode; 0 when the pen is left as it was.
int DfPenWidth(int quality);

// The full computation: the bearing, then the line bookkeeping.
std::optional<DfBearing> DecodeDfLine(DfLine& line, std::string_view text, int32_t lon, int32_t lat,
                                      int course);

}  // namespace velmora
