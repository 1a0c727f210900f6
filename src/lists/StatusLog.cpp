#include "lists/StatusLog.h"

#include <cstdio>

namespace velmora {

void StatusLog::Keep(std::string text) {
    if (entries_.size() >= kKept) entries_.pop_front();
    entries_.push_back({clock_.NowStamp(), std::move(text)});
    if (onChange) onChange();
}

void StatusLog::StatusText(std::string_view text) {
    Keep(std::string(text));
    next_.StatusText(text);
}

void StatusLog::PlayEventSound(int event, std::string_view caption) {
    Keep("[" + std::to_string(event) + "] " + std::string(caption));
    next_.PlayEventSound(event, caption);
}

const std::vector<ListColumn>& StatusListModel::Columns() const {
    static const std::vector<ListColumn> kColumns = {{"Time", CellKind::kNumber}, {"Text"}};
    return kColumns;
}

ListCell StatusListModel::Cell(size_t row, size_t column) const {
    if (row >= log_.Entries().size()) return {"", 0, true};
    const StatusLog::Entry& e = log_.Entries()[row];
    if (column == 1) return {e.text, 0, e.text.empty()};
    const LocalDateTime t = FromTimeStamp(e.time);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d/%02d %02d:%02d:%02d", t.month, t.day, t.hour, t.minute, t.second);
    return {buf, static_cast<double>(e.time), false};
}

}  // namespace velmora
