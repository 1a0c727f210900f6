#include "ports/TncControl.h"

namespace velmora {
namespace {

constexpr char kCtrlC = 0x03;
const std::string kThreeCtrlC(3, kCtrlC);
const std::string kTwoCtrlC(2, kCtrlC);

bool IsControl(char c) { return static_cast<unsigned char>(c) < ' '; }

}  // namespace

// Today's practice: no digipeating until the operator asks for it, the
// fill-in alias, and the path of a fixed station.
void TncSettings::ResetKissPaths() {
    radio[1].digiPath = "WIDE1-1,WIDE2-1";
    radio[0].digiPath = "WIDE2-1";
}

void TncSettings::ResetKissDefaults() {
    TncRadioSettings& hf = radio[0];
    TncRadioSettings& vhf = radio[1];
    hf.kiss = vhf.kiss = false;
    hf.digipeat = vhf.digipeat = false;
    vhf.digiPath = "WIDE1-1,WIDE2-1";
    hf.digiPath = "WIDE2-1";
    hf.aliases = vhf.aliases = "WIDE1-1";
    hf.kissOnText = vhf.kissOnText = "KISS ON";
}

std::string ExpandCarets(std::string_view line) {
    std::string out;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '^' && i + 1 < line.size()) {
            out.push_back(static_cast<char>(line[++i] & 0x0F));
        } else {
            out.push_back(line[i]);
        }
    }
    return out;
}

TncControl::TncControl(PortInbound& inbound, TncPortState& state, TncSettings& settings, PortManager& ports,
                       TncSender& sender, PortRoles& roles, const FileAccess& files, const Clock& clock)
    : inbound_(inbound), state_(state), settings_(settings), ports_(ports), sender_(sender), roles_(roles),
      files_(files), clock_(clock) {
    destinationCall = [] { return std::string("APZ228"); };
}

void TncControl::FindCommandFiles() {
    const auto first = [this](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (files_.Exists(n)) return std::string(n);
        return std::string();
    };
    initFiles_ = {first({"InitHF.TNC", "INITTAPR.TNC", "INITAEA.TNC"}),
                  first({"InitVHF.TNC", "INITTAPR.TNC", "INITAEA.TNC"})};
    exitFiles_ = {first({"ExitHF.TNC", "RESTORE.TNC"}), first({"ExitVHF.TNC", "RESTORE.TNC"})};
}

void TncControl::SendTncText(int port, std::string_view text, int pauseTicks) {
    if (port == roles_.TerminalPort()) return;  // the operator owns the TNC
    sender_.Send(port, std::string(text), pauseTicks);
}

bool TncControl::KissMode(int port) const {
    return IsTncPort(port) && settings_.For(port).kiss;
}

void TncControl::StartTnc(int port) {
    state_.promptCount[0] = state_.promptCount[1] = 0;
    state_.connected[0] = state_.connected[1] = false;
    if (KissMode(port)) {
        StartKiss(port);
    } else {
        ports_.SetPortFlags(port, true, false);
        const std::string dest = destinationCall();
        SendTncText(port, "", 60);
        SendTncText(port, "*\r", 40);
        SendTncText(port, kThreeCtrlC, 30);
        SendTncText(port, "\r", 20);
        SendTncText(port, "echo off\r", 20);
        SendTncText(port, "BE E 0\r", 20);
        SendTncText(port, "HEA OFF\r", 40);
        SendTncText(port, "mycall " + OwnCall() + "\r", 20);
        for (const std::string& line : settings_.userCommands) {
            if (!line.empty()) SendTncText(port, ExpandCarets(line) + "\r", 20);
        }
        const std::string& path = settings_.unprotoPath;
        SendTncText(port, path.empty() ? "unproto " + dest + "\r" : "unproto " + dest + " via " + path + "\r", 20);
        if (!InitFile(port).empty()) SendTncFile(port, InitFile(port), false);
        SendTncText(port, "conv\r", 20);
    }
    if (queryAllRoutes) queryAllRoutes("?APRS?\r");
    if (started) started(port);
}

void TncControl::StartKiss(int port) {
    if (settings_.For(kPortVhfTnc).digiPath.empty()) {
        // Only the paths: resetting "KISS enabled" here, with the port
        // already raw and KISS ON on its way, would leave the program
        // talking text to a TNC in KISS mode.
        settings_.ResetKissPaths();
        if (kissDefaultsRestored) kissDefaultsRestored();
    }
    ports_.SetPortFlags(port, false, false);
    KissLink& link = links_[LinkSlot(port)];
    link.decoder.Reset();
    const std::string own = OwnCall();
    const TncRadioSettings& radio = settings_.For(port);
    link.SetDigipeater(own, radio.digipeat, radio.aliases);
    link.SetTemplate(own, destinationCall(), radio.digiPath);
    links_[0].digipeated = links_[1].digipeated = 0;
    const std::string on = radio.kissOnText;
    if (on.empty()) {
        SendTncText(port, "KISS ON\r", 60);
        return;
    }
    std::string piece;
    for (size_t i = 0; i <= on.size(); ++i) {
        if (i == on.size() || IsControl(on[i])) {
            if (!piece.empty()) SendTncText(port, piece + "\r", 60);
            piece.clear();
        } else {
            piece.push_back(on[i]);
        }
    }
}

void TncControl::CloseTnc(int port) {
    SendTncText(port, kThreeCtrlC, 30);
    SendTncText(port, "\r", 20);
    std::string qrt = qrtReport ? qrtReport() : std::string();
    while (!qrt.empty() && (qrt.back() == '\r' || qrt.back() == '\n')) qrt.pop_back();
    SendTncText(port, "btext " + qrt + "\r", 20);
    SendTncText(port, "BE E 240\r", 40);
}

void TncControl::SendTncFile(int port, const std::string& programPath, bool exitFile) {
    if (exitFile) SendTncText(port, kTwoCtrlC, 30);
    SendTncText(port, "\r", 10);
    files_.ReadLines(programPath, [&](std::string_view line) {
        if (line.size() > 256) line = line.substr(0, 256);
        if (line.empty() || line[0] == '!' || line[0] == '*') return;
        SendTncText(port, std::string(line) + "\r", 25);
    });
}

void TncControl::SetUnprotoPath(Route route, std::string_view path) {
    const int port = route == Route::kHf || route == Route::kHfTag    ? kPortHfTnc
                     : route == Route::kVhf || route == Route::kVhfTag ? kPortVhfTnc
                                                                       : -1;
    if (port < 0) return;
    const std::string dest = destinationCall();
    if (KissMode(port)) {
        links_[LinkSlot(port)].SetTemplate(OwnCall(), dest, path);
        return;
    }
    SendTncText(port, kTwoCtrlC, 10);
    SendTncText(port, path.empty() ? "unproto " + dest + "\r" : "unproto " + dest + " via " + std::string(path) + "\r",
                10);
    SendTncText(port, "conv\r", 10);
}

void TncControl::ExitKiss(int port, int pauseTicks) { SendTncText(port, std::string("\xC0\xFF\xC0", 3), pauseTicks); }
void TncControl::ExitAeaHostMode(int port) { SendTncText(port, std::string("\x03\x03\x03", 3), 60); }
void TncControl::ExitKantronicsHostMode(int port) { SendTncText(port, std::string("\xC0\x51\xC0", 3), 60); }

void TncControl::RefuseConnections() {
    TncPortState& state = state_;
    for (int port : {kPortHfTnc, kPortVhfTnc}) {
        if (!ports_.IsOpen(port)) continue;
        const size_t i = port == kPortHfTnc ? 0 : 1;
        if (state.promptCount[i] >= 2) {
            SendTncText(port, std::string(1, kCtrlC), 10);
            SendTncText(port, "conv\r", 5);
            state.promptCount[i] = 0;
        }
        if (state.connected[i]) {
            SendTncText(port, "Connections not supported, Disconnecting\r", 5);
            SendTncText(port, std::string(1, kCtrlC), 10);
            SendTncText(port, "dis\r", 5);
            SendTncText(port, "conv\r", 5);
            state.connected[i] = false;
            state.promptCount[i] = 0;
        }
    }
}

void TncControl::TerminalEcho(int port) {
    // Sent even though the terminal now owns the port.
    sender_.Send(port, std::string(1, kCtrlC), 30);
    sender_.Send(port, "ECHO ON\r", 0);
}

bool TncControl::KissSend(int port, std::string_view text) {
    // Our reports end with a CR for text-mode TNCs; a frame carries none.
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    const std::string frame = KissFrameFor(links_[LinkSlot(port)], text);
    if (frame.empty()) return false;
    sender_.Send(port, frame, 0);
    return true;
}

bool TncControl::KissSendVia(int port, std::string_view text, std::string_view path) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    KissLink link = links_[LinkSlot(port)];
    const std::vector<Ax25Address> normal = link.path;
    link.path.clear();
    for (const std::string& hop : SplitDigiPath(path)) {
        Ax25Address a;
        if (link.path.size() < Ax25Frame::kMaxDigis && ParseAx25Address(hop, a)) link.path.push_back(a);
    }
    if (link.path.empty()) link.path = normal;  // nothing usable: the normal path
    const std::string frame = KissFrameFor(link, text);
    if (frame.empty()) return false;
    sender_.Send(port, frame, 0);
    return true;
}

void TncControl::KissInput(int port, std::string_view bytes) {
    for (KissReceived& r : KissReceive(links_[LinkSlot(port)], bytes, clock_.NowStamp())) {
        if (!r.repeat.empty()) sender_.Send(port, r.repeat, 0);
        if (r.monitor.empty()) continue;
        if (showLine) showLine(r.monitor, port == kPortHfTnc ? 3 : 6);
        inbound_.ReceivedLine(r.monitor, port == kPortHfTnc ? SourceKind::kHf : SourceKind::kVhf);
    }
}

}  // namespace velmora
