#include "app/MenuTable.h"

#include <array>

#include "app/Logs.h"

namespace velmora {
namespace {

constexpr MenuItem kFile[] = {
    {kCmdOpen, "Open...", false},
    {kCmdSimulate, "Simulate...", false},
    {kCmdSaveMapImageItem, "Save Map Image...", false},
    {1005, "Save Window Config", false},
    {1006, "Open Window Config...", false},
    {0, "", false},
    {kCmdExit, "Exit", false},
};
constexpr MenuItem kEdit[] = {
    {kCmdClearStations, "Clear Stations", false},
    {1102, "Clear Messages", false},
};
constexpr MenuItem kSettings[] = {
    {kCmdStationSettings, "Station Settings...", false},
    {kCmdPortSettings, "Port Settings...", false},
    {kCmdTncSettings, "TNC Settings...", false},
    {kCmdKissOptions, "KISS mode options...", false},
    {3004, "Position Report Settings...", false},
    {3006, "Weather Settings...", false},
    {3003, "Message Settings...", false},
    {3007, "GPS Settings...", false},
    {kCmdSelectTncType, "Select TNC Type", false},
    {0, "", false},
    {kCmdOpenHfTnc, "Open HF TNC (dual)", true},
    {kCmdOpenVhfTnc, "Open VHF TNC", true},
    {kCmdOpenGpsPort, "Open GPS port", true},
    {kCmdOpenWxPort, "Open WX port", true},
    {kCmdOpenRdfPort, "Open RDF port", true},
    {kCmdCloseTnc, "Close TNC", false},
    {kCmdCloseAllPorts, "Close All ports", false},
    {0, "", false},
    {3008, "Enable Sound", true},
    {3009, "Notify New Mail", true},
    {3010, "Notify Bulletins", true},
    {3011, "Notify Announcements", true},
};
constexpr MenuItem kLogging[] = {
    {7100, "Station Logging", true},
    {7101, "APRS Logging", true},
    {7102, "NMEA Logging", true},
    {7103, "Local Weather Logging", true},
    {7104, "Message Logging", true},
    {7105, "Local RDF Logging", true},
    {0, "", false},
    {kStopAllLogging, "Stop All Logging", false},
};
constexpr MenuItem kWindows[] = {
    {kCmdNewMapSquare, "New Map Square", false},
    {8310, "New Map Polar", false},
    {kCmdNewChild, "New Window", false},
    {kCmdTerminal, "Terminal", false},
    {kCmdMemoryUsage, "Memory Usage", true},
    {8314, "NMEA Heads Up Display", false},
    {8315, "Garmin GPS Control", false},
    {0, "", false},
    {kCmdTile, "Tile", false},
    {kCmdCascade, "Cascade", false},
    {kCmdArrangeIcons, "Arrange Icons", false},
};
constexpr MenuItem kMaps[] = {
    {21001, "Display Map &Boundaries", true},
    {21002, "Map List Window", false},
    {0, "", false},
};
constexpr MenuItem kDisplay[] = {
    {8101, "&Home View", false},
    {8102, "Full Map View", false},
    {8103, "Zoom In", false},
    {8104, "Zoom Out", false},
    {0, "", false},
    {8105, "Station Call Signs", true},
    {8106, "Station Icons", true},
    {8107, "Map Labels", true},
    {8108, "Map Symbols", true},
    {8109, "Filled Polygons", true},
    {8110, "Course and Speed", true},
    {8111, "Dead Reckoning", true},
    {0, "", false},
    {8114, "All Stations", true},
    {8115, "Direct Stations Only", true},
    {8116, "Flagged Stations Only", true},
    {8117, "Tracked Stations Only", true},
    {8118, "Weather Stations Only", true},
    {0, "", false},
    {8119, "Coverage Circles", true},
    {8120, "Range Circles", true},
    {8121, "Station Age", true},
    {8122, "&Replay Track", true},
    {8123, "Trace Path", true},
    {0, "", false},
    {8112, "Auto Scroll Moving Maps", true},
    {8113, "Metric Units", true},
    {0, "", false},
    {8129, "GridSquare (Auto)", true},
    {8126, "GridSquare (2 Ltr)", true},
    {8127, "GridSquare (4 Ltr)", true},
    {8128, "GridSquare (6 Ltr)", true},
    {8130, "UTM Zones", true},
    {8131, "CAP Grid", true},
    {8132, "User Grid", true},
    {8133, "Keep Bearing Lines", true},
    {8134, "Find...", false},
    {11001, "Display Overlay", true},
    {11002, "Display Overlay List", false},
    {0, "", false},
    {8124, "Display Options...", false},
    {8125, "Units...", false},
};
constexpr MenuItem kLists[] = {
    {8201, "Station List", false},
    {8202, "Weather Stations", false},
    {8203, "Heard Now", false},
    {8204, "History List", false},
    {8205, "Status", false},
    {kCmdNwsListItem, "NWS-Counties List", false},
    {8218, "Airport List", false},
    {8219, "NTS message list", false},
    {8220, "New NTS message", false},
    {0, "", false},
    {8206, "Positions", false},
    {8207, "Tracks", false},
    {8208, "Mic-E", false},
    {8209, "Flagged", false},
    {8210, "Paths", false},
    {8211, "DF", false},
    {8212, "Telemetry", false},
    {8213, "Packet Statistics", false},
    {8216, "IGate List", false},
    {0, "", false},
    {8214, "Messages", false},
    {8215, "Message Round Trip Times", true},
    {0, "", false},
    {8238, "Weather Display", false},
    {8239, "Weather Chart", false},
};
constexpr MenuItem kTransmit[] = {
    {3201, "Send Position", false},
    {3202, "New Message...", false},
    {3203, "Message Auto Answer...", false},
    {3204, "Send Query", false},
    {3205, "Send Weather", false},
    {3206, "Send WX Query", false},
    {3207, "Send RDF Report", false},
};
constexpr MenuItem kTncCommands[] = {
    {3501, "Send Position (HF, VHF, internet)", false},
    {3502, "Send Objects", false},
    {3503, "Send Grid-Square Position", false},
    {3506, "Send APRS Query", false},
    {3507, "Send WX Query (all routes)", false},
    {3508, "Send IGate Query", false},
    {0, "", false},
    {3514, "HF-Re-Initialize TNC", false},
    {3515, "VHF-Re-Initialize TNC", false},
    {0, "", false},
    {3516, "HF-Exit KISS Mode", false},
    {3517, "VHF-Exit KISS Mode", false},
    {3518, "HF-Exit AEA Host Mode", false},
    {3519, "VHF-Exit AEA Host Mode", false},
    {3520, "HF-Exit Kantronics Host Mode", false},
    {3521, "VHF-Exit Kantronics Host Mode", false},
};
constexpr MenuItem kHelp[] = {
    {kCmdHelp, "Velmora Help", false},
    {kCmdAbout, "About Velmora", false},
};

// The Maps menu is the fifth: the map items are appended to it at run time.
constexpr std::array<Menu, 11> kMenus = {{
    {"File", kFile},
    {"Edit", kEdit},
    {"Settings", kSettings},
    {"Logging", kLogging},
    {"Maps", kMaps},
    {"Display", kDisplay},
    {"Lists", kLists},
    {"Windows", kWindows},
    {"Transmit", kTransmit},
    {"TNC Commands", kTncCommands},
    {"Help", kHelp},
}};

// The text as typed: no "..." at the end and no "&" mnemonic marks.
std::string Plain(std::string_view t) {
    if (t.size() >= 3 && t.substr(t.size() - 3) == "...") t.remove_suffix(3);
    std::string out;
    for (const char c : t)
        if (c != '&') out.push_back(c);
    return out;
}

}  // namespace

std::span<const Menu> MainMenu() { return kMenus; }

const MenuItem* FindMenuItem(uint16_t id) {
    if (id == 0) return nullptr;
    for (const Menu& m : kMenus) {
        for (const MenuItem& item : m.items) {
            if (item.id == id) return &item;
        }
    }
    return nullptr;
}

const MenuItem* FindMenuItem(std::string_view text) {
    const std::string plain = Plain(text);
    if (plain.empty()) return nullptr;
    for (const Menu& m : kMenus) {
        for (const MenuItem& item : m.items) {
            if (item.id != 0 && Plain(item.text) == plain) return &item;
        }
    }
    return nullptr;
}

}  // namespace velmora
