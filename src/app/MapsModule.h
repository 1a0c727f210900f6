#pragma once
// The maps: the map folder and the Maps menu, the map windows (each a
// MapWindow the front end shows), the Display menu's view commands and
// options, the map-window keys, map boundaries, moving maps and saving a
// map as an image.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MenuTable.h"
#include "app/Module.h"
#include "lists/MapListModel.h"
#include "maps/MapList.h"
#include "maps/MapLoader.h"
#include "maps/MapWindow.h"
#include "lists/OverlayListModel.h"
#include "maps/GridOverlay.h"
#include "maps/OverlayFile.h"
#include "maps/PlaceMark.h"
#include "maps/BearingLines.h"
#include "maps/TrackOverlay.h"
#include "maps/UserGrid.h"
#include "maps/MovingMap.h"
#include "maps/StationLayer.h"
#include "maps/SymbolArt.h"

namespace velmora {

class ListWindows;

// Where a front end shows map windows.
class MapWindows {
public:
    virtual ~MapWindows() = default;
    // A new window for this map window; false when none could be made.
    virtual bool ShowMapWindow(MapWindow& window) = 0;
    // The map window in front; null when none is, or another kind is.
    virtual MapWindow* FrontMapWindow() = 0;
    // The window's title or picture changed.
    virtual void MapWindowChanged(MapWindow& window) = 0;
    // The map items and sub-menus of the Maps menu, after its fixed items.
    virtual void SetMapsMenu(const std::vector<MapMenuNode>& nodes) = 0;
    // Where to save a map image; empty when the operator cancelled.
    virtual std::string ChooseImageFile() = 0;
    [[nodiscard]] virtual bool SaveMapImage(MapWindow& window, const std::string& path) = 0;
    // The module and its windows are going away: close every map window
    // without telling the module.
    virtual void MapsGone() {}
    // The information window of a station (Enter or a double-click).
    virtual void ShowStationInfo(const std::string& call) = 0;
};

// Display menu.
constexpr uint16_t kCmdHomeView = 8101;
constexpr uint16_t kCmdFullMapView = 8102;
constexpr uint16_t kCmdZoomIn = 8103;
constexpr uint16_t kCmdZoomOut = 8104;
constexpr uint16_t kCmdShowCallSigns = 8105;
constexpr uint16_t kCmdShowIcons = 8106;
constexpr uint16_t kCmdShowMapLabels = 8107;
constexpr uint16_t kCmdShowMapSymbols = 8108;
constexpr uint16_t kCmdFilledPolygons = 8109;
constexpr uint16_t kCmdCourseAndSpeed = 8110;
constexpr uint16_t kCmdDeadReckoning = 8111;
constexpr uint16_t kCmdMovingMaps = 8112;
constexpr uint16_t kCmdMetricUnits = 8113;
constexpr uint16_t kCmdAllStations = 8114;
constexpr uint16_t kCmdDirectStations = 8115;
constexpr uint16_t kCmdFlaggedStations = 8116;
constexpr uint16_t kCmdTrackedStations = 8117;
constexpr uint16_t kCmdWeatherStations = 8118;
constexpr uint16_t kCmdCoverageCircles = 8119;
constexpr uint16_t kCmdRangeCircles = 8120;
constexpr uint16_t kCmdStationAge = 8121;
constexpr uint16_t kCmdReplayTrack = 8122;
constexpr uint16_t kCmdTracePath = 8123;
constexpr uint16_t kCmdDisplayOptions = 8124;
constexpr uint16_t kCmdUnits = 8125;
constexpr uint16_t kCmdGrid2 = 8126;
constexpr uint16_t kCmdGrid4 = 8127;
constexpr uint16_t kCmdGrid6 = 8128;
constexpr uint16_t kCmdGridAuto = 8129;
constexpr uint16_t kCmdUtmZones = 8130;
constexpr uint16_t kCmdCapGrid = 8131;
constexpr uint16_t kCmdUserGrid = 8132;
constexpr uint16_t kCmdKeepBearingLines = 8133;
constexpr uint16_t kLastDisplayCommand = 8133;  // 8134 on: other modules' Display commands
// Overlays.
constexpr uint16_t kCmdDisplayOverlay = 11001;
// Windows menu.
constexpr uint16_t kCmdNewMapPolar = 8310;
constexpr uint16_t kCmdOverlayList = 11002;
// File menu.
constexpr uint16_t kCmdSaveMapImage = kCmdSaveMapImageItem;

// The keys of a map window as codes: letters upper-cased, the arrows as
// 19-22 (up, down, left, right).
// The replay timer's identifier (the program's timer table has it too).
constexpr int kTimerTrackReplayId = 51;
constexpr int kKeyArrowUp = 19, kKeyArrowDown = 20, kKeyArrowLeft = 21, kKeyArrowRight = 22;

// What the map's right-click menu offers.
enum class MapAction : uint8_t {
    kInfo, kMessage, kCentre, kFollow, kTrack, kTrace, kFlag, kMoveObject, kEditObject, kKillObject,
    kCentreHere, kCreateObjectHere, kSetPositionHere,
};
struct MapMenuItem {
    MapAction action;
    std::string label;
};

class MapsModule final : public Module, private StationEvents {
public:
    MapsModule(ModuleServices services, MapWindows* windows, ListWindows* lists);
    ~MapsModule() override;

    void Startup() override;
    void Started() override;
    bool Command(uint16_t id) override;
    bool IsChecked(uint16_t id) const override;
    StationEvents* StationListener() override { return this; }
    // Once a second: the moving maps.
    void EachSecond();

    // A new map window on the best map for the own position (or the widest
    // map); false when the front end could not make one.
    bool NewMapWindow();
    // A map window from a saved desktop: the listed map with this file name
    // (the last that matches), or an empty window when none does; the saved
    // view; following a station when it was. False when the front end could
    // not make a window.
    bool RestoreMapWindow(const std::string& mapFile, const GeoRect& view, bool moving, const std::string& followed);
    // What a saved desktop keeps of a map window: its map's file name (empty
    // for none), the view asked for, and the station it follows.
    struct Kept {
        std::string mapFile;
        GeoRect view;
        bool moving = false;
        std::string followed;
        bool polar = false;  // then the centre and zoom are what counts
        GeoPoint centre;
        int32_t zoom = 1;
    };
    Kept Keep(const MapWindow& window) const;
    // A polar window about the own position (the GPS's when it has one) on
    // the widest map: the whole globe at the first zoom.
    bool NewPolarWindow();
    bool RestorePolarWindow(const std::string& mapFile, GeoPoint centre, int32_t zoom);
    // A key in a map window; true when taken.
    bool Key(MapWindow& window, int code, bool control, bool shift);
    // The front end closed this window.
    void Closed(MapWindow& window);
    // A click in a map: the reference point, and the station under it
    // selected (the next one on each click where several overlap).
    void Click(MapWindow& window, Point pixel);
    // The right-click menu at a pixel: for the station there (selected
    // first), or for the empty place; and what its items do.
    std::vector<MapMenuItem> MenuAt(MapWindow& window, Point pixel);
    void MenuAction(MapWindow& window, Point pixel, MapAction action);
    // The same for a station by call on the front map window (the
    // information window's buttons); false when there is none to act on.
    bool ActOnStation(const std::string& call, MapAction action);
    // What the menu reaches in other modules, once wired by the program.
    std::function<void(const std::string&)> composeMessage = [](const std::string&) {};
    std::function<bool(const std::string&)> isOwnObject = [](const std::string&) { return false; };
    std::function<void(const std::string&, GeoPoint)> editObject = [](const std::string&, GeoPoint) {};
    std::function<void(const std::string&, GeoPoint)> moveObject = [](const std::string&, GeoPoint) {};
    std::function<void(const std::string&)> killObject = [](const std::string&) {};
    std::function<void(GeoPoint)> setOwnPosition = [](GeoPoint) {};
    // The station under the mouse as "CALL  meaning"; empty for none.
    std::string StationUnder(const MapWindow& window, Point pixel) const;
    // A station chosen elsewhere (a list's row): selected on the front map
    // window, which is centred on it.
    void ShowStation(std::string_view call);
    // The information text of a station by call; empty when unknown.
    std::string InfoText(std::string_view call) const;
    // The selected station's call in a window; empty for none.
    std::string SelectedCall(const MapWindow& window) const;
    // Loads a listed map into a window; false (and the window unchanged)
    // when it cannot be read.
    bool LoadInto(MapWindow& window, const MapDescriptor& d);
    // Opens a map by title or file name: into the front map window, or a
    // new one when none is in front.
    bool OpenNamed(std::string_view name);
    // File > Open of a map file anywhere, by its real path.
    void OpenPath(const std::string& path);
    // File > Open of a ".POS" overlay: replaces the loaded one and shows it
    // on the front map window.
    bool IsOverlayFile(const std::string& path) const;
    void LoadOverlay(const std::string& path);
    const OverlayLayer& Overlay() const { return overlayLayer_; }
    ListModel& OverlayList() { return overlayListModel_; }
    const UserGridLayer& UserGridPoints() const { return userGridLayer_; }
    // Whether File > Open should take this file as a map (a ".MAP" name or
    // a binary map's magic).
    bool IsMapFile(const std::string& path) const;

    // The front map window centred on a position, spanning this many
    // position units of longitude across, on the best map for the position.
    // False without a window.
    bool ViewAt(GeoPoint centre, int64_t spanUnits);
    // A list row's area: the front map window centred on the middle of its
    // box, its span kept (a beep for an empty box); false without a window.
    bool CentreOnArea(const GeoRect& area);

    // One step of a track replay: the next point in the strip, the track
    // drawn up to it; the replay timer brings the next (Control held waits).
    void ReplayStep();

    const MapList& List() const { return list_; }
    MapScene Scene();
    const std::vector<std::unique_ptr<MapWindow>>& Windows() const { return windows_; }
    MovingMapState& Moving(MapWindow& window);
    ListModel& MapListWindow() { return mapListModel_; }
    // The settings dialogs (Display Options, Units), once the program has them.
    void SetDialogs(class SettingsDialogs* dialogs) { dialogs_ = dialogs; }
    // Told when Display > Metric Units changes.
    std::function<void(bool metric)> unitsChanged = [](bool) {};
    // A GPS's downloaded track, drawn over every map window.
    void SetTrackOverlay(std::vector<MapPoint> points) {
        trackOverlay_.SetPoints(std::move(points));
        AllOverlaysChanged();
    }
    const TrackOverlay& Track() const { return trackOverlay_; }
    // The map window in front; null for none.
    MapWindow* Front() const;
    // A layer another module keeps, drawn over every map under the stations.
    void AddLayer(MapLayer* layer) { extraLayers_.push_back(layer); }
    // Every map window draws its layers again.
    void Redraw() { AllOverlaysChanged(); }
    // A place found by a look-up, marked on every map where it is in view.
    void MarkPlace(GeoPoint at, std::string text) {
        placeMark_.Mark(at, std::move(text));
        AllOverlaysChanged();
    }
    const PlaceMarkLayer& PlaceMark() const { return placeMark_; }

private:
    MapWindow* AddWindow();
    void OpenFromMenu(uint16_t id);
    void Open(const MapDescriptor& d);
    void HomeView(MapWindow& w);
    bool ToggleOption(uint16_t id);
    // MapGrids.cpp.
    bool GridCommand(uint16_t id, MapWindow& w);
    std::optional<bool> GridChecked(uint16_t id, const MapWindow& w) const;
    bool GridKey(MapWindow& w, int code);
    bool LoadUserGrid();
    bool DisplayOverlay(MapWindow& w);
    bool OverlayCommand(uint16_t id);
    GridLayer gridLayer_;
    std::vector<MapLayer*> extraLayers_;
    PlaceMarkLayer placeMark_;
    BearingLayer bearings_;
    OverlayLayer overlayLayer_;
    UserGridLayer userGridLayer_;
    OverlayListModel overlayListModel_{overlayLayer_};
    int16_t overlayNumber_ = 0;
    // MapDisplaySettings.cpp.
    void EditDisplayOptions(bool unitsOnly);
    void SetUnits(DistanceUnits units);
    class SettingsDialogs* dialogs_ = nullptr;
    void MovingMapCheck(MapWindow& w, bool forced);
    GeoPoint FollowedPosition(const MovingMapState& m) const;
    std::string PanelFor(const MovingMapState& m) const;
    void SaveImage();
    bool StationKey(MapWindow& w, int code, bool control, bool shift);
    bool StationOption(uint16_t id, MapWindow& w);
    void AllOverlaysChanged();
    // The station events: stations redraw over the kept map picture.
    void InvalidateList(FourCC, FourCC) override {}
    void RedrawStation(int32_t) override { AllOverlaysChanged(); }
    void NewStationLogLine(std::string_view line) override;
    void CentreMapOn(int32_t index) override;
    void HistoryGrew(int32_t, std::string_view) override {}
    void HistoryRebuilt() override {}
    void StationsRenumbered(const std::vector<int32_t>& remap) override;
    void Tell(const MapNotices& notices);

    ModuleServices s_;
    MapWindows* front_;
    ListWindows* lists_;
    MapList list_;
    MapLoader loader_;
    MapListModel mapListModel_;
    SymbolArt symbols_;
    std::unique_ptr<StationLayer> stationLayer_;
    TrackOverlay trackOverlay_;
    std::vector<StationFlash> flashes_, flashesDrawn_;
    struct Replay {
        MapWindow* window = nullptr;
        std::string call;
        size_t point = 0;
    } replay_;
    std::vector<std::unique_ptr<MapWindow>> windows_;
    std::vector<std::pair<const MapWindow*, MovingMapState>> moving_;
    bool boundaries_ = false;
    bool homeRead_ = false;
    std::optional<GeoRect> home_;
    DistanceUnits units_ = DistanceUnits::kStatute;
};

}  // namespace velmora
