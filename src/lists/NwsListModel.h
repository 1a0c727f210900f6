#pragma once
// "NWS-Counties List" ("NWSL"): one row per weather area with its level,
// event, expiry and issuer; relayed areas highlighted. At a station that
// may originate bulletins, keys on the selected rows send them.
#include <functional>
#include <string>
#include <vector>

#include "lists/ListModel.h"
#include "messaging/NwsAlerts.h"

namespace velmora {

class NwsListModel final : public ListModel {
public:
    explicit NwsListModel(const NwsAlerts& alerts) : alerts_(alerts) {}
    FourCC Code() const override { return MakeFourCC("NWSL"); }
    std::string_view Title() const override { return "NWS-Counties List"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_.size(); }
    ListCell Cell(size_t row, size_t column) const override;
    std::optional<RowColour> Colour(size_t row) const override;
    void Refresh() override;
    std::string Summary() const override;
    std::optional<GeoRect> RowArea(size_t row) const override;
    bool TakesKeys() const override { return alerts_.Originator(); }
    bool RowsKey(const std::vector<size_t>& rows, char key) override;

    // "Regions.txt": code prefixes; only their areas are listed (all
    // without the file).
    void SetRegions(std::vector<std::string> prefixes) { regions_ = std::move(prefixes); }
    // The area of a row (an index into the alerts' table).
    int AreaOf(size_t row) const { return row < rows_.size() ? rows_[row] : -1; }
    // C cancel, A advisory, W watch, R warning, T test: the level sent.
    static std::optional<int> LevelOfKey(char key);
    // The sending of a level to the chosen areas.
    std::function<bool(int level, const std::vector<int>& areas)> send;

private:
    const NwsAlerts& alerts_;
    std::vector<std::string> regions_;
    std::vector<int> rows_;
};

}  // namespace velmora
