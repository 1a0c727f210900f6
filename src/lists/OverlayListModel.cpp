#include "lists/OverlayListModel.h"

#include "maps/MapReadout.h"

namespace velmora {

const std::vector<ListColumn>& OverlayListModel::Columns() const {
    static const std::vector<ListColumn> columns = {
        {"Name", CellKind::kText},     {"Symbol", CellKind::kText},  {"Position", CellKind::kText},
        {"Comment", CellKind::kText},  {"Overlay", CellKind::kNumber},
    };
    return columns;
}

ListCell OverlayListModel::Cell(size_t row, size_t column) const {
    const auto& entries = overlay_.Entries();
    if (row >= entries.size()) return {};
    const OverlayEntry& e = entries[row];
    switch (column) {
        case 0: return {e.name, 0, false};
        case 1: return {std::string{e.symbolTable, e.symbolCode}, 0, false};
        case 2: return {CursorPositionText({e.lon, e.lat}), 0, false};
        case 3: return {e.comment, 0, false};
        case 4: return {std::to_string(e.overlayNumber), double(e.overlayNumber), false};
        default: return {};
    }
}

}  // namespace velmora
