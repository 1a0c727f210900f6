#pragma once
// The map folder: every map file in "Maps" and its sub-folders, each with
// its header read, and the Maps menu built from them (a sub-menu per
// folder, an item per map, command identifiers from 21004 up).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/MapRecords.h"
#include "platform/Files.h"

namespace velmora {

constexpr uint16_t kCmdMapBoundaries = 21001;
constexpr uint16_t kCmdMapListWindow = 21002;
constexpr uint16_t kFirstMapCommand = 21004;
constexpr int kMapMenuColumn = 25;

// One item of the map menus; parent is the index of the sub-menu it is in,
// -1 for the Maps menu itself.
struct MapMenuNode {
    int parent = -1;
    std::string text;
    uint16_t id = 0;
    bool submenu = false;
    bool newColumn = false;  // starts a new column of its menu
};

class MapList {
public:
    // Scans the folder (a real path); the number of folder entries found,
    // nothing when the folder is missing.
    std::optional<int> Scan(const FileAccess& files, const std::string& mapsFolder);

    const std::vector<MapDescriptor>& Maps() const { return maps_; }
    const std::vector<MapMenuNode>& Menu() const { return menu_; }
    uint16_t LastCommand() const { return lastCommand_; }

    const MapDescriptor* ForCommand(uint16_t id) const;
    // By title or file name, without regard to case.
    const MapDescriptor* Find(std::string_view name) const;
    // The smallest listed map whose bounds strictly contain the position.
    const MapDescriptor* BestFor(int32_t lon, int32_t lat) const;
    // The map covering the most: the world, when the folder has one.
    const MapDescriptor* Widest() const;

private:
    void BuildMenu(const std::vector<MapFolderEntry>& entries, const FileAccess& files);

    std::vector<MapDescriptor> maps_;
    std::vector<MapMenuNode> menu_;
    uint16_t lastCommand_ = 0;
};

}  // namespace velmora
