#include "special/Nts.h"

#include <algorithm>
#include <cstdio>

namespace velmora {
namespace {

bool Separator(char c) { return c == ' ' || c == ',' || c == '.' || c == '?' || c == '!'; }

std::vector<std::string> Split(std::string_view s, size_t most) {
    std::vector<std::string> out;
    while (out.size() + 1 < most) {
        const size_t slash = s.find('\\');
        if (slash == std::string_view::npos) break;
        out.emplace_back(s.substr(0, slash));
        s.remove_prefix(slash + 1);
    }
    out.emplace_back(s);
    return out;
}

void RebuildText(Radiogram& r) {
    int last = -1;
    for (int i = 0; i < 10; ++i)
        if (!r.textLines[size_t(i)].empty()) last = i;
    r.wholeText.clear();
    for (int i = 0; i <= last; ++i) {
        if (r.textLines[size_t(i)].empty()) {
            char missing[32];
            std::snprintf(missing, sizeof missing, " <Line %d missing> ", i);
            r.wholeText += missing;
        } else {
            r.wholeText += r.textLines[size_t(i)];
        }
    }
}

}  // namespace

int RadiogramCheck(std::string_view text) {
    text = text.substr(0, 1024);
    int words = 0;
    bool inRun = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\\') {
            ++words, inRun = false;
        } else if (Separator(c)) {
            if (!inRun) ++words;
            inRun = true;
        } else {
            inRun = false;
        }
    }
    if (!text.empty() && !Separator(text.back()) && text.back() != '\r' && text.back() != '\\') ++words;
    return words;
}

std::vector<NtsSection> RadiogramSections(const Radiogram& r, std::string_view text) {
    std::vector<NtsSection> out;
    char letter = 'A';
    const auto add = [&](std::string t) {
        out.push_back({r.group + std::string(1, letter), std::move(t)});
        if (letter < 'Z') ++letter;
    };
    add("N#\\" + r.number + "\\" + r.precedence + "\\" + r.handling + "\\" + r.stationOfOrigin + "\\" +
        std::to_string(RadiogramCheck(text)) + "\\" + r.placeOfOrigin + "\\" + r.timeFiled + "\\" + r.date);
    // The first four lines of the address, 63 characters each at most.
    std::string address = "NA";
    std::string_view rest = r.address;
    for (int line = 0; line < 4; ++line) {
        const size_t cr = rest.find('\r');
        address += "\\" + std::string(rest.substr(0, std::min<size_t>(cr, 63)));
        rest = cr == std::string_view::npos ? std::string_view{} : rest.substr(cr + 1);
    }
    add(address);
    if (!r.telephone.empty()) add("NP\\" + r.telephone);
    std::string piece;
    int blanks = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end) {
            const char c = text[i];
            if (static_cast<unsigned char>(c) < ' ') continue;
            if (c == ' ' && piece.empty()) continue;
            piece += c;
            blanks += c == ' ';
        }
        if (blanks >= 5 || piece.size() >= 56 || (end && piece.size() >= 2)) {
            // The blank that ended a piece goes with it, so that the pieces
            // join back into the text.
            add("NT\\" + piece);
            piece.clear(), blanks = 0;
        }
    }
    add("NS\\" + r.signature);
    return out;
}

bool RadiogramStore::Receive(std::string_view from, std::string_view to, std::string_view number,
                             std::string_view text, TimeStamp now) {
    if (!IsNtsSection(text)) return false;
    const std::string group(number.size() > 2 ? number.substr(0, 2) : std::string_view{});
    Radiogram* r = nullptr;
    for (Radiogram& each : radiograms_)
        if (each.from == from && each.to == to && each.group == group) r = &each;
    if (!r) {
        if (radiograms_.size() >= kCapacity) return false;
        radiograms_.emplace_back();
        r = &radiograms_.back();
        r->from = std::string(from), r->to = std::string(to), r->group = group, r->created = now;
    }
    const std::string_view body = text.substr(3);
    const char kind = text[1];
    bool textual = true;
    if (kind == '#') {
        const std::vector<std::string> f = Split(text, 9);
        const auto field = [&](size_t i, size_t limit) { return i < f.size() ? f[i].substr(0, limit) : std::string(); };
        r->number = field(1, 7), r->precedence = field(2, 7), r->handling = field(3, 7);
        r->stationOfOrigin = field(4, 7), r->check = field(5, 32), r->placeOfOrigin = field(6, 64);
        r->timeFiled = field(7, 32), r->date = field(8, 32);
        r->textCounter = 0;
        textual = false;
    } else if (kind >= '1' && kind <= '9') {
        r->textLines[size_t(kind - '0')] = std::string(body.substr(0, 127));
    } else if (kind == 'A') {
        std::string address(body);
        for (char& c : address)
            if (c == '\\') c = '\r';
        r->address = address;
    } else if (kind == 'P') {
        r->telephone = std::string(body);
    } else if (kind == 'R') {
        const std::vector<std::string> f = Split(text, 5);
        for (size_t i = 0; i < 4; ++i) r->reception[i] = i + 1 < f.size() ? f[i + 1] : std::string();
        r->complete = true;
    } else if (kind == 'S') {
        r->signature = std::string(body);
        r->complete = true;
        textual = false;
    } else if (kind == 'T') {
        if (r->textCounter < 10) r->textLines[size_t(r->textCounter++)] = std::string(body.substr(0, 127));
    } else {
        r->spare = std::string(body);
        textual = false;
    }
    if (textual) RebuildText(*r);
    return true;
}

void RadiogramStore::Store(const Radiogram& r) {
    for (Radiogram& each : radiograms_)
        if (each.from == r.from && each.to == r.to && each.group == r.group && each.number == r.number) {
            each = r;
            return;
        }
    if (radiograms_.size() < kCapacity) radiograms_.push_back(r);
}

Radiogram RadiogramStore::New(std::string_view ownCall, std::string_view placeOfOrigin, const LocalDateTime& now) {
    counter_ = counter_ >= 99 ? 1 : counter_ + 1;
    char n[4];
    std::snprintf(n, sizeof n, "%02d", counter_);
    Radiogram r;
    r.from = std::string(ownCall);
    r.number = r.group = n;
    r.precedence = "R";
    r.placeOfOrigin = std::string(placeOfOrigin);
    r.signature = std::string(ownCall);
    char date[16], time[8];
    static constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    std::snprintf(date, sizeof date, "%s %d", kMonths[(now.month + 11) % 12], now.day);
    std::snprintf(time, sizeof time, "%02d%02d", now.hour, now.minute);
    r.date = date, r.timeFiled = time;
    r.created = ToTimeStamp(now);
    return r;
}

}  // namespace velmora
