#include "decode/CommentText.h"

namespace velmora {
namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool Base91(char c) { return c >= '!' && c <= '{'; }
bool Upper(char c) { return c >= 'A' && c <= 'Z'; }
bool Letter(char c) { return Upper(c) || (c >= 'a' && c <= 'z'); }

bool AllDigits(std::string_view s) {
    for (char c : s)
        if (!Digit(c) && c != '.' && c != ' ') return false;
    return !s.empty();
}

// "ddd/ddd" course and speed or wind, "PHGphgd", "RNGrrrr", "DFSshgd",
// "Tnn/Cnn" (an area's colour and shape).
size_t LeadingExtension(std::string_view c) {
    if (c.size() < 7) return 0;
    const std::string_view head = c.substr(0, 3);
    if (c[3] == '/' && AllDigits(head) && AllDigits(c.substr(4, 3))) {
        // Direction finders add "/BRG/NRQ".
        if (c.size() >= 15 && c[7] == '/' && c[11] == '/' && AllDigits(c.substr(8, 3)) && AllDigits(c.substr(12, 3)))
            return 15;
        return 7;
    }
    if ((head == "PHG" || head == "DFS") && AllDigits(c.substr(3, 4))) return c.size() > 7 && c[7] == '/' ? 8 : 7;
    if (head == "RNG" && AllDigits(c.substr(3, 4))) return 7;
    if (c[0] == 'T' && c[3] == '/' && c[4] == 'C' && AllDigits(c.substr(1, 2)) && AllDigits(c.substr(5, 2))) return 7;
    return 0;
}

// Weather fields after the wind: a letter and its digits, "g012t075r000"…
size_t WeatherFields(std::string_view c) {
    static constexpr std::string_view kFields = "gtrpPhbLlsc#";
    size_t at = 0;
    while (at < c.size() && kFields.find(c[at]) != std::string_view::npos) {
        const size_t width = c[at] == 'b' ? 5 : c[at] == 'h' ? 2 : 3;
        if (at + 1 + width > c.size()) break;
        const std::string_view value = c.substr(at + 1, width);
        bool ok = true;
        for (char v : value) ok = ok && (Digit(v) || v == '.' || v == ' ' || v == '-');
        if (!ok) break;
        at += 1 + width;
    }
    return at;
}

// Takes a token out of the words, with one of the blanks that stood around it.
// "/TT/sss^ggg/ppp" and the radii ">RRR&GGG%HHH" after the storm's motion.
size_t StormFields(std::string_view c) {
    size_t at = 0;
    if (c.size() >= 15 && c[0] == '/' && c[3] == '/' && c[7] == '^' && c[11] == '/') at = 15;
    while (at + 4 <= c.size() && std::string_view("><&%").find(c[at]) != std::string_view::npos) at += 4;
    return at;
}

void Erase(std::string& s, size_t at, size_t n) {
    s.erase(at, n);
    if (at > 0 && at < s.size() && s[at - 1] == ' ' && s[at] == ' ') s.erase(at, 1);
}

void RemoveAltitude(std::string& s) {
    for (size_t at = s.find("/A="); at != std::string::npos; at = s.find("/A=", at + 1)) {
        if (at + 9 > s.size()) break;
        bool ok = s[at + 3] == '-' || Digit(s[at + 3]);
        for (size_t i = at + 4; i < at + 9; ++i) ok = ok && Digit(s[i]);
        if (ok) {
            Erase(s, at, 9);
            return;
        }
    }
}

void RemoveDao(std::string& s) {
    for (size_t at = s.find('!'); at != std::string::npos && at + 4 < s.size(); at = s.find('!', at + 1)) {
        const char d = s[at + 1], a = s[at + 2], o = s[at + 3];
        if (s[at + 4] != '!' || !Letter(d)) continue;
        const bool ok = Upper(d) ? (Digit(a) || a == ' ') && (Digit(o) || o == ' ') : Base91(a) && Base91(o);
        if (ok) {
            Erase(s, at, 5);
            return;
        }
    }
}

void RemoveTelemetry(std::string& s) {
    for (size_t open = s.find('|'); open != std::string::npos; open = s.find('|', open + 1)) {
        const size_t close = s.find('|', open + 1);
        if (close == std::string::npos) return;
        const size_t n = close - open - 1;
        bool ok = n >= 4 && n <= 14 && n % 2 == 0;
        for (size_t i = open + 1; i < close; ++i) ok = ok && Base91(s[i]);
        if (ok) {
            Erase(s, open, n + 2);
            return;
        }
    }
}

// Mic-E altitude: three base-91 characters and "}" at the start.
size_t MicEAltitude(std::string_view c) {
    return c.size() >= 4 && c[3] == '}' && Base91(c[0]) && Base91(c[1]) && Base91(c[2]) ? 4 : 0;
}

std::string Trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || static_cast<unsigned char>(s[b]) < 0x20)) ++b;
    while (e > b && (s[e - 1] == ' ' || static_cast<unsigned char>(s[e - 1]) < 0x20)) --e;
    return s.substr(b, e - b);
}

}  // namespace

std::string ReadableComment(std::string_view comment, CommentKind kind) {
    std::string_view c = comment;
    switch (kind) {
        case CommentKind::kPosition: c.remove_prefix(LeadingExtension(c)); break;
        case CommentKind::kCompressed: break;
        case CommentKind::kWeather:
            if (LeadingExtension(c) == 7) c.remove_prefix(7);
            c.remove_prefix(WeatherFields(c));
            break;
        case CommentKind::kStorm:
            if (LeadingExtension(c) == 7) c.remove_prefix(7);
            c.remove_prefix(StormFields(c));
            break;
        case CommentKind::kMicE:
            // A type character the device table did not know may stand first.
            if (!c.empty() && std::string_view("`'>]").find(c[0]) != std::string_view::npos && MicEAltitude(c.substr(1)))
                c.remove_prefix(1);
            c.remove_prefix(MicEAltitude(c));
            break;
    }
    std::string s(c);
    RemoveAltitude(s);
    RemoveDao(s);
    RemoveTelemetry(s);
    return Trimmed(s);
}

std::string_view Utf8Prefix(std::string_view text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t n = limit;
    // Step back over continuation bytes to the start of the cut character.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return text.substr(0, n);
}

}  // namespace velmora
