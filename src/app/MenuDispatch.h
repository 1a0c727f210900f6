#pragma once
// Menu commands by their 16-bit identifiers, offered to seventeen handler
// groups in a fixed order until one takes them. Because the settings group
// comes third, the port commands 3101-3107 are always handled there.
#include <array>
#include <cstdint>
#include <functional>

namespace velmora {

enum class MenuGroup : uint8_t {
    kFile, kEdit, kSettings, kLogging, kDisplay, kLists, kWindows, kTncCommands, kMasterMode,
    kOverlays, kHelp, kTcpIp, kAltVhfPath, kAltHfPath, kImageFiles, kWeatherMaps, kTransmitAndMaps,
};
constexpr size_t kMenuGroups = 17;

// Whether an identifier falls in a group's ranges (the open-ended groups
// run to the next group's first identifier).
bool InMenuGroup(MenuGroup group, uint16_t id);

class MenuDispatch {
public:
    // A handler returns true when it took the command.
    using Handler = std::function<bool(uint16_t)>;

    void SetHandler(MenuGroup group, Handler handler) { handlers_[static_cast<size_t>(group)] = std::move(handler); }
    // Called after every command, taken or not, to bring the check marks up to date.
    void SetCheckMarkRefresh(std::function<void()> refresh) { refresh_ = std::move(refresh); }

    // True when a group took the command.
    bool Dispatch(uint16_t id);

private:
    std::array<Handler, kMenuGroups> handlers_;
    std::function<void()> refresh_;
};

}  // namespace velmora
