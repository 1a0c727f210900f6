#pragma once
// A subsystem as the program sees it: the menu commands it owns, its share
// of the tick, its part of start-up and shutdown. The program builds the
// modules in start-up order, routes menu groups to them by table and calls
// each in turn; a module reaches the others only through what it is given.
#include <cstdint>

#include "app/App.h"
#include "app/Preferences.h"
#include "platform/Clock.h"
#include "platform/UserInterface.h"

namespace velmora {

struct PlatformInfo {
    // Ports have reader threads (the platform's event loop delivers their
    // input); false would mean polling every 300 ms.
    bool usesReaderThreads = true;
    // System family and processor class, only ever printed.
    int machineCode = 0x600 | 0x30;
};

// What every module may use: the core, the settings record and the front end.
struct ModuleServices {
    Platform platform;
    UserInterface& ui;
    App& app;
    Preferences& prefs;
    const PlatformInfo& info;
};

class Module {
public:
    virtual ~Module() = default;

    // Its part of the start-up sequence, in module order, before any window.
    virtual void Startup() {}
    // After start-up: run-time menus, first windows, automatic logs.
    virtual void Started() {}
    // A menu command of a group routed here; true when taken.
    virtual bool Command(uint16_t /*id*/) { return false; }
    virtual bool IsChecked(uint16_t /*id*/) const { return false; }
    // The tick's branches (one a second at most, see PeriodicTick).
    virtual void DayChanged(const LocalDateTime&) {}
    virtual void HourChanged(const LocalDateTime&) {}
    virtual void MinuteChanged(const LocalDateTime&) {}
    // Inside the event loop, so queued output still goes out.
    virtual void Shutdown() {}
    // After the event loop: release devices and files.
    virtual void Stop() {}

    // The station events this module listens to (list invalidations,
    // redraws, history growth); null for none.
    virtual StationEvents* StationListener() { return nullptr; }
};

}  // namespace velmora
