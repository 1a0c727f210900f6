#include "app/PortsModule.h"

#include <cctype>
#include <cstdlib>

#include "app/MenuTable.h"
#include "app/Settings.h"
#include "app/SettingsChecks.h"
#include "app/SettingsDialogs.h"
#include "ports/TncFiles.h"
#include "weather/WeatherStationType.h"

namespace velmora {
namespace {

// Letters and digits, 3 to 6 before an optional SSID of 1 to 15.
bool ValidOwnCall(std::string_view call) {
    const size_t dash = call.find('-');
    const std::string_view base = call.substr(0, dash);
    if (base.size() < 3 || base.size() > 6) return false;
    for (char c : base)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    if (dash == std::string_view::npos) return true;
    const std::string_view ssid = call.substr(dash + 1);
    if (ssid.empty() || ssid.size() > 2) return false;
    for (char c : ssid)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    const int n = std::atoi(std::string(ssid).c_str());
    return n >= 1 && n <= 15;
}

LogKind LogOf(PortLog log) {
    switch (log) {
        case PortLog::kNmea: return LogKind::kNmea;
        case PortLog::kRdf: return LogKind::kRdf;
        case PortLog::kAprs: break;
    }
    return LogKind::kAprs;
}

}  // namespace

PortsModule::PortsModule(ModuleServices services, SerialLayer* serial)
    : s_(services),
      ports_(serial, services.ui, services.platform.notices),
      roles_(*this, ports_, settings_, handOffs_),
      sender_(ports_, services.ui),
      tnc_(*this, services.app.TncPorts(), settings_, ports_, sender_, roles_, services.platform.files,
           services.app.Now()) {
    ports_.SetSink(&roles_);
    // A device that came back is started as it was when the operator opened it.
    ports_.onReopened = [this](int index) {
        if (IsTncPort(index)) tnc_.StartTnc(index);
        if (index == kPortWeather) weatherOpened();
    if (index == kPortGps) {
        s_.app.Gps().PortOpened();
        s_.platform.notices.StatusText("NMEA/GPS Input Started");
    }
        s_.ui.RefreshCheckMarks();
    };
    handOffs_.kissReceive = [this](int port, std::string_view bytes) { tnc_.KissInput(port, bytes); };
    handOffs_.terminal = [this](std::string_view text, int colour) { s_.ui.TerminalOutput(text, colour); };
    sender_.toLinks = [this](std::string_view bytes) { textToLinks(bytes); };
    sender_.onWritten = [this](int port, std::string_view bytes) {
        if (port == roles_.TerminalPort()) s_.ui.TerminalOutput(bytes, 0);
    };
    tnc_.showLine = [this](std::string_view line, int colour) {
        s_.ui.TerminalOutput(line, colour);
        s_.app.Logs().WriteLine(LogKind::kAprs, line);
    };
    tnc_.ownCall = [this] { return std::string(s_.app.Own().call.View()); };
    const auto own = [this] { return OwnReportFrom(s_.prefs, s_.app.Own(), s_.info.machineCode); };
    tnc_.destinationCall = [own] { return DestinationCall(own()); };
    tnc_.qrtReport = [this, own] { return QrtReport(own(), s_.app.Now().Now()); };
    tnc_.kissDefaultsRestored = [this] { StoreKissSettings(s_.prefs, settings_); };
}

void PortsModule::ReceivedLine(std::string_view line, SourceKind kind) {
    s_.app.ProcessReceivedLine(std::string(line), Liveness::kLive, kind);
    if (IsRadioPort(kind)) heardOnRadio(line);
}
void PortsModule::NmeaSentence(std::string_view sentence) { gpsLine(sentence); }
void PortsModule::Bearing(std::string_view text) { s_.app.TakeBearing(text); }
void PortsModule::Log(PortLog log, std::string_view line) { s_.app.Logs().WriteLine(LogOf(log), line); }

void PortsModule::ApplyPortSettings() {
    settings_ = TncSettingsFrom(s_.prefs);
    for (int n = 0; n < kPortCount; ++n) ports_.Configure(n, PortConfigFrom(s_.prefs, n));
    // Line assembly by role: the default terminal raw, the weather port raw
    // and 8-bit for the station types that send binary data.
    ports_.SetPortFlags(kPortTerminal, false, true);
    for (int p : {kPortHfTnc, kPortVhfTnc}) ports_.SetPortFlags(p, true, false);
    for (int p : {kPortGps, kPortRdf}) ports_.SetPortFlags(p, true, true);
    const bool binaryWeather = TakesBytes(settings_.weatherType);
    ports_.SetPortFlags(kPortWeather, !binaryWeather, !binaryWeather);
}

void PortsModule::Startup() {
    ApplyPortSettings();
    tnc_.FindCommandFiles();
    altPaths_ = ReadAltPaths(s_.platform.files);
}

void PortsModule::Started() {
    serialDebugging_ = s_.ui.ShiftHeld();
    AddAltPathMenus();
}

void PortsModule::OpenPortsOnce() {
    portsOpened_ = true;
    const AutomaticInputs a = AutomaticInputsFrom(s_.prefs);
    const std::pair<bool, uint16_t> kPorts[] = {
        {a.hfTnc, kCmdOpenHfTnc}, {a.vhfTnc, kCmdOpenVhfTnc}, {a.gps, kCmdOpenGpsPort},
        {a.weather, kCmdOpenWxPort}, {a.rdf, kCmdOpenRdfPort},
    };
    for (const auto& [wanted, command] : kPorts) {
        if (!wanted || IsChecked(command)) continue;
        dispatch(command);
        if (command == kCmdOpenWxPort) dispatch(kCmdWeatherDisplay);
    }
}

bool PortsModule::HspEnabled() const { return settings_.radio[0].hsp || settings_.radio[1].hsp; }

void PortsModule::SetHspSwitch(int value) {
    for (int port : {kPortVhfTnc, kPortHfTnc}) {
        if (!ports_.IsOpen(port)) continue;
        const size_t i = port == kPortVhfTnc ? 0 : 1;
        if (!settings_.For(port).hsp && hsp_.switchState[i] != 0) continue;
        ports_.SetControlLine(port, value);
        hsp_.switchState[i] = static_cast<int16_t>(value);
    }
}

void PortsModule::SendPicoControlE() {
    for (int port : {kPortVhfTnc, kPortHfTnc}) {
        if (ports_.IsOpen(port) && settings_.For(port).picoControlE) ports_.WritePort(port, "\x05");
    }
}

bool PortsModule::Wake(int timerId) {
    if (timerId < TncSender::kWakeBase || timerId >= TncSender::kWakeBase + kPortCount) return false;
    sender_.Wake(timerId - TncSender::kWakeBase);
    return true;
}

void PortsModule::TerminalTyped(std::string_view bytes) {
    if (roles_.TerminalPort() >= 0) ports_.WritePort(roles_.TerminalPort(), bytes);
}

int PortsModule::SerialPortOf(int index) const {
    return index == kPortVhfTnc && settings_.dualPort ? kPortHfTnc : index;
}

bool PortsModule::PortOpen(int index) const {
    // The internet links together are port 9, open while any is wanted.
    if (index == kPortTcpIp) return internetOpen();
    // One dual-port TNC on the HF TNC's cable serves both radio ports.
    return ports_.IsOpen(SerialPortOf(index));
}

bool PortsModule::IsChecked(uint16_t id) const {
    if (id >= kCmdAltVhfNone && id < kCmdAltHfNone) return id == altVhfChoice_;
    if (id >= kCmdAltHfNone && id < kCmdAltHfNone + 100) return id == altHfChoice_;
    switch (id) {
        case kCmdOpenHfTnc: return PortOpen(kPortHfTnc);
        case kCmdOpenVhfTnc: return PortOpen(kPortVhfTnc);
        case kCmdOpenGpsPort: return PortOpen(kPortGps);
        case kCmdOpenWxPort: return PortOpen(kPortWeather);
        case kCmdOpenRdfPort: return PortOpen(kPortRdf);
        default: return false;
    }
}

// Leaves KISS mode, sends the close-down commands and closes the port once
// they have gone out.
void PortsModule::CloseTncPort(int index) {
    const int serial = SerialPortOf(index);
    if (tnc_.KissMode(index)) tnc_.ExitKiss(serial, 10);
    tnc_.CloseTnc(serial);
    sender_.Then(serial, [this, serial] {
        ports_.ClosePort(serial);
        s_.ui.RefreshCheckMarks();
    });
}

bool PortsModule::ToggleTnc(int index) {
    if (PortOpen(index)) {
        CloseTncPort(index);
        return true;
    }
    if (ports_.IsLost(SerialPortOf(index))) {
        // Being reconnected: the operator's click stops that.
        ports_.ClosePort(SerialPortOf(index));
        s_.ui.RefreshCheckMarks();
        return true;
    }
    if (!s_.app.Own().HasHome())
        s_.ui.MessageBox("Please set your Lat/Lon in SETTINGS/Station", "Velmora", Buttons::kOk);
    if (!ValidOwnCall(s_.app.Own().call.View())) {
        s_.ui.MessageBox("Please enter valid call sign", "Velmora", Buttons::kOk);
        return true;
    }
    // A TNC runs on the settings as they are when it is opened.
    settings_ = TncSettingsFrom(s_.prefs);
    // With a dual-port TNC both radio ports share the HF TNC's serial port.
    const int serial = settings_.dualPort ? kPortHfTnc : index;
    if (!ports_.OpenPort(serial)) {
        // A device held by another port was said already.
        if (!ports_.IsOpen(serial) && ports_.DeviceHolder(serial) < 0) PortFailed(serial);
        return true;
    }
    tnc_.StartTnc(serial);
    return true;
}

bool PortsModule::TogglePort(uint16_t command) {
    const int index = command == kCmdOpenGpsPort ? kPortGps : command == kCmdOpenWxPort ? kPortWeather : kPortRdf;
    if (ports_.IsOpen(index) || ports_.IsLost(index)) {
        ports_.ClosePort(index);
        return true;
    }
    if (index == kPortWeather) ApplyPortSettings();  // lines or bytes by the station type as it is now
    if (!ports_.OpenPort(index)) {
        if (ports_.DeviceHolder(index) < 0) PortFailed(index);
        return true;
    }
    if (index == kPortWeather) weatherOpened();
    if (index == kPortGps) {
        s_.app.Gps().PortOpened();
        s_.platform.notices.StatusText("NMEA/GPS Input Started");
    }
    return true;
}

// Which device would not open, and where to choose another.
void PortsModule::PortFailed(int index) {
    const std::string device = ports_.DeviceOf(index);
    s_.ui.MessageBox("Port failed to open\n" + std::string(PortName(index)) + ": " + device +
                         "\nChoose the device in Settings > Port Settings.",
                     "Velmora", Buttons::kOk);
}

void PortsModule::EditPortSettings() {
    if (!dialogs_) return;
    PortSettingsForm form = PortSettingsForm::From(s_.prefs);
    if (!dialogs_->EditPortSettings(form)) return;
    if (const std::string why = form.FirstProblem(); !why.empty()) {
        s_.ui.MessageBox(why, "Port Settings", Buttons::kOk);
        return;
    }
    form.Store(s_.prefs);
    if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
    ApplyPortSettings();
    bool anyOpen = false;
    for (int p : kDialogPorts) anyOpen |= ports_.IsOpen(p);
    if (anyOpen) s_.platform.notices.StatusText("The new port settings apply when a port is opened again");
}

void PortsModule::EditKissSettings() {
    if (!dialogs_) return;
    TncSettings edited = TncSettingsFrom(s_.prefs);
    if (!dialogs_->EditKissSettings(edited)) return;
    for (const TncRadioSettings& r : edited.radio) {
        std::string why = PathProblem(r.digiPath, "The digi path");
        if (why.empty()) why = PathProblem(r.aliases, "The alias list");
        if (!why.empty()) {
            s_.ui.MessageBox(why, "KISS mode options", Buttons::kOk);
            return;
        }
    }
    StoreKissSettings(s_.prefs, edited);
    if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
    settings_ = TncSettingsFrom(s_.prefs);  // paths and aliases take effect at once; KISS itself when a TNC starts
}

void PortsModule::CloseAllPorts() {
    static constexpr std::pair<int, const char*> kOrder[] = {
        {kPortHfTnc, "Closing HF TNC port"}, {kPortVhfTnc, "Closing VHF TNC port"},
        {kPortWeather, "Closing WX port"},   {kPortGps, "Closing GPS port"},
        {kPortRdf, "Closing RDF port"},
    };
    for (const auto& [index, announce] : kOrder) {
        if (!ports_.IsOpen(index)) continue;
        if (serialDebugging_) s_.ui.MessageBox(announce, "Serial Debugging", Buttons::kOk);
        if (IsTncPort(index)) CloseTncPort(index);
        else ports_.ClosePort(index);
    }
}

void PortsModule::AttachTerminal() {
    std::vector<int> open;
    std::vector<std::string> names;
    for (int p = 1; p < kPortCount; ++p) {
        if (PortOpen(p)) {
            open.push_back(p);
            names.emplace_back(PortName(p));
        }
    }
    if (open.empty()) {
        s_.ui.MessageBox("No com port open", "Velmora", Buttons::kOk);
        return;
    }
    const int pick = open.size() == 1 ? 0 : s_.ui.ChooseItem("Terminal", names);
    if (pick < 0 || pick >= static_cast<int>(open.size())) return;
    const int port = open[static_cast<size_t>(pick)];
    roles_.AttachTerminal(port);
    s_.ui.ShowTerminal(std::string("Terminal: ") + PortName(port));
    if (IsTncPort(port)) tnc_.TerminalEcho(port);
}

bool PortsModule::Command(uint16_t id) {
    switch (id) {
        case kCmdOpenHfTnc: return ToggleTnc(kPortHfTnc);
        case kCmdOpenVhfTnc: return ToggleTnc(kPortVhfTnc);
        case kCmdOpenGpsPort:
        case kCmdOpenWxPort:
        case kCmdOpenRdfPort: return TogglePort(id);
        case kCmdCloseTnc:
            ports_.ClosePort(kPortHfTnc);
            ports_.ClosePort(kPortVhfTnc);
            return true;
        case kCmdCloseAllPorts: CloseAllPorts(); return true;
        case kCmdSelectTncType: SelectTncType(); return true;
        case kCmdPortSettings: EditPortSettings(); return true;
        case kCmdKissOptions: EditKissSettings(); return true;
        case kCmdTerminal: AttachTerminal(); return true;
        default: break;
    }
    if (id >= kCmdAltVhfNone && id < kCmdAltHfNone + 100) return AltPathCommand(id);
    return TncCommand(id);
}

void PortsModule::Shutdown() {
    bool kissExit = false;
    for (int index : {kPortVhfTnc, kPortHfTnc}) {
        if (ports_.IsOpen(index) && tnc_.KissMode(index)) {
            tnc_.ExitKiss(index, 0);
            kissExit = true;
        }
    }
    if (kissExit) {
        for (int index : {kPortVhfTnc, kPortHfTnc}) tnc_.SendTncText(index, "", 10);
    }
    if (ports_.IsOpen(kPortHfTnc) && !tnc_.ExitFile(kPortHfTnc).empty())
        tnc_.SendTncFile(kPortHfTnc, tnc_.ExitFile(kPortHfTnc), true);
    if (ports_.IsOpen(kPortVhfTnc) && !settings_.dualPort && !tnc_.ExitFile(kPortVhfTnc).empty())
        tnc_.SendTncFile(kPortVhfTnc, tnc_.ExitFile(kPortVhfTnc), true);
}

void PortsModule::Stop() {
    for (int p = 0; p < kPortCount; ++p) ports_.ClosePort(p);
}

}  // namespace velmora
