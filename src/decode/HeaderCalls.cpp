#include "decode/HeaderCalls.h"

#include "decode/MonitorLine.h"

namespace velmora {
namespace {

bool AlnumOrDash(std::string_view call) {
    if (call.empty() || call.size() > 9) return false;
    for (char c : call) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        if (!ok) return false;
    }
    return true;
}

}  // namespace

bool Ax25Destination(std::string_view call) {
    const size_t dash = call.find('-');
    const std::string_view base = call.substr(0, dash);
    if (base.empty() || base.size() > 6) return false;
    for (char c : base)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    if (dash == std::string_view::npos) return true;
    const std::string_view ssid = call.substr(dash + 1);
    if (ssid.empty() || ssid.size() > 2) return false;
    int n = 0;
    for (char c : ssid) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    return n <= 15;
}

bool HeaderCallsReadable(const MonitorLine& line) {
    if (!Ax25Destination(line.destination.View())) return false;
    // The header scan already took off "*" marks and "/V" port tags.
    for (int i = 0; i < line.pathCount; ++i)
        if (!AlnumOrDash(line.path[i].View())) return false;
    return true;
}

}  // namespace velmora
