#include "app/Program.h"

#include <cstdio>

#include "app/Import.h"
#include "app/Logs.h"
#include "app/MenuTable.h"
#include "app/Startup.h"
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
    void MemorySample() override { p_.memorySamples_ = (p_.memorySamples_ + 1) % (kMemorySamples + 1); }
    bool HspEnabled() const override {
        return p_.prefs_.Get("enable_hsp_hf") != "0" || p_.prefs_.Get("enable_hsp_vhf") != "0";
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
};

namespace {
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
      tick_(*work_) {
    InstallHandlers();
}

Program::~Program() = default;

void Program::InstallHandlers() {
    menu_.SetHandler(MenuGroup::kFile, [this](uint16_t id) { return FileCommand(id); });
    menu_.SetHandler(MenuGroup::kEdit, [this](uint16_t id) { return EditCommand(id); });
    menu_.SetHandler(MenuGroup::kSettings, [this](uint16_t id) { return SettingsCommand(id); });
    menu_.SetHandler(MenuGroup::kLogging, [this](uint16_t id) { return LoggingCommand(id); });
    menu_.SetHandler(MenuGroup::kWindows, [this](uint16_t id) { return WindowsCommand(id); });
    menu_.SetHandler(MenuGroup::kHelp, [this](uint16_t id) { return HelpCommand(id); });
    menu_.SetCheckMarkRefresh([this] { ui_.RefreshCheckMarks(); });
}

void Program::FeedOwnPosition() {
    const std::string own = app_.OwnPositionLine();
    if (!own.empty()) app_.ProcessReceivedLine(own, Liveness::kReplay, '0');
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
    app_.LoadStationFlags();
    app_.LoadDxPrefixes();
    app_.RefreshClock();
    if (platform_.files.Exists("Startup.log"))
        startupLines_ = ImportFile(app_, platform_.files.RealPath("Startup.log"), false).lines;
}

bool Program::AnyAutomaticInput() const {
    for (const char* name : {"auto_open_hf", "auto_open_vhf", "auto_open_gps", "auto_open_weather"}) {
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
            if (hour != lastMemoryHour_) lastMemoryHour_ = hour;  // the memory log is not kept yet
            break;
        }
        default:
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
        {"auto_open_hf", kCmdOpenHfTnc},
        {"auto_open_vhf", kCmdOpenVhfTnc},
        {"auto_open_gps", kCmdOpenGpsPort},
        {"auto_open_weather", kCmdOpenWxPort},
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
    ui_.Quit(code);
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

bool Program::IsChecked(uint16_t id) const {
    if (const LogSpec* log = LogForCommand(id)) return app_.Logs().IsOpen(log->kind);
    return false;
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

bool Program::SettingsCommand(uint16_t id) {
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
    const LogSpec* log = LogForCommand(id);
    if (!log) return false;
    app_.Logs().Toggle(log->kind);
    return true;
}

bool Program::WindowsCommand(uint16_t id) {
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
    // KISS exit frames, the window-location list, the statistics buffer, the
    // internet link and the TNC exit files join here as their parts arrive.
    app_.Logs().CloseAll();
}

void Program::Stop() {
    ShutdownSequence();
    simulation_.Stop();
    timers_.StopAll(ui_);
}

}  // namespace velmora
