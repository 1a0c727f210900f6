#pragma once
// The composition root: it builds the modules in start-up order, routes the
// menu groups to them by table, runs the tick's branches through them, owns
// the four timers and shuts the modules down in order. The platform creates
// the frame window and runs the event loop; everything it reports arrives
// here.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/CoreModules.h"
#include "app/ListsModule.h"
#include "app/MapsModule.h"
#include "app/NwsModule.h"
#include "app/RefDataModule.h"
#include "app/NtsModule.h"
#include "app/ObjectsModule.h"
#include "app/MenuDispatch.h"
#include "app/MessagingModule.h"
#include "app/GatewayModule.h"
#include "app/GpsModule.h"
#include "app/LayoutModule.h"
#include "app/WeatherModule.h"
#include "app/GarminModule.h"
#include "app/Module.h"
#include "app/PeriodicTick.h"
#include "app/PortsModule.h"
#include "app/InternetModule.h"
#include "app/TransmitModule.h"
#include "app/Preferences.h"
#include "app/SettingsDialogs.h"
#include "platform/Network.h"
#include "platform/Serial.h"
#include "platform/UserInterface.h"

namespace velmora {

enum TimerId : int {
    kTimerTick = 0, kTimerPoll = 1, kTimerLink = 2, kTimerMinute = 3, kTimerQuitDeadline = 50, kTimerTrackReplay = kTimerTrackReplayId,
};

// The timers start-up created, so that shutdown stops exactly those.
class TimerSet {
public:
    static constexpr size_t kMax = 4;
    bool Start(EventLoop& loop, int id, int periodMs);
    void StopAll(EventLoop& loop);
    size_t Count() const { return count_; }
    bool Has(int id) const;

private:
    std::array<int, kMax> ids_{};
    size_t count_ = 0;
};

struct ProgramOptions {
    int memoryClass = 2;
    PlatformInfo platform;
    SerialLayer* serial = nullptr;         // no serial ports without one
    Network* network = nullptr;            // no TCP without one
    SettingsDialogs* dialogs = nullptr;    // no settings dialogs without one
    ListWindows* lists = nullptr;          // list windows open nowhere without one
    MapWindows* maps = nullptr;            // map windows open nowhere without one
    MessageWindows* messages = nullptr;    // no message dialogs without one
    GarminWindows* garmin = nullptr;       // no Garmin window without one
    WeatherWindows* weather = nullptr;     // no weather chart or settings dialog without one
    WindowLayout* layout = nullptr;        // no saved desktop without one
};

class Program final : public EventTarget {
public:
    Program(Platform platform, UserInterface& ui, ProgramOptions options = {});
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Everything between creating the frame window and running the event
    // loop: the start-up sequence, the About box, the first windows, the
    // timers and the automatic logs.
    void Start();
    void StartupSequence();
    // Everything after the event loop: the shutdown sequence, then the timers.
    void Stop();
    void ShutdownSequence();

    void OnTimer(int id) override;
    // A command posted to the frame: the frame's own (new child, tile,
    // cascade, arrange), then the menu groups. True when taken.
    bool Command(uint16_t id) override;
    bool DispatchMenuCommand(uint16_t id) { return menu_.Dispatch(id); }
    // The frame is being closed; true when the program quits.
    bool CloseRequested();
    // A key from the frame, masked to 7 bits.
    void FunctionKey(int code, bool ctrlHeld);
    bool IsChecked(uint16_t id) const;

    // Characters typed in the terminal window, sent to its port as bytes.
    // Characters typed in the terminal window: to a link being logged in by
    // hand, else to the terminal's port.
    void TerminalTyped(std::string_view bytes) {
        if (internet_.Links().ManualLoginActive()) internet_.Links().TypeManual(bytes);
        else if (ports_.Roles().TerminalPort() == kPortTcpIp) internet_.Send(bytes);
        else ports_.TerminalTyped(bytes);
    }
    // The operator closed the terminal window.
    // The terminal window closed: the port it owned is the program's again.
    void TerminalClosed() {
        internet_.Links().FinishManualLogin();
        ports_.Roles().AttachTerminal(-1);
    }
    // Whether a port's open command shows as checked (open).
    bool PortOpen(int index) const { return ports_.PortOpen(index); }

    // File Open and Simulate with a path already chosen.
    void OpenFile(const std::string& path) { files_.OpenFile(path); }
    bool StartSimulation(const std::string& path) { return files_.StartSimulation(path); }

    // The TNC ports' and internet links' states ("links", the status window).
    std::string LinkStates();

    bool QuitRequested() const { return quitRequested_; }
    // The data folder had no "Velmora.prf": a new station.
    bool FirstStart() const { return firstStart_; }
    int ExitCode() const { return exitCode_; }
    void RequestQuit(int code);

    App& Core() { return app_; }
    const App& Core() const { return app_; }
    Preferences& Prefs() { return prefs_; }
    const TimerSet& Timers() const { return timers_; }
    const PeriodicTick& Tick() const { return tick_; }
    const PlatformInfo& Info() const { return info_; }
    PortsModule& PortsAndTncs() { return ports_; }
    const Simulation& Replay() const { return files_.Replay(); }
    PortManager& Ports() { return ports_.Ports(); }
    PortRoles& Roles() { return ports_.Roles(); }
    RoleHandOffs& HandOffs() { return ports_.HandOffs(); }
    TncControl& Tnc() { return ports_.Tnc(); }
    TncSender& Sender() { return ports_.Sender(); }
    bool SerialDebugging() const { return ports_.SerialDebugging(); }
    const MemorySamples& Memory() const { return memory_.Samples(); }
    bool MemoryLogOpen() const { return memory_.LogOpen(); }
    int64_t StartupLinesReplayed() const { return files_.StartupLinesReplayed(); }
    ListsModule& Lists() { return lists_; }
    MapsModule& Maps() { return maps_; }
    NwsModule& Nws() { return nws_; }
    RefDataModule& RefData() { return refdata_; }
    NtsModule& Nts() { return nts_; }
    TransmitModule& Transmitter() { return transmit_; }
    ObjectsModule& Objects() { return objects_; }
    InternetModule& Internet() { return internet_; }
    MessagingModule& Messages() { return messaging_; }
    GatewayModule& Gateway() { return gateway_; }
    GpsModule& Gps() { return gps_; }
    WeatherModule& Weather() { return weather_; }
    LayoutModule& Layout() { return layout_; }
    GarminModule& Garmin() { return garmin_; }

private:
    class Work;
    class Seams;
    void ConnectModules(const ProgramOptions& options);
    void RouteMenus();
    void QuitWhenDrained();

    Platform platform_;
    UserInterface& ui_;
    PlatformInfo info_;
    App app_;
    Preferences prefs_;
    ModuleServices services_;
    // The modules, in start-up order.
    StationModule station_;
    PortsModule ports_;
    TransmitModule transmit_;
    ObjectsModule objects_;
    InternetModule internet_;
    MessagingModule messaging_;
    GatewayModule gateway_;
    GpsModule gps_;
    WeatherModule weather_;
    FilesModule files_;
    LogsModule logs_;
    MemoryModule memory_;
    LayoutModule layout_;
    DesktopModule desktop_;
    ListsModule lists_;
    MapsModule maps_;
    GarminModule garmin_;
    NwsModule nws_;
    RefDataModule refdata_;
    NtsModule nts_;
    std::vector<Module*> modules_;
    std::unique_ptr<Work> work_;
    std::unique_ptr<Seams> seams_;
    PeriodicTick tick_;
    MenuDispatch menu_;
    TimerSet timers_;
    bool shuttingDown_ = false;
    bool quitRequested_ = false;
    bool firstStart_ = false;
    SettingsDialogs* dialogs_ = nullptr;
    int exitCode_ = 0;
    std::string shownLinkStates_;
};

}  // namespace velmora
