#include "transmit/TransmitRouter.h"

namespace velmora {
namespace {

constexpr int kHf = 1, kVhf = 2;

bool ToHf(char r) { return r == '-' || r == '1' || r == 'H'; }
bool ToVhf(char r) { return r == '-' || r == '2' || r == 'V'; }
bool ToInternet(char r) { return r == '-' || r == '3' || r == 'T'; }

void ToTnc(int port, std::string_view text, int pause, TransmitLinks& links) {
    if (links.KissOn(port)) links.SendKiss(port, text);
    else links.SendText(port, text, pause);
}

}  // namespace

std::string_view RouteDisplay(char route) {
    if (route == '-') return ">xmit To ALL>";
    if (route == '1' || route == 'H') return ">xmit To HF >";
    if (route == '2' || route == 'V') return ">xmit To VHF>";
    if (route == '3' || route == 'T') return ">xmit To TCP>";
    return ">xmit To ?\?\?>";
}

void RouteTransmit(char route, std::string_view text, int pause, const RouteSettings& s, TransmitLinks& links) {
    // One packet is one line: a line end or NUL inside it (from a text that
    // got past its check) would put a second packet on the air.
    std::string_view body = text;
    while (!body.empty() && (body.back() == '\r' || body.back() == '\n')) body.remove_suffix(1);
    if (body.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) return;
    links.RecordTransmitted(std::string(RouteDisplay(route)) + std::string(text));
    if (ToInternet(route)) {
        const std::string line = s.ownCall + ">" + s.destination + ",TCPIP*:" + std::string(text);
        if (links.InternetOpen()) links.SendInternet(line);
        links.OfferTcpClients(line);
    }
    switch (s.arrangement) {
        case 0: return;  // receive only
        case 2:
            // One dual-port TNC on the HF cable: each radio port by its prefix.
            if (ToHf(route) && links.TncOpen(kHf)) links.SendText(kHf, s.prefixHf + std::string(text), pause);
            if (ToVhf(route) && links.TncOpen(kHf)) links.SendText(kHf, s.prefixVhf + std::string(text), pause);
            return;
        default:
            if (ToHf(route) && links.TncOpen(kHf)) ToTnc(kHf, text, pause, links);
            if (ToVhf(route) && links.TncOpen(kVhf)) ToTnc(kVhf, text, pause, links);
            return;
    }
}

}  // namespace velmora
