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

bool IsUs(const KissLink& link, const std::string& call) {
    if (call == link.ownCall) return true;
    for (const std::string& a : link.aliases)
        if (call == a) return true;
    return false;
}

// The first digipeater not yet repeated, when it is us; -1 otherwise.
int DigiToRepeat(const KissLink& link, const Ax25Frame& f) {
    if (!link.digipeat || f.digiCount == 0 || f.lastRepeated >= f.digiCount) return -1;
    if (f.source.Text() == link.ownCall) return -1;  // never our own frames
    const int i = f.lastRepeated;
    return IsUs(link, f.digis[static_cast<size_t>(i)].Text()) ? i : -1;
}

}  // namespace

std::vector<KissReceived> KissReceive(KissLink& link, std::string_view bytes) {
    std::vector<KissReceived> out;
    link.decoder.Feed(bytes, [&](std::string_view raw) {
        Ax25Frame f;
        if (DecodeAx25(raw, f) != Ax25Status::kOk) return;
        KissReceived r;
        if (const int i = DigiToRepeat(link, f); i >= 0) {
            Ax25Frame repeated = f;
            Ax25Address own;
            if (ParseAx25Address(link.ownCall, own)) {
                own.repeated = true;
                repeated.digis[static_cast<size_t>(i)] = own;
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
