#include "ports/KissLink.h"

#include <cctype>

namespace velmora {

std::vector<std::string> SplitAliases(std::string_view list) {
    std::vector<std::string> out;
    std::string token;
    const auto flush = [&] {
        if (token.size() >= 2 && out.size() < 8) out.push_back(token);
        token.clear();
    };
    for (const char c : list) {
        if (static_cast<unsigned char>(c) < '0' && c != '-') flush();
        else token.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    flush();
    return out;
}

std::vector<std::string> SplitDigiPath(std::string_view path) {
    std::vector<std::string> out;
    std::string token;
    const auto flush = [&] {
        if (token.size() >= 2) out.push_back(token.substr(0, 9));
        token.clear();
    };
    for (const char c : path) {
        if (c == '*' || c == ',' || c == ':' || c == '>') flush();
        else token.push_back(c);
    }
    flush();
    return out;
}

bool KissLink::SetTemplate(std::string_view own, std::string_view dest, std::string_view digiPath) {
    Ax25Address s, d;
    if (!ParseAx25Address(own, s) || !ParseAx25Address(dest, d)) return false;
    source = s;
    destination = d;
    path.clear();
    for (const std::string& hop : SplitDigiPath(digiPath)) {
        Ax25Address a;
        if (path.size() < Ax25Frame::kMaxDigis && ParseAx25Address(hop, a)) path.push_back(a);
    }
    return true;
}

void KissLink::SetDigipeater(std::string_view own, bool enabled, std::string_view aliasList) {
    ownCall = own.size() > 11 ? "NOCALL" : std::string(own);
    digipeat = enabled;
    aliases = SplitAliases(aliasList);
}

namespace {

// "WIDE2" of "WIDE2-1": a name ending in the digit n of a WIDEn-N hop.
bool FamilyMember(const std::string& alias, const Ax25Address& a) {
    const std::string& call = a.call;
    if (call.size() != alias.size() + 1 || call.compare(0, alias.size(), alias) != 0) return false;
    const char n = call.back();
    return n >= '1' && n <= '7' && a.ssid >= 1 && a.ssid <= 7;
}

enum class Match : uint8_t { kNone, kOwnCall, kExactAlias, kHop };

Match MatchOf(const KissLink& link, const Ax25Address& a) {
    const std::string text = a.Text();
    if (text == link.ownCall) return Match::kOwnCall;
    for (const std::string& alias : link.aliases) {
        if (alias.find('-') == std::string::npos && FamilyMember(alias, a)) return Match::kHop;
        if (text == alias) return a.ssid > 0 ? Match::kHop : Match::kExactAlias;
    }
    return Match::kNone;
}

uint64_t PacketHash(const Ax25Frame& f) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a over what makes a packet the same packet
    const auto mix = [&h](std::string_view s) {
        for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
        h = (h ^ 0xFF) * 1099511628211ull;
    };
    mix(f.source.Text());
    mix(f.destination.Text());
    mix(f.info);
    return h;
}

// True when the same packet went out in the last 30 seconds; otherwise it
// is remembered now.
bool SeenLately(KissLink& link, const Ax25Frame& f, uint32_t now) {
    const uint64_t hash = PacketHash(f);
    std::erase_if(link.recent, [now](const auto& e) { return now - e.second >= KissLink::kDuplicateSeconds; });
    for (const auto& e : link.recent)
        if (e.first == hash) return true;
    link.recent.emplace_back(hash, now);
    return false;
}

}  // namespace

bool DigipeatPath(const KissLink& link, Ax25Frame& f) {
    if (!link.digipeat || f.digiCount == 0 || f.lastRepeated >= f.digiCount) return false;
    if (f.source.Text() == link.ownCall) return false;  // never our own frames
    const size_t i = f.lastRepeated;
    Ax25Address own;
    if (!ParseAx25Address(link.ownCall, own)) return false;
    own.repeated = true;
    Ax25Address& hop = f.digis[i];
    switch (MatchOf(link, hop)) {
        case Match::kNone: return false;
        case Match::kOwnCall:
        case Match::kExactAlias: hop = own; return true;
        case Match::kHop: break;
    }
    if (--hop.ssid == 0) hop.repeated = true;  // the last hop is used up
    // Our call goes in front, so the path shows who repeated it, when there
    // is room for one more address.
    if (f.digiCount < Ax25Frame::kMaxDigis) {
        for (size_t k = f.digiCount; k > i; --k) f.digis[k] = f.digis[k - 1];
        f.digis[i] = own;
        ++f.digiCount;
    } else if (hop.ssid == 0) {
        hop = own;
    }
    return true;
}

std::vector<KissReceived> KissReceive(KissLink& link, std::string_view bytes, uint32_t now) {
    std::vector<KissReceived> out;
    link.decoder.Feed(bytes, [&](std::string_view raw) {
        Ax25Frame f;
        if (DecodeAx25(raw, f) != Ax25Status::kOk) return;
        KissReceived r;
        Ax25Frame repeated = f;
        if (DigipeatPath(link, repeated)) {
            if (SeenLately(link, f, now)) {
                ++link.duplicatesDropped;
            } else {
                r.repeat = KissEncode(EncodeAx25(repeated));
                if (!r.repeat.empty()) ++link.digipeated;
            }
        }
        if (f.kind == FrameKind::kUi) r.monitor = MonitorText(f);
        if (!r.repeat.empty() || !r.monitor.empty()) out.push_back(std::move(r));
    });
    return out;
}

std::string KissFrameFor(const KissLink& link, std::string_view text) {
    if (text.size() >= kKissFrameLimit || link.source.call.empty()) return {};
    Ax25Frame f;
    f.destination = link.destination;
    f.source = link.source;
    f.digiCount = static_cast<uint8_t>(link.path.size());
    for (size_t i = 0; i < link.path.size(); ++i) f.digis[i] = link.path[i];
    f.info = std::string(text);
    return KissEncode(EncodeAx25(f));
}

}  // namespace velmora
