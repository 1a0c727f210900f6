#include "maps/MapList.h"

#include <cctype>

#include "maps/MapFiles.h"
#include "maps/MapLoader.h"

namespace velmora {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Every entry of the folder, then of each sub-folder found (at any depth),
// appended to one list that remembers each entry's folder.
std::vector<MapFolderEntry> ScanEntries(const FileAccess& files, const std::string& top,
                                        const std::vector<FolderItem>& first) {
    std::vector<MapFolderEntry> entries;
    auto append = [&](const std::string& folder, const std::vector<FolderItem>& items, int parent) {
        for (const FolderItem& item : items) entries.push_back({item.name, folder + "/" + item.name, item.isFolder, parent});
    };
    append(top, first, -1);
    for (size_t i = 0; i < entries.size() && entries.size() < 100000; ++i) {
        if (!entries[i].isFolder) continue;
        const std::string folder = entries[i].realPath;  // the list grows under it
        if (const auto items = files.ListFolder(folder)) append(folder, *items, int(i));
    }
    return entries;
}

}  // namespace

std::optional<int> MapList::Scan(const FileAccess& files, const std::string& mapsFolder) {
    maps_.clear();
    menu_.clear();
    lastCommand_ = 0;
    const auto items = files.ListFolder(mapsFolder);
    if (!items) return std::nullopt;
    const std::vector<MapFolderEntry> entries = ScanEntries(files, mapsFolder, *items);
    maps_.reserve(entries.size() + 10);
    BuildMenu(entries, files);
    return static_cast<int>(entries.size());
}

void MapList::BuildMenu(const std::vector<MapFolderEntry>& entries, const FileAccess& files) {
    std::vector<int> submenuOf(entries.size(), -1);  // entry index to its menu node
    uint16_t next = kFirstMapCommand;
    int appended = 0;  // one count for all the map menus
    auto append = [&](MapMenuNode node) {
        if (++appended > kMapMenuColumn) {
            node.newColumn = true;
            appended = 0;
        }
        node.id = next++;
        lastCommand_ = node.id;
        menu_.push_back(std::move(node));
        return static_cast<int>(menu_.size()) - 1;
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        const MapFolderEntry& e = entries[i];
        const int parentMenu = e.parent >= 0 ? submenuOf[size_t(e.parent)] : -1;
        if (e.isFolder) {
            submenuOf[i] = append({parentMenu, e.name, 0, true, false});
            continue;
        }
        const auto head = files.ReadWhole(e.realPath, kMapHeadBytes);
        if (!head) continue;
        auto d = ReadMapHeader(*head, e.name);
        if (!d) continue;
        d->entry = e;
        append({parentMenu, d->title.empty() ? e.name : d->title, 0, false, false});
        d->menuCommand = lastCommand_;
        maps_.push_back(std::move(*d));
    }
}

const MapDescriptor* MapList::ForCommand(uint16_t id) const {
    for (const MapDescriptor& d : maps_)
        if (d.menuCommand == id) return &d;
    return nullptr;
}

const MapDescriptor* MapList::Find(std::string_view name) const {
    const std::string want = Lower(name);
    for (const MapDescriptor& d : maps_)
        if (Lower(d.title) == want || Lower(d.entry.name) == want) return &d;
    return nullptr;
}

const MapDescriptor* MapList::BestFor(int32_t lon, int32_t lat) const {
    const MapDescriptor* best = nullptr;
    for (const MapDescriptor& d : maps_) {
        if (!d.valid || !(lon > d.west && lon < d.east && lat > d.north && lat < d.south)) continue;
        if (!best || (d.Height() < best->Height() && d.Width() < best->Width())) best = &d;
    }
    return best;
}

const MapDescriptor* MapList::Widest() const {
    const MapDescriptor* widest = nullptr;
    for (const MapDescriptor& d : maps_)
        if (d.valid && (!widest || double(d.Width()) * double(d.Height()) > double(widest->Width()) * double(widest->Height())))
            widest = &d;
    return widest;
}

}  // namespace velmora
