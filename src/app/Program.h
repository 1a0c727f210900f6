#pragma once
// The life of the program around the core: start-up in its fixed order, the
// four timers, the frame's commands and keys, the menu groups and shutdown.
// The platform creates the frame window and runs the event loop; everything
// it reports arrives here.
#include <array>
#include <cstdint>
#include <memory>
#include <functional>
#include <string>

#include "app/App.h"
#include "app/MemoryLog.h"
#include "app/MenuDispatch.h"
#include "app/PeriodicTick.h"
#include "app/Preferences.h"
#include "app/Simulation.h"
#include "platform/Serial.h"
#include "platform/UserInterface.h"
#include "ports/PortManager.h"
#include "ports/PortRoles.h"
#include "ports/TncControl.h"
#include "ports/TncSender.h"
#include "transmit/OwnReports.h"

namespace velmora {

struct PlatformInfo {
    // Ports have reader threads (the platform's event loop delivers their
    // input); false would mean polling every 300 ms.
    bool usesReaderThreads = true;
    // System family and processor class, only ever printed.
    int machineCode = 0x600 | 0x30;
};

enum TimerId : int { kTimerTick = 0, kTimerPoll = 1, kTimerLink = 2, kTimerMinute = 3, kTimerQuitDeadline = 50 };

// The timers start-up created, so that shutdown stops exactly those.
class TimerSet {
public:
    static constexpr size_t kMax = 4;
    bool Start(UserInterface& ui, int id, int periodMs);
    void StopAll(UserInterface& ui);
    size_t Count() const { return count_; }
    bool Has(int id) const;

private:
    std::array<int, kMax> ids_{};
    size_t count_ = 0;
};

struct ProgramOptions {
    int memoryClass = 2;
    PlatformInfo platform;
    SerialLayer* serial = nullptr;  // no serial ports without one
};



class Program {
public:

    Program(Platform platform, UserInterface& ui, ProgramOptions options = {});
    ~Program();
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

    void OnTimer(int id);
    // A command posted to the frame: the frame's own (new child, tile,
    // cascade, arrange), then the menu groups. True when taken.
    bool Command(uint16_t id);
    bool DispatchMenuCommand(uint16_t id) { return menu_.Dispatch(id); }
    // The frame is being closed; true when the program quits.
    bool CloseRequested();
    // A key from the frame, masked to 7 bits.
    void FunctionKey(int code, bool ctrlHeld);
    bool IsChecked(uint16_t id) const;

    // Characters typed in the terminal window, sent to its port as bytes.
    void TerminalTyped(std::string_view bytes);
    // Whether a port's open command shows as checked (open).
    bool PortOpen(int index) const;

    // File Open and Simulate with a path already chosen.
    void OpenFile(const std::string& path);
    bool StartSimulation(const std::string& path);

    bool QuitRequested() const { return quitRequested_; }
    int ExitCode() const { return exitCode_; }
    void RequestQuit(int code);

    App& Core() { return app_; }
    const App& Core() const { return app_; }
    Preferences& Prefs() { return prefs_; }
    const TimerSet& Timers() const { return timers_; }
    const PeriodicTick& Tick() const { return tick_; }
    const Simulation& Replay() const { return simulation_; }
    const PlatformInfo& Info() const { return info_; }
    PortManager& Ports() { return ports_; }
    PortRoles& Roles() { return roles_; }
    RoleHandOffs& HandOffs() { return handOffs_; }
    TncControl& Tnc() { return tnc_; }
    TncSender& Sender() { return sender_; }
    OwnReportSettings OwnReport() const;
    bool SerialDebugging() const { return serialDebugging_; }
    const MemorySamples& Memory() const { return memory_; }
    bool MemoryLogOpen() const { return memoryLog_.IsOpen(); }
    int64_t StartupLinesReplayed() const { return startupLines_; }

private:
    class Work;
    void InstallHandlers();
    bool FileCommand(uint16_t id);
    bool EditCommand(uint16_t id);
    bool SettingsCommand(uint16_t id);
    bool LoggingCommand(uint16_t id);
    bool WindowsCommand(uint16_t id);
    bool HelpCommand(uint16_t id);
    void OpenPortsOnce();
    void OpenAutomaticLogs();
    bool AnyAutomaticInput() const;
    void FeedOwnPosition();
    MemorySample TakeMemorySample();
    void ApplyPortPreferences();
    bool TogglePort(uint16_t command);
    bool ToggleTnc(int index);
    void CloseTncPort(int index);
    bool DualPortTnc() const;
    // The serial port a TNC's radio port uses.
    int SerialPortOf(int index) const;
    bool TncCommand(uint16_t id);
    bool AltPathCommand(uint16_t id);
    void AddAltPathMenus();
    void SelectTncType();
    void QuitWhenDrained();
    void CloseAllPorts();
    void AttachTerminal();

    Platform platform_;
    UserInterface& ui_;
    PlatformInfo info_;
    App app_;
    Preferences prefs_;
    std::unique_ptr<Work> work_;
    PeriodicTick tick_;
    MenuDispatch menu_;
    TimerSet timers_;
    Simulation simulation_;
    PortManager ports_;
    RoleSettings roleSettings_;
    RoleHandOffs handOffs_;
    PortRoles roles_;
    TncSender sender_;
    TncControl tnc_;
    bool shuttingDown_ = false;
    std::vector<std::string> altPaths_;           // "AltPath.txt"
    uint16_t altVhfChoice_ = 20101, altHfChoice_ = 20201;  // "Default" at start
    bool portsOpened_ = false;
    bool quitRequested_ = false;
    bool serialDebugging_ = false;
    int exitCode_ = 0;
    MemorySamples memory_;
    MemoryLog memoryLog_;
    int lastMemoryHour_ = -1;
    int64_t startupLines_ = 0;
};

}  // namespace velmora
