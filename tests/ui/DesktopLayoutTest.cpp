// The desktop kept between runs, on a real window system: two maps at
// different views, the station list and the message list, left at their
// places; the program stops and starts again, and every window comes back
// where it was, showing what it showed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <fstream>

#include "app/ListsModule.h"
#include "app/MenuTable.h"
#include "app/MessagingModule.h"
#include "geo/Position.h"
#include "maps/MapList.h"
#include "support/DesktopProgram.h"
#include "support/PumpUntil.h"
#include "ui/CMapWindow.h"
#include "ui/ListWindow.h"

namespace velmora {
namespace {

void Pump(int ms) { test::PumpFor(ms); }

struct Kept {
    FourCC windowClass, list;
    WindowRect rect;
    MapsModule::Kept map;
};

std::vector<Kept> Snapshot(test::DesktopProgram& d) {
    std::vector<Kept> out;
    for (const WindowLayout::Open& o : d.ui.OpenWindows()) {
        Kept k{o.windowClass, o.list, o.rect, {}};
        if (o.map) k.map = d.program->Maps().Keep(*o.map);
        out.push_back(k);
    }
    return out;
}

void Prepare(const std::filesystem::path& folder, const std::string& config) {
    std::filesystem::create_directory_symlink(std::filesystem::path(VELMORA_SOURCE_DIR) / "demo" / "Maps", folder / "Maps");
    if (!config.empty()) std::ofstream(folder / "Velmora.CFG", std::ios::binary) << config;
}

TEST(DesktopLayout, TwoMapsAndTwoListsComeBackExactly) {
    std::vector<Kept> before;
    std::string config;
    {
        test::DesktopProgram d([](const std::filesystem::path& f) { Prepare(f, ""); });
        d.program->Start();
        Pump(300);  // the first map window
        d.program->Command(kCmdNewMapSquare);
        Pump(100);
        ASSERT_EQ(d.ui.MapWidgets().size(), 2u);
        // Two views: Europe from the first window, New England from the second.
        ASSERT_TRUE(d.program->Maps().OpenNamed("europe.map"));
        ASSERT_TRUE(d.program->Maps().ViewAt({LonUnitsFromDegrees(2.35), LatUnitsFromDegrees(48.85)}, kUnitsPerDegree * 4));
        d.program->Command(kCmdStationList);
        d.program->Command(kCmdMessageList);
        d.program->Command(kCmdMapListWindow);  // the maps' own list comes back too
        Pump(100);
        const QList<QMdiSubWindow*> subs = d.ui.Frame().Mdi()->subWindowList(QMdiArea::CreationOrder);
        ASSERT_EQ(subs.size(), 5);
        const QRect places[5] = {{0, 0, 420, 300}, {430, 0, 400, 330}, {0, 310, 500, 200}, {510, 340, 380, 220},
                                 {100, 400, 300, 200}};
        for (int i = 0; i < 5; ++i) subs[i]->setGeometry(places[i]);
        d.ui.Frame().Mdi()->setActiveSubWindow(subs[1]);
        Pump(100);
        before = Snapshot(d);
        ASSERT_EQ(before.size(), 5u);
        d.program->Stop();  // the shutdown keeps the desktop
        std::ifstream in(d.folder / "Velmora.CFG", std::ios::binary);
        config.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_EQ(config.size(), 512u + 5 * 1024u);
    test::DesktopProgram again([&](const std::filesystem::path& f) { Prepare(f, config); });
    again.program->Start();
    Pump(300);
    const std::vector<Kept> after = Snapshot(again);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE("window " + std::to_string(i));
        EXPECT_EQ(after[i].windowClass, before[i].windowClass);
        EXPECT_EQ(after[i].list, before[i].list);
        EXPECT_EQ(after[i].rect, before[i].rect);
        EXPECT_EQ(after[i].map.mapFile, before[i].map.mapFile);
        EXPECT_EQ(after[i].map.view.west, before[i].map.view.west);
        EXPECT_EQ(after[i].map.view.east, before[i].map.view.east);
        EXPECT_EQ(after[i].map.view.north, before[i].map.view.north);
        EXPECT_EQ(after[i].map.view.south, before[i].map.view.south);
    }
    EXPECT_NE(before[0].map.view.west, before[1].map.view.west);  // two different views
    if (const char* shot = std::getenv("VELMORA_LAYOUT_SCREENSHOT")) again.ui.Frame().grab().save(shot);
    // Saved again, the file is the same byte for byte.
    ASSERT_TRUE(again.program->Layout().SaveConfig((again.folder / "again.CFG").string()));
    std::ifstream in(again.folder / "again.CFG", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), config);
}

TEST(DesktopLayout, AKindOfWindowOpensWhereItWasLastPlaced) {
    std::string winloc;
    const QRect place(40, 60, 480, 260);
    {
        test::DesktopProgram d([](const std::filesystem::path& f) { Prepare(f, ""); });
        d.program->Start();
        Pump(200);
        d.program->Command(kCmdStationList);
        Pump(100);
        for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList())
            if (sub->windowTitle() == "Station List") sub->setGeometry(place);
        Pump(100);
        d.program->Stop();
        std::ifstream in(d.folder / "WinLoc.prf", std::ios::binary);
        winloc.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_GE(winloc.size(), 528u);
    ASSERT_EQ(winloc.size() % 528, 0u);
    test::DesktopProgram again([&](const std::filesystem::path& f) {
        Prepare(f, "");
        std::ofstream(f / "WinLoc.prf", std::ios::binary) << winloc;
    });
    again.program->Start();
    Pump(200);
    again.program->Command(kCmdStationList);
    Pump(100);
    QRect got;
    for (QMdiSubWindow* sub : again.ui.Frame().Mdi()->subWindowList())
        if (sub->windowTitle() == "Station List") got = sub->geometry();
    EXPECT_EQ(got, place);
}

TEST(DesktopLayout, BadConfigurationsSaySoAndUnknownKindsAreSkipped) {
    std::string bad = WindowConfigBytes({});
    bad[0] = 'X';
    test::DesktopProgram d([&](const std::filesystem::path& f) { Prepare(f, ""); });
    d.program->Start();
    Pump(200);
    std::ofstream(d.folder / "bad.cfg", std::ios::binary) << bad;
    d.ui.AnswerBoxesWith(Answer::kOk);
    d.program->OpenFile((d.folder / "bad.cfg").string());
    WindowRecord strange;
    strange.windowClass = MakeFourCC("ZZZZ");
    WindowRecord list;
    list.windowClass = kClassList;
    list.list = MakeFourCC("STAL");
    list.rect = {20, 30, 220, 530};
    std::ofstream(d.folder / "two.CFG", std::ios::binary) << WindowConfigBytes({strange, list});
    d.program->OpenFile((d.folder / "two.CFG").string());
    Pump(100);
    bool placed = false;
    for (const WindowLayout::Open& o : d.ui.OpenWindows())
        if (o.list == MakeFourCC("STAL")) placed = o.rect == list.rect;
    EXPECT_TRUE(placed);
}

// The active window's keys, as the frame window receives them: F3 puts the
// typing in a list's filter, Control-F4 closes the window.
TEST(DesktopLayout, F3FindsInTheActiveListAndControlF4ClosesIt) {
    test::DesktopProgram d([](const std::filesystem::path& folder) { Prepare(folder, ""); });
    d.program->Start();
    d.program->Command(kCmdStationList);
    Pump(100);
    ListWindow* list = nullptr;
    for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList()) {
        if (auto* l = dynamic_cast<ListWindow*>(sub->widget())) {
            list = l;
            d.ui.Frame().Mdi()->setActiveSubWindow(sub);
        }
    }
    ASSERT_NE(list, nullptr);
    const int before = static_cast<int>(d.ui.Frame().Mdi()->subWindowList().size());
    d.program->FunctionKey(114, false);
    Pump(50);
    EXPECT_TRUE(list->Filter()->hasFocus());
    d.program->FunctionKey(115, false);  // F4 alone: nothing
    Pump(50);
    EXPECT_EQ(static_cast<int>(d.ui.Frame().Mdi()->subWindowList().size()), before);
    d.program->FunctionKey(115, true);
    EXPECT_TRUE(test::PumpUntil([&] { return static_cast<int>(d.ui.Frame().Mdi()->subWindowList().size()) == before - 1; }, 2000));
}

}  // namespace
}  // namespace velmora
