#include <gtest/gtest.h>

#include <vector>

#include "app/MenuDispatch.h"

namespace velmora {
namespace {

TEST(MenuDispatch, GroupsInOrderAndTheRefreshAfterEveryCommand) {
    MenuDispatch d;
    std::vector<int> seen;
    int refreshes = 0;
    for (size_t g = 0; g < kMenuGroups; ++g) {
        d.SetHandler(static_cast<MenuGroup>(g), [&seen, g](uint16_t) {
            seen.push_back(static_cast<int>(g));
            return g != static_cast<size_t>(MenuGroup::kLists);  // the lists group declines
        });
    }
    d.SetCheckMarkRefresh([&] { ++refreshes; });
    EXPECT_TRUE(d.Dispatch(3102));  // "Open VHF TNC": settings, the third group
    EXPECT_TRUE(d.Dispatch(1005));
    EXPECT_TRUE(d.Dispatch(21010));  // a map file item
    EXPECT_FALSE(d.Dispatch(8250));  // declined
    EXPECT_FALSE(d.Dispatch(9999));  // nobody's
    EXPECT_EQ(seen, (std::vector<int>{2, 0, 16, 5}));
    EXPECT_EQ(refreshes, 5);
}

TEST(MenuDispatch, Ranges) {
    EXPECT_TRUE(InMenuGroup(MenuGroup::kSettings, 3277));
    EXPECT_TRUE(InMenuGroup(MenuGroup::kLists, 21002));
    EXPECT_FALSE(InMenuGroup(MenuGroup::kTransmitAndMaps, 21002));
    EXPECT_TRUE(InMenuGroup(MenuGroup::kTransmitAndMaps, 21001));
    EXPECT_TRUE(InMenuGroup(MenuGroup::kTcpIp, 4006));
    EXPECT_TRUE(InMenuGroup(MenuGroup::kAltHfPath, 20200));
    EXPECT_FALSE(InMenuGroup(MenuGroup::kHelp, 10103));
}

}  // namespace
}  // namespace velmora
