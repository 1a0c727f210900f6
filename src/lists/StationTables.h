#pragma once
// The smaller lists of stations, each described by which stations it shows
// and a table of columns, one function a column: positions, tracks, Mic-E,
// flagged stations, paths and direction finding.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lists/StationLists.h"

namespace velmora {

struct StationColumn {
    ListColumn column;
    std::function<ListCell(const StationRecord&, const ListSources&)> cell;
};

class StationTableModel final : public StationListBase {
public:
    StationTableModel(ListSources sources, FourCC code, std::string title,
                      std::function<bool(const StationRecord&)> wanted, std::vector<StationColumn> columns);
    FourCC Code() const override { return code_; }
    std::string_view Title() const override { return title_; }
    const std::vector<ListColumn>& Columns() const override { return headers_; }
    ListCell Cell(size_t row, size_t column) const override;

private:
    bool Wanted(const StationRecord& r, StationIndex) const override { return wanted_(r); }

    FourCC code_;
    std::string title_;
    std::function<bool(const StationRecord&)> wanted_;
    std::vector<StationColumn> columns_;
    std::vector<ListColumn> headers_;
};

// "POSL", "TRKL", "MICL", "FLGL", "PTHL", "RDFL", and the telemetry of each
// station ("TLMY": the last values with their names, units and scaling).
std::vector<std::unique_ptr<ListModel>> MakeStationTables(ListSources sources);

}  // namespace velmora
