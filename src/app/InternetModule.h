#pragma once
// The internet server links as a module: the host lists at start-up, the
// "TCP/IP Connections" menu, autostart, the 200 ms poll, the lines handed
// to the decoder as internet traffic, and the router's internet leg.
#include "app/Module.h"
#include "ports/InternetLinks.h"
#include "ports/UplinkDupes.h"

namespace velmora {

constexpr uint16_t kCmdTcpSettings = 4001;
constexpr uint16_t kCmdCloseAllLinks = 4003;
constexpr uint16_t kCmdConnectNetwork = 4005;
constexpr uint16_t kCmdFirstLink = 4006;
// Image files take 4100 upward, so the host entries stop below it.
constexpr size_t kMaxHostEntries = 4100 - kCmdFirstLink;

class InternetModule final : public Module {
public:
    InternetModule(ModuleServices services, Network* network, class SettingsDialogs* dialogs);

    void Startup() override;
    void Started() override;
    bool Command(uint16_t id) override;
    bool IsChecked(uint16_t id) const override;
    void Shutdown() override { links_.CloseAll(); }

    void Poll() { links_.Poll(); }
    InternetLinks& Links() { return links_; }
    // The router's internet leg: open when a link is connected.
    bool Open() const { return links_.AnyConnected(); }
    // Text as it is (the terminal's, a login).
    void Send(std::string_view text) { links_.SendToLinks(text); }
    // One packet (line end optional): sent with CR LF unless it is not one
    // line, or the same packet went up in the last 30 seconds.
    void SendPacket(std::string_view packet);
    // The own position after a login (the transmit module's).
    std::function<void()> sendPosition = [] {};
    // The TCP settings were saved (the IGate and the server follow them).
    std::function<void()> settingsChanged = [] {};
    // Whether the terminal window shows port 9 (the links' text goes there).
    std::function<bool()> terminalOnLinks = [] { return false; };

private:
    void ApplySettings();

    ModuleServices s_;
    class SettingsDialogs* dialogs_;
    InternetLinks links_;
    UplinkDupes dupes_;
};

}  // namespace velmora
