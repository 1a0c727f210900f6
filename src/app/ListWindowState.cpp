#include "app/ListWindowState.h"

namespace velmora {
namespace {

void Put16(uint8_t* p, int v) {
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}
int16_t Get16(std::span<const uint8_t> b, size_t at) { return static_cast<int16_t>(b[at] | b[at + 1] << 8); }

}  // namespace

std::array<uint8_t, ListWindowState::kBytes> ListWindowState::Bytes() const {
    std::array<uint8_t, kBytes> out{};
    Put16(out.data(), sortColumn < 0 ? 0 : sortColumn + 1);
    out[2] = ascending ? 0 : 1;
    for (size_t i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(hiddenColumns >> (8 * i));
    for (size_t c = 0; c < kColumns; ++c) Put16(out.data() + 8 + 2 * c, widths[c] < 0 ? 0 : widths[c]);
    return out;
}

ListWindowState ListWindowState::Parse(std::span<const uint8_t> block) {
    ListWindowState s;
    if (block.size() < kBytes) return s;  // no entry: the list as it comes
    const int sort = Get16(block, 0);
    s.sortColumn = sort > 0 && sort <= int(kColumns) ? sort - 1 : -1;
    s.ascending = block[2] == 0;
    for (size_t i = 0; i < 4; ++i) s.hiddenColumns |= static_cast<uint32_t>(block[4 + i]) << (8 * i);
    for (size_t c = 0; c < kColumns; ++c) {
        const int16_t w = Get16(block, 8 + 2 * c);
        s.widths[c] = w > 0 && w < 4000 ? w : 0;  // a width off any screen is junk
    }
    return s;
}

}  // namespace velmora
