#pragma once
// The main menu as one table of command identifiers and texts. The desktop
// builds its menu bar from it and the headless console finds commands in
// it by number or by exact text.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

struct MenuItem {
    uint16_t id;       // 0: a separator
    const char* text;
    bool checkable;
};

struct Menu {
    const char* title;
    std::span<const MenuItem> items;
};

std::span<const Menu> MainMenu();
const MenuItem* FindMenuItem(uint16_t id);
// By the exact text, ignoring a trailing "..." on either side.
const MenuItem* FindMenuItem(std::string_view text);

// Frame commands handled before the menu groups.
constexpr uint16_t kCmdNewChild = 32001;
constexpr uint16_t kCmdCascade = 8302;
constexpr uint16_t kCmdTile = 8303;
constexpr uint16_t kCmdArrangeIcons = 8304;
constexpr uint16_t kCmdNewMapSquare = 8308;
constexpr uint16_t kCmdTerminal = 8312;
constexpr uint16_t kCmdMemoryUsage = 8313;

constexpr uint16_t kCmdOpen = 1000;
constexpr uint16_t kCmdSimulate = 1001;
constexpr uint16_t kCmdSaveMapImageItem = 1008;
constexpr uint16_t kCmdExit = 1013;
constexpr uint16_t kCmdClearStations = 1101;
constexpr uint16_t kCmdPortSettings = 3001;
constexpr uint16_t kCmdKissOptions = 3277;
constexpr uint16_t kCmdMessageSettings = 3003;
constexpr uint16_t kCmdGpsSettings = 3007;
constexpr uint16_t kCmdStationSettings = 3002;
constexpr uint16_t kCmdSelectTncType = 3005;
constexpr uint16_t kCmdTncSettings = 3012;
constexpr uint16_t kCmdNwsListItem = 8217;
constexpr uint16_t kCmdAltVhfNone = 20100, kCmdAltVhfDefault = 20101, kCmdAltVhfOther = 20102;
constexpr uint16_t kCmdAltHfNone = 20200, kCmdAltHfDefault = 20201, kCmdAltHfOther = 20202;
constexpr uint16_t kCmdOpenHfTnc = 3101;
constexpr uint16_t kCmdOpenVhfTnc = 3102;
constexpr uint16_t kCmdOpenWxPort = 3103;
constexpr uint16_t kCmdOpenGpsPort = 3104;
constexpr uint16_t kCmdOpenRdfPort = 3105;
constexpr uint16_t kCmdCloseTnc = 3106;
constexpr uint16_t kCmdCloseAllPorts = 3107;
constexpr uint16_t kCmdWeatherDisplay = 8238;
constexpr uint16_t kCmdAbout = 10102;
constexpr uint16_t kCmdHelp = 10101;

}  // namespace velmora
