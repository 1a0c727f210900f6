#include "lists/MessageList.h"

#include <cstdio>

#include "lists/ListCells.h"

namespace velmora {

std::string MessageStatusCode(const MessageEntry& e) {
    if (!e.outgoing) return {};
    if (e.kind == MessageKind::kUnnumbered) return "-";
    if (e.ackState == MessageEntry::kAcked) return "A";
    if (e.ackState == MessageEntry::kCancelled) return "D";
    return e.held ? "QB" : "Q";
}

const std::vector<ListColumn>& MessageListModel::Columns() const {
    static const std::vector<ListColumn> columns = {
        {"From"}, {"To"}, {"Msg #"}, {"Count", CellKind::kNumber}, {"Date"}, {"Status"}, {"Port"}, {"Message"},
    };
    return columns;
}

const MessageEntry* MessageListModel::Entry(size_t row) const {
    const MessageStore& s = m_.Store();
    return row < static_cast<size_t>(s.Count()) ? &s.At(static_cast<int32_t>(row)) : nullptr;
}

ListCell MessageListModel::Cell(size_t row, size_t column) const {
    const MessageEntry* e = Entry(row);
    if (!e) return cells::None();
    char buf[48];
    switch (column) {
        case 0: return cells::Text(e->from.View());
        case 1: return cells::Text(e->to.View());
        case 2: return cells::Text(e->number.View());
        case 3:
            if (e->gatedCount > 0) std::snprintf(buf, sizeof buf, "%2d/%ld", e->seenCount, long(e->gatedCount));
            else std::snprintf(buf, sizeof buf, "%2d", e->seenCount);
            return ListCell{buf, double(e->seenCount), false};
        case 4: {
            const LocalDateTime t = FromTimeStamp(e->created);
            std::snprintf(buf, sizeof buf, "%02d/%02d %02d:%02d", t.month, t.day, t.hour, t.minute);
            return ListCell{buf, double(e->created), false};
        }
        case 5: {
            std::string status = MessageStatusCode(*e);
            if (!status.empty() && roundTrip_ && e->ackState == MessageEntry::kAcked && e->ackedAt) {
                std::snprintf(buf, sizeof buf, " %2ld", long(e->roundTrip));
                status += buf;
            }
            return cells::Text(status);
        }
        case 6: return severalPorts() ? cells::Text(std::string(1, e->port)) : cells::None();
        case 7: return cells::Text(e->text.View());
        default: return cells::None();
    }
}

std::optional<RowColour> MessageListModel::Colour(size_t row) const {
    const MessageEntry* e = Entry(row);
    if (!e) return std::nullopt;
    const std::string_view to = e->to.View();
    if (to == m_.Settings().ownCall) return RowColour{200, 0, 0};                                  // for me
    if (to.substr(0, 3) == "BLN" || to.substr(0, 4) == "NWS-") return RowColour{0, 0, 200};         // bulletins
    if (e->outgoing && e->kind == MessageKind::kNumbered && e->Waiting()) return RowColour{160, 0, 160};  // waiting
    if (e->outgoing && e->ackState == MessageEntry::kCancelled) return RowColour{128, 128, 128};
    if (e->outgoing && e->ackState == MessageEntry::kAcked) return RowColour{0, 128, 0};
    return RowColour{0, 0, 0};
}

std::string MessageListModel::Summary() const {
    const AutoAnswer& a = m_.Answer();
    return a.on ? "Auto Answer enabled:" + a.text : "Auto Answer disabled";
}

std::string MessageListModel::RowCall(size_t row) const {
    const MessageEntry* e = Entry(row);
    if (!e) return {};
    return std::string(e->outgoing ? e->to.View() : e->from.View());
}

bool MessageListModel::RowKey(size_t row, char key) {
    const MessageEntry* e = Entry(row);
    if (!e) return false;
    // Forward and reply work on any message; the rest only on our own.
    switch (key) {
        case 'F': if (compose) compose("", std::string(e->text.View())); return true;
        case 'R': if (compose) compose(std::string(e->from.View()), ""); return true;
        case 'S': if (compose) compose(std::string(e->to.View()), ""); return true;
        default: break;
    }
    if (!e->outgoing) return false;
    const int32_t i = static_cast<int32_t>(row);
    switch (key) {
        case 'X': case '\\': case 0x02: return m_.ResetEntry(i);
        case '\b': case 0x7F: return m_.CancelEntry(i);
        case '=': return m_.MarkAcknowledged(i);
        case 'N': return m_.SendEntryNow(i);
        default: return false;
    }
}

}  // namespace velmora
