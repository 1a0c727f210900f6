#include "lists/NwsListModel.h"

namespace velmora {

const std::vector<ListColumn>& NwsListModel::Columns() const {
    static const std::vector<ListColumn> columns = {
        {"Code", CellKind::kText}, {"Level", CellKind::kNumber}, {"Event", CellKind::kText},
        {"Expires", CellKind::kText}, {"Issuer", CellKind::kText},
    };
    return columns;
}

void NwsListModel::Refresh() {
    rows_.clear();
    const auto& areas = alerts_.Areas();
    for (size_t i = 0; i < areas.size(); ++i) {
        bool shown = regions_.empty();
        for (const std::string& p : regions_) shown = shown || areas[i].code.compare(0, p.size(), p) == 0;
        if (shown) rows_.push_back(static_cast<int>(i));
    }
}

ListCell NwsListModel::Cell(size_t row, size_t column) const {
    if (row >= rows_.size()) return {};
    const NwsArea& a = alerts_.Areas()[size_t(rows_[row])];
    switch (column) {
        case 0: return {a.code, 0, false};
        // Sorted by the level, the name shown.
        case 1: return {std::string(NwsLevelName(a.level)), double(a.level), false};
        case 2: return {a.event, 0, a.event.empty()};
        case 3: return {a.timeText, double(a.expires), a.timeText.empty()};
        case 4: return {a.issuer, 0, a.issuer.empty()};
        default: return {};
    }
}

std::optional<RowColour> NwsListModel::Colour(size_t row) const {
    if (row >= rows_.size() || !alerts_.Originator() || !alerts_.Areas()[size_t(rows_[row])].relay) return std::nullopt;
    return RowColour{0, 0, 0xC0};
}

std::string NwsListModel::Summary() const {
    size_t active = 0;
    for (const NwsArea& a : alerts_.Areas()) active += a.active;
    std::string s = std::to_string(alerts_.Areas().size()) + " areas, " + std::to_string(active) + " with an alert";
    if (alerts_.Originator())
        s += "\nCAUTION: These buttons send out LIVE NWS alarms  (keys: C Cancel, A Advisory, W Watch, R Warning, T Test)";
    return s;
}

std::optional<GeoRect> NwsListModel::RowArea(size_t row) const {
    if (row >= rows_.size()) return std::nullopt;
    const NwsBounds& b = alerts_.Areas()[size_t(rows_[row])].bounds;
    return GeoRect{b.west, b.east, b.north, b.south};
}

std::optional<int> NwsListModel::LevelOfKey(char key) {
    switch (key) {
        case 'C': return 0;
        case 'A': return 1;
        case 'W': return 2;
        case 'R': return 3;
        case 'T': return 4;
        default: return std::nullopt;
    }
}

bool NwsListModel::RowsKey(const std::vector<size_t>& rows, char key) {
    const auto level = LevelOfKey(key);
    if (!level || !alerts_.Originator() || !send || rows.empty()) return false;
    std::vector<int> areas;
    for (size_t r : rows)
        if (r < rows_.size()) areas.push_back(rows_[r]);
    return send(*level, areas);
}

}  // namespace velmora
