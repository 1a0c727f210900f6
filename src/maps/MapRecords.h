#pragma once
// The records a map is made of, as the map files carry them: points that
// form polylines and filled polygons, labels, and what is known of a map
// file before its arrays are read.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace velmora {

constexpr uint8_t kPenEnd = 0;     // ends the point list
constexpr uint8_t kPenMove = 255;  // starts a new polyline
constexpr uint8_t kPolygonFirst = 0x80;
constexpr uint8_t kPolygonMore = 0x81;
constexpr uint8_t kPolygonLastLow = 0x82, kPolygonLastHigh = 0x8F;

struct MapPoint {
    uint8_t pen = kPenEnd;   // colour code of the line to this point
    uint8_t attribute = 0;   // line width 0..2, or a polygon mark
    int32_t lon = 0, lat = 0;
    bool operator==(const MapPoint&) const = default;
};

struct MapLabel {
    uint8_t code = 0;        // low 7 bits colour (1 = default); bit 7 text begins at the point
    int32_t lon = 0, lat = 0;
    int16_t scaleLimit = 0;  // 0: always shown
    std::string text;        // at most 31 characters; "#" rotated, "$" a symbol
    bool operator==(const MapLabel&) const = default;
};

// A file or folder found by the map folder scan.
struct MapFolderEntry {
    std::string name;
    std::string realPath;
    bool isFolder = false;
    int parent = -1;  // index of the folder entry it was found in; -1 for the top folder
};

using MagicText = std::array<char, 4>;

struct MapDescriptor {
    MapFolderEntry entry;
    MagicText mapType{};   // the file's magic, or "DOS " for text maps
    MagicText version{};
    std::string fileName;  // at most 31 characters
    std::string title;     // at most 31 characters
    std::string creator;   // at most 7 characters
    uint32_t created = 0;  // seconds since 1904-01-01
    bool valid = false;
    int32_t west = 0, east = 0, north = 0, south = 0;
    int32_t further1 = 0, further2 = 0;  // carried, not interpreted
    int32_t pointCount = 0, labelCount = 0;
    int32_t utmZone = 0, utmEastingOrigin = 0, utmNorthingOrigin = 0;
    int16_t windowKind = 0;
    uint16_t menuCommand = 0;
    // Our own maps name the colour of their background (the water) in the
    // header's unread tail, and the colour of the fill codes no table names
    // (their lakes); other maps are drawn on white with the table's fills.
    std::optional<Rgb> background;
    std::optional<Rgb> unlistedFill;

    bool IsType(const char* magic) const { return std::string(mapType.data(), 4) == magic; }
    int64_t Width() const { return int64_t(east) - west; }
    int64_t Height() const { return int64_t(south) - north; }
};

struct LoadedMap {
    MapDescriptor descriptor;
    std::vector<MapPoint> points;
    std::vector<MapLabel> labels;
};

}  // namespace velmora
