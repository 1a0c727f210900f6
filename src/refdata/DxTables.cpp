#include "refdata/DxTables.h"

#include <cstdio>

namespace velmora {

bool WaypointTable::AddIfNew(int32_t key, std::string_view line) {
    if (Find(key) || Count() >= capacity_) return false;
    WaypointEntry e;
    e.key = key;
    e.line = line;
    entries_.push_back(e);
    return true;
}

const WaypointEntry* WaypointTable::Find(int32_t key) const {
    for (const auto& e : entries_) {
        if (e.key == key) return &e;
    }
    return nullptr;
}

namespace {

std::string Text(std::string_view field) {
    const size_t nul = field.find('\0');
    std::string s(field.substr(0, nul));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

int32_t BigEndian32(const unsigned char* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
                                static_cast<uint32_t>(p[2]) << 8 | p[3]);
}

}  // namespace

int DxPrefixTable::LoadBytes(std::string_view bytes) {
    entries_.clear();
    for (size_t at = 0; at + kRecordBytes <= bytes.size(); at += kRecordBytes) {
        const std::string_view r = bytes.substr(at, kRecordBytes);
        DxPrefix e;
        e.prefix = Text(r.substr(0, 10));
        e.country = Text(r.substr(10, 36));
        const auto* p = reinterpret_cast<const unsigned char*>(r.data()) + 46;
        e.lon = BigEndian32(p) / 10;
        e.lat = BigEndian32(p + 4) / 10;
        if (!e.prefix.empty()) entries_.push_back(std::move(e));
    }
    return static_cast<int>(entries_.size());
}

int DxPrefixTable::Load(const FileAccess& files) {
    const std::optional<std::string> bytes = files.ReadWhole(files.RealPath(kFileName), 64u << 20);
    if (!bytes) {
        entries_.clear();
        return 0;
    }
    return LoadBytes(*bytes);
}

const DxPrefix* DxPrefixTable::Lookup(std::string_view callsign) const {
    const DxPrefix* best = nullptr;
    for (const auto& e : entries_) {
        if (callsign.substr(0, e.prefix.size()) == e.prefix && (!best || e.prefix.size() > best->prefix.size()))
            best = &e;
    }
    return best;
}

}  // namespace velmora
