#include "gateway/Igate.h"

#include <cstdio>

#include "messaging/Messaging.h"
#include "stations/StationUpdate.h"

namespace velmora {
namespace {

bool HeardOnVhf(SourceKind k) { return k == SourceKind::kVhf || k == SourceKind::kVhfTag; }

}  // namespace

void Igate::HeardOnRadio(std::string_view line) {
    if (!settings_.toInternet || !links_.InternetOpen()) return;
    RfGateResult r = RfToInternet(line, settings_.ownCall);
    if (r.refusal != RfGateRefusal::kNone) return;
    links_.SendToInternet(r.line);
    ++fed_;
}

RelayRefusal Igate::RelayToRf(std::string_view relay) {
    RelayRefusal why = RelayRefusal::kNone;
    const uint32_t now = Now();
    while (!recent_.empty() && now - recent_.front().first >= kRepeatSeconds) recent_.pop_front();
    while (!sentTimes_.empty() && now - sentTimes_.front() >= 300) sentTimes_.pop_front();
    std::string_view body = relay;
    if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
    int lastMinute = 0;
    for (uint32_t t : sentTimes_) lastMinute += now - t < 60;
    if (!settings_.toRf) why = RelayRefusal::kOff;
    else if (links_.ReceiveOnly()) why = RelayRefusal::kReceiveOnly;
    else if (!links_.VhfOpen()) why = RelayRefusal::kVhfClosed;
    else if (body.find_first_of("\r\n") != std::string_view::npos) why = RelayRefusal::kLineBreak;
    else if (lastMinute >= settings_.perMinute || int(sentTimes_.size()) >= settings_.perFiveMinutes)
        why = RelayRefusal::kRate;
    else
        for (const auto& r : recent_)
            if (r.second == body) why = RelayRefusal::kRepeat;
    if (why != RelayRefusal::kNone) {
        ++refused_[static_cast<size_t>(why)];
        return why;
    }
    recent_.emplace_back(now, std::string(body));
    sentTimes_.push_back(now);
    ++gated_;
    links_.Transmit('V', std::string(body) + "\r");
    return RelayRefusal::kNone;
}

bool Igate::GateMessageToRf(std::string_view from, std::string_view path, std::string_view field) {
    bool gated = false;
    const StationTable& t = st_.table;
    const StationIndex to = field.size() >= 9 ? FindStation(t, field.substr(0, 9)) : -1;
    const StationIndex sender = FindStation(t, from);
    if (!PathHolds(path, {"TCPXX", "qAX"}) && to > 0 && t.ValidIndex(to) && sender >= 0 && t.ValidIndex(sender) &&
        HeardOnVhf(t.At(to).sourceKind) && t.At(to).heardLocal && IsInternet(t.At(sender).sourceKind)) {
        StationRecord& s = st_.table.At(sender);
        const std::string_view text = field.size() > 10 ? field.substr(10) : std::string_view{};
        char addressee[16];
        std::snprintf(addressee, sizeof addressee, "%-9s", std::string(st_.table.At(to).callsign.View()).c_str());
        const std::string message = RelayLine(from, "APRS", settings_.ownCall, ":" + std::string(addressee) + ":" + std::string(text));
        // The sender's position first, so the local station sees where it is.
        const bool positionDue = Now() - s.positionGatedTime > kPositionSeconds;
        if (positionDue && !s.lastInfo.Empty()) RelayToRf(RelayLine(from, "APRS", settings_.ownCall, s.lastInfo.View()));
        if (positionDue) s.positionGatedTime = Now();
        if (RelayToRf(message) == RelayRefusal::kNone) {
            ++st_.table.At(to).messagesGatedTo;
            ++s.messagesGatedFrom;
            ++messageCount_;
            gated = true;
        }
    }
    SendReport('T', false);
    return gated;
}

void Igate::SendReport(char port, bool forced) {
    if (!Open()) return;
    const uint32_t elapsed = Now() - lastReport_;
    if (elapsed <= (forced ? 60u : 1800u)) return;
    links_.Transmit(port, "<IGATE MSG_CNT=" + std::to_string(messageCount_) + "\r");
    lastReport_ = Now();
}

void Igate::AnswerList(std::string_view to, Messaging& messaging) {
    if (!Open()) {
        messaging.SendMessage(to, "This station is not an IGate", 'T', -1, 0, std::nullopt, false);
        return;
    }
    std::string calls;
    int n = 0;
    const StationTable& t = st_.table;
    for (StationIndex i = 1; i < t.UsedCount(); ++i) {  // index 0 is ourselves
        const StationRecord& r = t.At(i);
        if (!r.InUse() || !HeardOnVhf(r.sourceKind) || !r.heardLocal || r.objectState) continue;
        calls.append(r.callsign.View()).append(" ");
        if (++n % 8 == 0) {
            messaging.SendMessage(to, calls, 'T', -1, 0, std::nullopt, true);
            calls.clear();
        }
    }
    if (!calls.empty()) messaging.SendMessage(to, calls, 'T', -1, 0, std::nullopt, true);
}

}  // namespace velmora
