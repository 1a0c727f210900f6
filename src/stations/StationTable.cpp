#include "stations/StationTable.h"

#include <algorithm>
#include <new>

namespace velmora {

StationTable::StationTable(int32_t capacity) {
    if (capacity > kMaximumCapacity) capacity = kMaximumCapacity;
    if (capacity < 1) capacity = 1;
    for (;;) {
        try {
            records_.resize(static_cast<size_t>(capacity));
            break;
        } catch (const std::bad_alloc&) {
            records_.clear();
            records_.shrink_to_fit();
            if (capacity <= kMinimumCapacity) break;
            capacity /= 2;
        }
    }
    size_t slots = 16;
    while (slots < records_.size() * 2) slots *= 2;
    slots_.assign(slots, -1);
}

namespace {
uint32_t NameHash(std::string_view name) {
    uint32_t h = 2166136261u;  // FNV-1a
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return h;
}
}  // namespace

// The slot holding the name, or the empty slot where it would go.
size_t StationTable::SlotOf(std::string_view name) const {
    const size_t mask = slots_.size() - 1;
    for (size_t s = NameHash(name) & mask;; s = (s + 1) & mask) {
        const StationIndex i = slots_[s];
        if (i < 0 || records_[static_cast<size_t>(i)].callsign.View() == name) return s;
    }
}

StationIndex StationTable::Lookup(std::string_view name) const {
    if (slots_.empty()) return -1;
    return slots_[SlotOf(name)];
}

StationIndex StationTable::Append(std::string_view name) {
    if (Full() || slots_.empty()) return kTableFull;
    StationRecord& r = records_[static_cast<size_t>(used_)];
    r.callsign = name;
    const size_t slot = SlotOf(r.callsign.View());
    if (slots_[slot] >= 0) return slots_[slot];  // already present
    slots_[slot] = used_;
    return used_++;
}

std::vector<StationIndex> StationTable::Compact(
    const std::function<bool(const StationRecord&, StationIndex)>& keep) {
    std::vector<StationIndex> remap(static_cast<size_t>(used_), -1);
    StationIndex next = 0;
    for (StationIndex i = 0; i < used_; ++i) {
        StationRecord& r = records_[static_cast<size_t>(i)];
        if (!keep(r, i)) {
            r = StationRecord{};
            continue;
        }
        if (next != i) {
            records_[static_cast<size_t>(next)] = std::move(r);
            r = StationRecord{};
        }
        remap[static_cast<size_t>(i)] = next++;
    }
    used_ = next;
    std::fill(slots_.begin(), slots_.end(), -1);
    for (StationIndex i = 0; i < used_; ++i) slots_[SlotOf(records_[static_cast<size_t>(i)].callsign.View())] = i;
    return remap;
}

void StationTable::Clear() {
    for (int32_t i = 0; i < used_; ++i) records_[static_cast<size_t>(i)] = StationRecord{};
    used_ = 0;
    std::fill(slots_.begin(), slots_.end(), -1);
}

}  // namespace velmora
