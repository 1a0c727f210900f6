#include "lists/MapListModel.h"

#include "maps/MapReadout.h"

namespace velmora {
namespace {

ListCell Text(std::string t) { return {std::move(t), 0, false}; }
ListCell Number(int64_t v) { return {std::to_string(v), double(v), false}; }

}  // namespace

const std::vector<ListColumn>& MapListModel::Columns() const {
    static const std::vector<ListColumn> columns = {
        {"Title", CellKind::kText},   {"File", CellKind::kText},        {"Type", CellKind::kText},
        {"Creator", CellKind::kText}, {"Date", CellKind::kText},        {"Points", CellKind::kNumber},
        {"Labels", CellKind::kNumber}, {"North West", CellKind::kText}, {"South East", CellKind::kText},
    };
    return columns;
}

void MapListModel::Refresh() {
    rows_.clear();
    for (const MapDescriptor& d : maps_.Maps()) rows_.push_back(&d);
}

ListCell MapListModel::Cell(size_t row, size_t column) const {
    if (row >= rows_.size()) return {};
    const MapDescriptor& d = *rows_[row];
    switch (column) {
        case 0: return Text(d.title);
        case 1: return Text(d.entry.name);
        case 2: return Text(std::string(d.mapType.data(), 4));
        case 3: return Text(d.creator);
        case 4: return Text(MapDateText(d.created));
        case 5: return d.IsType("DOS ") && d.pointCount == 0 ? ListCell{"", 0, true} : Number(d.pointCount);
        case 6: return d.IsType("DOS ") && d.labelCount == 0 ? ListCell{"", 0, true} : Number(d.labelCount);
        case 7: return Text(CursorPositionText({d.west, d.north}));
        case 8: return Text(CursorPositionText({d.east, d.south}));
        default: return {};
    }
}

}  // namespace velmora
