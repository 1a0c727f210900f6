#pragma once
// What a list window keeps of itself in its "WinLoc.prf" entry's private
// block: the column it is sorted by and the order, the columns hidden, and
// the widths the operator gave them. A block never written reads as the
// list as it comes (the model's order, every column, widths to fit).
//   0   i16   sort column + 1 (0: the model's order)
//   2   u8    1 when sorted descending
//   4   u32   hidden columns, bit n for column n
//   8   i16 × 32  column widths in pixels (0: fit to the contents)
#include <array>
#include <cstdint>
#include <span>

namespace velmora {

struct ListWindowState {
    static constexpr size_t kColumns = 32;
    int sortColumn = -1;
    bool ascending = true;
    uint32_t hiddenColumns = 0;
    std::array<int16_t, kColumns> widths{};
    bool operator==(const ListWindowState&) const = default;

    static constexpr size_t kBytes = 8 + 2 * kColumns;
    std::array<uint8_t, kBytes> Bytes() const;
    static ListWindowState Parse(std::span<const uint8_t> block);
};

}  // namespace velmora
