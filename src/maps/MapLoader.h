#pragma once
// Loading a listed map from its file: the form by its type, the text
// form's capacities, and what the operator is told.
#include "maps/MapFiles.h"
#include "platform/Files.h"

namespace velmora {

class MapLoader {
public:
    // The arrays of the map a descriptor names; the descriptor's counts (and
    // a text map's bounds) follow what was read. On failure out is untouched.
    [[nodiscard]] MapLoadStatus Load(const FileAccess& files, MapDescriptor& d, LoadedMap& out,
                                     MapNotices& notices);
    // The largest point count of any map loaded so far: a text map gets at
    // least this much room.
    size_t LargestPointCount() const { return largestPoints_; }

private:
    size_t largestPoints_ = 15000;
};

// Bytes of a file's start enough for any header.
constexpr size_t kMapHeadBytes = 16384;
// No map file is larger.
constexpr size_t kMapFileLimit = size_t(1) << 30;

}  // namespace velmora
