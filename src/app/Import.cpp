#include "app/Import.h"

#include <cctype>
#include <cstdio>
#include <functional>
#include <utility>

namespace velmora {
namespace {

char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }

// A call sign from this position up to the first blank, at most 9 characters.
std::string_view CallAt(std::string_view line, size_t from) {
    if (from >= line.size()) return {};
    size_t n = 0;
    while (from + n < line.size() && n < 9 && line[from + n] != ' ') ++n;
    return line.substr(from, n);
}

std::string Packet(std::string_view call, std::string_view info) {
    std::string out;
    out.reserve(call.size() + 6 + info.size());
    out.append(call).append(">APRS:").append(info);
    return out;
}

void Feed(App& app, ImportState& state, std::string line) {
    ++state.counts.fed;
    if (!line.empty() && line[0] == '$') {
        app.TakeNmea(line, /*show=*/true, Liveness::kReplay);
    } else if (!line.empty() && line[0] == '%') {
        app.TakeBearing(line);
    } else {
        app.ProcessReceivedLine(std::move(line), Liveness::kReplay, SourceKind::kOwn);
    }
}

bool IsDfLogLine(std::string_view l) {
    return At(l, 2) == '/' && At(l, 5) == '/' && At(l, 11) == ':' && At(l, 14) == ':';
}

// "MM/DD/YY HH:MM:SS ... lat lon" lines of a bearing log: a position report
// and a status of the rest, under a numbered call "Qnnnn".
void ImportDfLogLine(App& app, ImportState& state, std::string_view l) {
    const int n = ++state.dfCounter;
    const auto c = [&](size_t i) { return At(l, i) ? At(l, i) : ' '; };
    const char lonHundreds = c(26) == ' ' ? '0' : c(26);
    char pos[96];
    std::snprintf(pos, sizeof pos, "Q%04d>APRS:!%c%c%c%c.00%c\\%c%c%c%c%c.00%cQ", n % 10000, c(19), c(20), c(22),
                  c(23), c(24), lonHundreds, c(27), c(28), c(30), c(31), c(32));
    Feed(app, state, pos);
    char head[24];
    std::snprintf(head, sizeof head, "Q%04d>APRS:>", n % 10000);
    Feed(app, state, std::string(head) + std::string(l.size() > 33 ? l.substr(33) : std::string_view{}));
}

bool IsDatedLine(std::string_view l) {
    return At(l, 17) == '@' && (((At(l, 24) == 'z' || At(l, 24) == '/') && At(l, 33) == '/') || At(l, 24) == '\\');
}

}  // namespace

void ImportLine(App& app, ImportState& state, std::string_view line) {
    if (line.size() > kImportLineLimit) line = line.substr(0, kImportLineLimit);
    if (line.empty()) return;
    ++state.counts.lines;
    if (IsDfLogLine(line)) {
        ImportDfLogLine(app, state, line);
    } else if (IsDatedLine(line)) {
        Feed(app, state, Packet(CallAt(line, 0), line.substr(17)));
    } else if (std::isalpha(static_cast<unsigned char>(line[0])) && At(line, 1) == ',') {
        if (line[0] != 'a' && line[0] != 'p') return;
        std::string info(line.size() > 19 ? line.substr(19) : std::string_view{});
        if (!info.empty() && (info[0] == '*' || info[0] == '!' || info[0] == '+' || info[0] == '@')) info[0] = '@';
        Feed(app, state, Packet(CallAt(line, 2), info));
    } else {
        Feed(app, state, std::string(line));
    }
}

void ImportHistoryLine(App& app, ImportState& state, std::string_view line) {
    if (line.size() > kImportLineLimit) line = line.substr(0, kImportLineLimit);
    if (line.empty()) return;
    ++state.counts.lines;
    const size_t infoAt = At(line, 16) == ' ' ? 17 : 10;
    const std::string_view info = line.size() > infoAt ? line.substr(infoAt) : std::string_view{};
    Feed(app, state, Packet(CallAt(line, 0), info));
}

namespace {

ImportCounts Stream(App& app, const std::string& path, bool fromMenu,
                    void (*each)(App&, ImportState&, std::string_view)) {
    ImportState state;
    state.counts.opened =
        app.PlatformLayer().files.ReadLinesAt(path, [&](std::string_view line) { each(app, state, line); });
    if (!state.counts.opened) return state.counts;
    if (fromMenu) app.PlatformLayer().notices.Beep();
    return state.counts;
}

}  // namespace

ImportCounts ImportFile(App& app, const std::string& path, bool fromMenu) {
    return Stream(app, path, fromMenu, &ImportLine);
}

ImportCounts ImportHistoryFile(App& app, const std::string& path, bool fromMenu) {
    return Stream(app, path, fromMenu, &ImportHistoryLine);
}

OpenKind OpenKindFor(std::string_view path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.size() - dot != 4) return OpenKind::kLog;
    std::string ext(path.substr(dot + 1));
    for (char& ch : ext) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return ext == "HST" ? OpenKind::kHistory : OpenKind::kLog;
}

}  // namespace velmora
