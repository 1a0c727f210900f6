#include "lists/RadiogramList.h"

#include <cstdlib>

namespace velmora {

const std::vector<ListColumn>& RadiogramListModel::Columns() const {
    static const std::vector<ListColumn> columns = {
        {"Number", CellKind::kText}, {"From", CellKind::kText},     {"To", CellKind::kText},
        {"Prec", CellKind::kText},   {"Check", CellKind::kNumber},  {"Complete", CellKind::kText},
        {"Text", CellKind::kText},
    };
    return columns;
}

ListCell RadiogramListModel::Cell(size_t row, size_t column) const {
    if (row >= store_.All().size()) return {};
    const Radiogram& r = store_.All()[row];
    switch (column) {
        case 0: return {r.number.empty() ? r.group : r.number, 0, false};
        case 1: return {r.from, 0, false};
        case 2: return {r.to, 0, false};
        case 3: return {r.precedence, 0, r.precedence.empty()};
        case 4: return {r.check, double(std::atoi(r.check.c_str())), r.check.empty()};
        case 5: return {r.complete ? "yes" : "", 0, !r.complete};
        case 6: return {r.wholeText, 0, r.wholeText.empty()};
        default: return {};
    }
}

std::string RadiogramTitle(const Radiogram& r) { return r.from + "->" + r.to + ":" + r.number; }

std::vector<std::string> RadiogramText(const Radiogram& r) {
    std::vector<std::string> out = {
        RadiogramTitle(r),
        "NR " + r.number + " " + r.precedence + " " + r.handling + " " + r.stationOfOrigin + " " + r.check + " " +
            r.placeOfOrigin + " " + r.timeFiled + " " + r.date,
    };
    std::string address = r.address;
    for (char& c : address)
        if (c == '\r') c = '\n';
    size_t from = 0;
    while (from <= address.size() && !address.empty()) {
        const size_t nl = address.find('\n', from);
        const std::string line = address.substr(from, nl == std::string::npos ? std::string::npos : nl - from);
        if (!line.empty()) out.push_back("  " + line);
        if (nl == std::string::npos) break;
        from = nl + 1;
    }
    if (!r.telephone.empty()) out.push_back("  TEL " + r.telephone);
    out.push_back("BT");
    out.push_back(r.wholeText);
    out.push_back("BT");
    out.push_back(r.signature);
    out.push_back(r.complete ? "(complete)" : "(sections still to come)");
    return out;
}

}  // namespace velmora
