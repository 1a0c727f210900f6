// The grids and overlays of the map windows: Maidenhead squares, UTM
// zones, the CAP grid, the user grid and ".POS" overlay files, by menu and
// by key.
#include "app/ListsModule.h"
#include "app/MapsModule.h"
#include <cctype>

namespace velmora {
namespace {

bool EndsWithNoCase(std::string_view s, std::string_view tail) {
    if (s.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

}  // namespace

bool MapsModule::GridCommand(uint16_t id, MapWindow& w) {
    MapDisplayOptions& o = w.Options();
    const auto level = [&o](int l) { o.grid = o.grid == l ? 0 : l; };
    switch (id) {
        case kCmdGrid2: level(2); break;
        case kCmdGrid4: level(4); break;
        case kCmdGrid6: level(6); break;
        case kCmdGridAuto: level(-1); break;
        case kCmdUtmZones: o.utmZones = !o.utmZones; break;
        case kCmdCapGrid: o.capGrid = !o.capGrid; break;
        case kCmdUserGrid:
            if (!o.userGrid && !LoadUserGrid()) return true;
            o.userGrid = !o.userGrid;
            break;
        default: return false;
    }
    w.OverlayChanged();
    s_.ui.RefreshCheckMarks();
    return true;
}

std::optional<bool> MapsModule::GridChecked(uint16_t id, const MapWindow& w) const {
    const MapDisplayOptions& o = w.Options();
    switch (id) {
        case kCmdGrid2: return o.grid == 2;
        case kCmdGrid4: return o.grid == 4;
        case kCmdGrid6: return o.grid == 6;
        case kCmdGridAuto: return o.grid == -1;
        case kCmdUtmZones: return o.utmZones;
        case kCmdCapGrid: return o.capGrid;
        case kCmdUserGrid: return o.userGrid;
        case kCmdDisplayOverlay: return o.overlay;
        default: return std::nullopt;
    }
}

// G: the squares at the level the view calls for, on and off; E: the next
// level (2, 4, 6, then by the view again); U: UTM zones; C: the CAP grid;
// O: the overlay.
bool MapsModule::GridKey(MapWindow& w, int code) {
    MapDisplayOptions& o = w.Options();
    switch (code) {
        case 'G': o.grid = o.grid == 0 ? -1 : 0; break;
        case 'E': o.grid = o.grid == 2 ? 4 : o.grid == 4 ? 6 : o.grid == 6 ? -1 : 2; break;
        case 'U': o.utmZones = !o.utmZones; break;
        case 'C': o.capGrid = !o.capGrid; break;
        case 'O': return DisplayOverlay(w);
        default: return false;
    }
    w.OverlayChanged();
    return true;
}

bool MapsModule::LoadUserGrid() {
    const std::string path = s_.platform.files.RealPath(UserGrid::kFileName);
    if (!s_.platform.files.Exists(UserGrid::kFileName)) {
        s_.ui.MessageBox("Invalid User Grid file", "Velmora", Buttons::kOk);
        return false;
    }
    const auto bytes = s_.platform.files.ReadWhole(path, UserGrid::kFileBytes);
    if (!bytes) {
        s_.ui.MessageBox("File read error (ReadUserGridFromFile)", "Velmora", Buttons::kOk);
        return false;
    }
    UserGrid grid;
    switch (ParseUserGrid(*bytes, grid)) {
        case UserGridStatus::kInvalid: s_.ui.MessageBox("Invalid User Grid file", "Velmora", Buttons::kOk); return false;
        case UserGridStatus::kEmptyArea: return false;  // an area of nothing: ignored
        case UserGridStatus::kLoaded: break;
    }
    userGridLayer_.Set(std::move(grid));
    return true;
}

bool MapsModule::IsOverlayFile(const std::string& path) const { return EndsWithNoCase(path, ".pos"); }

void MapsModule::LoadOverlay(const std::string& path) {
    if (lists_) lists_->CloseList(overlayListModel_);
    overlayLayer_.Set({});
    // Each file opened gets the next number, as the entries carry it.
    const auto text = s_.platform.files.ReadWhole(path, 4 << 20);
    std::vector<OverlayEntry> entries;
    if (text) entries = ParseOverlay(*text, ++overlayNumber_);
    overlayListModel_.Invalidate();
    if (entries.empty()) {
        s_.platform.notices.StatusText("No positions in " + path);
        return;
    }
    overlayLayer_.Set(std::move(entries));
    s_.platform.notices.StatusText(std::to_string(overlayLayer_.Entries().size()) + " overlay positions from " + path);
    if (MapWindow* w = Front()) {
        w->Options().overlay = true;
        w->OverlayChanged();
    }
    AllOverlaysChanged();
    s_.ui.RefreshCheckMarks();
}

bool MapsModule::DisplayOverlay(MapWindow& w) {
    if (!overlayLayer_.Loaded()) {
        s_.ui.MessageBox("Overlay data is currently not loaded\nUse FILE - OPEN to open a *.POS file", "Velmora",
                         Buttons::kOk);
        return true;
    }
    w.Options().overlay = !w.Options().overlay;
    w.OverlayChanged();
    return true;
}

bool MapsModule::OverlayCommand(uint16_t id) {
    if (id == kCmdOverlayList) {
        overlayListModel_.Invalidate();
        if (lists_) lists_->ShowList(overlayListModel_);
        return true;
    }
    MapWindow* w = Front();
    if (!w) {
        s_.platform.notices.Beep();
        return true;
    }
    DisplayOverlay(*w);
    s_.ui.RefreshCheckMarks();
    return true;
}

bool MapsModule::CentreOnArea(const GeoRect& area) {
    if (area.east <= area.west || area.south <= area.north) {
        s_.platform.notices.Beep();
        return false;
    }
    MapWindow* w = Front();
    if (!w) return false;
    w->View().CentreOn({static_cast<int32_t>((int64_t(area.west) + area.east) / 2),
                        static_cast<int32_t>((int64_t(area.north) + area.south) / 2)});
    w->Changed();
    return true;
}

}  // namespace velmora
