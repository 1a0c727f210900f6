// The map's right-click menu: what can be done with the station under the
// mouse, or with the empty place clicked.
#include "app/MapsModule.h"
#include "maps/StationLayer.h"
#include "stations/StationRecord.h"

namespace velmora {

std::vector<MapMenuItem> MapsModule::MenuAt(MapWindow& w, Point pixel) {
    const StationTable& t = s_.app.Stations();
    const int32_t hit = StationAt(t, w.View(), pixel, -1);
    if (hit < 0) {
        return {{MapAction::kCentreHere, "Centre Here"},
                {MapAction::kCreateObjectHere, "Create Object Here..."},
                {MapAction::kSetPositionHere, "Set My Position Here..."}};
    }
    Click(w, pixel);
    w.Selection().selected = hit;
    const StationRecord& r = t.At(hit);
    const std::string call(r.callsign.View());
    const bool object = r.objectState || r.specialIcon == 30;
    std::vector<MapMenuItem> items = {{MapAction::kInfo, "Information on " + call}};
    if (!object && hit != 0) items.push_back({MapAction::kMessage, "Send Message To " + call + "..."});
    items.push_back({MapAction::kCentre, "Centre"});
    items.push_back({MapAction::kFollow, Moving(w).on && Moving(w).trackedCall == call ? "Stop Following" : "Follow"});
    items.push_back({MapAction::kTrack, w.Selection().track ? "Hide Track" : "Show Track"});
    if (!object) items.push_back({MapAction::kTrace, w.Selection().trace ? "Hide Path" : "Trace Path"});
    items.push_back({MapAction::kFlag, r.flagged ? "Unflag" : "Flag"});
    if (isOwnObject(call)) {
        items.push_back({MapAction::kMoveObject, "Move Object Here"});
        items.push_back({MapAction::kEditObject, "Edit Object..."});
        items.push_back({MapAction::kKillObject, "Kill Object"});
    }
    return items;
}

void MapsModule::MenuAction(MapWindow& w, Point pixel, MapAction action) {
    StationTable& t = s_.app.Stations();
    const int32_t i = w.Selection().selected;
    const std::string call = t.ValidIndex(i) ? std::string(t.At(i).callsign.View()) : std::string();
    const GeoPoint at = w.View().Unproject(pixel);
    switch (action) {
        case MapAction::kInfo: (void)StationKey(w, 13, false, false); return;
        case MapAction::kMessage: composeMessage(call); return;
        case MapAction::kCentre:
            if (t.ValidIndex(i) && t.At(i).HasPosition()) w.View().CentreOn({t.At(i).lon, t.At(i).lat});
            break;
        case MapAction::kCentreHere: w.View().CentreOn(at); break;
        case MapAction::kFollow: {
            MovingMapState& m = Moving(w);
            const bool stop = m.on && m.trackedCall == call;
            m.on = !stop;
            m.trackedCall = stop ? std::string() : call;
            if (m.on) MovingMapCheck(w, true);
            break;
        }
        case MapAction::kTrack: (void)StationKey(w, 'R', false, false); return;
        case MapAction::kTrace: (void)StationKey(w, 'T', false, false); return;
        case MapAction::kFlag:
            if (t.ValidIndex(i)) t.At(i).flagged = t.At(i).flagged ? 0 : 1;
            w.OverlayChanged();
            return;
        case MapAction::kMoveObject: moveObject(call, at); break;
        case MapAction::kEditObject: editObject(call, at); return;
        case MapAction::kKillObject: killObject(call); break;
        case MapAction::kCreateObjectHere: editObject({}, at); return;
        case MapAction::kSetPositionHere: setOwnPosition(at); return;
    }
    w.Changed();
}

bool MapsModule::ActOnStation(const std::string& call, MapAction action) {
    MapWindow* w = Front();
    if (!w && !windows_.empty()) w = windows_.back().get();
    const StationTable& t = s_.app.Stations();
    const StationIndex i = t.Lookup(call);
    if (!w || !t.ValidIndex(i)) return false;
    w->Selection().selected = i;
    w->SetInfoLine(SelectedStationText(t.At(i)));
    MenuAction(*w, w->View().Project({t.At(i).lon, t.At(i).lat}).pixel, action);
    return true;
}

}  // namespace velmora
