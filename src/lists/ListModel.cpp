#include "lists/ListModel.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "stations/StationRows.h"

namespace velmora {
namespace {

bool ContainsNoCase(std::string_view text, std::string_view needle) {
    if (needle.empty()) return true;
    const auto it = std::search(text.begin(), text.end(), needle.begin(), needle.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

// A filter with a letter in it is looking for a call, a name or a text, not
// a number: the number columns are then passed over, which keeps filtering
// a full internet feed quick (formatting the numbers is most of the work).
bool LooksForText(std::string_view filter) {
    return std::any_of(filter.begin(), filter.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

bool RowMatches(const ListModel& m, size_t row, std::string_view filter, bool textOnly) {
    if (filter.empty()) return true;
    for (size_t c = 0; c < m.Columns().size(); ++c) {
        if (textOnly && m.Columns()[c].kind == CellKind::kNumber) continue;
        if (ContainsNoCase(m.Cell(row, c).text, filter)) return true;
    }
    return false;
}

}  // namespace

std::vector<size_t> ViewRows(const ListModel& m, std::string_view filter, int sortColumn, bool ascending) {
    std::vector<size_t> rows;
    rows.reserve(m.RowCount());
    const bool textOnly = LooksForText(filter);
    for (size_t r = 0; r < m.RowCount(); ++r)
        if (RowMatches(m, r, filter, textOnly)) rows.push_back(r);
    if (sortColumn < 0 || static_cast<size_t>(sortColumn) >= m.Columns().size()) return rows;
    const size_t c = static_cast<size_t>(sortColumn);
    const bool numeric = m.Columns()[c].kind == CellKind::kNumber;
    // Each cell read once, then sorted by key.
    std::vector<ListCell> keys(m.RowCount());
    for (size_t r : rows) keys[r] = m.Cell(r, c);
    std::stable_sort(rows.begin(), rows.end(), [&](size_t a, size_t b) {
        const ListCell& x = keys[a];
        const ListCell& y = keys[b];
        if (x.empty != y.empty) return y.empty;  // empty cells last either way
        if (x.empty) return false;
        if (numeric) return ascending ? x.number < y.number : x.number > y.number;
        return ascending ? x.text < y.text : x.text > y.text;
    });
    return rows;
}

std::string ListText(const ListModel& m, const std::vector<size_t>& rows) {
    std::string out;
    for (size_t c = 0; c < m.Columns().size(); ++c) {
        if (c) out += '\t';
        out += EscapeField(m.Columns()[c].title);
    }
    out += '\n';
    for (size_t r : rows) {
        for (size_t c = 0; c < m.Columns().size(); ++c) {
            if (c) out += '\t';
            out += EscapeField(m.Cell(r, c).text);
        }
        out += '\n';
    }
    return out;
}

std::string ListText(const ListModel& m) {
    std::vector<size_t> rows(m.RowCount());
    std::iota(rows.begin(), rows.end(), size_t{0});
    return ListText(m, rows);
}

}  // namespace velmora
