#pragma once
// The lists of stations the program knows, each a table model over the
// station table: every station, the weather stations, those heard in the
// last hour, and the history buffer.
#include <memory>
#include <vector>

#include "decode/DecodeContext.h"
#include "lists/ListModel.h"
#include "platform/Clock.h"
#include "stations/HistoryBuffer.h"
#include "stations/StationTable.h"

namespace velmora {

// What the lists read; all of it owned by the core.
struct ListSources {
    const StationTable& table;
    const OwnStation& own;
    const Clock& clock;
    const HistoryBuffer& history;
};

// A list of stations: one row a station, in table order.
class StationListBase : public ListModel {
public:
    explicit StationListBase(ListSources sources) : s_(sources) {}
    size_t RowCount() const override { return rows_.size(); }
    void Refresh() override;
    // The station of a row (for double-click and the information window).
    StationIndex StationOf(size_t row) const { return row < rows_.size() ? rows_[row] : -1; }
    std::string RowCall(size_t row) const override {
        return row < rows_.size() && s_.table.ValidIndex(rows_[row]) ? std::string(s_.table.At(rows_[row]).callsign.View())
                                                                     : std::string();
    }
    // Every station list's "Symbol" column shows the map's picture.
    std::optional<std::pair<char, char>> CellSymbol(size_t row, size_t column) const override {
        if (row >= rows_.size() || column >= Columns().size() || Columns()[column].title != "Symbol") return std::nullopt;
        const StationRecord& r = Record(row);
        if (r.symbolCode <= ' ') return std::nullopt;
        return std::pair{r.symbolTable, r.symbolCode};
    }

protected:
    virtual bool Wanted(const StationRecord& r, StationIndex i) const = 0;
    const StationRecord& Record(size_t row) const { return s_.table.At(rows_[row]); }

    ListSources s_;
    std::vector<StationIndex> rows_;
};

// "STAL": every station, object and item.
class StationListModel final : public StationListBase {
public:
    using StationListBase::StationListBase;
    FourCC Code() const override { return MakeFourCC("STAL"); }
    std::string_view Title() const override { return "Station List"; }
    const std::vector<ListColumn>& Columns() const override;
    ListCell Cell(size_t row, size_t column) const override;
    std::optional<RowColour> Colour(size_t row) const override;

private:
    bool Wanted(const StationRecord&, StationIndex) const override { return true; }
};

// "WXXL": the weather stations, in the program's units.
class WeatherListModel final : public StationListBase {
public:
    using StationListBase::StationListBase;
    FourCC Code() const override { return MakeFourCC("WXXL"); }
    std::string_view Title() const override { return "Weather Stations"; }
    const std::vector<ListColumn>& Columns() const override;
    ListCell Cell(size_t row, size_t column) const override;
    // Celsius, km/h, millimetres and kilometres instead of Fahrenheit, mph,
    // inches and miles.
    void SetMetric(bool metric) {
        metric_ = metric;
        Invalidate();
    }

private:
    bool Wanted(const StationRecord& r, StationIndex) const override { return r.isWeatherStation != 0; }
    bool metric_ = false;
};

// "WHNL": stations heard in the last hour, direct or through digipeaters.
class HeardNowModel final : public StationListBase {
public:
    using StationListBase::StationListBase;
    FourCC Code() const override { return MakeFourCC("WHNL"); }
    std::string_view Title() const override { return "Heard Now"; }
    const std::vector<ListColumn>& Columns() const override;
    ListCell Cell(size_t row, size_t column) const override;

private:
    bool Wanted(const StationRecord& r, StationIndex i) const override;
};

// "HISL": every line of the history buffer, oldest first.
class HistoryListModel final : public ListModel {
public:
    explicit HistoryListModel(ListSources sources) : s_(sources) {}
    FourCC Code() const override { return MakeFourCC("HISL"); }
    std::string_view Title() const override { return "History List"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return rows_.size(); }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override;
    std::string Summary() const override;

private:
    struct Row {
        TimeStamp time;
        SourceKind kind;
        std::string line;
    };
    ListSources s_;
    std::vector<Row> rows_;
};

}  // namespace velmora
