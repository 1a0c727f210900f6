#include "app/Program.h"

#include "app/LinkStates.h"
#include "app/MenuTable.h"

namespace velmora {

bool TimerSet::Start(EventLoop& loop, int id, int periodMs) {
    if (count_ >= kMax || !loop.StartTimer(id, periodMs)) return false;
    ids_[count_++] = id;
    return true;
}

void TimerSet::StopAll(EventLoop& loop) {
    for (size_t i = 0; i < count_; ++i) loop.StopTimer(ids_[i]);
    count_ = 0;
}

bool TimerSet::Has(int id) const {
    for (size_t i = 0; i < count_; ++i) {
        if (ids_[i] == id) return true;
    }
    return false;
}

// The tick's branches, handed to the modules that do the work.
class Program::Work final : public TickWork {
public:
    explicit Work(Program& p) : p_(p) {}

    void DayChanged(const LocalDateTime& now) override {
        for (Module* m : p_.modules_) m->DayChanged(now);
    }
    void HourChanged(const LocalDateTime& now) override {
        for (Module* m : p_.modules_) m->HourChanged(now);
    }
    void MinuteChanged(const LocalDateTime& now) override {
        for (Module* m : p_.modules_) m->MinuteChanged(now);
    }
    void MemorySample() override { p_.memory_.Sample(); }
    bool HspEnabled() const override { return p_.ports_.HspEnabled(); }
    void RefuseConnections() override { p_.ports_.RefuseConnections(); }
    void SetHspSwitch(int value) override { p_.ports_.SetHspSwitch(value); }
    void SendPicoControlE() override { p_.ports_.SendPicoControlE(); }
    void FeedReplay(int maxLines) override { p_.files_.FeedReplay(maxLines); }
    bool FastReplayHeld() const override { return p_.ui_.ShiftHeld() || p_.ui_.CapsLockHeld(); }

private:
    Program& p_;
};

// What the decoder hands on, to the modules that take it.
class Program::Seams final : public DecodeSeams {
public:
    explicit Seams(Program& p) : p_(p) {}
    void ReceiveMessage(std::string_view source, std::string_view header, std::string_view text, Liveness live,
                        SourceKind kind) override {
        p_.messaging_.Receive(source, header, text, live, kind);
    }
    void ResendPendingMessages(StationIndex station) override { p_.messaging_.StationHeard(station); }
    void RelayToServerClients(std::string_view raw) override { p_.gateway_.RelayToClients(raw); }
    void QueueForRadio(std::string_view text, Route) override {
        if (p_.app_.MayGateCurrentLine()) p_.gateway_.QueueForRadio(text);
    }
    void SendIgateReport(SourceKind port) override { p_.gateway_.IgateReportAsked(port); }

private:
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
      services_{app_.PlatformLayer(), ui, app_, prefs_, info_},
      station_(services_, options.dialogs),
      ports_(services_, options.serial),
      transmit_(services_, ports_, options.dialogs),
      objects_(services_, transmit_, options.dialogs),
      internet_(services_, options.network, options.dialogs),
      messaging_(services_, transmit_, options.lists, options.messages),
      gateway_(services_, options.network, transmit_, internet_, options.lists),
      gps_(services_, options.network, ports_, options.lists),
      weather_(services_, ports_, options.lists),
      files_(services_),
      logs_(services_),
      memory_(services_),
      layout_(services_, options.layout, maps_, lists_, options.lists),
      desktop_(services_),
      lists_(services_, options.lists),
      maps_(services_, options.maps, options.lists),
      garmin_(services_, ports_, maps_),
      nws_(services_, maps_, messaging_, transmit_, options.lists),
      refdata_(services_, maps_, options.lists),
      nts_(services_, messaging_, options.lists),
      modules_{&station_, &ports_, &transmit_, &objects_, &internet_, &messaging_, &gateway_, &gps_, &weather_, &files_, &logs_, &memory_, &layout_, &desktop_, &lists_, &maps_, &garmin_, &nws_, &refdata_, &nts_},
      work_(std::make_unique<Work>(*this)),
      seams_(std::make_unique<Seams>(*this)),
      tick_(*work_) {
    app_.UseSeams(*seams_);
    ConnectModules(options);
    RouteMenus();
    for (Module* m : modules_)
        if (StationEvents* listener = m->StationListener()) app_.ListenToStations(*listener);
}

Program::~Program() = default;

// Which modules take each menu group, tried in this order.
void Program::RouteMenus() {
    const std::pair<MenuGroup, std::vector<Module*>> routes[] = {
        {MenuGroup::kFile, {&files_, &maps_, &layout_}},
        {MenuGroup::kEdit, {&station_, &messaging_}},
        {MenuGroup::kSettings, {&ports_, &station_, &transmit_, &messaging_, &weather_, &gps_}},
        {MenuGroup::kLogging, {&logs_}},
        {MenuGroup::kDisplay, {&maps_, &refdata_}},
        {MenuGroup::kOverlays, {&maps_}},
        {MenuGroup::kLists, {&lists_, &maps_, &messaging_, &weather_, &nws_, &refdata_, &nts_}},
        {MenuGroup::kWindows, {&memory_, &ports_, &maps_, &gps_, &garmin_}},
        {MenuGroup::kTncCommands, {&ports_, &transmit_}},
        {MenuGroup::kTcpIp, {&internet_, &gateway_}},
        {MenuGroup::kAltVhfPath, {&ports_}},
        {MenuGroup::kAltHfPath, {&ports_}},
        {MenuGroup::kHelp, {&desktop_}},
        {MenuGroup::kTransmitAndMaps, {&transmit_, &messaging_, &maps_}},
    };
    for (const auto& route : routes) {
        menu_.SetHandler(route.first, [takers = route.second](uint16_t id) {
            for (Module* m : takers)
                if (m->Command(id)) return true;
            return false;
        });
    }
    menu_.SetCheckMarkRefresh([this] { ui_.RefreshCheckMarks(); });
}

void Program::StartupSequence() {
    app_.RefreshClock();
    // The tables are sized by the memory class when the core is built.
    size_t bytesRead = 0;
    const Preferences::LoadResult loaded = prefs_.Load(platform_.files, &bytesRead);
    if (const std::string text = Preferences::LoadText(loaded, bytesRead); !text.empty())
        platform_.notices.StatusText(text);
    firstStart_ = loaded == Preferences::LoadResult::kMissing;
    // A new station is asked the few things it cannot run without, before
    // any module reads the settings.
    if (firstStart_ && dialogs_) {
        FirstStartForm form;
        if (dialogs_->RunFirstStart(form) && form.Problem().empty()) {
            form.Apply(prefs_, app_.Now().Now());
            if (!prefs_.Save(platform_.files)) platform_.notices.StatusText("Could not save Velmora.prf");
        }
    }
    // An old record, or one whose numeric position was rebuilt, gets its
    // report texts again.
    if (prefs_.ReportTextsStale()) prefs_.RegenerateReportTexts(app_.Now().Now());
    for (Module* m : modules_) m->Startup();
}

void Program::Start() {
    StartupSequence();
    for (Module* m : modules_) m->Started();
    ui_.RefreshCheckMarks();
    if (!info_.usesReaderThreads) timers_.Start(ui_, kTimerPoll, 300);
    timers_.Start(ui_, kTimerLink, 200);
    timers_.Start(ui_, kTimerTick, 1000);
    timers_.Start(ui_, kTimerMinute, 60000);
    exitCode_ = 0;
}

void Program::OnTimer(int id) {
    switch (id) {
        case kTimerTick:
            app_.RefreshClock();
            if (!ports_.PortsOpened()) ports_.OpenPortsOnce();
            tick_.Tick(app_.Now().Now());
            maps_.EachSecond();
            break;
        case kTimerMinute: memory_.MinuteTimer(); break;
        case kTimerLink:
            ports_.Ports().RecoverLostPorts(app_.Now().NowStamp());
            internet_.Poll();
            if (std::string states = LinkStates(); states != shownLinkStates_) {
                shownLinkStates_ = std::move(states);
                gateway_.StatusList().Invalidate();
            }
            gateway_.Poll();
            gps_.Poll();
            weather_.Poll();
            break;
        case kTimerTrackReplay: maps_.ReplayStep(); break;
        case kTimerQuitDeadline:
            if (quitRequested_) ui_.Quit(exitCode_);  // a TNC that never drains does not hold up the exit
            break;
        default:
            // Port polling is not needed with reader threads; the links are
            // serviced by their own modules.
            if (ports_.Wake(id)) QuitWhenDrained();
            break;
    }
}

bool Program::Command(uint16_t id) { return desktop_.FrameCommand(id) || DispatchMenuCommand(id); }

bool Program::IsChecked(uint16_t id) const {
    for (const Module* m : modules_)
        if (m->IsChecked(id)) return true;
    return false;
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
    if (quitRequested_ && ports_.AllIdle()) ui_.Quit(exitCode_);
}

void Program::FunctionKey(int code, bool ctrlHeld) {
    switch (code & 0x7F) {
        case 112: Command(kCmdHelp); break;         // F1: the help
        case 113: Command(3201); break;             // F2: the position on all routes
        case 114: case 116: ui_.ActiveWindowKey(code & 0x7F, ctrlHeld); break;  // F3, F5
        case 115:                                                              // Control-F4
            if (ctrlHeld) ui_.ActiveWindowKey(115, true);
            break;
        case 117: ui_.ActivateNextWindow(); break;  // F6
        case 118: Command(kCmdNewMessage); break;   // F7
        case 119:                                   // F8 with Caps Lock: log in again
            if (!ui_.CapsLockHeld()) break;
            platform_.notices.Beep();
            internet_.Links().LoginAgain();
            break;
        default: break;
    }
}

// The ports leave KISS mode and send their exit files first; the
// window-location list, the statistics buffer and the internet link join
// as their modules arrive; the logs close last.
void Program::ShutdownSequence() {
    shuttingDown_ = true;
    for (Module* m : modules_) m->Shutdown();
}

void Program::Stop() {
    if (!shuttingDown_) ShutdownSequence();
    for (Module* m : modules_) m->Stop();
    timers_.StopAll(ui_);
}

std::string Program::LinkStates() { return LinkStatesText(ports_.Ports(), internet_.Links(), app_.Now().NowStamp()); }

}  // namespace velmora
