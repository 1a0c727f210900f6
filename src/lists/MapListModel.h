#pragma once
// The Map List window ("MAPL"): every listed map with its type, creator,
// date, counts and corners.
#include "lists/ListModel.h"
#include "maps/MapList.h"

namespace velmora {

class MapListModel final : public ListModel {
public:
    explicit MapListModel(const MapList& maps) : maps_(maps) {}
    FourCC Code() const override { return MakeFourCC("MAPL"); }
    std::string_view Title() const override { return "Map List"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_.size(); }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override;
    // The map a row shows.
    const MapDescriptor* MapAt(size_t row) const { return row < rows_.size() ? rows_[row] : nullptr; }
    // A double-click opens the map, as its Maps-menu item does.
    uint16_t RowCommand(size_t row) const override { return row < rows_.size() ? rows_[row]->menuCommand : 0; }

private:
    const MapList& maps_;
    std::vector<const MapDescriptor*> rows_;
};

}  // namespace velmora
