#include "lists/PacketStatisticsList.h"

#include <string>

namespace velmora {
namespace {

constexpr const char* kCategoryNames[kStatCategoryCount] = {
    "Every line", "Position", "Timed position", "Object or item", "Status", "Beacon text", "ID text", nullptr,
    "Weather", "Raw weather", "Plus report", "Capabilities", "NMEA sentence", nullptr, "Direction finding",
    "Grid locator", nullptr, "Telemetry", "DX spot", "Other text", nullptr,
};
constexpr const char* kGroups[kStatGroups] = {"Other", "VHF", "Internet"};

}  // namespace

const std::vector<ListColumn>& PacketStatisticsModel::Columns() const {
    static const std::vector<ListColumn> columns = [] {
        std::vector<ListColumn> c{{"Category", CellKind::kText}};
        for (const char* g : kGroups) c.push_back({g, CellKind::kNumber});
        for (int h = 0; h < 24; ++h) c.push_back({(h < 10 ? "0" : "") + std::to_string(h), CellKind::kNumber});
        return c;
    }();
    return columns;
}

void PacketStatisticsModel::Refresh() {
    rows_.clear();
    for (int c = 0; c < kStatCategoryCount; ++c) {
        uint32_t any = 0;
        for (int g = 0; g < kStatGroups; ++g) any += stats_.Total(g, c);
        if (kCategoryNames[c] || any) rows_.push_back(c);
    }
    rows_.push_back(-1);
}

ListCell PacketStatisticsModel::Cell(size_t row, size_t column) const {
    if (row >= rows_.size()) return {};
    const int c = rows_[row];
    auto number = [](uint64_t v) { return ListCell{std::to_string(v), double(v), false}; };
    if (column == 0) {
        if (c < 0) return {"Bytes", 0, false};
        return {kCategoryNames[c] ? kCategoryNames[c] : "Category " + std::to_string(c), 0, false};
    }
    if (column <= size_t(kStatGroups)) {
        const int g = int(column) - 1;
        return number(c < 0 ? stats_.ByteTotal(g) : stats_.Total(g, c));
    }
    const int hour = int(column) - 1 - kStatGroups;
    uint64_t sum = 0;
    for (int g = 0; g < kStatGroups; ++g) sum += c < 0 ? stats_.Bytes(g, hour) : stats_.Slot(g, c, hour);
    return number(sum);
}

}  // namespace velmora
