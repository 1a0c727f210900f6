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

#include "app/ListsModule.h"
#include "app/MenuTable.h"
#include "lists/ListModel.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

struct ShownLists : ListWindows {
    void ShowList(ListModel& model) override { shown.emplace_back(model.Title()); }
    std::vector<std::string> shown;
};

// Every list item of the Lists menu opens its list in the running program
// (the IGate List was missing from the menu although the README named it).
TEST(MenuDispatch, EveryListInTheListsMenuOpensItsWindow) {
    ShownLists windows;  // outlives the program
    test::SerialProgram t("N0ME", 41.5, -72.5);
    t.opts.lists = &windows;
    Program& p = t.Up();
    const Menu* lists = nullptr;
    for (const Menu& m : MainMenu())
        if (std::string_view(m.title) == "Lists") lists = &m;
    ASSERT_NE(lists, nullptr);
    int opened = 0;
    bool igate = false;
    for (const MenuItem& item : lists->items) {
        if (item.id < 8201 || item.id > 8216 || item.checkable) continue;
        windows.shown.clear();
        EXPECT_TRUE(p.Command(item.id)) << item.text;
        ASSERT_EQ(windows.shown.size(), 1u) << item.text;
        opened += 1;
        igate = igate || std::string_view(item.text) == "IGate List";
    }
    EXPECT_TRUE(igate);
    EXPECT_GE(opened, 14);
}

}  // namespace
}  // namespace velmora
