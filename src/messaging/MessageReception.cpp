// Reception: acknowledgements, rejections, storing, and what a message for
// this station gets (an ack, an answer, a notice).
#include <cstdio>

#include "messaging/MessageText.h"
#include "messaging/NwsAlerts.h"
#include "messaging/Messaging.h"

namespace velmora {

struct Messaging::Received {
    std::string_view from, path, field;
    ParsedMessage m;
    bool forMe = false;
};

namespace {

constexpr std::string_view kOverflow = "Message Buffer Overflow, Deleting first half of the Message Buffer";

bool InternetPort(char port) { return port == 'T' || port == '3'; }

std::string Format(const char* format, std::string_view a, std::string_view b) {
    char buf[400];
    std::snprintf(buf, sizeof buf, format, std::string(a).c_str(), std::string(b).c_str());
    return buf;
}

}  // namespace

constexpr TimeStamp kUnnumberedRepeatSeconds = 30;

void Messaging::ReceiveMessage(std::string_view from, std::string_view path, std::string_view field, Liveness live,
                               char port) {
    Received r{from, path, field, ParseMessageField(field), false};
    r.forMe = r.m.addressee == settings_.ownCall;
    const bool isLive = live == Liveness::kLive;
    bool gated = false;
    if (isLive && links_.IgateEnabled() && InternetPort(port)) gated = links_.GateMessageToRf(from, path, field);
    if (r.m.ack) {
        if (r.forMe) Acknowledged(r, live);
        return;
    }
    if (r.m.reject) return;
    // A reply-ack carries the acknowledgement of our last message with it.
    if (r.forMe && !r.m.replyAck.empty()) {
        Received ack = r;
        ack.m.number = r.m.replyAck;
        Acknowledged(ack, live);
    }
    Store(r, live, port, gated);
}

void Messaging::Acknowledged(const Received& r, Liveness live) {
    const TimeStamp now = Now();
    for (int32_t i = 0; i < store_.Count(); ++i) {
        MessageEntry& e = store_.At(i);
        if (!e.Waiting() || e.number != r.m.number || !(e.to == r.from || e.to == "EMAIL")) continue;
        e.ackState = MessageEntry::kAcked;
        e.held = 0;
        e.ackedAt = now;
        e.roundTrip = static_cast<int32_t>(now - e.created);
        if (e.stationIndex >= 0 && live == Liveness::kLive && st_.table.ValidIndex(e.stationIndex)) {
            uint8_t& pending = st_.table.At(e.stationIndex).pendingMessages;
            if (pending >= 1) --pending;
        }
        links_.MessageChanged(i);
        ReleaseNextMessage(r.from);
        return;
    }
}

void Messaging::Store(const Received& r, Liveness live, char port, bool gated) {
    const bool isLive = live == Liveness::kLive;
    int32_t index = store_.Find(r.from, r.m.addressee, r.m.text, r.m.number);
    if (index >= store_.Capacity()) {
        st_.notices.StatusText(kOverflow);
        index = store_.Compact(settings_.ownCall);
        links_.MessageChanged(-1);
    }
    if (isLive && r.forMe && !r.m.number.empty()) SendAck(r.from, r.m.number, port);
    if (index >= store_.Capacity()) {
        // Only our own unacknowledged messages are left: they stay.
        st_.notices.StatusText("Message Buffer full of unacknowledged messages: message not stored");
        return;
    }
    const bool fresh = index == store_.Count();
    if (fresh) {
        index = store_.Add();
        if (index < 0) return;
        MessageEntry& e = store_.At(index);
        e.created = Now();
        e.port = port;
        e.number = r.m.number;
        e.from = r.from;
        e.to = r.m.addressee;
        e.text = r.m.text;
    } else if (r.forMe && isLive) {
        store_.At(index).reackPending = 1;
    }
    MessageEntry& e = store_.At(index);
    if (gated) ++e.gatedCount;
    if (r.from != settings_.ownCall && e.seenCount < INT16_MAX) ++e.seenCount;
    if (fresh) {
        StoreNew(index, r, live, port);
        return;
    }
    links_.MessageChanged(index);
    // An unnumbered message has no number to tell a repeat from a new one:
    // the same text (a query such as "?APRSS") more than 30 seconds later
    // is asked again, and answered again.
    if (r.forMe && isLive && r.m.number.empty() && Now() - e.created >= kUnnumberedRepeatSeconds) {
        e.created = Now();
        HandleMessageForMe(r, port);
    }
}

void Messaging::StoreNew(int32_t index, const Received& r, Liveness live, char port) {
    const bool isLive = live == Liveness::kLive;
    MessageEntry& e = store_.At(index);
    const std::string_view to = r.m.addressee;
    if (IsBulletinAddressee(to)) e.kind = MessageKind::kBulletin;
    if (IsAnnouncementAddressee(to)) e.kind = MessageKind::kAnnouncement;
    const bool nts = r.m.text.size() >= 3 && r.m.text[0] == 'N' && r.m.text[2] == '\\';
    if (nts) e.kind = MessageKind::kNtsTraffic;
    if (IsNwsAddressee(to)) e.kind = MessageKind::kNwsBulletin;
    else if (StartsWith(to, "RCM-")) e.kind = MessageKind::kRcmTraffic;
    links_.MessageChanged(index);

    const FindResult sender = FindOrAddStation(st_, r.from, Liveness::kReplay, SourceKind::kNone, 0);
    if (sender.index >= 0) {
        int16_t& count = st_.table.At(sender.index).messagesSent;
        if (count < INT16_MAX) ++count;
    }
    if (isLive) {
        const LocalDateTime t = st_.clock.Now();
        char stamp[40];
        std::snprintf(stamp, sizeof stamp, "%02d/%02d/%04d\t%02d:%02d\t", t.month, t.day, t.year, t.hour, t.minute);
        links_.LogMessage(std::string(stamp) + std::string(r.from) + "\t" + std::string(r.field));
    }
    // The hand-offs may queue replies, which can move entries: nothing of
    // the entry is used after them.
    if (nts) links_.NtsTraffic(r.from, to, r.m.text, r.m.number, isLive);
    if (IsNwsAddressee(to)) links_.NwsBulletin(r.from, to, r.m.text, port, isLive);
    if (!isLive) return;
    if (r.forMe) {
        HandleMessageForMe(r, port);
    } else if (IsBulletinAddressee(to) && settings_.notifyBulletins) {
        st_.notices.PlayEventSound(kSoundNewBulletin, Format("Bulletin from %s , %s", r.from, r.m.text));
    } else if (IsAnnouncementAddressee(to) && settings_.notifyAnnouncements) {
        st_.notices.PlayEventSound(kSoundNewBulletin, Format("Announcment from %s , %s", r.from, r.m.text));
    }
}

void Messaging::HandleMessageForMe(const Received& r, char port) {
    const std::string& head = r.m.head;
    if (StartsWith(head, "?APRS")) {
        links_.PositionDue(port);
        AnswerDirectedQuery(r, port);
    } else if (StartsWith(head, "?PING?")) {
        Reply(r.from, "PATH= " + std::string(r.path), port);
    } else if (StartsWith(head, "?VER?")) {
        Reply(r.from, "Velmora V2.2.8 Compiled May 12 1999", port);
    } else {
        if (settings_.notifyMail) {
            st_.notices.PlayEventSound(kSoundNewMessage, Format("Mail from %s , %s", r.from, r.m.text));
        } else if (Now() - lastMailBeep_ > 30) {
            st_.notices.Beep();
            st_.notices.StatusText("New message");
            lastMailBeep_ = Now();
        }
        links_.MailArrived(r.from, r.m.text);
        if (autoAnswer_.on && !StartsWith(head, "AA:") && !StartsWith(head, "AUTOREPLY"))
            Reply(r.from, ("AA:" + autoAnswer_.text).substr(0, 63), port);
    }
}

void Messaging::AnswerDirectedQuery(const Received& r, char port) {
    switch (r.m.head.size() > 5 ? r.m.head[5] : '\0') {
        case '?':
            links_.SendStatus(port);
            links_.SendObjects(port);
            break;
        case 'S': links_.SendStatus(port); break;
        case 'O': links_.SendObjects(port); break;
        case 'T': Reply(r.from, "PATH= " + std::string(r.path), port); break;
        case 'L':
            if (InternetPort(port)) links_.SendIgateList(r.from, port);
            break;
        default: break;  // P: the position is already due; D, H, M: no answer
    }
}

void Messaging::Reply(std::string_view to, std::string_view text, char port) {
    SendMessage(to, text, port, -1, 0, std::string_view{}, false);
}

void Messaging::SendAck(std::string_view to, std::string_view number, char port) {
    links_.Transmit(port, AckLine(to, number), {});
}

}  // namespace velmora
