#pragma once
// The ports and TNCs as one module: the serial ports in their roles, TNC
// control in text and KISS mode, the alternate paths, HSP switching, the
// Pico ^E, refusing connections and the terminal window. It hands what the
// ports receive to the core through PortInbound.
#include <functional>
#include <string>
#include <vector>

#include "app/Module.h"
#include "platform/Serial.h"
#include "ports/PortInbound.h"
#include "ports/PortManager.h"
#include "ports/PortRoles.h"
#include "ports/TncControl.h"
#include "ports/TncSender.h"
#include "ports/TncSettings.h"
#include "app/PeriodicTick.h"

namespace velmora {

class PortsModule final : public Module, private PortInbound {
public:
    PortsModule(ModuleServices services, SerialLayer* serial);

    void Startup() override;
    void Started() override;
    bool Command(uint16_t id) override;
    bool IsChecked(uint16_t id) const override;
    // Leaves KISS mode and sends the TNC exit files.
    void Shutdown() override;
    void Stop() override;

    // The first tick opens the ports marked to open at start-up.
    void OpenPortsOnce();
    bool PortsOpened() const { return portsOpened_; }
    // Per-second work of the tick.
    void RefuseConnections() { tnc_.RefuseConnections(); }
    bool HspEnabled() const;
    void SetHspSwitch(int value);
    void SendPicoControlE();
    // A pause of a TNC port has passed (its one-shot timer).
    bool Wake(int timerId);
    bool AllIdle() const { return sender_.AllIdle(); }

    void TerminalTyped(std::string_view bytes);
    // Whether the internet links count as an open port 9 (the program wires it).
    std::function<bool()> internetOpen = [] { return false; };
    // Text for port 9, which is the internet links.
    std::function<void(std::string_view)> textToLinks = [](std::string_view) {};
    bool PortOpen(int index) const;
    bool SerialDebugging() const { return serialDebugging_; }

    PortManager& Ports() { return ports_; }
    PortRoles& Roles() { return roles_; }
    RoleHandOffs& HandOffs() { return handOffs_; }
    TncControl& Tnc() { return tnc_; }
    TncSender& Sender() { return sender_; }
    const TncSettings& Settings() const { return settings_; }
    // The settings again from the record: each port's line, and how its
    // input is assembled (the weather port's by its station type).
    void ApplyPortSettings();

    // Runs a menu command through the program's groups (the first tick's
    // port opening goes the way the operator's would).
    std::function<bool(uint16_t)> dispatch = [](uint16_t) { return false; };
    // The settings dialogs (Port Settings), once the program has them.
    void SetDialogs(class SettingsDialogs* dialogs) { dialogs_ = dialogs; }
    // The weather port was opened (its station wants a poll).
    std::function<void()> weatherOpened = [] {};
    // A packet heard on a TNC, after decoding (the IGate's feed).
    std::function<void(std::string_view line)> heardOnRadio = [](std::string_view) {};
    // A line from the GPS port or a TNC's cable (the GPS module's).
    std::function<void(std::string_view line)> gpsLine = [this](std::string_view line) {
        s_.app.TakeNmea(line, true, Liveness::kLive);
    };

private:
    // PortInbound: what the ports receive, into the core.
    void ReceivedLine(std::string_view line, SourceKind kind) override;
    void NmeaSentence(std::string_view sentence) override;
    void Bearing(std::string_view text) override;
    void Log(PortLog log, std::string_view line) override;

    bool TogglePort(uint16_t command);
    void EditPortSettings();
    void EditKissSettings();
    void PortFailed(int index);
    class SettingsDialogs* dialogs_ = nullptr;
    bool ToggleTnc(int index);
    void CloseTncPort(int index);
    int SerialPortOf(int index) const;
    void CloseAllPorts();
    void AttachTerminal();
    // TNC menus (TncMenus.cpp).
    bool TncCommand(uint16_t id);
    bool AltPathCommand(uint16_t id);
    void AddAltPathMenus();
    void SelectTncType();

    ModuleServices s_;
    TncSettings settings_;
    PortManager ports_;
    RoleHandOffs handOffs_;
    PortRoles roles_;
    TncSender sender_;
    TncControl tnc_;
    TickMemory hsp_;  // the remembered switch state of each TNC port
    std::vector<std::string> altPaths_;                    // "AltPath.txt"
    uint16_t altVhfChoice_ = 20101, altHfChoice_ = 20201;  // "Default" at start
    bool portsOpened_ = false;
    bool serialDebugging_ = false;
};

}  // namespace velmora
