// Sending: numbering, holding one message at a time per station, the line
// on the air, and the repetitions until an ack or the end of the budget.
#include <cctype>
#include <cstdio>

#include "messaging/MessageText.h"
#include "messaging/NwsAlerts.h"
#include "messaging/Messaging.h"

namespace velmora {
namespace {

bool IsAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }
bool RadioPort(char port) { return port == '1' || port == 'H' || port == '2' || port == 'V'; }

// The pending count lives in a signed byte of the station record.
void AddPending(uint8_t& pending, int by) {
    const int n = pending + by;
    pending = static_cast<uint8_t>(n < 0 ? 0 : n > 127 ? 127 : n);
}

}  // namespace

std::string MessageCounter::Peek() const {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03u", next_);
    return buf;
}

std::string MessageCounter::Take() {
    std::string n = Peek();
    next_ = next_ >= 999 ? 0 : next_ + 1;
    return n;
}

int32_t Messaging::QueueMessage(std::string_view toIn, std::string_view text, char port, StationIndex station,
                                std::optional<std::string_view> number, bool hold, std::string_view path) {
    if (text.size() >= 128) text = text.substr(0, 127);
    std::string to(toIn.substr(0, 9));
    for (char& c : to) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (IsNwsAddressee(to) && !links_.NwsSendingEnabled()) return -1;
    int previous = 0;
    for (int32_t i = 0; i < store_.Count(); ++i) {
        const MessageEntry& e = store_.At(i);
        if (e.Waiting() && e.kind != MessageKind::kUnnumbered && e.to == to) ++previous;
    }
    const int32_t index = store_.AddDroppingOldest();
    if (index < 0) return -1;
    links_.MessageChanged(-1);  // older entries may have gone
    MessageEntry& e = store_.At(index);
    e.from = settings_.ownCall;
    e.to = to;
    e.text = text;
    if (path.size() >= 3 && IsAlnum(path[0])) e.path = path;
    e.number = number ? std::string(*number) : counter_.Take();
    if (to.size() >= 4 && StartsWith(to, "BLN")) {
        e.kind = IsBulletinAddressee(to) ? MessageKind::kBulletin : MessageKind::kAnnouncement;
        previous = 0;
    } else if (IsNwsAddressee(to)) {
        e.kind = MessageKind::kNwsBulletin;
        previous = 0;
    } else if (e.number.Empty()) {
        e.kind = MessageKind::kUnnumbered;
        previous = 0;
    } else {
        e.kind = MessageKind::kNumbered;
        if (station < 0) station = FindStation(st_.table, to);
    }
    e.outgoing = 1;
    e.stationIndex = station;
    e.port = port;
    e.created = Now();
    // Index 0 is the own station, which never waits for itself.
    if (station > 0 && st_.table.ValidIndex(station)) {
        uint8_t& pending = st_.table.At(station).pendingMessages;
        pending = static_cast<uint8_t>(previous > 127 ? 127 : previous);
        if (hold && to != "EMAIL" && pending >= 1) e.held = 1;
        AddPending(pending, 1);
    }
    return index;
}

int32_t Messaging::SendMessage(std::string_view to, std::string_view text, char port, StationIndex station,
                               TimeStamp expires, std::optional<std::string_view> number, bool hold,
                               std::string_view path) {
    if (to.empty() || text.empty()) {
        st_.notices.Beep();
        return -1;
    }
    const int32_t index = QueueMessage(to, text, port, station, number, hold, path);
    if (index < 0) return -1;
    store_.At(index).expires = expires;
    if (!store_.At(index).held) TransmitMessageEntry(index);
    links_.MessageChanged(index);
    return index;
}

void Messaging::TransmitMessageEntry(int32_t index) {
    if (index < 0 || index >= store_.Count()) return;
    MessageEntry& e = store_.At(index);
    // A text-mode TNC sends with its normal path whatever the entry's path.
    const std::string_view path = RadioPort(e.port) ? e.path.View() : std::string_view{};
    links_.Transmit(e.port, MessageLine(e.to.View(), e.text.View(), e.number.View()), path);
    e.lastSent = Now();
    if (e.transmitCount < INT16_MAX) ++e.transmitCount;
    if (e.seenCount < INT16_MAX) ++e.seenCount;
    links_.MessageChanged(index);
}

void Messaging::ReleaseNextMessage(std::string_view station) {
    for (int32_t i = 0; i < store_.Count(); ++i) {
        MessageEntry& e = store_.At(i);
        if (!e.Waiting() || e.kind == MessageKind::kUnnumbered || e.to != station) continue;
        e.held = 0;
        TransmitMessageEntry(i);
        return;
    }
}

void Messaging::RetryPass(int minute, int announcementMinute) {
    const TimeStamp now = Now();
    const auto each = [this](auto&& wanted) {
        for (int32_t i = 0; i < store_.Count(); ++i)
            if (store_.At(i).Waiting() && wanted(store_.At(i))) TransmitMessageEntry(i);
    };
    if (minute % 18 == 0 && links_.NwsSendingEnabled())
        each([now](const MessageEntry& e) { return e.kind == MessageKind::kNwsBulletin && e.expires > now; });
    if (minute % 20 == 0)
        each([](const MessageEntry& e) { return e.kind == MessageKind::kBulletin && e.transmitCount < 20; });
    if (minute == announcementMinute) {
        each([](const MessageEntry& e) {
            return e.kind == MessageKind::kAnnouncement && IsAnnouncementAddressee(e.to.View()) &&
                   e.transmitCount < 48;
        });
    }
    for (int32_t i = 0; i < store_.Count(); ++i) {
        MessageEntry& e = store_.At(i);
        if (e.Waiting() && !e.held && e.kind != MessageKind::kUnnumbered && e.transmitCount < settings_.retries) {
            TransmitMessageEntry(i);
        } else if (e.reackPending) {
            SendAck(e.from.View(), e.number.View(), e.port);
            e.reackPending = 0;
        }
    }
}

void Messaging::RetryOnHeard(StationIndex station) {
    if (!st_.table.ValidIndex(station) || st_.table.At(station).pendingMessages < 1) return;
    for (int32_t i = 0; i < store_.Count(); ++i) {
        const MessageEntry& e = store_.At(i);
        if (e.stationIndex != station || e.from != settings_.ownCall || e.ackState != MessageEntry::kAckWaiting ||
            e.transmitCount >= kRetryOnHeardBudget)
            continue;
        if (Now() - e.lastSent > kRetryOnHeardSeconds) TransmitMessageEntry(i);
        return;
    }
}

namespace {

// "BLN1" becomes "BLN2" (9 goes round to 1), "BLNA" becomes "BLNB" (Z to A).
std::string NextBulletinAddressee(std::string to) {
    if (to.size() < 4 || !StartsWith(to, "BLN")) return to;
    char& c = to[3];
    if (c >= '1' && c <= '8') ++c;
    else if (c == '9' || c == '0') c = '1';
    else if (c >= 'A' && c < 'Z') ++c;
    else if (c == 'Z') c = 'A';
    else if (c >= 'a' && c < 'z') ++c;
    else if (c == 'z') c = 'a';
    return to;
}

}  // namespace

std::vector<std::string> Messaging::MessageParts(std::string_view text, StationIndex station) const {
    size_t first = 55, second = 62;
    if (st_.table.ValidIndex(station)) {
        const char type = st_.table.At(station).reportType;
        if (type == '`' || type == '\'' || type == 0x1C || type == 0x1D) first = 36, second = 43;
    }
    std::vector<std::string> parts;
    std::string part;
    const auto close = [&] {
        if (!part.empty()) parts.push_back(std::move(part));
        part.clear();
    };
    for (size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '\0';
        if (c == '\0') {
            close();
        } else if (c == ' ' && part.size() > first) {
            close();
        } else if (part.size() > second) {
            if (static_cast<unsigned char>(c) > ' ') part.push_back(c);
            close();
        } else {
            part.push_back(c);
        }
    }
    return parts;
}

std::string Messaging::SplitLongMessage(std::string_view toIn, std::string_view text, char port,
                                        StationIndex station) {
    std::string to(toIn);
    for (const std::string& part : MessageParts(text, station)) {
        SendMessage(to, part, port, station, 0, std::nullopt, true);
        if (StartsWith(to, "BLN")) to = NextBulletinAddressee(to);
    }
    return to;
}

bool Messaging::Own(int32_t index) const {
    return index >= 0 && index < store_.Count() && store_.At(index).outgoing;
}

bool Messaging::ResetEntry(int32_t index) {
    if (!Own(index)) return false;
    MessageEntry& e = store_.At(index);
    e.ackState = MessageEntry::kAckWaiting;
    e.held = 0;
    e.transmitCount = 0;
    links_.MessageChanged(index);
    return true;
}

// Cancelling or marking the message in flight lets the next one to that
// station go, as its ack would have.
bool Messaging::FinishEntry(int32_t index, uint8_t state) {
    if (!Own(index)) return false;
    MessageEntry& e = store_.At(index);
    const bool inFlight = e.Waiting() && !e.held && e.kind == MessageKind::kNumbered;
    e.ackState = state;
    e.held = 0;
    if (inFlight && e.stationIndex > 0 && st_.table.ValidIndex(e.stationIndex))
        AddPending(st_.table.At(e.stationIndex).pendingMessages, -1);
    links_.MessageChanged(index);
    if (inFlight) ReleaseNextMessage(std::string(e.to.View()));
    return true;
}

bool Messaging::CancelEntry(int32_t index) { return FinishEntry(index, MessageEntry::kCancelled); }
bool Messaging::MarkAcknowledged(int32_t index) { return FinishEntry(index, MessageEntry::kAcked); }

bool Messaging::SendEntryNow(int32_t index) {
    if (!Own(index)) return false;
    TransmitMessageEntry(index);
    return true;
}

void Messaging::Clear() {
    store_.Clear();
    for (StationIndex i = 0; i < st_.table.UsedCount(); ++i) st_.table.At(i).pendingMessages = 0;
    links_.MessageChanged(-1);
}

}  // namespace velmora
