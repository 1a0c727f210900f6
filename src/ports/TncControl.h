#pragma once
// Driving the two TNC ports: start-up and close-down in text mode, the
// KISS start-up, the command files, the unproto path, the host-mode
// escapes, KISS sending and receiving with the digipeater, and refusing
// connections.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "ports/KissLink.h"
#include "ports/PortInbound.h"
#include "ports/PortManager.h"
#include "ports/PortRoles.h"
#include "ports/TncSender.h"
#include "ports/TncSettings.h"
#include "stations/TncPortState.h"

namespace velmora {

// A user TNC command line: "^" and a character stand for the control
// character of that character's low four bits ("^C" is Ctrl-C).
std::string ExpandCarets(std::string_view line);

class TncControl {
public:
    TncControl(PortInbound& inbound, TncPortState& state, TncSettings& settings, PortManager& ports,
               TncSender& sender, PortRoles& roles, const FileAccess& files, const Clock& clock);

    // Finds the init and exit files of both TNCs (the first that exists).
    void FindCommandFiles();
    const std::string& InitFile(int port) const { return initFiles_[Slot(port)]; }
    const std::string& ExitFile(int port) const { return exitFiles_[Slot(port)]; }

    // Queues a text for a TNC port with the pause after it; nothing while
    // the terminal window owns the port.
    void SendTncText(int port, std::string_view text, int pauseTicks);
    void StartTnc(int port);
    void CloseTnc(int port);
    void SendTncFile(int port, const std::string& programPath, bool exitFile);
    void SetUnprotoPath(Route route, std::string_view path);
    // The KISS exit frame, then a pause (60 ticks from the menu, 10 before
    // closing a port).
    void ExitKiss(int port, int pauseTicks = 60);
    void ExitAeaHostMode(int port);
    void ExitKantronicsHostMode(int port);
    void RefuseConnections();
    // Attaching the terminal to a TNC port.
    void TerminalEcho(int port);

    bool KissSend(int port, std::string_view text);
    // One frame with its own digipeater path; the port's path stays as it is.
    bool KissSendVia(int port, std::string_view text, std::string_view path);
    void KissInput(int port, std::string_view bytes);
    bool KissMode(int port) const;
    const KissLink& Link(int port) const { return links_[LinkSlot(port)]; }

    // The own station's call, destination and QRT report, from the own
    // report formats.
    std::function<std::string()> ownCall;
    std::function<std::string()> destinationCall;
    std::function<std::string()> qrtReport;
    // The APRS query "?APRS?" on all routes, through the transmit router.
    std::function<void(std::string_view)> queryAllRoutes;
    // A TNC was started (the report schedule starts over).
    std::function<void(int port)> started;
    // Monitor lines of received frames, for the terminal (colour 3 HF, 6 VHF).
    std::function<void(std::string_view, int)> showLine;
    // The KISS settings went back to their defaults (an empty VHF digi
    // path at a KISS start), so the stored settings can follow.
    std::function<void()> kissDefaultsRestored;

private:
    static size_t Slot(int port) { return port == kPortHfTnc ? 0 : 1; }
    static size_t LinkSlot(int port) { return port == kPortVhfTnc ? 0 : 1; }  // VHF first
    void StartKiss(int port);
    std::string OwnCall() const { return ownCall ? ownCall() : std::string("N0CALL"); }

    PortInbound& inbound_;
    TncPortState& state_;
    TncSettings& settings_;
    PortManager& ports_;
    TncSender& sender_;
    PortRoles& roles_;
    const FileAccess& files_;
    const Clock& clock_;
    std::array<std::string, 2> initFiles_, exitFiles_;  // HF, VHF
    std::array<KissLink, 2> links_;                     // VHF, HF
};

}  // namespace velmora
