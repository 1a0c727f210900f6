#pragma once
// The packet statistics ("PKST"): packets by category and source group,
// and by hour of the day, with the bytes heard.
#include "decode/Statistics.h"
#include "lists/ListModel.h"

namespace velmora {

class PacketStatisticsModel final : public ListModel {
public:
    explicit PacketStatisticsModel(const PacketStatistics& stats) : stats_(stats) {}
    FourCC Code() const override { return MakeFourCC("PKST"); }
    std::string_view Title() const override { return "Packet Statistics"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_.size(); }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override;

private:
    const PacketStatistics& stats_;
    std::vector<int> rows_;  // categories with a name or a count; -1 the bytes
};

}  // namespace velmora
