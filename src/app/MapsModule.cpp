#include "app/MapsModule.h"

#include <algorithm>

#include "app/ListsModule.h"
#include "app/MenuTable.h"
#include "app/Settings.h"
#include "geo/Position.h"

namespace velmora {

MapsModule::MapsModule(ModuleServices services, MapWindows* windows, ListWindows* lists)
    : s_(services), front_(windows), lists_(lists), mapListModel_(list_) {}

MapsModule::~MapsModule() {
    if (front_) front_->MapsGone();
}

void MapsModule::Startup() {
    units_ = MapSettingsFrom(s_.prefs).metricUnits ? DistanceUnits::kMetric : DistanceUnits::kStatute;
    if (!list_.Scan(s_.platform.files, s_.platform.files.RealPath("Maps")))
        s_.ui.MessageBox("The map folder was not found, please verify installation", "Velmora", Buttons::kOk);
    mapListModel_.Invalidate();
}

void MapsModule::Started() {
    if (front_) front_->SetMapsMenu(list_.Menu());
}

MapWindow* MapsModule::Front() const { return front_ ? front_->FrontMapWindow() : nullptr; }

void MapsModule::Tell(const MapNotices& notices) {
    for (const std::string& m : notices.messages) s_.ui.MessageBox(m, "Velmora", Buttons::kOk);
    for (int i = 0; i < notices.beeps; ++i) s_.platform.notices.Beep();
}

bool MapsModule::LoadInto(MapWindow& window, const MapDescriptor& d) {
    MapDescriptor copy = d;
    LoadedMap map;
    MapNotices notices;
    const MapLoadStatus status = loader_.Load(s_.platform.files, copy, map, notices);
    Tell(notices);
    if (status != MapLoadStatus::kLoaded) {
        s_.ui.MessageBox("Could not read map file, (out of memory?)", "Velmora", Buttons::kOk);
        return false;
    }
    window.ShowMap(std::move(map));
    window.SetUnits(units_);
    if (front_) front_->MapWindowChanged(window);
    return true;
}

MapWindow* MapsModule::AddWindow() {
    auto window = std::make_unique<MapWindow>(640, 480);
    window->SetUnits(units_);
    const MapSettings settings = MapSettingsFrom(s_.prefs);
    window->Options() = settings.newWindows;
    window->SetFontSize(settings.fontSize);
    MapWindow& w = *window;
    windows_.push_back(std::move(window));
    if (!front_ || !front_->ShowMapWindow(w)) {
        windows_.pop_back();
        return nullptr;
    }
    return &w;
}

bool MapsModule::RestoreMapWindow(const std::string& mapFile, const GeoRect& view, bool moving,
                                  const std::string& followed) {
    MapWindow* w = AddWindow();
    if (!w) return false;
    const MapDescriptor* match = nullptr;
    for (const MapDescriptor& d : list_.Maps())
        if (!mapFile.empty() && d.fileName == mapFile) match = &d;
    if (match) LoadInto(*w, *match);
    // A view of nothing (an empty window) keeps the window's own.
    if (view.east > view.west && view.south > view.north) w->View().SetView(view);
    if (moving) {
        MovingMapState& m = Moving(*w);
        m.on = true;
        m.trackedCall = followed;
    }
    w->Changed();
    return true;
}

MapsModule::Kept MapsModule::Keep(const MapWindow& window) const {
    Kept k;
    if (const LoadedMap* map = window.Map()) k.mapFile = map->descriptor.fileName;
    k.view = window.View().Requested();
    k.polar = window.View().Polar();
    k.centre = window.View().PolarCentre();
    k.zoom = window.View().PolarZoom();
    for (const auto& [w, state] : moving_) {
        if (w != &window) continue;
        k.moving = state.on;
        k.followed = state.trackedCall;
    }
    return k;
}

bool MapsModule::NewMapWindow() {
    MapWindow* window = AddWindow();
    if (!window) return false;
    MapWindow& w = *window;
    const GeoPoint own{s_.prefs.OwnLonUnits(), s_.prefs.OwnLatUnits()};
    // An own position never set reads as 0 N 0 E, which is no place to start.
    const bool placed = ValidCoordinate(own.lon) && ValidCoordinate(own.lat) &&
                        !(own.lon == kLonOrigin && own.lat == kLatOrigin);
    const MapDescriptor* d = placed ? list_.BestFor(own.lon, own.lat) : nullptr;
    if (!d) d = list_.Widest();
    if (d) LoadInto(w, *d);
    return true;
}

bool MapsModule::NewPolarWindow() {
    GeoPoint centre{s_.prefs.OwnLonUnits(), s_.prefs.OwnLatUnits()};
    if (s_.app.Gps().HasPosition()) centre = {s_.app.Gps().Lon(), s_.app.Gps().Lat()};
    if (!ValidCoordinate(centre.lon) || !ValidCoordinate(centre.lat)) centre = {kLonOrigin, kLatOrigin};
    return RestorePolarWindow({}, centre, 1);
}

bool MapsModule::RestorePolarWindow(const std::string& mapFile, GeoPoint centre, int32_t zoom) {
    MapWindow* w = AddWindow();
    if (!w) return false;
    if (!ValidCoordinate(centre.lon) || !ValidCoordinate(centre.lat) || centre.lon >= kLonUnitsMax ||
        centre.lat >= kLatUnitsMax)
        centre = {kLonOrigin, kLatOrigin};
    w->View().SetPolar(centre);
    const MapDescriptor* d = nullptr;
    for (const MapDescriptor& each : list_.Maps())
        if (!mapFile.empty() && each.fileName == mapFile) d = &each;
    if (!d) d = list_.Widest();
    if (d) LoadInto(*w, *d);
    w->View().SetPolarZoom(zoom);
    w->SetReference(centre);
    w->Changed();
    return true;
}

void MapsModule::Closed(MapWindow& window) {
    std::erase_if(moving_, [&](const auto& m) { return m.first == &window; });
    std::erase_if(windows_, [&](const std::unique_ptr<MapWindow>& w) { return w.get() == &window; });
}

void MapsModule::OpenFromMenu(uint16_t id) {
    const MapDescriptor* d = list_.ForCommand(id);
    if (!d) {
        s_.ui.MessageBox("Program Error: mapData == nil (ReadMapFileIntoWindow)", "Velmora", Buttons::kOk);
        return;
    }
    Open(*d);
}

bool MapsModule::IsMapFile(const std::string& path) const {
    const size_t slash = path.find_last_of('/');
    if (HasTextMapName(path.substr(slash == std::string::npos ? 0 : slash + 1))) return true;
    const auto head = s_.platform.files.ReadWhole(path, 4);
    return head && IsBinaryMapMagic(*head);
}

void MapsModule::OpenPath(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const auto head = s_.platform.files.ReadWhole(path, kMapHeadBytes);
    auto d = head ? ReadMapHeader(*head, name) : std::nullopt;
    if (!d) {
        s_.ui.MessageBox("Could not read map file, (out of memory?)", "Velmora", Buttons::kOk);
        return;
    }
    d->entry = MapFolderEntry{name, path, false, -1};
    Open(*d);
}

// Into the map window in front, or with Shift held (or none in front) into
// a new one.
void MapsModule::Open(const MapDescriptor& source) {
    const MapDescriptor d = source;  // the list may not outlive a new window
    MapWindow* front = Front();
    if (front && !s_.ui.ShiftHeld()) {
        LoadInto(*front, d);
        return;
    }
    auto window = std::make_unique<MapWindow>(640, 480);
    MapWindow& w = *window;
    windows_.push_back(std::move(window));
    if (!front_ || !front_->ShowMapWindow(w)) {
        windows_.pop_back();
        s_.ui.MessageBox("Failed in Creating MDI Child Window!", "Velmora", Buttons::kOk);
        return;
    }
    LoadInto(w, d);
}

bool MapsModule::OpenNamed(std::string_view name) {
    const MapDescriptor* d = list_.Find(name);
    if (!d) return false;
    if (MapWindow* front = Front()) return LoadInto(*front, *d);
    OpenFromMenu(d->menuCommand);
    return true;
}

bool MapsModule::ViewAt(GeoPoint centre, int64_t spanUnits) {
    MapWindow* w = Front();
    if (!w) return false;
    // Looking closer at a place wants the most detailed map there.
    const MapDescriptor* shown = w->Map() ? &w->Map()->descriptor : nullptr;
    const MapDescriptor* best = list_.BestFor(centre.lon, centre.lat);
    if (best && (!shown || shown->entry.realPath != best->entry.realPath)) LoadInto(*w, *best);
    const MapView& v = w->View();
    const int64_t halfX = std::max<int64_t>(1, spanUnits / 2);
    const int64_t halfY = v.Width() > 0 ? halfX * v.Height() / v.Width() : halfX;
    auto clamp32 = [](int64_t x) { return static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)); };
    w->SetViewTo({clamp32(centre.lon - halfX), clamp32(centre.lon + halfX), clamp32(centre.lat - halfY),
                  clamp32(centre.lat + halfY)});
    w->SetReference(centre);
    return true;
}

MapScene MapsModule::Scene() {
    MapScene scene;
    if (boundaries_) scene.boundaries = &list_.Maps();
    StationScene stations;
    stations.stations = &s_.app.Stations();
    stations.own = {s_.prefs.OwnLonUnits(), s_.prefs.OwnLatUnits()};
    stations.now = s_.platform.clock.NowStamp();
    stations.symbols = &symbols_;
    // Each picture drawn moves the new stations' flashes a step on; while
    // any is left, the windows draw again.
    flashesDrawn_ = flashes_;
    stations.flashes = &flashesDrawn_;
    for (StationFlash& f : flashes_) ++f.step;
    std::erase_if(flashes_, [](const StationFlash& f) { return f.step >= kFlashSteps; });
    if (!flashes_.empty()) AllOverlaysChanged();
    stationLayer_ = std::make_unique<StationLayer>(stations);
    scene.layers.insert(scene.layers.begin(), &trackOverlay_);  // under the stations
    scene.layers.insert(scene.layers.begin(), {&gridLayer_, &userGridLayer_, &overlayLayer_});
    scene.layers.insert(scene.layers.begin(), extraLayers_.begin(), extraLayers_.end());  // areas under the grids
    scene.layers.push_back(stationLayer_.get());
    scene.layers.push_back(&placeMark_);
    std::vector<BearingSegment> lines;
    for (const DfSegment& d : s_.app.LastDfLine().drawn) lines.push_back({{d.lon, d.lat}, d.dx, d.dy, d.quality, d.type});
    bearings_.Set(std::move(lines));
    scene.layers.push_back(&bearings_);
    scene.symbols = &symbols_;
    return scene;
}

void MapsModule::AllOverlaysChanged() {
    for (auto& w : windows_) w->OverlayChanged();
}

MovingMapState& MapsModule::Moving(MapWindow& window) {
    for (auto& [w, state] : moving_)
        if (w == &window) return state;
    return moving_.emplace_back(&window, MovingMapState{}).second;
}

void MapsModule::HomeView(MapWindow& w) {
    if (!homeRead_) {
        homeRead_ = true;
        std::vector<std::string> lines;
        s_.platform.files.ReadLines("Home.txt", [&](std::string_view l) {
            if (lines.size() < 100) lines.emplace_back(l);
        });
        home_ = HomeViewFrom(lines);
    }
    if (home_) w.ShowArea(*home_);
    else w.FullView();
}

bool MapsModule::Key(MapWindow& w, int code, bool control, bool) {
    if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
    switch (code) {
        case 'H': case 8: case 16:
            if (control) HomeView(w);
            else w.FullView();
            break;
        case '+': case 18:
            if (!w.View().ZoomIn(2, w.Reference())) s_.platform.notices.Beep();
            break;
        case '-': case 17: w.View().ZoomOut(2, w.Reference()); break;
        case kKeyArrowUp: w.View().Pan(0, -2); break;
        case kKeyArrowDown: w.View().Pan(0, 2); break;
        case kKeyArrowLeft: w.View().Pan(-2, 0); break;
        case kKeyArrowRight: w.View().Pan(2, 0); break;
        case '=': w.View().SetLabelScaleFactor(0); break;
        case '[': w.View().SetLabelScaleFactor(w.View().LabelScaleFactor() + 1); break;
        case ']': w.View().SetLabelScaleFactor(w.View().LabelScaleFactor() - 1); break;
        case ' ': MovingMapCheck(w, true); break;
        case 'B': boundaries_ = !boundaries_; for (auto& each : windows_) each->Changed(); break;
        default:
            if (GridKey(w, code)) {
                s_.ui.RefreshCheckMarks();
                return true;
            }
            if (!StationKey(w, code, control, false)) return false;
            s_.ui.RefreshCheckMarks();
            return true;
    }
    w.Changed();
    s_.ui.RefreshCheckMarks();
    return true;
}

bool MapsModule::ToggleOption(uint16_t id) {
    MapWindow* w = Front();
    if (id == kCmdMetricUnits) {
        const bool metric = units_ != DistanceUnits::kMetric;
        (void)s_.prefs.SetNumber(pref::kMetricUnits, metric ? 1 : 0);
        if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
        SetUnits(metric ? DistanceUnits::kMetric : DistanceUnits::kStatute);
        return true;
    }
    if (id == kCmdKeepBearingLines) {
        DfLine& df = s_.app.DfLines();
        df.keepAll = !df.keepAll;
        return true;
    }
    if (id == kCmdDisplayOptions || id == kCmdUnits) {
        EditDisplayOptions(id == kCmdUnits);
        return true;
    }
    if (id < 8100 || id > kLastDisplayCommand) return false;  // not a display option: another module's command
    if (!w) {
        s_.platform.notices.Beep();  // the display options belong to a map window
        return true;
    }
    if (StationOption(id, *w) || GridCommand(id, *w)) return true;
    MapDisplayOptions& o = w->Options();
    switch (id) {
        case kCmdShowCallSigns: o.callSigns = !o.callSigns; break;
        case kCmdShowIcons: o.icons = !o.icons; break;
        case kCmdShowMapLabels: o.labels = !o.labels; break;
        case kCmdShowMapSymbols: o.symbols = !o.symbols; break;
        case kCmdFilledPolygons: o.filledPolygons = !o.filledPolygons; break;
        case kCmdCourseAndSpeed: o.courseAndSpeed = !o.courseAndSpeed; break;
        case kCmdDeadReckoning: o.deadReckoning = !o.deadReckoning; break;
        case kCmdMovingMaps: {
            MovingMapState& m = Moving(*w);
            m.on = !m.on;
            if (m.on) MovingMapCheck(*w, true);
            break;
        }
        default: return false;
    }
    w->Changed();
    return true;
}

bool MapsModule::Command(uint16_t id) {
    if (id == kCmdNewMapSquare || id == kCmdNewMapPolar) {
        if (!(id == kCmdNewMapPolar ? NewPolarWindow() : NewMapWindow()))
            s_.ui.MessageBox("Failed in Creating MDI Child Window!", "Velmora", Buttons::kOk);
        return true;
    }
    if (id == kCmdMapBoundaries) {
        boundaries_ = !boundaries_;
        for (auto& each : windows_) each->Changed();
        return true;
    }
    if (id == kCmdMapListWindow) {
        mapListModel_.Invalidate();
        if (lists_) lists_->ShowList(mapListModel_);
        return true;
    }
    if (id >= kFirstMapCommand && id <= list_.LastCommand()) {
        OpenFromMenu(id);
        return true;
    }
    if (id == kCmdSaveMapImage) {
        SaveImage();
        return true;
    }
    if (id == kCmdDisplayOverlay || id == kCmdOverlayList) return OverlayCommand(id);
    MapWindow* w = Front();
    switch (id) {
        case kCmdHomeView: if (w) HomeView(*w); break;
        case kCmdFullMapView: if (w) w->FullView(); break;
        case kCmdZoomIn: if (w) Key(*w, '+', false, false); break;
        case kCmdZoomOut: if (w) Key(*w, '-', false, false); break;
        default: return ToggleOption(id);
    }
    if (w) w->Changed();
    return true;
}

bool MapsModule::IsChecked(uint16_t id) const {
    if (id == kCmdMapBoundaries) return boundaries_;
    if (id == kCmdMetricUnits) return units_ == DistanceUnits::kMetric;
    if (id == kCmdKeepBearingLines) return s_.app.LastDfLine().keepAll;
    const MapWindow* w = Front();
    if (!w) return false;
    const MapDisplayOptions& o = w->Options();
    switch (id) {
        case kCmdShowCallSigns: return o.callSigns;
        case kCmdShowIcons: return o.icons;
        case kCmdShowMapLabels: return o.labels;
        case kCmdShowMapSymbols: return o.symbols;
        case kCmdFilledPolygons: return o.filledPolygons;
        case kCmdCourseAndSpeed: return o.courseAndSpeed;
        case kCmdDeadReckoning: return o.deadReckoning;
        case kCmdAllStations: return o.filter == StationFilter::kAll;
        case kCmdDirectStations: return o.filter == StationFilter::kDirect;
        case kCmdFlaggedStations: return o.filter == StationFilter::kFlagged;
        case kCmdTrackedStations: return o.filter == StationFilter::kTracked;
        case kCmdWeatherStations: return o.filter == StationFilter::kWeather;
        case kCmdCoverageCircles: return o.coverage;
        case kCmdRangeCircles: return o.ranges;
        case kCmdStationAge: return o.age;
        case kCmdReplayTrack: return w->Selection().track;
        case kCmdTracePath: return w->Selection().trace;
        case kCmdMovingMaps:
            for (const auto& [mw, state] : moving_)
                if (mw == w) return state.on;
            return false;
        default: return GridChecked(id, *w).value_or(false);
    }
}

void MapsModule::SaveImage() {
    MapWindow* w = Front();
    if (!w && !windows_.empty()) w = windows_.back().get();
    if (!w || !front_) {
        s_.platform.notices.Beep();
        return;
    }
    const std::string path = front_->ChooseImageFile();
    if (path.empty()) return;
    if (!front_->SaveMapImage(*w, path)) s_.ui.MessageBox("Could not save the map image " + path, "Velmora", Buttons::kOk);
}

}  // namespace velmora
