#include "app/MenuTable.h"

#include <array>

#include "app/Logs.h"

namespace velmora {
namespace {

constexpr MenuItem kFile[] = {
    {kCmdOpen, "Open...", false},
    {kCmdSimulate, "Simulate...", false},
    {0, "", false},
    {kCmdExit, "Exit", false},
};
constexpr MenuItem kEdit[] = {
    {kCmdClearStations, "Clear Stations", false},
};
constexpr MenuItem kSettings[] = {
    {kCmdStationSettings, "Station Settings...", false},
    {kCmdSelectTncType, "Select TNC Type", false},
    {0, "", false},
    {kCmdOpenHfTnc, "Open HF TNC (dual)", true},
    {kCmdOpenVhfTnc, "Open VHF TNC", true},
    {kCmdOpenGpsPort, "Open GPS port", true},
    {kCmdOpenWxPort, "Open WX port", true},
    {kCmdOpenRdfPort, "Open RDF port", true},
    {kCmdCloseTnc, "Close TNC", false},
    {kCmdCloseAllPorts, "Close All ports", false},
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
    {kCmdNewChild, "New Window", false},
    {kCmdTerminal, "Terminal", false},
    {kCmdMemoryUsage, "Memory Usage", true},
    {0, "", false},
    {kCmdTile, "Tile", false},
    {kCmdCascade, "Cascade", false},
    {kCmdArrangeIcons, "Arrange Icons", false},
};
constexpr MenuItem kLists[] = {
    {8201, "Station List", false},
    {8202, "Weather Stations", false},
    {8203, "Heard Now", false},
    {8204, "History List", false},
    {8205, "Status", false},
    {0, "", false},
    {8206, "Positions", false},
    {8207, "Tracks", false},
    {8208, "Mic-E", false},
    {8209, "Flagged", false},
    {8210, "Paths", false},
    {8211, "DF", false},
};
constexpr MenuItem kTncCommands[] = {
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
    {kCmdAbout, "About Velmora", false},
};

constexpr std::array<Menu, 8> kMenus = {{
    {"File", kFile},
    {"Edit", kEdit},
    {"Settings", kSettings},
    {"Logging", kLogging},
    {"Lists", kLists},
    {"Windows", kWindows},
    {"TNC Commands", kTncCommands},
    {"Help", kHelp},
}};

std::string_view WithoutEllipsis(std::string_view t) {
    return t.size() >= 3 && t.substr(t.size() - 3) == "..." ? t.substr(0, t.size() - 3) : t;
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
    text = WithoutEllipsis(text);
    if (text.empty()) return nullptr;
    for (const Menu& m : kMenus) {
        for (const MenuItem& item : m.items) {
            if (item.id != 0 && WithoutEllipsis(item.text) == text) return &item;
        }
    }
    return nullptr;
}

}  // namespace velmora
