#include "messaging/NwsAlerts.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "geo/Position.h"

namespace velmora {
namespace {

bool Letter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool Digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string Upper(std::string_view s) {
    std::string out;
    for (char c : s) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The characters a token keeps, upper-cased, at most 32.
std::string Kept(std::string_view piece) {
    std::string out;
    for (char c : piece) {
        if (out.size() >= 32) break;
        if (Letter(c) || Digit(c) || c == '_' || c == '-') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

int Number3(std::string_view s) { return (s[0] - '0') * 100 + (s[1] - '0') * 10 + (s[2] - '0'); }

// "OKC027>029-035" (a state, C or Z, three digits, then ranges and single
// numbers) as "OK_C027", "OK_C028", "OK_C029", "OK_C035"; nothing when the
// piece is not of that form.
std::optional<std::vector<std::string>> Expanded(std::string_view piece, size_t room) {
    if (piece.size() < 6 || !Letter(piece[0]) || !Letter(piece[1])) return std::nullopt;
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(piece[2])));
    if (kind != 'C' && kind != 'Z') return std::nullopt;
    for (size_t i = 3; i < 6; ++i)
        if (!Digit(piece[i])) return std::nullopt;
    const std::string prefix = Upper(piece.substr(0, 2)) + "_" + std::string(1, kind);
    std::vector<std::string> out;
    const auto add = [&](int n) {
        if (out.size() >= room) return;
        char digits[4];
        std::snprintf(digits, sizeof digits, "%03d", n);
        out.push_back(prefix + digits);
    };
    int last = Number3(piece.substr(3, 3));
    add(last);
    for (size_t i = 6; i < piece.size();) {
        const char op = piece[i];
        if ((op != '>' && op != '-') || i + 4 > piece.size() || !Digit(piece[i + 1]) || !Digit(piece[i + 2]) ||
            !Digit(piece[i + 3]))
            return i == 6 ? std::nullopt : std::optional(out);  // a tail that is no list: what came before
        const int n = Number3(piece.substr(i + 1, 3));
        if (op == '>' && n > last) {
            for (int k = last + 1; k <= n; ++k) add(k);
        } else if (op == '-') {
            add(n);
        }
        last = n;
        i += 4;
    }
    return out;
}

std::string TimeText(const LocalDateTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d:%02d", t.day, t.hour, t.minute);
    return text;
}

// "DDHHMM" (with today's "z" for UTC) as the time it names: this month, or
// the next when the day is before today.
std::optional<TimeStamp> DateToken(std::string_view token, TimeStamp now, int utcOffsetHours) {
    if (token.size() < 6) return std::nullopt;
    for (size_t i = 0; i < 6; ++i)
        if (!Digit(token[i])) return std::nullopt;
    const int day = (token[0] - '0') * 10 + (token[1] - '0');
    const int hour = (token[2] - '0') * 10 + (token[3] - '0');
    const int minute = (token[4] - '0') * 10 + (token[5] - '0');
    if (day < 1 || day > 31 || hour > 23 || minute > 59) return std::nullopt;
    const bool utc = token.size() > 6 && token[6] == 'Z';
    const int64_t shift = utc ? int64_t(utcOffsetHours) * 3600 : 0;
    const LocalDateTime base = FromTimeStamp(static_cast<TimeStamp>(int64_t(now) - shift));
    int year = base.year, month = base.month;
    if (day < base.day && ++month > 12) month = 1, ++year;
    const TimeStamp at = ToTimeStamp(MakeDateTime(year, month, day, hour, minute, 0));
    return static_cast<TimeStamp>(int64_t(at) + shift);
}

}  // namespace

const std::vector<std::string_view> kNwsEvents = {
    "general",        "THUNDER_STORM", "TORNADO",   "TROPICAL_STORM", "HURRICANE",      "FLOOD",
    "COASTAL_FLOOD",  "FLASH_FLOOD",   "URBAN_FLOOD", "RIVER_FLOOD",  "HIGH_SURF",      "HIGH_WIND",
    "WIND",           "WIND_CHILL",    "FREEZE",    "SNOW",           "BLOWING_SNOW",   "WINTER_WEATHER",
    "WINTER_STORM",   "HEAVY_SNOW",    "ICE_STORM", "FREEZING_RAIN",  "BLIZZARD",       "DENSE_FOG",
    "HEAT",           "WX_ADVISORY",
};

std::string_view NwsLevelName(int level) {
    static constexpr std::string_view kNames[] = {"---", "Advisory", "Watch", "Warning", "Testing", "Drill"};
    return level >= 0 && level <= 5 ? kNames[level] : "Error";
}

bool IsNwsAddressee(std::string_view a) { return a.size() > 4 && a.substr(0, 3) == "NWS" && (a[3] == '-' || a[3] == '_'); }

std::optional<NwsLevel> NwsLevelOf(std::string_view addressee) {
    if (!IsNwsAddressee(addressee)) return std::nullopt;
    std::string_view kind = addressee.substr(4);
    while (!kind.empty() && kind.back() == ' ') kind.remove_suffix(1);
    static constexpr std::pair<std::string_view, NwsLevel> kLevels[] = {
        {"CANCL", NwsLevel::kNone},   {"ADVIS", NwsLevel::kAdvisory}, {"SKYWN", NwsLevel::kAdvisory},
        {"WATCH", NwsLevel::kWatch},  {"WARN", NwsLevel::kWarning},   {"TEST", NwsLevel::kTesting},
        {"DRILL", NwsLevel::kDrill},
    };
    for (const auto& [name, level] : kLevels)
        if (kind == name) return level;
    return std::nullopt;
}

std::string NwsAreaCode(std::string_view fileName) {
    std::string s(fileName.substr(0, fileName.find('.')));
    if (s.size() > 2 && s[2] != '_') s.insert(2, "_");
    for (char& c : s) c = c == ' ' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s.substr(0, 9);
}

std::vector<std::string> NwsTokens(std::string_view text, size_t limit) {
    text = text.substr(0, text.find('{'));  // the message number of today's bulletins
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < text.size() && tokens.size() < limit) {
        const auto separator = [](char c) { return c == ',' || c == '.' || static_cast<unsigned char>(c) < '!'; };
        while (i < text.size() && separator(text[i])) ++i;
        size_t end = i;
        while (end < text.size() && !separator(text[end])) ++end;
        const std::string_view piece = text.substr(i, end - i);
        i = end;
        if (piece.empty()) continue;
        if (auto codes = Expanded(piece, limit - tokens.size())) {
            for (std::string& c : *codes) tokens.push_back(std::move(c));
            continue;
        }
        if (std::string kept = Kept(piece); !kept.empty()) tokens.push_back(std::move(kept));
    }
    return tokens;
}

void NwsAlerts::AddArea(std::string code, NwsBounds bounds) {
    if (code.empty() || index_.count(code)) return;  // the first outline of a code names it
    index_.emplace(code, static_cast<int>(areas_.size()));
    NwsArea a;
    a.code = std::move(code);
    a.bounds = bounds;
    areas_.push_back(std::move(a));
}

int NwsAlerts::Find(std::string_view code) const {
    const auto it = index_.find(code);
    return it == index_.end() ? -1 : it->second;
}

void NwsAlerts::SetRelayAreas(const std::vector<std::string>& codes) {
    for (const std::string& c : codes)
        if (const int i = Find(Upper(c.substr(0, 32))); i >= 0) areas_[size_t(i)].relay = true;
}

void NwsAlerts::SetRelaySenders(std::optional<std::vector<std::string>> senders) {
    if (senders)
        for (std::string& s : *senders) s = Upper(s.substr(0, s.find('-')));
    senders_ = std::move(senders);
}

void NwsAlerts::SetArea(NwsArea& a, int level, std::string_view sender, std::optional<TimeStamp> expiry,
                        const std::string& dateText, const std::string& event, TimeStamp now) {
    a.issuer = std::string(sender.substr(0, 9));
    a.level = static_cast<int16_t>(level);
    if (level > 0) {
        // A bulletin without a time holds for two hours rather than never.
        a.expires = expiry.value_or(now + 7200);
        a.timeText = TimeText(FromTimeStamp(a.expires));
        a.event = event;
        a.active = now < a.expires;
    } else {
        a.active = false;
        a.timeText = dateText.empty() ? "Canceled" : dateText;
    }
}

NwsOutcome NwsAlerts::Handle(std::string_view sender, std::string_view addressee, std::string_view text,
                             const Context& c) {
    NwsOutcome out;
    const auto level = NwsLevelOf(addressee);
    if (!level) return out;
    std::optional<TimeStamp> expiry;
    std::string dateText, event;
    const NwsArea* last = nullptr;
    const std::string senderBase = Upper(sender.substr(0, sender.find('-')));
    for (const std::string& t : NwsTokens(text)) {
        if (Letter(t[0]) && t.size() >= 3 && t[2] == '_') {
            if (const int i = Find(t); i >= 0) {
                NwsArea& a = areas_[size_t(i)];
                SetArea(a, int(*level), sender, expiry, dateText, event, c.now);
                out.changed = true;
                last = &a;
                const bool allowed = !senders_ || std::find(senders_->begin(), senders_->end(), senderBase) != senders_->end();
                // Once a bulletin, however many of its areas are relayed:
                // the same packet again would only load the channel.
                if (c.live && c.sourceKind == 'T' && a.relay && allowed && out.relays.empty()) {
                    ++relayCounts_[senderBase];
                    char head[16];
                    std::snprintf(head, sizeof head, ":%-9.9s:", std::string(addressee).c_str());
                    out.relays.push_back(head + std::string(text));
                }
            } else if (t.compare(3, 5, "STATE") == 0) {
                for (NwsArea& a : areas_)
                    if (a.code.compare(0, 2, t, 0, 2) == 0) {
                        SetArea(a, int(*level), sender, expiry, dateText, event, c.now);
                        out.changed = true;
                        last = &a;
                    }
            }
        } else if (Letter(t[0])) {
            event = t;
        } else if (Digit(t[0])) {
            if (const auto at = DateToken(t, c.now, c.utcOffsetHours)) {
                expiry = at;
                dateText = TimeText(FromTimeStamp(*at));
            }
        }
    }
    if (out.changed && c.live && *level != NwsLevel::kNone && last && c.now < last->expires && c.alarmRadiusMiles > 0 &&
        c.homeLon > 0 && c.homeLat > 0 && !last->bounds.Empty()) {
        const NwsBounds& b = last->bounds;
        for (auto [lon, lat] : {std::pair{b.west, b.north}, {b.east, b.north}, {b.west, b.south}, {b.east, b.south}})
            if (DistanceMiles(c.homeLon, c.homeLat, lon, lat) < c.alarmRadiusMiles) out.alarm = true;
    }
    return out;
}

bool NwsAlerts::Expire(TimeStamp now) {
    bool changed = false;
    for (NwsArea& a : areas_) {
        if (!a.active || int64_t(a.expires) - int64_t(now) >= 60) continue;
        a.active = false;
        a.level = 0;
        changed = true;
    }
    return changed;
}

LocalDateTime NwsAlerts::DefaultExpiry(TimeStamp now) {
    LocalDateTime t = FromTimeStamp(now + 7200);
    return MakeDateTime(t.year, t.month, t.day, t.hour, (t.minute + 14) / 5 * 5, 0);
}

std::vector<NwsMessage> NwsAlerts::Send(int level, const std::vector<int>& chosen, TimeStamp expiry,
                                        std::string_view event, std::string_view ownCall, TimeStamp now) {
    static constexpr std::string_view kAddressees[] = {"NWS-CANCL", "NWS-ADVIS", "NWS-WATCH", "NWS-WARN", "NWS-TEST"};
    const bool changesAreas = level >= 0 && level <= 4;
    const std::string addressee(kAddressees[changesAreas ? level : 4]);
    std::string head;
    if (level == 0) {
        expiry = now + 3600;
    } else {
        const LocalDateTime t = FromTimeStamp(expiry);
        char token[16];
        std::snprintf(token, sizeof token, "%02d%02d%02d,", t.day, t.hour, t.minute);
        head = token + std::string(event) + ",";
    }
    std::vector<NwsMessage> out;
    std::string text = head;
    int codes = 0;
    for (int i : chosen) {
        if (i < 0 || size_t(i) >= areas_.size()) continue;
        NwsArea& a = areas_[size_t(i)];
        if (changesAreas) {
            if (level == 0) {
                a.level = 0, a.active = false, a.expires = 0, a.timeText = "Canceled";
            } else {
                a.level = static_cast<int16_t>(level), a.expires = expiry, a.active = now < expiry;
                a.timeText = TimeText(FromTimeStamp(expiry)), a.event = std::string(event);
            }
            a.issuer = std::string(ownCall.substr(0, 9));
        }
        text += a.code + ",";
        if (++codes == 4) {
            out.push_back({addressee, text});
            text = head, codes = 0;
        }
    }
    if (codes > 0) out.push_back({addressee, text});
    return out;
}

}  // namespace velmora
