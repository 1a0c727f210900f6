#include "app/GarminModule.h"

#include "app/MapsModule.h"
#include "app/PortsModule.h"
#include "app/Settings.h"
#include "maps/TrackOverlay.h"
#include "ports/PortRole.h"

namespace velmora {

GarminModule::GarminModule(ModuleServices services, PortsModule& ports, MapsModule& maps)
    : s_(services), ports_(ports), maps_(maps) {
    link_.send = [this](std::string_view bytes) { (void)ports_.Ports().WritePort(kPortBinaryGps, bytes); };
    link_.status = [this](std::string_view text) {
        status_ = text;
        if (windows_) windows_->GarminStatus(text);
    };
    link_.beep = [this] { s_.platform.notices.Beep(); };
    link_.trackComplete = [this] {
        std::vector<TrackPiecePoint> points;
        for (const GarminTrackPoint& t : link_.Track()) points.push_back({t.lon, t.lat, t.newTrack});
        maps_.SetTrackOverlay(TrackOverlayPoints(points));
    };
    link_.screenComplete = [this] {
        if (windows_) windows_->GarminScreen(link_);
    };
    ports_.HandOffs().binaryGps = [this](std::string_view bytes) { link_.Input(bytes); };
}

bool GarminModule::Command(uint16_t id) {
    if (id != kCmdGarminControl) return false;
    if (windows_) windows_->ShowGarmin();
    return true;
}

void GarminModule::Stop() {
    if (link_.Open()) ports_.Ports().ClosePort(kPortBinaryGps);
    link_.SetOpen(false);
}

void GarminModule::Press(Button b, const std::string& file) {
    switch (b) {
        case Button::kOpen: {
            PortConfig c = PortConfigFrom(s_.prefs, kPortBinaryGps);
            c.baud = 9600;
            c.parity = 0;
            c.stopBits = 0;
            ports_.Ports().Configure(kPortBinaryGps, c);
            const bool open = ports_.Ports().IsOpen(kPortBinaryGps) || ports_.Ports().OpenPort(kPortBinaryGps);
            link_.SetOpen(open);
            link_.status(open ? "GPS Port Open" : "Port failed to open");
            break;
        }
        case Button::kClose:
            ports_.Ports().ClosePort(kPortBinaryGps);
            link_.SetOpen(false);
            link_.status("GPS Port Closed");
            break;
        case Button::kTrack: link_.SendCommand(GarminLink::kTransferTrack); break;
        case Button::kWaypoints: link_.DownloadWaypoints(); break;
        case Button::kUpload: link_.UploadWaypoints(); break;
        case Button::kProduct: link_.RequestProduct(); break;
        case Button::kSaveTrack:
            if (!s_.platform.files.WriteWhole(file.starts_with('/') ? file : s_.platform.files.RealPath(file),
                                              link_.TrackText()))
                link_.status("Could not write " + file);
            else link_.status("Track saved in " + file);
            break;
        case Button::kSaveWaypoints: link_.status("Sorry, Save waypoints is not finished yet"); break;
        case Button::kScreen: link_.SendCommand(GarminLink::kScreen); break;
    }
}

}  // namespace velmora
