#pragma once
// What each port's input means: TNC monitor lines to the APRS log and the
// decoder, "$" lines to the GPS reader, "%" lines to the bearing
// computation, the weather station's bytes to its decoder. Work of parts
// that are not built yet goes through the hand-offs below.
#include <functional>
#include <string>
#include <string_view>

#include "ports/PortInbound.h"
#include "ports/PortManager.h"
#include "ports/TncSettings.h"

namespace velmora {

struct RoleHandOffs {
    std::function<void(int port, std::string_view bytes)> kissReceive;
    std::function<void(std::string_view data)> weatherInput;
    std::function<void(std::string_view bytes)> binaryGps;
    // The terminal window: raw input of the attached port, and TNC lines
    // with their colour (3 HF, 6 VHF).
    std::function<void(std::string_view text, int colour)> terminal;
};

class PortRoles final : public PortInputSink {
public:
    PortRoles(PortInbound& inbound, PortManager& ports, const TncSettings& settings, RoleHandOffs& handOffs)
        : inbound_(inbound), ports_(ports), settings_(settings), handOffs_(handOffs) {}

    void Dispatch(int index, std::string_view data) override;
    void RawInput(int index, std::string_view block) override;

    // The port the terminal window is attached to, -1 for none.
    void AttachTerminal(int index) { terminalPort_ = index; }
    int TerminalPort() const { return terminalPort_; }

private:
    void TncLine(int index, std::string_view line);
    void GpsLine(std::string_view line);
    void RdfLine(std::string_view line);
    void PacketLine(std::string_view line, SourceKind kind);

    PortInbound& inbound_;
    PortManager& ports_;
    const TncSettings& settings_;
    RoleHandOffs& handOffs_;
    int terminalPort_ = -1;
};

}  // namespace velmora
