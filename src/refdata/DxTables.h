#pragma once
// Reference tables for DX spots: the waypoint/DX table of fixed-column
// spots and the "DXlist.dat" prefix table of countries.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "stations/FixedString.h"

namespace velmora {

// 82-byte entries: a key and the spot line.
struct WaypointEntry {
    int32_t key = 0;
    FixedString<78> line;
};

class WaypointTable {
public:
    explicit WaypointTable(int32_t capacity) : capacity_(capacity < 1 ? 1 : capacity) {
        entries_.reserve(static_cast<size_t>(capacity_));
    }
    // Adds a line under a new key; an existing key is left unchanged.
    // False when the key exists or the table is full.
    bool AddIfNew(int32_t key, std::string_view line);
    const WaypointEntry* Find(int32_t key) const;
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    int32_t Capacity() const { return capacity_; }
    const WaypointEntry& At(int32_t i) const { return entries_[static_cast<size_t>(i)]; }
    void Clear() { entries_.clear(); }

private:
    int32_t capacity_;
    std::vector<WaypointEntry> entries_;
};

struct DxPrefix {
    std::string prefix;
    std::string country;
    int32_t lon = 0, lat = 0;  // position units
};

// "DXlist.dat": 54-byte records of a prefix (10 bytes), a country name
// (36 bytes), and a big-endian longitude and latitude in tenths of the
// position unit. A callsign matches the entry with the longest prefix it
// begins with.
class DxPrefixTable {
public:
    static constexpr const char* kFileName = ":Data:DXlist.dat";
    static constexpr size_t kRecordBytes = 54;

    // Missing file: an empty table (spots then get no position).
    int Load(const FileAccess& files);
    // Parses the file's bytes; records with no prefix are skipped.
    int LoadBytes(std::string_view bytes);
    void Add(DxPrefix entry) { entries_.push_back(std::move(entry)); }
    const DxPrefix* Lookup(std::string_view callsign) const;
    size_t Size() const { return entries_.size(); }

private:
    std::vector<DxPrefix> entries_;
};

}  // namespace velmora
