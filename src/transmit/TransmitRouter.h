#pragma once
// The one way out for every packet the station originates: by its route
// character to the TNCs (text or KISS, by the port arrangement), the
// internet link and the local TCP server's clients, with a display line in
// the history.
#include <string>
#include <string_view>

namespace velmora {

// Where the router's packets can go; the program's ports implement it.
class TransmitLinks {
public:
    virtual ~TransmitLinks() = default;
    virtual bool TncOpen(int port) const = 0;  // 1 the HF TNC, 2 the VHF TNC
    virtual bool KissOn(int port) const = 0;
    virtual void SendText(int port, std::string_view text, int pauseTicks) = 0;
    virtual void SendKiss(int port, std::string_view text) = 0;
    virtual bool InternetOpen() const = 0;
    virtual void SendInternet(std::string_view line) = 0;
    virtual void OfferTcpClients(std::string_view line) = 0;
    // The display line (">xmit To ALL>..."), into the history.
    virtual void RecordTransmitted(std::string_view line) = 0;
};

struct RouteSettings {
    int arrangement = 1;              // 0 receive only, 1 single, 2 dual port, 3 two ports
    std::string prefixHf, prefixVhf;  // the dual-port TNC's port-select prefixes
    std::string ownCall = "N0CALL";
    std::string destination = "APZ228";
};

// Route characters: '-' all, '1'/'H' HF, '2'/'V' VHF, '3'/'T' internet.
void RouteTransmit(char route, std::string_view text, int pauseTicks, const RouteSettings& settings,
                   TransmitLinks& links);

// ">xmit To VHF>" and the rest.
std::string_view RouteDisplay(char route);

}  // namespace velmora
