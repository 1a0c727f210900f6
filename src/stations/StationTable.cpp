#include "stations/StationTable.h"

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
    index_.reserve(records_.size());
}

StationIndex StationTable::Lookup(std::string_view name) const {
    const auto it = index_.find(std::string(name));
    return it == index_.end() ? -1 : it->second;
}

StationIndex StationTable::Append(std::string_view name) {
    if (Full()) return kTableFull;
    const StationIndex i = used_++;
    records_[static_cast<size_t>(i)].callsign = name;
    index_.emplace(std::string(records_[static_cast<size_t>(i)].callsign.View()), i);
    return i;
}

void StationTable::Clear() {
    for (int32_t i = 0; i < used_; ++i) records_[static_cast<size_t>(i)] = StationRecord{};
    used_ = 0;
    index_.clear();
}

}  // namespace velmora
