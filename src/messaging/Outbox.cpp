#include "messaging/Outbox.h"

#include <charconv>
#include <vector>

#include "messaging/Messaging.h"

namespace velmora {
namespace {

// Only what waits for an ack comes back: unnumbered lines went once.
bool Kept(const MessageEntry& e) { return e.Waiting() && e.kind != MessageKind::kUnnumbered && !e.number.Empty(); }

template <typename T>
bool ReadNumber(std::string_view s, T& out) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

// The first n tab-separated fields; the rest (which may hold tabs) last.
std::vector<std::string_view> Fields(std::string_view line, size_t n) {
    std::vector<std::string_view> out;
    while (out.size() < n) {
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos) break;
        out.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    out.push_back(line);
    return out;
}

bool Printable(std::string_view s) {
    for (unsigned char c : s)
        if (c < ' ' || c == 0x7F) return false;
    return true;
}

void RestoreMessage(Messaging& m, const std::vector<std::string_view>& f, int& restored) {
    // msg TO NUMBER PORT HELD SENT EXPIRES PATH TEXT
    if (f.size() != 9 || f[1].empty() || f[1].size() > 9 || f[2].empty() || f[2].size() > 5 || f[3].size() != 1)
        return;
    int held = 0, sent = 0;
    int64_t expires = 0;
    if (!ReadNumber(f[4], held) || !ReadNumber(f[5], sent) || !ReadNumber(f[6], expires) || sent < 0 ||
        sent > INT16_MAX || expires < 0 || f[8].empty() || f[8].size() > 127 || f[7].size() > 95)
        return;
    if (!Printable(f[1]) || !Printable(f[2]) || !Printable(f[7]) || !Printable(f[8])) return;
    const int32_t i = m.QueueMessage(f[1], f[8], f[3][0], -1, f[2], held != 0, f[7]);
    if (i < 0) return;
    MessageEntry& e = m.Store().At(i);
    // Held as before: the first one to a station goes, the rest follow it
    // (its station may not be in the table yet, so the queue rule cannot tell).
    e.held = held != 0 ? 1 : 0;
    e.transmitCount = static_cast<int16_t>(sent);
    e.expires = static_cast<TimeStamp>(expires);
    ++restored;
}

}  // namespace

std::string OutboxText(const Messaging& m) {
    std::string out = "counter " + m.Counter().Peek() + "\n";
    const MessageStore& store = m.Store();
    for (int32_t i = 0; i < store.Count(); ++i) {
        const MessageEntry& e = store.At(i);
        if (!Kept(e)) continue;
        out += "msg\t" + std::string(e.to.View()) + "\t" + std::string(e.number.View()) + "\t" + e.port + "\t" +
               std::to_string(e.held) + "\t" + std::to_string(e.transmitCount) + "\t" + std::to_string(e.expires) +
               "\t" + std::string(e.path.View()) + "\t" + std::string(e.text.View()) + "\n";
    }
    return out;
}

int RestoreOutbox(Messaging& m, std::string_view text) {
    int restored = 0;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        uint32_t counter = 0;
        if (line.starts_with("counter ") && ReadNumber(line.substr(8), counter) && counter <= 999) {
            m.Counter().Set(counter);
        } else if (line.starts_with("msg\t")) {
            RestoreMessage(m, Fields(line, 8), restored);
        }
    }
    return restored;
}

}  // namespace velmora
