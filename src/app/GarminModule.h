#pragma once
// "Garmin GPS Control": the Garmin binary link on port 7, its window's
// buttons as commands, the track overlay on the maps, and the console's
// `garmin` twin.
#include <functional>
#include <string>

#include "app/Module.h"
#include "gps/GarminLink.h"

namespace velmora {

class PortsModule;
class MapsModule;

constexpr uint16_t kCmdGarminControl = 8315;

// Where the front end shows the Garmin window.
class GarminWindows {
public:
    virtual ~GarminWindows() = default;
    virtual void ShowGarmin() = 0;
    virtual void GarminStatus(std::string_view text) = 0;
    // The unit's screen image arrived.
    virtual void GarminScreen(const GarminLink&) {}
};

class GarminModule final : public Module {
public:
    enum class Button { kOpen, kClose, kTrack, kWaypoints, kUpload, kProduct, kSaveTrack, kSaveWaypoints, kScreen };

    GarminModule(ModuleServices services, PortsModule& ports, MapsModule& maps);

    bool Command(uint16_t id) override;
    void Stop() override;
    // A button of the window; the file name for Save track.
    void Press(Button b, const std::string& file = "GarTrack.log");
    GarminLink& Link() { return link_; }
    const std::string& LastStatus() const { return status_; }
    void SetWindows(GarminWindows* w) { windows_ = w; }

private:
    ModuleServices s_;
    PortsModule& ports_;
    MapsModule& maps_;
    GarminLink link_;
    GarminWindows* windows_ = nullptr;
    std::string status_;
};

}  // namespace velmora
