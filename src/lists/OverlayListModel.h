#pragma once
// "Overlay List" ("OVLL"): the entries of the loaded overlay file.
#include <vector>

#include "lists/ListModel.h"
#include "maps/OverlayFile.h"

namespace velmora {

class OverlayListModel final : public ListModel {
public:
    explicit OverlayListModel(const OverlayLayer& overlay) : overlay_(overlay) {}
    FourCC Code() const override { return MakeFourCC("OVLL"); }
    std::string_view Title() const override { return "Overlay List"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return overlay_.Entries().size(); }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override {}

private:
    const OverlayLayer& overlay_;
};

}  // namespace velmora
