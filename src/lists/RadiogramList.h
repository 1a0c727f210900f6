#pragma once
// "NTS Messages" ("NTSL"): the radiograms received and written, with their
// number, parties, check, completeness and text.
#include <functional>

#include "lists/ListModel.h"
#include "special/Nts.h"

namespace velmora {

class RadiogramListModel final : public ListModel {
public:
    explicit RadiogramListModel(const RadiogramStore& store) : store_(store) {}
    FourCC Code() const override { return MakeFourCC("NTSL"); }
    std::string_view Title() const override { return "NTS Messages"; }
    const std::vector<ListColumn>& Columns() const override;
    size_t RowCount() const override { return store_.All().size(); }
    ListCell Cell(size_t row, size_t column) const override;
    void Refresh() override {}
    bool RowOpened(size_t row) override {
        if (row >= store_.All().size() || !open) return false;
        open(store_.All()[row]);
        return true;
    }
    // Shows a stored radiogram in its window.
    std::function<void(const Radiogram&)> open;

private:
    const RadiogramStore& store_;
};

// A radiogram's window title: "FROM->TO:NUMBER".
std::string RadiogramTitle(const Radiogram& r);
// A radiogram as text, a field a line, for the console and the window.
std::vector<std::string> RadiogramText(const Radiogram& r);

}  // namespace velmora
