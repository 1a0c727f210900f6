// The maps' stations: selection by click, key and list, the information
// text, the station keys and options, new-station flashes, track replay,
// and moving maps that follow a station.
#include <algorithm>

#include "app/MapsModule.h"
#include "geo/Position.h"
#include "lists/StationInfo.h"
#include "lists/SymbolNames.h"

namespace velmora {

void MapsModule::NewStationLogLine(std::string_view line) {
    // The call is the line's first field. A replayed log at start-up comes
    // before any window and flashes nothing.
    if (windows_.empty() || flashes_.size() >= 20) return;
    flashes_.push_back({std::string(line.substr(0, line.find('\t'))), 0});
    AllOverlaysChanged();
}

void MapsModule::ReplayStep() {
    MapWindow* w = replay_.window;
    if (!w || std::none_of(windows_.begin(), windows_.end(), [&](const auto& each) { return each.get() == w; })) return;
    StationSelection& sel = w->Selection();
    const StationTable& t = s_.app.Stations();
    const StationIndex i = t.Lookup(replay_.call);
    if (!sel.track || sel.replayPoints < 0 || !t.ValidIndex(i)) return;
    const StationRecord& r = t.At(i);
    const size_t n = std::min<size_t>(size_t(std::max<int16_t>(r.trackCount, 0)), r.trackPoints.size());
    if (!s_.ui.ControlHeld() && replay_.point < n) {
        w->SetReadout(TrackPointText(r.trackPoints[replay_.point], {s_.prefs.OwnLonUnits(), s_.prefs.OwnLatUnits()}));
        sel.replayPoints = static_cast<int>(++replay_.point);
    }
    w->OverlayChanged();
    if (replay_.point < n) s_.ui.StartSingleShot(kTimerTrackReplayId, 150);
    else sel.replayPoints = -1;  // the whole track from now on
}

void MapsModule::CentreMapOn(int32_t index) {
    MapWindow* w = Front();
    const StationTable& t = s_.app.Stations();
    if (!w || !t.ValidIndex(index) || !t.At(index).HasPosition()) return;
    w->View().CentreOn({t.At(index).lon, t.At(index).lat});
    w->Changed();
}

void MapsModule::StationsRenumbered(const std::vector<int32_t>& remap) {
    for (auto& w : windows_) {
        int32_t& selected = w->Selection().selected;
        if (selected >= 0) selected = size_t(selected) < remap.size() ? remap[size_t(selected)] : -1;
        w->OverlayChanged();
    }
}

void MapsModule::Click(MapWindow& w, Point pixel) {
    w.Click(pixel);
    const StationTable& t = s_.app.Stations();
    const int32_t hit = StationAt(t, w.View(), pixel, w.Selection().selected);
    if (hit >= 0) {
        w.Selection().selected = hit;
        w.SetInfoLine(SelectedStationText(t.At(hit)));
    }
    w.OverlayChanged();
}

void MapsModule::ShowStation(std::string_view call) {
    MapWindow* w = Front();
    if (!w && !windows_.empty()) w = windows_.back().get();
    const StationTable& t = s_.app.Stations();
    const StationIndex i = t.Lookup(call);
    if (!w || !t.ValidIndex(i)) return;
    const StationRecord& r = t.At(i);
    w->Selection().selected = i;
    w->SetInfoLine(SelectedStationText(r));
    // A station picked from a list is where the operator wants to look.
    if (r.HasPosition()) {
        w->View().CentreOn({r.lon, r.lat});
        w->Changed();
    }
    w->OverlayChanged();
}

std::string MapsModule::StationUnder(const MapWindow& w, Point pixel) const {
    const StationTable& t = s_.app.Stations();
    const int32_t i = StationAt(t, w.View(), pixel, -1);
    if (i < 0) return {};
    const StationRecord& r = t.At(i);
    return std::string(r.callsign.View()) + "  " + std::string(SymbolMeaning(r.symbolTable, r.symbolCode));
}

std::string MapsModule::InfoText(std::string_view call) const {
    const StationTable& t = s_.app.Stations();
    const StationIndex i = t.Lookup(call);
    if (!t.ValidIndex(i)) return {};
    const OwnStation& own = s_.app.Own();
    InfoHome home{own.homeLon, own.homeLat};
    if (!own.HasHome()) home = {};
    return StationInfoText(t, i, s_.app.History(), home);
}

std::string MapsModule::SelectedCall(const MapWindow& w) const {
    const StationTable& t = s_.app.Stations();
    const int32_t i = w.Selection().selected;
    return t.ValidIndex(i) ? std::string(t.At(i).callsign.View()) : std::string();
}

// The station keys: coverage and range circles, track replay, path trace
// and the information window.
bool MapsModule::StationKey(MapWindow& w, int code, bool control, bool shift) {
    StationSelection& sel = w.Selection();
    const StationTable& t = s_.app.Stations();
    switch (code) {
        case 'D': w.Options().coverage = !w.Options().coverage; break;
        case 'I': w.Options().ranges = !w.Options().ranges; break;
        case 'R':
            if (control || shift) {
                sel.allTracks = !sel.allTracks;
            } else {
                sel.track = !sel.track;
                sel.replayPoints = -1;
                // Replayed point by point, each told in the strip.
                if (sel.track && t.ValidIndex(sel.selected)) {
                    replay_ = {&w, std::string(t.At(sel.selected).callsign.View()), 0};
                    sel.replayPoints = 0;
                    ReplayStep();
                }
            }
            break;
        case 'T': {
            if (control || shift) {
                sel.allTraces = !sel.allTraces;
                break;
            }
            // Objects and items travel no path of their own.
            const bool usable = t.ValidIndex(sel.selected) && t.At(sel.selected).HasPosition() &&
                                t.At(sel.selected).objectState == 0 && t.At(sel.selected).reportType != ')';
            if (!usable) {
                s_.platform.notices.Beep();
                return true;
            }
            sel.trace = !sel.trace;
            if (sel.trace) sel.traceColour = static_cast<uint8_t>(sel.traceColour % 15 + 1);
            break;
        }
        case 13:
            if (t.ValidIndex(sel.selected) && front_) front_->ShowStationInfo(std::string(t.At(sel.selected).callsign.View()));
            else s_.platform.notices.Beep();
            return true;
        default: return false;
    }
    w.OverlayChanged();
    return true;
}

bool MapsModule::StationOption(uint16_t id, MapWindow& w) {
    MapDisplayOptions& o = w.Options();
    switch (id) {
        case kCmdAllStations: o.filter = StationFilter::kAll; break;
        case kCmdDirectStations: o.filter = StationFilter::kDirect; break;
        case kCmdFlaggedStations: o.filter = StationFilter::kFlagged; break;
        case kCmdTrackedStations: o.filter = StationFilter::kTracked; break;
        case kCmdWeatherStations: o.filter = StationFilter::kWeather; break;
        case kCmdCoverageCircles: o.coverage = !o.coverage; break;
        case kCmdRangeCircles: o.ranges = !o.ranges; break;
        case kCmdStationAge: o.age = !o.age; break;
        case kCmdReplayTrack: return StationKey(w, 'R', false, false);
        case kCmdTracePath: return StationKey(w, 'T', false, false);
        default: return false;
    }
    w.OverlayChanged();
    return true;
}

GeoPoint MapsModule::FollowedPosition(const MovingMapState& m) const {
    const StationTable& t = s_.app.Stations();
    if (!m.trackedCall.empty()) {
        const StationIndex i = t.Lookup(m.trackedCall);
        if (t.ValidIndex(i) && ValidCoordinate(t.At(i).lon) && ValidCoordinate(t.At(i).lat))
            return {t.At(i).lon, t.At(i).lat};
    }
    // The own station: where its GPS says, else where the settings put it.
    if (s_.app.Gps().HasPosition()) return {s_.app.Gps().Lon(), s_.app.Gps().Lat()};
    return {s_.prefs.OwnLonUnits(), s_.prefs.OwnLatUnits()};
}

// The moving-map panel: what the followed station (or the own one) is doing.
std::string MapsModule::PanelFor(const MovingMapState& m) const {
    const StationTable& t = s_.app.Stations();
    StationIndex i = m.trackedCall.empty() ? 0 : t.Lookup(m.trackedCall);
    if (!t.ValidIndex(i)) i = 0;
    if (!t.ValidIndex(i)) return {};
    const StationRecord& r = t.At(i);
    MovingMapFacts f;
    f.speed = r.speedKnots;
    f.course = r.course;
    f.altitude = r.altitudeFeet;
    f.trackPoints = r.trackCount;
    const double miles = i == 0 ? 0.0 : double(r.distanceMiles);
    f.distance = DistanceText(miles, 0, units_);
    f.distance = f.distance.substr(0, f.distance.find(','));
    return std::string(r.callsign.View()) + "  " + MovingMapPanel(f);
}

void MapsModule::MovingMapCheck(MapWindow& w, bool forced) {
    MovingMapState& m = Moving(w);
    const uint32_t now = s_.platform.clock.NowStamp();
    if (!MovingMapCheckDue(m, now, forced)) return;
    m.lastCheck = now;
    w.SetReadout(PanelFor(m));
    const GeoPoint followed = FollowedPosition(m);
    if (!ValidCoordinate(followed.lon) || !ValidCoordinate(followed.lat)) return;
    const auto view = MovingMapRecentre(w.View(), followed);
    if (!view) return;
    m.lastRecentre = now;
    const GeoRect bounds = w.View().MapBounds();
    if (!bounds.Contains(followed)) {
        if (const MapDescriptor* d = list_.BestFor(followed.lon, followed.lat)) LoadInto(w, *d);
    }
    w.SetViewTo(*view);
}

void MapsModule::EachSecond() {
    // Once a GPS has spoken, every window says whether it still does.
    const GpsState& gps = s_.app.Gps();
    const std::string gpsText = gps.LastFix() != 0 ? gps.InputText() : std::string();
    for (auto& w : windows_) w->SetGpsText(gpsText);
    for (auto& [window, state] : moving_) {
        if (!state.on) continue;
        for (auto& w : windows_)
            if (w.get() == window) MovingMapCheck(*w, false);
    }
}

}  // namespace velmora
