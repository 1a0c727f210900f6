#pragma once
// The desktop between runs: where each kind of window was placed
// ("WinLoc.prf", read at start-up, written at shutdown when it changed) and
// the set of open windows ("Velmora.CFG": restored at start-up, kept at
// shutdown and by File > Save Window Config; any ".CFG" through File > Open).
#include <functional>
#include <string>
#include <vector>

#include "app/Module.h"
#include "app/WindowFiles.h"

namespace velmora {

class MapWindow;
class MapsModule;
class ListsModule;
class ListWindows;

constexpr uint16_t kCmdSaveWindowConfig = 1005;
constexpr uint16_t kCmdOpenWindowConfig = 1006;

// The front end's windows, as a saved desktop sees them.
class WindowLayout {
public:
    virtual ~WindowLayout() = default;
    struct Open {
        FourCC windowClass = 0, list = 0;
        WindowRect rect;
        const MapWindow* map = nullptr;  // a map window's core side
    };
    // The open windows in window-list order (the front one first).
    virtual std::vector<Open> OpenWindows() const = 0;
    // Before restoring this many windows: the frame maximised.
    virtual void PrepareForWindows(size_t count) = 0;
    // The window opened last goes to this rectangle.
    virtual void PlaceNewestWindow(const WindowRect& rect) = 0;
};

class LayoutModule final : public Module {
public:
    LayoutModule(ModuleServices services, WindowLayout* layout, MapsModule& maps, ListsModule& lists,
                 ListWindows* listWindows);

    void Startup() override;
    void Started() override;
    bool Command(uint16_t id) override;
    void Shutdown() override;

    // A configuration file by its real path; the texts of a bad one are shown.
    void LoadConfig(const std::string& path);
    // The open windows into a configuration file; false when it could not be written.
    bool SaveConfig(const std::string& path);
    bool IsConfigFile(const std::string& path) const;
    WindowLocations& Locations() { return locations_; }

    // The windows a record brings back that other modules own (the weather
    // chart and display, the GPS display), wired by the program.
    std::function<void()> showWeatherChart = [] {}, showWeatherDisplay = [] {}, showGpsDisplay = [] {};

private:
    bool Restore(const WindowRecord& r);
    std::vector<WindowRecord> Records() const;

    ModuleServices s_;
    WindowLayout* layout_;
    MapsModule& maps_;
    ListsModule& lists_;
    ListWindows* listWindows_;
    WindowLocations locations_;
};

}  // namespace velmora
