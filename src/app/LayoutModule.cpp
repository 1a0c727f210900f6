#include "app/LayoutModule.h"

#include <cctype>

#include "app/ListsModule.h"
#include "app/MapsModule.h"

namespace velmora {

LayoutModule::LayoutModule(ModuleServices services, WindowLayout* layout, MapsModule& maps, ListsModule& lists,
                           ListWindows* listWindows)
    : s_(services), layout_(layout), maps_(maps), lists_(lists), listWindows_(listWindows) {}

void LayoutModule::Startup() { (void)locations_.Load(s_.platform.files); }

void LayoutModule::Started() {
    if (!layout_) return;  // no windows to bring back
    const std::string path = s_.platform.files.RealPath(WindowConfig::kDefaultName);
    if (s_.platform.files.Exists(WindowConfig::kDefaultName)) LoadConfig(path);
}

void LayoutModule::Shutdown() {
    (void)locations_.Save(s_.platform.files);
    // The desktop as it was left comes back next time.
    if (layout_ && !layout_->OpenWindows().empty())
        (void)SaveConfig(s_.platform.files.RealPath(WindowConfig::kDefaultName));
}

bool LayoutModule::Command(uint16_t id) {
    switch (id) {
        case kCmdSaveWindowConfig: {
            const std::string path = s_.platform.files.RealPath(WindowConfig::kDefaultName);
            if (SaveConfig(path)) s_.platform.notices.StatusText(std::string("Window configuration saved in ") + WindowConfig::kDefaultName);
            else s_.ui.MessageBox("Could not write " + path, "Velmora", Buttons::kOk);
            return true;
        }
        case kCmdOpenWindowConfig: {
            const std::string path = s_.ui.ChooseFile("Open Window Config");
            if (!path.empty()) LoadConfig(path);
            return true;
        }
        default: return false;
    }
}

bool LayoutModule::IsConfigFile(const std::string& path) const {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail == ".CFG";
}

std::vector<WindowRecord> LayoutModule::Records() const {
    std::vector<WindowRecord> records;
    if (!layout_) return records;
    for (const WindowLayout::Open& o : layout_->OpenWindows()) {
        WindowRecord r;
        r.windowClass = o.windowClass;
        r.list = o.list;
        // Two lists here are windows of their own kinds in the file.
        if (o.windowClass == kClassList && o.list == MakeFourCC("WXMN")) r.windowClass = kClassWeather, r.list = 0;
        if (o.windowClass == kClassList && o.list == MakeFourCC("GPSH")) r.windowClass = kClassGraph, r.list = MakeFourCC("NMEA");
        r.rect = o.rect;
        if (o.map) {
            const MapsModule::Kept k = maps_.Keep(*o.map);
            r.mapKind = k.polar ? kMapWindowPolar : k.mapFile.empty() ? 2 : kMapWindowWithMap;
            r.mapFile = k.mapFile;
            r.viewLeft = k.view.west, r.viewRight = k.view.east, r.viewTop = k.view.north, r.viewBottom = k.view.south;
            if (k.polar) r.viewLeft = k.centre.lon, r.viewTop = k.centre.lat, r.viewRight = k.zoom, r.viewBottom = 0;
            r.movingMap = r.drawFollowed = k.moving;
            r.followedCall = k.followed;
        }
        records.push_back(std::move(r));
    }
    // Saved front last, so that restoring in order leaves it in front again.
    return {records.rbegin(), records.rend()};
}

bool LayoutModule::SaveConfig(const std::string& path) {
    return s_.platform.files.WriteWhole(path, WindowConfigBytes(Records()));
}

void LayoutModule::LoadConfig(const std::string& path) {
    const std::optional<std::string> bytes = s_.platform.files.ReadWhole(path, 4u << 20);
    const WindowConfig c = ParseWindowConfig(bytes.value_or(std::string()));
    const size_t slash = path.find_last_of('/');
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    if (c.status == WindowConfig::Status::kInvalid) {
        s_.ui.MessageBox("Invalid Config file " + name, "Velmora", Buttons::kOk);
        return;
    }
    if (c.status == WindowConfig::Status::kIncompatible) {
        s_.ui.MessageBox("Sorry, this config file is not compataible\nPlease re-save it", "Velmora", Buttons::kOk);
        return;
    }
    if (c.records.empty() || !layout_) return;
    layout_->PrepareForWindows(c.records.size());
    for (const WindowRecord& r : c.records)
        if (Restore(r) && !r.rect.Empty()) layout_->PlaceNewestWindow(r.rect);
}

bool LayoutModule::Restore(const WindowRecord& r) {
    switch (RestoredKind(r)) {
        case RestoredWindow::kNone: return false;
        case RestoredWindow::kEmptyMap:
        case RestoredWindow::kImageMap:  // image maps are not built: an empty map window keeps the place
            return maps_.RestoreMapWindow({}, {}, false, {});
        case RestoredWindow::kPolarMap:
            return maps_.RestorePolarWindow(r.mapFile, {r.viewLeft, r.viewTop}, r.viewRight);
        case RestoredWindow::kMap:
            return maps_.RestoreMapWindow(r.mapFile, {r.viewLeft, r.viewRight, r.viewTop, r.viewBottom},
                                          r.movingMap || r.drawFollowed, r.followedCall);
        case RestoredWindow::kList: {
            ListModel* m = lists_.Find(FourCCText(r.list));
            // The Map List belongs to the maps, not to the lists module.
            if (!m && r.list == maps_.MapListWindow().Code()) m = &maps_.MapListWindow();
            if (m && listWindows_) {
                listWindows_->ShowList(*m);
                return true;
            }
            break;
        }
        case RestoredWindow::kWeatherChart: showWeatherChart(); return true;
        case RestoredWindow::kGpsDisplay: showGpsDisplay(); return true;
        case RestoredWindow::kWeatherDisplay: showWeatherDisplay(); return true;
        case RestoredWindow::kUnknown: break;
    }
    s_.ui.MessageBox("Config not finished for this window type", "Velmora", Buttons::kOk);
    return false;
}

}  // namespace velmora
