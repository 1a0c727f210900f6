#pragma once
// Reading map files: the 256-byte header of the binary forms, the text
// form's header, and the point and label arrays of each. Everything works
// on the file's bytes; nothing here opens a file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/MapRecords.h"

namespace velmora {

enum class MapLoadStatus : uint8_t { kLoaded, kShortFile, kOutOfMemory, kNotAMap, kCannotRead, kNoDescriptor };

// What the operator is told while a map loads, and the beeps of failed
// record reads.
struct MapNotices {
    std::vector<std::string> messages;
    int beeps = 0;
};

constexpr size_t kMapHeaderSize = 256;
constexpr size_t kPointRecordSize = 10;
constexpr size_t kCompactPointSize = 6;
constexpr size_t kLabelRecordSize = 44;

// Whether these four characters are the magic of a binary map.
bool IsBinaryMapMagic(std::string_view magic);
// A file name ending in ".MAP", any case.
bool HasTextMapName(std::string_view fileName);

// The header from the first bytes of a file (at least 256 of a binary map,
// the first lines of a text map); nullopt when the file is no map.
std::optional<MapDescriptor> ReadMapHeader(std::string_view head, std::string_view fileName);
std::optional<MapDescriptor> ReadBinaryHeader(std::string_view bytes);
std::optional<MapDescriptor> ReadTextHeader(std::string_view bytes, std::string_view fileName);

// The arrays of a binary map (every 10-byte form, "UTM " and "COMP") from
// the whole file; fills the descriptor's counts, and for "UTM " maps its
// bounds and version.
[[nodiscard]] MapLoadStatus ReadBinaryMap(std::string_view file, MapDescriptor& d, LoadedMap& out,
                                          MapNotices& notices);

// How many points and labels a text map may hold; the rest are dropped.
struct TextMapCapacity {
    size_t points = 15000;
    size_t labels = 500;
};
// The arrays of a text map; the bounds and counts are recomputed from what
// was read.
[[nodiscard]] MapLoadStatus ReadTextMap(std::string_view file, MapDescriptor& d, TextMapCapacity capacity,
                                        LoadedMap& out, MapNotices& notices);

// A compressed text-map point: three characters to map units.
struct MapUnitsXy {
    long x = 0, y = 0;
};
MapUnitsXy ExpandCompressedPoint(unsigned char c0, unsigned char c1, unsigned char c2);

}  // namespace velmora
