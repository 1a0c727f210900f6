#include "maps/MapLoader.h"

#include <algorithm>

namespace velmora {

std::optional<MapDescriptor> ReadMapHeader(std::string_view head, std::string_view fileName) {
    if (head.size() >= kMapHeaderSize && IsBinaryMapMagic(head.substr(0, 4))) {
        auto d = ReadBinaryHeader(head);
        if (d) d->fileName = std::string(fileName.substr(0, 31));
        return d;
    }
    return ReadTextHeader(head, fileName);
}

MapLoadStatus MapLoader::Load(const FileAccess& files, MapDescriptor& d, LoadedMap& out, MapNotices& notices) {
    const auto bytes = files.ReadWhole(d.entry.realPath, kMapFileLimit);
    if (!bytes) return MapLoadStatus::kCannotRead;
    MapDescriptor read = d;
    LoadedMap loaded;
    MapLoadStatus status;
    if (read.IsType("DOS ")) {
        // Room for every point and label the file can hold: a plain point
        // takes a line, a compressed one three characters.
        const size_t lines = static_cast<size_t>(std::count(bytes->begin(), bytes->end(), '\n')) + 1;
        TextMapCapacity capacity;
        capacity.points = std::max({largestPoints_, size_t(std::max(read.pointCount, 0)) + 20, lines,
                                    bytes->size() / 3});
        capacity.labels = std::max({capacity.labels, size_t(std::max(read.labelCount, 0)) + 20, lines});
        status = ReadTextMap(*bytes, read, capacity, loaded, notices);
    } else {
        // The file may have changed since the scan: its own header counts.
        auto header = ReadBinaryHeader(*bytes);
        if (!header) return MapLoadStatus::kNotAMap;
        header->entry = read.entry;
        header->fileName = read.fileName;
        header->menuCommand = read.menuCommand;
        read = *header;
        status = ReadBinaryMap(*bytes, read, loaded, notices);
    }
    if (status != MapLoadStatus::kLoaded) return status;
    largestPoints_ = std::max(largestPoints_, loaded.points.size());
    d = read;
    loaded.descriptor = read;
    out = std::move(loaded);
    return status;
}

}  // namespace velmora
