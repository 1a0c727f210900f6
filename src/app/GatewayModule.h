#pragma once
// The IGate and the APRS server for other programs, as one module: their
// settings, the server's 200 ms pass, the IGate List and the server's
// status window, and the hand-offs from the decoder, messaging and the
// transmit router.
#include <functional>
#include <memory>

#include "app/Module.h"
#include "gateway/Igate.h"
#include "gateway/TcpServer.h"
#include "lists/ServerStatusList.h"

namespace velmora {

class ListWindows;
class TransmitModule;
class InternetModule;
class Messaging;

constexpr uint16_t kCmdServerStatus = 4004;
constexpr uint16_t kCmdIgateList = 8216;

class GatewayModule final : public Module, private IgateLinks {
public:
    GatewayModule(ModuleServices services, Network* network, TransmitModule& transmit, InternetModule& internet,
                  ListWindows* lists);

    void Startup() override;
    void Started() override;
    bool Command(uint16_t id) override;
    void Shutdown() override { server_.CloseAll(); }

    // The settings changed (the TCP settings dialog): listen if now asked to.
    void Apply();
    // Every 200 ms.
    void Poll() { server_.Idle(); }

    Igate& Gate() { return igate_; }
    TcpServer& Server() { return server_; }
    ListModel& StatusList() { return status_; }
    ServerStatusModel& StatusModel() { return status_; }
    // From the decoder: lines for the clients, third-party packets for
    // radio, an IGate report asked for.
    void RelayToClients(std::string_view raw) { server_.SendToClients(raw); }
    void QueueForRadio(std::string_view text) { igate_.RelayToRf(text); }
    void IgateReportAsked(SourceKind kind);
    // A packet heard on a TNC.
    void HeardOnRadio(std::string_view line) { igate_.HeardOnRadio(line); }
    // Our own packet in internet form, for the clients.
    void OfferToClients(std::string_view line);

    std::function<void(std::string_view)> terminal = [](std::string_view) {};

private:
    // IgateLinks
    bool InternetOpen() const override;
    bool VhfOpen() const override;
    bool ReceiveOnly() const override;
    void SendToInternet(std::string_view line) override;
    void Transmit(char port, std::string_view text) override;

    bool ClientMayReachRadio(const ClientLogin& from) const;

    ModuleServices s_;
    TransmitModule& transmit_;
    InternetModule& internet_;
    ListWindows* lists_;
    Igate igate_;
    TcpServer server_;
    size_t specialStations_ = 0;
    bool clientsToRf_ = false;
    std::vector<std::string> rfCalls_;  // "ServerRF.txt": the clients that may reach radio
    ServerStatusModel status_;
};

}  // namespace velmora
