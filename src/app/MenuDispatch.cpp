#include "app/MenuDispatch.h"

namespace velmora {
namespace {

struct Range {
    uint16_t first, last;
};

bool In(uint16_t id, Range r) { return id >= r.first && id <= r.last; }

}  // namespace

bool InMenuGroup(MenuGroup group, uint16_t id) {
    switch (group) {
        case MenuGroup::kFile: return In(id, {1000, 1013});
        case MenuGroup::kEdit: return In(id, {1100, 1113});
        case MenuGroup::kSettings: return In(id, {3001, 3012}) || In(id, {3101, 3107}) || id == 3277;
        case MenuGroup::kLogging: return In(id, {7100, 7119});
        case MenuGroup::kDisplay: return In(id, {8100, 8140});
        case MenuGroup::kLists: return In(id, {8201, 8290}) || id == 21002;
        case MenuGroup::kWindows: return In(id, {8301, 8321});
        case MenuGroup::kTncCommands: return In(id, {3501, 3521});
        case MenuGroup::kMasterMode: return In(id, {12001, 12004});
        case MenuGroup::kOverlays: return In(id, {11001, 11003});
        case MenuGroup::kHelp: return id == 10101 || id == 10102;
        case MenuGroup::kTcpIp: return In(id, {4001, 4099});  // 4006 upward: one per host entry
        case MenuGroup::kAltVhfPath: return In(id, {20100, 20199});
        case MenuGroup::kAltHfPath: return In(id, {20200, 20299});
        case MenuGroup::kImageFiles: return In(id, {4100, 4999});
        case MenuGroup::kWeatherMaps: return In(id, {8401, 8402});
        case MenuGroup::kTransmitAndMaps: return In(id, {3201, 3207}) || id == 21001 || id >= 21004;
    }
    return false;
}

bool MenuDispatch::Dispatch(uint16_t id) {
    bool taken = false;
    for (size_t g = 0; g < kMenuGroups && !taken; ++g) {
        if (handlers_[g] && InMenuGroup(static_cast<MenuGroup>(g), id)) taken = handlers_[g](id);
    }
    if (refresh_) refresh_();
    return taken;
}

}  // namespace velmora
