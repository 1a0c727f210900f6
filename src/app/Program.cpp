#include "app/Program.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "app/Import.h"
#include "app/Logs.h"
#include "app/MenuTable.h"
#include "app/Startup.h"
#include "ports/TncFiles.h"
#include "platform/SystemInfo.h"
#include "stations/StationUpdate.h"

namespace velmora {

bool TimerSet::Start(UserInterface& ui, int id, int periodMs) {
    if (count_ >= kMax || !ui.StartTimer(id, periodMs)) return false;
    ids_[count_++] = id;
    return true;
}

void TimerSet::StopAll(UserInterface& ui) {
    for (size_t i = 0; i < count_; ++i) ui.StopTimer(ids_[i]);
    count_ = 0;
}

bool TimerSet::Has(int id) const {
    for (size_t i = 0; i < count_; ++i) {
        if (ids_[i] == id) return true;
    }
    return false;
}

// The tick's work, as far as the program's parts are built.
class Program::Work final : public TickWork {
public:
    explicit Work(Program& p) : p_(p) {}

    void HourChanged(const LocalDateTime& now) override {
        WriteStatisticsLine(now);
        p_.app_.RefreshClock();
        ClearHourCounts(p_.app_.Stations(), now.hour);
        p_.app_.ClearStatisticsHour(now.hour);
    }
    void MemorySample() override { p_.memory_.Add(p_.TakeMemorySample()); }
    bool HspEnabled() const override {
        return p_.prefs_.Get("enable_hsp_hf") != "0" || p_.prefs_.Get("enable_hsp_vhf") != "0";
    }
    void RefuseConnections() override { p_.tnc_.RefuseConnections(); }
    void SetHspSwitch(int value) override {
        TickMemory& m = hsp_;
        for (int port : {kPortVhfTnc, kPortHfTnc}) {
            if (!p_.ports_.IsOpen(port)) continue;
            const size_t i = port == kPortVhfTnc ? 0 : 1;
            const bool enabled = p_.prefs_.Get(port == kPortVhfTnc ? "enable_hsp_vhf" : "enable_hsp_hf") != "0";
            if (!enabled && m.switchState[i] != 0) continue;
            p_.ports_.SetControlLine(port, value);
            m.switchState[i] = static_cast<int16_t>(value);
        }
    }
    void SendPicoControlE() override {
        for (int port : {kPortVhfTnc, kPortHfTnc}) {
            const char* flag = port == kPortVhfTnc ? "pico_control_e_vhf" : "pico_control_e_hf";
            if (p_.ports_.IsOpen(port) && p_.prefs_.Get(flag) != "0") p_.ports_.WritePort(port, "\x05");
        }
    }
    void FeedReplay(int maxLines) override { p_.simulation_.Feed(p_.app_, maxLines); }
    bool FastReplayHeld() const override { return p_.ui_.ShiftHeld() || p_.ui_.CapsLockHeld(); }

private:
    // The hour just ended: one count per statistics group (other, VHF,
    // internet), every packet category together.
    void WriteStatisticsLine(const LocalDateTime& now) {
        LogSet& logs = p_.app_.Logs();
        if (!logs.IsOpen(LogKind::kStatistics)) return;
        const int ended = (now.hour + 23) % 24;
        long counts[kStatGroups] = {};
        for (int g = 0; g < kStatGroups; ++g)
            for (int c = 0; c < kStatCategoryCount; ++c) counts[g] += p_.app_.Statistics().Slot(g, c, ended);
        char line[96];
        std::snprintf(line, sizeof line, "%04d\t%02d\t%02d\t%02d\t%ld\t%ld\t%ld", now.year, now.month, now.day, ended,
                      counts[0], counts[1], counts[2]);
        logs.WriteLine(LogKind::kStatistics, line);
    }

    Program& p_;
    TickMemory hsp_;  // the remembered switch state of each TNC port
};

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

AppOptions CoreOptions(const ProgramOptions& o) {
    AppOptions a;
    a.memoryClass = o.memoryClass;
    return a;
}
}  // namespace

Program::Program(Platform platform, UserInterface& ui, ProgramOptions options)
    : platform_(platform),
      ui_(ui),
      info_(options.platform),
      app_(platform, CoreOptions(options)),
      work_(std::make_unique<Work>(*this)),
      tick_(*work_),
      ports_(options.serial, ui, platform.notices),
      roles_(app_, ports_, roleSettings_, handOffs_),
      sender_(ports_, ui),
      tnc_(app_, prefs_, ports_, sender_, roles_, roleSettings_, platform.files) {
    ports_.SetSink(&roles_);
    handOffs_.kissReceive = [this](int port, std::string_view bytes) { tnc_.KissInput(port, bytes); };
    sender_.onWritten = [this](int port, std::string_view bytes) {
        if (port == roles_.TerminalPort()) ui_.TerminalOutput(bytes, 0);
    };
    tnc_.showLine = [this](std::string_view line, int colour) {
        ui_.TerminalOutput(line, colour);
        app_.Logs().WriteLine(LogKind::kAprs, line);
    };
    tnc_.destinationCall = [this] { return DestinationCall(OwnReport()); };
    tnc_.qrtReport = [this] { return QrtReport(OwnReport(), app_.Now().Now()); };
    handOffs_.terminal = [this](std::string_view text, int colour) { ui_.TerminalOutput(text, colour); };
    InstallHandlers();
}

Program::~Program() = default;

void Program::InstallHandlers() {
    menu_.SetHandler(MenuGroup::kFile, [this](uint16_t id) { return FileCommand(id); });
    menu_.SetHandler(MenuGroup::kEdit, [this](uint16_t id) { return EditCommand(id); });
    menu_.SetHandler(MenuGroup::kSettings, [this](uint16_t id) { return SettingsCommand(id); });
    menu_.SetHandler(MenuGroup::kLogging, [this](uint16_t id) { return LoggingCommand(id); });
    menu_.SetHandler(MenuGroup::kWindows, [this](uint16_t id) { return WindowsCommand(id); });
    menu_.SetHandler(MenuGroup::kTncCommands, [this](uint16_t id) { return TncCommand(id); });
    menu_.SetHandler(MenuGroup::kAltVhfPath, [this](uint16_t id) { return AltPathCommand(id); });
    menu_.SetHandler(MenuGroup::kAltHfPath, [this](uint16_t id) { return AltPathCommand(id); });
    menu_.SetHandler(MenuGroup::kHelp, [this](uint16_t id) { return HelpCommand(id); });
    menu_.SetCheckMarkRefresh([this] { ui_.RefreshCheckMarks(); });
}

OwnReportSettings Program::OwnReport() const {
    OwnReportSettings s;
    s.call = std::string(app_.Own().call.View());
    s.lon = app_.Own().homeLon;
    s.lat = app_.Own().homeLat;
    const std::string table = prefs_.Get("own_symbol_table").value_or("/");
    const std::string code = prefs_.Get("own_symbol_code").value_or("Z");
    s.symbolTable = table.empty() ? '/' : table[0];
    s.symbolCode = code.empty() ? 'Z' : code[0];
    s.phg = prefs_.Get("phg").value_or("");
    s.comment = prefs_.Get("posit_comment").value_or("");
    s.state = prefs_.Get("state").value_or("");
    s.county = prefs_.Get("county").value_or("");
    s.city = prefs_.Get("city").value_or("");
    s.machineCode = info_.machineCode;
    s.utcOffsetHours = prefs_.UtcOffsetHours();
    s.spaceMode = prefs_.Get("master_mode") == "2";
    return s;
}

MemorySample Program::TakeMemorySample() {
    const LocalDateTime now = app_.Now().Now();
    const SystemMemory m = ReadSystemMemory();
    MemorySample s;
    s.hour = static_cast<int16_t>(now.hour);
    s.minute = static_cast<int16_t>(now.minute);
    s.windows = ui_.OpenWindowCount();
    s.stations = app_.Stations().UsedCount();
    s.pointers = static_cast<long>(app_.History().Length());
    s.inUseKb = m.inUseKb;
    s.freeKb = m.freeKb;
    s.load = m.load;
    memoryLog_.Write(s);
    return s;
}

void Program::FeedOwnPosition() {
    const OwnReportSettings own = OwnReport();
    app_.SetOwnPositionLine(own.call + ">" + DestinationCall(own) + ":" + FixedPositionReport(own));
    const std::string line = app_.OwnPositionLine();
    if (!line.empty()) app_.ProcessReceivedLine(line, Liveness::kReplay, SourceKind::kOwn);
}

void Program::StartupSequence() {
    app_.RefreshClock();
    // The tables are sized by the memory class when the core is built.
    prefs_.Load(platform_.files);  // defaults stay where the file is missing or short
    ApplyPreferences(app_, prefs_);
    FeedOwnPosition();             // the own station is index 0 from the start
    const PrefField* mode = FindPreferenceField("master_mode");
    if (prefs_.Number(*mode) == 3) prefs_.SetNumber(*mode, 0);
    if (prefs_.Number(*mode) == 2)
        ui_.MessageBox("You have space mode enabled.\nPlease make sure this is what you want", "Velmora", Buttons::kOk);
    ApplyPortPreferences();
    tnc_.FindCommandFiles();
    altPaths_ = ReadAltPaths(platform_.files);
    app_.LoadStationFlags();
    app_.LoadDxPrefixes();
    app_.RefreshClock();
    if (platform_.files.Exists("Startup.log"))
        startupLines_ = ImportFile(app_, platform_.files.RealPath("Startup.log"), false).lines;
}

void Program::ApplyPortPreferences() {
    ports_.LoadSettings(prefs_);
    // Line assembly by role: the default terminal raw, the weather port raw
    // and 8-bit for the station types that send binary data.
    ports_.SetPortFlags(kPortTerminal, false, true);
    for (int p : {kPortHfTnc, kPortVhfTnc, kPortGps, kPortRdf}) ports_.SetPortFlags(p, true, true);
    const bool binaryWeather = roleSettings_.weatherType == 5 || roleSettings_.weatherType == 9;
    ports_.SetPortFlags(kPortWeather, !binaryWeather, !binaryWeather);
    roleSettings_.allowGpsHf = prefs_.Get("allow_gps_hf") != "0";
    roleSettings_.allowGpsVhf = prefs_.Get("allow_gps_vhf") != "0";
    roleSettings_.kissHf = prefs_.Get("kiss_enabled_hf") != "0";
    roleSettings_.kissVhf = prefs_.Get("kiss_enabled_vhf") != "0";
    roleSettings_.gateToInternet = prefs_.Get("feed_local_to_tcp") != "0";
}

bool Program::AnyAutomaticInput() const {
    for (const char* name : {"auto_input_hf_tnc", "auto_input_vhf_tnc", "auto_input_gps", "auto_input_wx", "auto_input_rdf"}) {
        if (prefs_.Get(name) != "0") return true;
    }
    return false;
}

void Program::Start() {
    StartupSequence();
    serialDebugging_ = ui_.ShiftHeld();
    if (!AnyAutomaticInput()) {
        ui_.ShowAbout("Velmora 2.2.8\nAn APRS client for Linux.\n"
                      "Set your call and position in Settings > Station Settings.");
    }
    AddAltPathMenus();
    ui_.RefreshCheckMarks();
    if (ui_.OpenWindowCount() == 0) {
        ui_.PostCommand(kCmdNewMapSquare);
        ui_.PostCommand(kCmdTile);
    }
    if (!info_.usesReaderThreads) timers_.Start(ui_, kTimerPoll, 300);
    timers_.Start(ui_, kTimerLink, 200);
    timers_.Start(ui_, kTimerTick, 1000);
    timers_.Start(ui_, kTimerMinute, 60000);
    lastMemoryHour_ = app_.Now().Now().hour;
    TakeMemorySample();  // the memory-usage record of the start
    exitCode_ = 0;
    OpenAutomaticLogs();
}

void Program::OpenAutomaticLogs() {
    static constexpr std::pair<const char*, LogKind> kFlags[] = {
        {"auto_log_station", LogKind::kStation}, {"auto_log_aprs", LogKind::kAprs},
        {"auto_log_nmea", LogKind::kNmea},       {"auto_log_weather", LogKind::kWeather},
        {"auto_log_message", LogKind::kMessage}, {"auto_log_rdf", LogKind::kRdf},
        {"auto_log_statistics", LogKind::kStatistics},
    };
    for (const auto& [name, kind] : kFlags) {
        if (prefs_.Get(name) != "0") app_.Logs().Open(kind);
    }
    ui_.RefreshCheckMarks();
}

void Program::OnTimer(int id) {
    switch (id) {
        case kTimerTick:
            app_.RefreshClock();
            if (!portsOpened_) OpenPortsOnce();
            tick_.Tick(app_.Now().Now());
            break;
        case kTimerMinute: {
            const int hour = app_.Now().Now().hour;
            if (hour != lastMemoryHour_) {
                lastMemoryHour_ = hour;
                TakeMemorySample();
            }
            break;
        }
        case kTimerQuitDeadline:
            if (quitRequested_) ui_.Quit(exitCode_);  // a TNC that never drains does not hold up the exit
            break;
        default:
            if (id >= TncSender::kWakeBase && id < TncSender::kWakeBase + kPortCount) {
                sender_.Wake(id - TncSender::kWakeBase);
                QuitWhenDrained();
            }
            break;  // port polling is not needed with reader threads; the link is serviced by its own part
    }
}

void Program::OpenPortsOnce() {
    portsOpened_ = true;
    struct Auto {
        const char* flag;
        uint16_t command;
    };
    static constexpr Auto kPorts[] = {
        {"auto_input_hf_tnc", kCmdOpenHfTnc},
        {"auto_input_vhf_tnc", kCmdOpenVhfTnc},
        {"auto_input_gps", kCmdOpenGpsPort},
        {"auto_input_wx", kCmdOpenWxPort},
        {"auto_input_rdf", kCmdOpenRdfPort},
    };
    for (const Auto& a : kPorts) {
        if (prefs_.Get(a.flag) == "0" || IsChecked(a.command)) continue;
        DispatchMenuCommand(a.command);
        if (a.command == kCmdOpenWxPort) DispatchMenuCommand(kCmdWeatherDisplay);
    }
}

bool Program::Command(uint16_t id) {
    switch (id) {
        case kCmdNewChild:
            if (!ui_.NewChildWindow()) ui_.MessageBox("Failed in Creating MDI Child Window!", "Velmora", Buttons::kOk);
            return true;
        case kCmdTile: ui_.TileWindows(); return true;
        case kCmdCascade: ui_.CascadeWindows(); return true;
        case kCmdArrangeIcons: ui_.ArrangeIcons(); return true;
        default: return DispatchMenuCommand(id);
    }
}

bool Program::CloseRequested() {
    if (info_.usesReaderThreads &&
        ui_.MessageBox("Are you sure you want to quit Velmora", "Velmora", Buttons::kOkCancel) != Answer::kOk) {
        return false;
    }
    RequestQuit(0);
    return true;
}

void Program::RequestQuit(int code) {
    exitCode_ = code;
    quitRequested_ = true;
    // The shutdown sequence runs while the event loop still turns, so the
    // TNCs get their exit commands with the pauses between them.
    if (!shuttingDown_) {
        ShutdownSequence();
        ui_.StartSingleShot(kTimerQuitDeadline, 5000);
    }
    QuitWhenDrained();
}

void Program::QuitWhenDrained() {
    if (quitRequested_ && sender_.AllIdle()) ui_.Quit(exitCode_);
}

void Program::FunctionKey(int code, bool ctrlHeld) {
    switch (code & 0x7F) {
        case 113: Command(3201); break;             // F2: the position on all routes
        case 117: ui_.ActivateNextWindow(); break;  // F6
        case 119:                                   // F8 with Caps Lock: log in again
            if (ui_.CapsLockHeld()) platform_.notices.Beep();
            break;
        default: (void)ctrlHeld; break;
    }
}

bool Program::PortOpen(int index) const {
    // One dual-port TNC on the HF TNC's cable serves both radio ports.
    return ports_.IsOpen(SerialPortOf(index));
}

bool Program::IsChecked(uint16_t id) const {
    if (const LogEntry* log = LogForCommand(id)) return app_.Logs().IsOpen(log->kind);
    if (id == kCmdMemoryUsage) return memoryLog_.IsOpen();
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

void Program::TerminalTyped(std::string_view bytes) {
    if (roles_.TerminalPort() >= 0) ports_.WritePort(roles_.TerminalPort(), bytes);
}

void Program::OpenFile(const std::string& path) {
    if (path.empty()) return;
    if (OpenKindFor(path) == OpenKind::kHistory) ImportHistoryFile(app_, path, true);
    else ImportFile(app_, path, true);
}

bool Program::StartSimulation(const std::string& path) { return !path.empty() && simulation_.Start(path); }

bool Program::FileCommand(uint16_t id) {
    switch (id) {
        case kCmdOpen: OpenFile(ui_.ChooseFile("Open")); return true;
        case kCmdSimulate: StartSimulation(ui_.ChooseFile("Simulate...")); return true;
        case kCmdExit: CloseRequested(); return true;
        default: return false;
    }
}

bool Program::EditCommand(uint16_t id) {
    if (id != kCmdClearStations) return false;
    app_.ClearStations();
    return true;
}

// Leaves KISS mode, sends the close-down commands and closes the port once
// they have gone out.
bool Program::DualPortTnc() const { return prefs_.Get("port_arrangement") == "2"; }

int Program::SerialPortOf(int index) const { return index == kPortVhfTnc && DualPortTnc() ? kPortHfTnc : index; }

void Program::CloseTncPort(int index) {
    const int serial = SerialPortOf(index);
    if (tnc_.KissMode(index)) tnc_.ExitKiss(serial, 10);
    tnc_.CloseTnc(serial);
    sender_.Then(serial, [this, serial] {
        ports_.ClosePort(serial);
        ui_.RefreshCheckMarks();
    });
}

bool Program::ToggleTnc(int index) {
    if (PortOpen(index)) {
        CloseTncPort(index);
        return true;
    }
    if (!app_.Own().HasHome())
        ui_.MessageBox("Please set your Lat/Lon in SETTINGS/Station", "Velmora", Buttons::kOk);
    if (!ValidOwnCall(app_.Own().call.View())) {
        ui_.MessageBox("Please enter valid call sign", "Velmora", Buttons::kOk);
        return true;
    }
    // With a dual-port TNC both radio ports share the HF TNC's serial port.
    const int serial = DualPortTnc() ? kPortHfTnc : index;
    if (!ports_.OpenPort(serial)) {
        if (!ports_.IsOpen(serial)) ui_.MessageBox("Port failed to open", "Velmora", Buttons::kOk);
        return true;
    }
    tnc_.StartTnc(serial);
    return true;
}

void Program::AddAltPathMenus() {
    for (const uint16_t base : {kCmdAltVhfNone, kCmdAltHfNone}) {
        std::vector<std::pair<uint16_t, std::string>> items = {
            {base, "-None-"}, {static_cast<uint16_t>(base + 1), "Default"}, {static_cast<uint16_t>(base + 2), "Other..."}};
        for (size_t i = 0; i < altPaths_.size() && i < 97; ++i)
            items.emplace_back(static_cast<uint16_t>(base + 3 + i), altPaths_[i]);
        ui_.AddMenu(base == kCmdAltVhfNone ? "Alternate VHF path" : "Alternate HF path", items);
    }
}

bool Program::AltPathCommand(uint16_t id) {
    const bool vhf = id < kCmdAltHfNone;
    const uint16_t base = vhf ? kCmdAltVhfNone : kCmdAltHfNone;
    const size_t n = id - base;
    std::string path;
    if (n == 1) {
        path = prefs_.Get("unproto_path").value_or("");
    } else if (n == 2) {
        const auto typed = ui_.AskText(vhf ? "Enter alternate path for VHF TNC" : "Enter alternate path for HF TNC",
                                       "APZVM via ");
        if (!typed) return true;  // cancelled: nothing changes
        path = *typed;
    } else if (n >= 3) {
        if (n - 3 >= altPaths_.size()) return false;
        path = altPaths_[n - 3];
    }
    tnc_.SetUnprotoPath(vhf ? 'V' : 'H', path);
    (vhf ? altVhfChoice_ : altHfChoice_) = id;
    return true;
}

void Program::SelectTncType() {
    const std::vector<TncModel> models = ListTncModels(platform_.files);
    std::vector<std::string> items;
    for (const TncModel& m : models) items.push_back(m.fileName + " - " + m.title);
    if (models.empty()) ui_.MessageBox("No TNC init files available", "Select TNC Type", Buttons::kOk);
    items.emplace_back("Default Velmora settings");
    const int model = ui_.ChooseItem("Select TNC Type", items);
    if (model < 0 || model >= static_cast<int>(items.size())) return;
    const int target = ui_.ChooseItem("Write as", {"InitVHF.TNC", "InitHF.TNC"});
    if (target < 0 || target > 1) return;
    const std::string text = model < static_cast<int>(models.size())
                                 ? ReadTncModel(platform_.files, models[static_cast<size_t>(model)].fileName)
                                 : std::string(kDefaultTncText);
    WriteInitFile(platform_.files, target == 0 ? "InitVHF.TNC" : "InitHF.TNC", text);
    tnc_.FindCommandFiles();
}

bool Program::TncCommand(uint16_t id) {
    switch (id) {
        case 3514: if (ports_.IsOpen(kPortHfTnc)) tnc_.StartTnc(kPortHfTnc); return true;
        case 3515: if (ports_.IsOpen(kPortVhfTnc)) tnc_.StartTnc(kPortVhfTnc); return true;
        case 3516: tnc_.ExitKiss(kPortHfTnc); return true;
        case 3517: tnc_.ExitKiss(kPortVhfTnc); return true;
        case 3518: tnc_.ExitAeaHostMode(kPortHfTnc); return true;
        case 3519: tnc_.ExitAeaHostMode(kPortVhfTnc); return true;
        case 3520: tnc_.ExitKantronicsHostMode(kPortHfTnc); return true;
        case 3521: tnc_.ExitKantronicsHostMode(kPortVhfTnc); return true;
        default: return false;
    }
}

bool Program::TogglePort(uint16_t command) {
    const int index = command == kCmdOpenGpsPort ? kPortGps : command == kCmdOpenWxPort ? kPortWeather : kPortRdf;
    if (ports_.IsOpen(index)) {
        ports_.ClosePort(index);
        return true;
    }
    if (!ports_.OpenPort(index)) ui_.MessageBox("Port failed to open", "Velmora", Buttons::kOk);
    return true;
}

void Program::CloseAllPorts() {
    static constexpr std::pair<int, const char*> kOrder[] = {
        {kPortHfTnc, "Closing HF TNC port"}, {kPortVhfTnc, "Closing VHF TNC port"},
        {kPortWeather, "Closing WX port"},   {kPortGps, "Closing GPS port"},
        {kPortRdf, "Closing RDF port"},
    };
    for (const auto& [index, announce] : kOrder) {
        if (!ports_.IsOpen(index)) continue;
        if (serialDebugging_) ui_.MessageBox(announce, "Serial Debugging", Buttons::kOk);
        if (IsTncPort(index)) CloseTncPort(index);
        else ports_.ClosePort(index);
    }
}

bool Program::SettingsCommand(uint16_t id) {
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
        default: break;
    }
    if (id != kCmdStationSettings) return false;
    if (ui_.EditStationSettings(prefs_)) {
        prefs_.RecomputeOwnPosition();
        prefs_.Save(platform_.files);
        ApplyPreferences(app_, prefs_);
        FeedOwnPosition();
    }
    return true;
}

bool Program::LoggingCommand(uint16_t id) {
    if (id == kStopAllLogging) {
        app_.Logs().CloseAll();
        return true;
    }
    const LogEntry* log = LogForCommand(id);
    if (!log) return false;
    app_.Logs().Toggle(log->kind);
    return true;
}

void Program::AttachTerminal() {
    std::vector<int> open;
    std::vector<std::string> names;
    for (int p = 1; p < kPortCount; ++p) {
        if (ports_.IsOpen(p)) {
            open.push_back(p);
            names.emplace_back(PortName(p));
        }
    }
    if (open.empty()) {
        ui_.MessageBox("No com port open", "Velmora", Buttons::kOk);
        return;
    }
    const int pick = open.size() == 1 ? 0 : ui_.ChooseItem("Terminal", names);
    if (pick < 0 || pick >= static_cast<int>(open.size())) return;
    const int port = open[static_cast<size_t>(pick)];
    roles_.AttachTerminal(port);
    ui_.ShowTerminal(std::string("Terminal: ") + PortName(port));
    if (IsTncPort(port)) tnc_.TerminalEcho(port);
}

bool Program::WindowsCommand(uint16_t id) {
    if (id == kCmdMemoryUsage) {
        if (memoryLog_.IsOpen()) memoryLog_.Close();
        else if (ui_.MessageBox("Do want to log to disk?", "Memory Usage", Buttons::kOkCancel) == Answer::kOk)
            memoryLog_.Open(platform_.files, app_.Now().Now());
        return true;
    }
    if (id == kCmdTerminal) {
        AttachTerminal();
        return true;
    }
    if (id != kCmdNewMapSquare) return false;
    if (!ui_.NewSquareMapWindow()) ui_.MessageBox("Failed in Creating MDI Child Window!", "Velmora", Buttons::kOk);
    return true;
}

bool Program::HelpCommand(uint16_t id) {
    if (id != kCmdAbout) return false;
    ui_.ShowAbout("Velmora 2.2.8\nAn APRS client for Linux.");
    return true;
}

void Program::ShutdownSequence() {
    shuttingDown_ = true;
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
    // The window-location list, the statistics buffer and the internet link
    // join here as their parts arrive.
    if (ports_.IsOpen(kPortHfTnc) && !tnc_.ExitFile(kPortHfTnc).empty())
        tnc_.SendTncFile(kPortHfTnc, tnc_.ExitFile(kPortHfTnc), true);
    if (ports_.IsOpen(kPortVhfTnc) && !DualPortTnc() && !tnc_.ExitFile(kPortVhfTnc).empty())
        tnc_.SendTncFile(kPortVhfTnc, tnc_.ExitFile(kPortVhfTnc), true);
    app_.Logs().CloseAll();
}

void Program::Stop() {
    if (!shuttingDown_) ShutdownSequence();
    for (int p = 0; p < kPortCount; ++p) ports_.ClosePort(p);
    simulation_.Stop();
    timers_.StopAll(ui_);
}

}  // namespace velmora
