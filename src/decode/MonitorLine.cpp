#include "decode/MonitorLine.h"

#include <cctype>
#include <cstring>

namespace velmora {
namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

int PortSlot(SourceKind kind) { return kind == SourceKind::kHf ? 0 : kind == SourceKind::kVhf ? 1 : -1; }

}  // namespace

SourceKind CleanLine(std::string& line, Liveness live, SourceKind kind, TncPortState& ports,
               NoticeSink& notices) {
    // Text after a NUL never reached the decoder of a C string.
    if (const size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32) line.pop_back();

    if (StartsWith(line, "cmd:")) {
        const int slot = PortSlot(kind);
        if (live == Liveness::kLive && slot >= 0) ++ports.promptCount[slot];
        size_t cut = 0;
        while (line.compare(cut, 4, "cmd:") == 0) cut += 4;
        line.erase(0, cut);
    }
    if (StartsWith(line, "***")) {
        notices.PlayEventSound(kSoundTncConnected, line);
        const int slot = PortSlot(kind);
        if (slot >= 0 && StartsWith(line, "*** CONNECTED")) ports.connected[slot] = true;
        if (slot >= 0 && StartsWith(line, "*** DISCONNECTED")) ports.connected[slot] = false;
        return SourceKind::kNone;
    }
    while (StartsWith(line, "p1 ") || StartsWith(line, "p2 ")) {
        if (kind != SourceKind::kInternet3 && kind != SourceKind::kInternet) kind = SourceKindFromChar(line[1]);
        line.erase(0, 3);
    }
    size_t colons = 0;
    while (colons + 1 < line.size() && line[colons] == ':') ++colons;
    line.erase(0, colons);
    if (StartsWith(line, "|")) line.erase(0, line.size() < 2 ? line.size() : 2);
    if (StartsWith(line, "}")) line.erase(0, 1);
    return kind;
}

namespace {

bool Delimiter(char c) {
    return c == '\0' || c == ' ' || c == ',' || c == '/' || c == ':' || c == '>' || c == '*';
}

struct HeaderScan {
    char elements[10][10] = {};
    int kept = 0;
    int commas = 0;
};

void ClassifyElement(const char* e, int index, MonitorLine& out) {
    if (std::strncmp(e, "WIDE", 4) == 0) {
        ++out.wideCount;
    } else if (std::strncmp(e, "GATE", 4) == 0) {
        ++out.gateCount;
        if (out.firstGateIndex < 0) out.firstGateIndex = index;
    } else if (std::strncmp(e, "TCP", 3) == 0) {
        out.internetPath = true;
    } else if (std::strcmp(e, "ID") == 0 || std::strcmp(e, "BEACON") == 0) {
        out.idIndex = index;
    }
}

}  // namespace

bool ParseMonitorLine(std::string_view line, MonitorLine& out) {
    HeaderScan scan;
    int length = 0;
    char previous = '\0';
    for (size_t i = 0; i <= line.size(); ++i) {
        char c = i < line.size() ? line[i] : '\0';
        if (static_cast<unsigned char>(c) < 32) c = '\0';
        if (!Delimiter(c)) {
            if (scan.kept < 10 && length < 9) scan.elements[scan.kept][length++] = c;
            continue;
        }
        if (scan.kept < 10) {
            char* e = scan.elements[scan.kept];
            e[length] = '\0';
            if (c == '*') out.digipeatedIndex = scan.kept;
            if (length > 0 && std::isalnum(static_cast<unsigned char>(e[0]))) {
                ClassifyElement(e, scan.kept, out);
                // A one-character element after "/" is a port tag that the
                // next element overwrites.
                if (!(previous == '/' && length == 1)) ++scan.kept;
            }
            length = 0;
        }
        if (c == ',') ++scan.commas;
        // The information field is found even past the tenth element: such
        // long internet paths still carry a packet.
        if (c == ':') {
            const std::string_view info = line.substr(i + 1);
            out.info = info.substr(0, kMaxInfoLength);
            out.infoCut = info.size() > kMaxInfoLength;
            out.hasInfo = true;
            break;
        }
        if (c == '\0') break;
        previous = c;
    }
    if (scan.kept < 10) scan.elements[scan.kept][0] = '\0';
    if (scan.kept == 0) return out.hasInfo;

    out.hopCount = static_cast<int16_t>(scan.kept - 2);
    out.source = scan.elements[0];
    int pathFirst, pathLast;
    if (scan.commas > 0) {
        out.destination = scan.elements[scan.kept > 1 ? 1 : 0];
        pathFirst = 2;
        pathLast = scan.kept - 1;
    } else {
        out.destination = scan.elements[scan.kept - 1];
        pathFirst = 1;
        pathLast = scan.kept - 2;
    }
    for (int e = pathFirst; e <= pathLast && out.pathCount < kMaxPathElements; ++e) {
        out.path[out.pathCount++] = scan.elements[e];
    }
    const std::string_view source = out.source.View();
    if (const size_t dash = source.find('-'); dash != std::string_view::npos) {
        int ssid = 0;
        size_t k = dash + 1;
        while (k < source.size() && std::isdigit(static_cast<unsigned char>(source[k])) && ssid < 100)
            ssid = ssid * 10 + (source[k++] - '0');
        if (k > dash + 1 && ssid >= 1 && ssid <= 15) out.ssid = static_cast<int16_t>(ssid);
    }
    const int digi = out.digipeatedIndex;
    out.direct = (digi <= 0) ? 1 : 0;
    const bool beforeGate = out.firstGateIndex < 0 || digi < out.firstGateIndex;
    out.local = (!out.internetPath && (out.direct || (digi <= 4 && beforeGate))) ? 1 : 0;
    return out.hasInfo;
}

}  // namespace velmora
