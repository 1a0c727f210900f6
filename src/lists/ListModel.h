#pragma once
// A list window's content as a table model: typed columns, rows, a colour
// per row where the list has one, and the list code the invalidation
// broadcasts name ("STAL", "WXXL"...). The desktop shows a model in a table
// view; the headless console prints it as tab-separated rows. Plain C++.
#include <cstdint>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "stations/FourCC.h"

#include "maps/MapView.h"

namespace velmora {

enum class CellKind : uint8_t { kText, kNumber };

struct ListColumn {
    std::string title;
    CellKind kind = CellKind::kText;
};

// One cell: the text shown, and for number columns the value sorted by.
struct ListCell {
    std::string text;
    double number = 0;
    bool empty = false;  // no value: sorts after every value
};

struct RowColour {
    uint8_t r = 0, g = 0, b = 0;
};

class ListModel {
public:
    virtual ~ListModel() = default;
    virtual FourCC Code() const = 0;
    virtual std::string_view Title() const = 0;
    virtual const std::vector<ListColumn>& Columns() const = 0;
    virtual size_t RowCount() const = 0;
    virtual ListCell Cell(size_t row, size_t column) const = 0;
    virtual std::optional<RowColour> Colour(size_t /*row*/) const { return std::nullopt; }
    // The APRS symbol (table, code) a cell shows as a picture beside its text.
    virtual std::optional<std::pair<char, char>> CellSymbol(size_t /*row*/, size_t /*column*/) const {
        return std::nullopt;
    }
    // Rebuilds the rows from the core's state.
    virtual void Refresh() = 0;
    // A line of text shown above the rows ("Buffer utilization 42 %").
    virtual std::string Summary() const { return {}; }
    // What a double-click on a row opens: a station (by call) or a menu
    // command; empty and 0 for none.
    virtual std::string RowCall(size_t /*row*/) const { return {}; }
    virtual uint16_t RowCommand(size_t /*row*/) const { return 0; }
    // A key on a selected row (letters upper-cased; '\b' Backspace, 0x7F
    // Delete, 0x02 Ctrl-B). False when the row does not take it: the window
    // beeps. Lists without keys take none.
    virtual bool TakesKeys() const { return false; }
    virtual bool RowKey(size_t /*row*/, char /*key*/) { return false; }
    // A key on several selected rows at once; by default row by row. False
    // when one refused it.
    virtual bool RowsKey(const std::vector<size_t>& rows, char key) {
        bool taken = !rows.empty();
        for (size_t r : rows) taken = RowKey(r, key) && taken;
        return taken;
    }
    // The area a row stands for, which a double-click shows on the map;
    // an empty rectangle when it has none (the window beeps).
    virtual std::optional<GeoRect> RowArea(size_t /*row*/) const { return std::nullopt; }
    // A double-click the list handles itself (opening the row's own
    // window); false when it does not.
    virtual bool RowOpened(size_t /*row*/) { return false; }

    // Marked by the invalidation broadcasts; the window refreshes a marked
    // model at its next redraw, so many changes cost one refresh.
    void Invalidate() { dirty_ = true; }
    bool Dirty() const { return dirty_; }
    // Refreshes when marked; true when it did.
    bool RefreshIfDirty() {
        if (!dirty_) return false;
        dirty_ = false;
        Refresh();
        ++generation_;
        return true;
    }
    uint64_t Generation() const { return generation_; }

private:
    bool dirty_ = true;
    uint64_t generation_ = 0;
};

// The rows to show, in order: those whose text in any column contains the
// filter (without regard to case; a filter with a letter in it looks in the
// text columns only), sorted by a column (stable, empty cells last).
// column -1 keeps the model's order.
std::vector<size_t> ViewRows(const ListModel& model, std::string_view filter, int sortColumn, bool ascending);

// The model as text: a header row of the column titles, then one row each,
// tab-separated, with tabs and control bytes inside a cell escaped.
std::string ListText(const ListModel& model, const std::vector<size_t>& rows);
std::string ListText(const ListModel& model);

}  // namespace velmora
