#include "app/LinkStates.h"

#include "ports/InternetLinks.h"
#include "ports/PortManager.h"
#include "ports/PortRole.h"

namespace velmora {
namespace {

std::string InternetState(const InternetLink& l, TimeStamp now) {
    if (l.connected) return l.verified ? "connected, verified" : "connected, not verified";
    if (!l.wanted) return "closed";
    std::string text = "reconnecting";
    if (l.retryAt > now) text += " in " + std::to_string(l.retryAt - now) + " s";
    if (l.failures) text += " (" + std::to_string(l.failures) + " tries)";
    return text;
}

}  // namespace

std::string LinkStatesText(const PortManager& ports, const InternetLinks& links, TimeStamp now) {
    std::string text;
    for (const int port : {kPortVhfTnc, kPortHfTnc, kPortGps, kPortWeather}) {
        const PortRecord& r = ports.Record(port);
        if (!ports.IsOpen(port) && !r.recovery.lost && r.recovery.drops == 0) continue;
        text += std::string(PortName(port)) + " " + ports.DeviceOf(port) + ": " + ports.StateText(port, now);
        if (r.recovery.drops) text += ", dropped " + std::to_string(r.recovery.drops) + "x";
        text += "\n";
    }
    for (const InternetLink& l : links.Links()) {
        if (!l.wanted && !l.connected && l.connectCount == 0) continue;
        text += "Internet " + l.host.host + ":" + l.host.portText + ": " + InternetState(l, now);
        if (l.connectCount > 1) text += ", connected " + std::to_string(l.connectCount) + "x";
        text += "\n";
    }
    if (!text.empty()) text.pop_back();
    return text;
}

}  // namespace velmora
