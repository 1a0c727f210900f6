#include "gateway/IgateRules.h"

#include "stations/ByteLines.h"

namespace velmora {
namespace {

struct Header {
    std::string_view source, path, info;  // path: destination and digipeaters
};

std::optional<Header> SplitPacket(std::string_view line) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view head = line.substr(0, colon);
    const size_t gt = head.find('>');
    if (gt == std::string_view::npos || gt == 0 || gt + 1 >= head.size()) return std::nullopt;
    Header h{head.substr(0, gt), head.substr(gt + 1), line.substr(colon + 1)};
    if (h.info.empty()) return std::nullopt;
    return h;
}

std::string_view Bare(std::string_view call) {
    while (!call.empty() && call.back() == '*') call.remove_suffix(1);
    return call;
}

}  // namespace

bool PathHolds(std::string_view path, std::initializer_list<std::string_view> elements) {
    while (!path.empty()) {
        const size_t comma = path.find(',');
        const std::string_view element = Bare(path.substr(0, comma));
        for (std::string_view e : elements)
            if (element == e) return true;
        if (comma == std::string_view::npos) break;
        path.remove_prefix(comma + 1);
    }
    return false;
}

RfGateResult RfToInternet(std::string_view line, std::string_view ownCall) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    auto h = SplitPacket(line);
    if (!h) return {RfGateRefusal::kNotAPacket, {}};
    if (PathHolds(h->path, {"NOGATE", "RFONLY", "TCPIP", "TCPXX"})) return {RfGateRefusal::kNoGatePath, {}};
    if (Bare(h->source) == ownCall) return {RfGateRefusal::kOwnPacket, {}};
    if (h->info[0] == '}') {
        // Third party: only the inner packet goes, and only when it was
        // carried on radio all the way.
        const auto inner = SplitPacket(h->info.substr(1));
        if (!inner) return {RfGateRefusal::kNotAPacket, {}};
        if (PathHolds(inner->path, {"TCPIP", "TCPXX", "NOGATE", "RFONLY"})) return {RfGateRefusal::kFromInternet, {}};
        h = inner;
        if (Bare(h->source) == ownCall) return {RfGateRefusal::kOwnPacket, {}};
    }
    if (h->info[0] == '?') return {RfGateRefusal::kQuery, {}};
    if (h->info.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
        return {RfGateRefusal::kNotAPacket, {}};
    // The header is built from the path's elements: a TNC prints a frame
    // without digipeaters as "SRC>DEST,:", and the servers drop a packet
    // whose path holds an empty element.
    std::string out;
    out.reserve(line.size() + ownCall.size() + 8);
    out.append(h->source).append(">");
    bool first = true;
    for (std::string_view path = h->path; !path.empty();) {
        const size_t comma = path.find(',');
        const std::string_view element = path.substr(0, comma);
        if (!element.empty()) out.append(first ? "" : ",").append(element);
        if (!element.empty()) first = false;
        if (comma == std::string_view::npos) break;
        path.remove_prefix(comma + 1);
    }
    if (first) return {RfGateRefusal::kNotAPacket, {}};  // no destination
    out.append(",qAR,").append(ownCall).append(":").append(h->info);
    return {RfGateRefusal::kNone, PacketText(out)};
}

std::string RelayLine(std::string_view source, std::string_view destination, std::string_view ownCall,
                      std::string_view info) {
    std::string out = "}";
    out.append(source).append(">").append(destination).append(",TCPIP,").append(ownCall).append("*:").append(info);
    return out + "\r";
}

}  // namespace velmora
