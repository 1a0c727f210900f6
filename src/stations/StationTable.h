#pragma once
// The fixed-capacity table of stations. Used records are contiguous from
// index 0 and the first free record ends the used part; a full table
// refuses new stations. Lookup keeps the observable rules of a linear scan
// (exact, case-sensitive names) but goes through a name index so that it
// does not slow down as the table fills.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "stations/StationRecord.h"

namespace velmora {

// Station indices. The table can be larger than 32,767 records (a day of
// internet traffic), so indices are 32-bit; negative values are failures.
using StationIndex = int32_t;
constexpr StationIndex kTableFull = -1;
constexpr StationIndex kInvalidCallsign = -2;

class StationTable {
public:
    static constexpr int32_t kMinimumCapacity = 64;
    static constexpr int32_t kMaximumCapacity = 65535;

    // Allocates the table in one block. When that fails the capacity is
    // halved and the allocation retried while the capacity is above 64.
    explicit StationTable(int32_t capacity);

    int32_t Capacity() const { return static_cast<int32_t>(records_.size()); }
    int32_t UsedCount() const { return used_; }
    bool Full() const { return used_ >= Capacity(); }

    StationRecord& At(StationIndex i) { return records_[static_cast<size_t>(i)]; }
    const StationRecord& At(StationIndex i) const { return records_[static_cast<size_t>(i)]; }
    bool ValidIndex(StationIndex i) const { return i >= 0 && i < used_; }

    // Exact lookup of an already cut and checked name; -1 when absent.
    StationIndex Lookup(std::string_view name) const;
    // Takes the first free record for a new name; -1 when the table is full.
    [[nodiscard]] StationIndex Append(std::string_view name);

    // Releases every owned buffer and zero-fills every used record.
    void Clear();

    // Removes the records keep() refuses and closes the gaps, keeping the
    // order. Returns where each old index went (-1: removed), for everything
    // else that holds an index.
    std::vector<StationIndex> Compact(const std::function<bool(const StationRecord&, StationIndex)>& keep);

    // Track colours are handed out in turn, 1..14.
    int16_t TakeTrackColour() {
        const int16_t c = nextTrackColour_;
        nextTrackColour_ = static_cast<int16_t>(c >= 14 ? 1 : c + 1);
        return c;
    }

private:
    size_t SlotOf(std::string_view name) const;

    std::vector<StationRecord> records_;
    int32_t used_ = 0;
    int16_t nextTrackColour_ = 1;
    // Open addressing over record indices (-1 empty), at most half full;
    // the names themselves stay in the records.
    std::vector<StationIndex> slots_;
};

}  // namespace velmora
