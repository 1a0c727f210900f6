// Feeds arbitrary bytes to the APRS server's clients, as a hostile program
// on the network would: line assembly, logins, forwarding into the decoder,
// station-exchange lines, and the dump, with clients coming and going. It
// checks that every line the clients are sent and the decoder is given is
// one line (no CR, LF or NUL inside), and that nothing from an unverified
// client is marked as allowed to reach radio.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzApp.h"
#include "gateway/StationExchange.h"
#include "gateway/TcpServer.h"
#include "platform/fake/FakeNetwork.h"
#include "ports/InternetHosts.h"

using namespace velmora;

namespace {

struct Harness : FuzzApp {
    Harness() : server(&network, app.Now(), notices, app.Stations(), Hooks()) { server.Listen(2023); }
    ServerHooks Hooks() {
        ServerHooks h;
        h.receivedLine = [this](std::string_view l, const ClientLogin& from) {
            if (l.size() > 600 || l.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos)
                __builtin_trap();
            // The unverified rule: such a packet never goes on as TCPIP.
            if (!from.verified && l.find("qAX") == std::string_view::npos) __builtin_trap();
            app.ProcessReceivedLine(std::string(l), Liveness::kLive, SourceKind::kInternet,
                                    from.verified ? Gating::kAllowed : Gating::kNever);
        };
        h.exchangeLine = [this](std::string_view l) { app.ReadStationExchange(l); };
        h.passcode = [](std::string_view call) { return Passcode(call); };
        h.exchangeLines = [](const StationRecord& r) { return StationExchangeLines(r); };
        return h;
    }
    FakeNetwork network;
    TcpServer server;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness h;
    if (size == 0) return 0;
    // The first byte: which of 40 clients, and whether to connect, close or
    // run the idle pass first.
    const size_t slot = data[0] % 40;
    FakeNetwork& net = h.network;
    if ((data[0] & 0xC0) == 0x40 || net.connections.size() <= slot)
        net.listeners.at(0)->Accept("10.0.0." + std::to_string(slot) + ":1");
    if ((data[0] & 0xC0) == 0x80) h.server.Idle();
    // Deliver to a connection the server still holds.
    const auto& slots = h.server.Connections();
    const auto& c = slots[slot % TcpServer::kSlots];
    if (c && c->socket) static_cast<FakeNetwork::Connection*>(c->socket.get())->Deliver(
        std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    if ((data[0] & 0xC0) == 0xC0 && c) c->closeRequested = true;
    h.server.Idle();
    for (const auto& s : slots) {
        if (!s || !s->socket) continue;
        std::string& w = static_cast<FakeNetwork::Connection*>(s->socket.get())->written;
        // Whole lines only, each ended by CR LF, with no line end inside.
        for (size_t at = 0; at < w.size();) {
            const size_t end = w.find("\r\n", at);
            if (end == std::string::npos) __builtin_trap();
            const std::string_view line(w.data() + at, end - at);
            if (line.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) __builtin_trap();
            at = end + 2;
        }
        w.clear();
    }
    if (h.app.Stations().Full()) h.app.ClearStations();
    return 0;
}
