#include "app/GatewayModule.h"

#include <algorithm>

#include "app/InternetModule.h"
#include "app/ListsModule.h"
#include "app/TcpSettingsForm.h"
#include "app/TransmitModule.h"
#include "gateway/StationExchange.h"
#include "ports/InternetHosts.h"

namespace velmora {

GatewayModule::GatewayModule(ModuleServices services, Network* network, TransmitModule& transmit,
                             InternetModule& internet, ListWindows* lists)
    : s_(services),
      transmit_(transmit),
      internet_(internet),
      lists_(lists),
      igate_(s_.app.StationUpdates(), *this),
      server_(network, s_.app.Now(), s_.platform.notices, s_.app.Stations(), ServerHooks{}),
      status_(server_, specialStations_) {
    ServerHooks& h = server_.hooks();
    h.receivedLine = [this](std::string_view line, const ClientLogin& from) {
        s_.app.ProcessReceivedLine(std::string(line), Liveness::kLive, SourceKind::kInternet,
                                   ClientMayReachRadio(from) ? Gating::kAllowed : Gating::kNever);
    };
    h.exchangeLine = [this](std::string_view line) { s_.app.ReadStationExchange(line); };
    h.passcode = [](std::string_view call) { return Passcode(call); };
    h.terminal = [this](std::string_view text) { terminal(text); };
    h.exchangeLines = [](const StationRecord& r) { return StationExchangeLines(r); };
    h.changed = [this] { status_.Invalidate(); };
}

void GatewayModule::Startup() { Apply(); }

// Off unless the operator allows it, and then only for verified clients,
// of the calls in "ServerRF.txt" when it lists any.
bool GatewayModule::ClientMayReachRadio(const ClientLogin& from) const {
    if (!clientsToRf_ || !from.verified) return false;
    if (rfCalls_.empty()) return true;
    return std::find(rfCalls_.begin(), rfCalls_.end(), from.call) != rfCalls_.end();
}

void GatewayModule::Started() {
    if (s_.prefs.Flag(pref::kEnableServer)) {
        const int64_t port = s_.prefs.Number(pref::kServerPort);
        // 0 takes any free port (the status line names it).
        server_.Listen(static_cast<uint16_t>(port >= 0 && port < 65536 ? port : TcpServer::kStreamPort));
    }
}

void GatewayModule::Apply() {
    IgateSettings g;
    g.ownCall = std::string(s_.app.Own().call.View());
    g.toRf = s_.prefs.Flag(pref::kOutgoingThirdParty);
    g.toInternet = s_.prefs.Flag(pref::kFeedLocalToTcp);
    const int64_t perMinute = s_.prefs.Number(pref::kIgatePerMinute), perFive = s_.prefs.Number(pref::kIgatePerFiveMinutes);
    g.perMinute = static_cast<int>(perMinute >= 0 ? perMinute : 6);
    g.perFiveMinutes = static_cast<int>(perFive >= 0 ? perFive : 10);
    igate_.Configure(g);
    s_.app.DecodeOptions().gateInternetToRadio = g.toRf;
    s_.app.DecodeOptions().igateOperation = g.toRf;
    specialStations_ = s_.app.Flags().Size();
    const TcpSettingsForm tcp = TcpSettingsForm::From(s_.prefs);
    ServerSettings server;
    server.name = g.ownCall;
    server.allInterfaces = tcp.serverAllInterfaces;
    server.idleMinutes = std::min(tcp.serverIdleMinutes, 10000);
    server_.Configure(server);
    clientsToRf_ = tcp.serverToRf;
    rfCalls_.clear();
    (void)s_.platform.files.ReadLines("ServerRF.txt", [&](std::string_view l) {
        while (!l.empty() && (l.back() == ' ' || l.back() == '\t')) l.remove_suffix(1);
        while (!l.empty() && (l.front() == ' ' || l.front() == '\t')) l.remove_prefix(1);
        if (!l.empty() && l.front() != '#') rfCalls_.emplace_back(l);
    });
    status_.Invalidate();
}

bool GatewayModule::Command(uint16_t id) {
    if (id != kCmdServerStatus) return false;
    if (lists_) lists_->ShowList(status_);
    return true;
}

void GatewayModule::IgateReportAsked(SourceKind kind) {
    const char port = ToChar(kind);
    igate_.SendReport(port ? port : '-', true);
}

void GatewayModule::OfferToClients(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    server_.SendToClients(line);
}

bool GatewayModule::InternetOpen() const { return internet_.Open(); }
bool GatewayModule::VhfOpen() const { return transmit_.ChannelUp(kChannelVhf); }
bool GatewayModule::ReceiveOnly() const { return s_.prefs.Number(pref::kPortArrangement) == 0; }
void GatewayModule::SendToInternet(std::string_view line) { internet_.SendPacket(line); }
void GatewayModule::Transmit(char port, std::string_view text) { transmit_.Transmit(port, text); }

}  // namespace velmora
