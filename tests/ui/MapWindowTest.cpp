// Maps on real pixels: a map written byte by byte drawn with QPainter, the
// demo world in a desktop map window, and the mouse and keys on it.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPushButton>
#include <QIcon>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QWheelEvent>

#include "app/Program.h"
#include "geo/Position.h"
#include "maps/MapFiles.h"
#include "maps/MapWindow.h"
#include "platform/qt/QtSurface.h"
#include "support/MapFileBuilder.h"
#include "support/TestApp.h"
#include "support/DesktopProgram.h"
#include "ui/CMapWindow.h"
#include "ui/DesktopUi.h"
#include "ui/StationInfoWindow.h"
#include "ui/ListWindow.h"
#include "app/InternetModule.h"
#include "support/AprsIsStandIn.h"
#include "app/ListsModule.h"
#include <QLineEdit>
#include <QTableView>

#include <fstream>

namespace velmora {
namespace {

QColor PixelAt(const QImage& image, Point p) { return image.pixelColor(p.x, p.y); }

TEST(MapPixels, ALineAndALandPolygonLandWhereTheProjectionSays) {
    const int32_t w = LonUnitsFromDegrees(-73), n = LatUnitsFromDegrees(42);
    const int32_t e = LonUnitsFromDegrees(-72), s = LatUnitsFromDegrees(41);
    test::MapFileBuilder b;
    b.Title("Pixels").Bounds(w, e, n, s).Counts(7, 0);
    // A filled square in the north-west quarter, then a thick red line
    // across the middle.
    const int32_t mx = (w + e) / 2, my = (n + s) / 2;
    b.Point(255, 0x80, w, n).Point(7, 0x81, mx, n).Point(7, 0x81, mx, my).Point(7, 0x83, w, my);
    b.Point(255, 2, w, my + 3000).Point(12, 0, e, my + 3000).Point(0, 0, 0, 0);
    LoadedMap map;
    auto d = ReadBinaryHeader(b.Bytes());
    ASSERT_TRUE(d);
    MapNotices notices;
    ASSERT_EQ(ReadBinaryMap(b.Bytes(), *d, map, notices), MapLoadStatus::kLoaded);
    map.descriptor = *d;
    MapWindow window(400, 400 + kStatusStripHeight);
    window.ShowMap(map);
    QtSurface surface(window.Width(), window.Height());
    window.Draw(surface, MapScene{});
    const QImage& image = surface.Finish();
    const MapView& v = window.View();
    const Point onLine = v.Project({(w + e) / 2 + 36000, my + 3000}).pixel;
    EXPECT_EQ(PixelAt(image, onLine), QColor(255, 0, 0));
    const Point inSquare = v.Project({w + 36000, n + 36000}).pixel;
    EXPECT_EQ(PixelAt(image, inSquare), QColor(255, 255, 0x80));
    const Point outside = v.Project({e - 36000, n + 36000}).pixel;
    EXPECT_EQ(PixelAt(image, outside), QColor(Qt::white));
    // The status strip is below the map.
    EXPECT_EQ(PixelAt(image, {5, window.Height() - 5}), QColor(236, 236, 236));
}

bool PumpUntilTrue(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The demo maps (and, when asked, the demo traffic) in a started desktop.
struct DemoDesktop : test::DesktopProgram {
    explicit DemoDesktop(bool withTraffic = false,
                         std::function<void(const std::filesystem::path&)> more = {})
        : DesktopProgram([withTraffic, more](const std::filesystem::path& folder) {
              const std::filesystem::path demo = std::filesystem::path(VELMORA_SOURCE_DIR) / "demo";
              std::filesystem::create_directory_symlink(demo / "Maps", folder / "Maps");
              if (withTraffic) std::filesystem::copy_file(demo / "Startup.log", folder / "Startup.log");
              if (more) more(folder);
          }) {
        program->Start();
        Pump(400);
    }
    CMapWindow* Map() {
        const auto widgets = ui.MapWidgets();
        return widgets.empty() ? nullptr : widgets.front();
    }
};

TEST(DesktopMap, TheDemoFolderOpensOnTheWorldWithLandAndWater) {
    DemoDesktop d;
    CMapWindow* view = d.Map();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->parentWidget()->windowTitle(), "Map window - World");
    const QImage shot = view->grab().toImage();
    const MapView& v = view->Window().View();
    auto pixel = [&](double lat, double lon) {
        const Point p = v.Project({LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat)}).pixel;
        return shot.pixelColor(p.x, p.y);
    };
    EXPECT_EQ(pixel(0, -25), QColor(0xD4, 0xE6, 0xF2));  // the Atlantic
    EXPECT_EQ(pixel(15, 20), QColor(Qt::white));          // Chad
    EXPECT_EQ(pixel(-25, 135), QColor(Qt::white));        // Australia
    const QString out = qEnvironmentVariable("VELMORA_MAP_SCREENSHOT");
    if (!out.isEmpty()) EXPECT_TRUE(d.ui.Frame().grab().save(out));
}

TEST(DesktopMap, APolarWindowFromTheWindowsMenuShowsTheGlobeAndTakesClicks) {
    DemoDesktop d;
    d.program->Command(kCmdNewMapPolar);
    Pump(200);
    CMapWindow* view = nullptr;
    for (CMapWindow* each : d.ui.MapWidgets())
        if (each->Window().View().Polar()) view = each;
    ASSERT_NE(view, nullptr);
    const MapView& v = view->Window().View();
    const QImage shot = view->grab().toImage();
    const auto at = [&](double lat, double lon) {
        const Point p = v.Project({LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat)}).pixel;
        return shot.pixelColor(p.x, p.y);
    };
    EXPECT_EQ(at(15, 20), QColor(Qt::white));          // Chad, land
    EXPECT_EQ(at(0, -25), QColor(0xD4, 0xE6, 0xF2));   // the Atlantic
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(0x30, 0x34, 0x3C));  // outside the globe
    // A click is the place drawn under it.
    const Point africa = v.Project({LonUnitsFromDegrees(20), LatUnitsFromDegrees(15)}).pixel;
    const QPointF click(africa.x, africa.y);
    QMouseEvent press(QEvent::MouseButtonPress, click, view->mapToGlobal(click), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, click, view->mapToGlobal(click), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(view, &press);
    QApplication::sendEvent(view, &release);
    ASSERT_TRUE(view->Window().Reference());
    EXPECT_NEAR(LatDegreesFromUnits(view->Window().Reference()->lat), 15, 1);
    EXPECT_NEAR(LonDegreesFromUnits(view->Window().Reference()->lon), 20, 1);
    const QString out = qEnvironmentVariable("VELMORA_POLAR_SCREENSHOT");
    if (!out.isEmpty()) EXPECT_TRUE(d.ui.Frame().grab().save(out));
}

TEST(DesktopMap, WarnedCountiesAreShadedByLevelOnTheRenderedMap) {
    DemoDesktop d(false, [](const std::filesystem::path& folder) {
        std::filesystem::create_directory_symlink(std::filesystem::path(VELMORA_SOURCE_DIR) / "demo" / "Counties",
                                                  folder / "Counties");
    });
    Program& p = *d.program;
    ASSERT_GT(p.Nws().Alerts().AreaCount(), 3000u);
    // Today's form (a range) and the older one, from the internet.
    p.Core().ProcessReceivedLine("OUNSVR>APRS,TCPIP*,qAS,WXSVR::NWS_WARN :092359z,TORNADO,OKC109-027{A9H0A",
                                 Liveness::kLive, SourceKind::kInternet);
    p.Core().ProcessReceivedLine("OUNSVR>APRS,TCPIP*,qAS,WXSVR::NWS-WATCH:092359,TORNADO,OK_C017,",
                                 Liveness::kLive, SourceKind::kInternet);
    ASSERT_TRUE(p.Maps().ViewAt({LonUnitsFromDegrees(-97.6), LatUnitsFromDegrees(35.45)}, kUnitsPerDegree * 2));
    Pump(100);
    CMapWindow* view = d.Map();
    ASSERT_NE(view, nullptr);
    const QImage shot = view->grab().toImage();
    const MapView& v = view->Window().View();
    const auto at = [&](double lat, double lon) {
        const Point px = v.Project({LonUnitsFromDegrees(lon), LatUnitsFromDegrees(lat)}).pixel;
        return shot.pixelColor(px.x, px.y);
    };
    const QColor oklahomaCounty = at(35.55, -97.30), cleveland = at(35.20, -97.30);
    const QColor canadian = at(35.55, -97.98), logan = at(35.92, -97.45);
    // A warning is red, a watch orange, the rest the land's white.
    EXPECT_GT(oklahomaCounty.red(), oklahomaCounty.green() + 60) << oklahomaCounty.name().toStdString();
    EXPECT_GT(cleveland.red(), cleveland.green() + 60) << cleveland.name().toStdString();
    EXPECT_GT(canadian.red(), canadian.blue() + 40) << canadian.name().toStdString();   // Canadian County: OK_C017
    EXPECT_GT(canadian.green(), oklahomaCounty.green() + 30);
    EXPECT_EQ(logan, QColor(Qt::white));
    const QString out = qEnvironmentVariable("VELMORA_NWS_SCREENSHOT");
    if (!out.isEmpty()) EXPECT_TRUE(d.ui.Frame().grab().save(out));
}

TEST(DesktopMap, ClickWheelDragAndKeysWorkTheView) {
    DemoDesktop d;
    CMapWindow* view = d.Map();
    ASSERT_NE(view, nullptr);
    MapWindow& w = view->Window();
    const QPointF at(view->width() / 2.0, view->height() / 3.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(view, &press);
    QApplication::sendEvent(view, &release);
    ASSERT_TRUE(w.Reference());
    EXPECT_EQ(*w.Reference(), w.View().Unproject({int(at.x()), int(at.y())}));
    EXPECT_NE(w.Readout().find(" 0 ft, 0 deg"), std::string::npos) << w.Readout();

    const int32_t before = w.View().XDivide();
    QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, 240}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_LT(w.View().XDivide(), before);
    EXPECT_NEAR(w.View().Unproject({int(at.x()), int(at.y())}).lon, w.Reference()->lon, 2 * w.View().XDivide());

    const int32_t west = w.View().Requested().west;
    const QPointF to = at + QPointF(-60, 0);
    QMouseEvent down(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QMouseEvent up(QEvent::MouseButtonRelease, to, view->mapToGlobal(to), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(view, &down);
    QApplication::sendEvent(view, &move);
    QApplication::sendEvent(view, &up);
    EXPECT_EQ(w.View().Requested().west, west + 60 * w.View().XDivide());

    const int32_t xd = w.View().XDivide();
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, "+");
    QApplication::sendEvent(view, &plus);
    EXPECT_LT(w.View().XDivide(), xd);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, "h");
    QApplication::sendEvent(view, &home);
    EXPECT_LT(w.View().Requested().west, w.View().XDivide());  // the whole world, to the pixel
    EXPECT_GE(w.View().VisibleRight(), kLonUnitsMax - w.View().XDivide());

    // A new square map window, and its picture redrawn only when it changed.
    d.program->Command(kCmdNewMapSquare);
    Pump(100);
    EXPECT_EQ(d.ui.MapWidgets().size(), 2u);
    CMapWindow* second = d.ui.MapWidgets().front();
    second->RenderIfChanged();
    EXPECT_FALSE(second->RenderIfChanged());
    second->Window().View().Pan(1, 0);
    second->Window().Changed();
    EXPECT_TRUE(second->RenderIfChanged());
}

TEST(DesktopMap, StationsOnARegionWithATrackAndAnInformationWindow) {
    DemoDesktop d(true);
    d.ui.Frame().resize(1280, 900);
    Program& p = *d.program;
    // A mobile station driving east across Hartford, its track growing.
    for (int i = 0; i < 8; ++i) {
        char line[128];
        std::snprintf(line, sizeof line, "W1AW-9>APZ251,W1AW*,WIDE2-1:!41%05.2fN/072%05.2fW>%03d/036/A=%06d", 39.5 + i * 0.6,
                      52.0 - i * 2.4, 70 + i * 3, 200 + 900 * i);
        p.Core().ProcessReceivedLine(line, Liveness::kLive, SourceKind::kVhf);
    }
    Pump(300);
    CMapWindow* view = d.Map();
    ASSERT_NE(view, nullptr);
    MapWindow& w = view->Window();
    ASSERT_TRUE(p.Maps().ViewAt({LonUnitsFromDegrees(-72.5), LatUnitsFromDegrees(41.62)}, kUnitsPerDegree * 8 / 10));
    const StationTable& t = p.Core().Stations();
    const StationIndex mobile = t.Lookup("W1AW-9");
    ASSERT_GE(mobile, 0);
    EXPECT_GE(t.At(mobile).trackCount, 5);
    view->RenderIfChanged();  // the drawn flags
    const Point at = w.View().Project({t.At(mobile).lon, t.At(mobile).lat}).pixel;
    p.Maps().Click(w, at);
    EXPECT_EQ(w.Selection().selected, mobile);
    EXPECT_EQ(w.InfoLine().rfind("W1AW-9 Packets", 0), 0u) << w.InfoLine();
    EXPECT_EQ(p.Maps().StationUnder(w, at), "W1AW-9  Car");
    ASSERT_TRUE(p.Maps().Key(w, 'R', false, false));
    ASSERT_TRUE(p.Maps().Key(w, 13, false, false));
    Pump(300);
    StationInfoWindow* info = nullptr;
    for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList())
        if (auto* i = dynamic_cast<StationInfoWindow*>(sub->widget())) info = i;
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->Text().startsWith("W1AW-9\nSymbol: /> Car")) << info->Text().toStdString();
    info->parentWidget()->resize(560, 330);
    info->parentWidget()->move(d.ui.Frame().Mdi()->width() - 580, d.ui.Frame().Mdi()->height() - 350);
    // The car is drawn where the projection puts it: not the map's white.
    view->RenderIfChanged();
    const QImage shot = view->grab().toImage();
    EXPECT_NE(shot.pixelColor(at.x, at.y), QColor(Qt::white));
    const QString out = qEnvironmentVariable("VELMORA_STATIONS_SCREENSHOT");
    if (!out.isEmpty()) EXPECT_TRUE(d.ui.Frame().grab().save(out));
}

TEST(DesktopLists, ADoubleClickedStationIsSelectedOnTheMapAndColumnsAreRemembered) {
    DemoDesktop d(true);
    Program& p = *d.program;
    ListModel& list = *p.Lists().Find("STAL");
    d.ui.ShowList(list);
    Pump(100);
    ListWindow* window = nullptr;
    for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList())
        if (auto* l = dynamic_cast<ListWindow*>(sub->widget())) window = l;
    ASSERT_NE(window, nullptr);
    window->Filter()->setText("W1AW-9");
    ASSERT_EQ(window->Table().Rows().size(), 1u);
    // The symbol column shows the map's picture beside the code; the last column does not stretch.
    EXPECT_EQ(window->Table().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Symbol");
    EXPECT_TRUE(window->Table().data(window->Table().index(0, 1), Qt::DecorationRole).canConvert<QIcon>());
    EXPECT_FALSE(window->Table().data(window->Table().index(0, 0), Qt::DecorationRole).isValid());
    EXPECT_FALSE(window->View()->horizontalHeader()->stretchLastSection());
    // In view but off to one side: the station is brought to the middle.
    MapWindow& w = d.Map()->Window();
    w.SetViewTo({LonUnitsFromDegrees(-72.95), LonUnitsFromDegrees(-72.45), LatUnitsFromDegrees(41.9),
                 LatUnitsFromDegrees(41.45)});
    emit window->View()->doubleClicked(window->Table().index(0, 0));
    Pump(100);
    EXPECT_EQ(p.Maps().SelectedCall(w), "W1AW-9");
    // and the map is centred on it, to a pixel.
    const StationRecord& r = p.Core().Stations().At(p.Core().Stations().Lookup("W1AW-9"));
    const Point at = w.View().Project({r.lon, r.lat}).pixel;
    EXPECT_NEAR(at.x, w.View().Width() / 2, 2);
    EXPECT_NEAR(at.y, w.View().Height() / 2, 2);
    StationInfoWindow* info = nullptr;
    for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList())
        if (auto* i = dynamic_cast<StationInfoWindow*>(sub->widget())) info = i;
    ASSERT_NE(info, nullptr);
    // Its buttons act as the map's right-click menu does.
    QPushButton* flag = nullptr;
    for (QPushButton* b : info->findChildren<QPushButton*>())
        if (b->text() == "Flag") flag = b;
    ASSERT_NE(flag, nullptr);
    flag->click();
    EXPECT_EQ(p.Core().Stations().At(p.Core().Stations().Lookup("W1AW-9")).flagged, 1);
    // A column hidden and the sort stay with the next window of that list,
    // kept in the list's entry of the window locations.
    window->ShowColumn(2, false);
    window->View()->sortByColumn(1, Qt::DescendingOrder);
    window->View()->setColumnWidth(3, 211);
    const auto newest = [&] {
        ListWindow* found = nullptr;
        for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList(QMdiArea::CreationOrder))
            if (auto* l = dynamic_cast<ListWindow*>(sub->widget())) found = l;
        return found;
    };
    const auto closeList = [&](ListWindow* open) {
        for (QMdiSubWindow* sub : d.ui.Frame().Mdi()->subWindowList())
            if (sub->widget() == open) sub->close();
        Pump(50);
    };
    closeList(window);
    d.ui.ShowList(list);
    Pump(50);
    ListWindow* again = newest();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->View()->isColumnHidden(2));
    EXPECT_FALSE(again->View()->isColumnHidden(1));
    EXPECT_EQ(again->Table().SortColumn(), 1);
    EXPECT_FALSE(again->Table().Ascending());
    EXPECT_EQ(again->View()->columnWidth(3), 211);
    WindowLocations& kept = p.Layout().Locations();
    const ListWindowState state = ListWindowState::Parse(kept.Private(kept.Find(kClassList, list.Code(), false)));
    EXPECT_EQ(state.hiddenColumns, 1u << 2);
    again->ShowColumn(2, true);
    closeList(again);
    d.ui.ShowList(list);
    Pump(50);
    EXPECT_FALSE(newest()->View()->isColumnHidden(2));
}

TEST(DesktopLists, TheMapTheStationListAndTheWeatherListSideBySide) {
    DemoDesktop d(true);
    d.ui.Frame().resize(1280, 900);
    Program& p = *d.program;
    ASSERT_TRUE(p.Maps().ViewAt({LonUnitsFromDegrees(-72.55), LatUnitsFromDegrees(41.72)}, kUnitsPerDegree * 12 / 10));
    p.Command(kCmdStationList);
    p.Command(kCmdWeatherList);
    Pump(200);
    QMdiArea& mdi = *d.ui.Frame().Mdi();
    ASSERT_EQ(mdi.subWindowList().size(), 3);
    // The map on the left, the two lists stacked on the right.
    const int w = mdi.viewport()->width(), h = mdi.viewport()->height();
    for (QMdiSubWindow* sub : mdi.subWindowList()) {
        if (dynamic_cast<CMapWindow*>(sub->widget())) sub->setGeometry(0, 0, w * 11 / 20, h);
        else if (sub->windowTitle() == "Station List") sub->setGeometry(w * 11 / 20, 0, w - w * 11 / 20, h * 6 / 10);
        else sub->setGeometry(w * 11 / 20, h * 6 / 10, w - w * 11 / 20, h - h * 6 / 10);
    }
    Pump(700);  // the lists refresh at most twice a second
    for (QMdiSubWindow* sub : mdi.subWindowList()) {
        if (auto* l = dynamic_cast<ListWindow*>(sub->widget())) EXPECT_GT(l->Table().Rows().size(), 0u) << l->windowTitle().toStdString();
    }
    const QString out = qEnvironmentVariable("VELMORA_LISTS_SCREENSHOT");
    if (!out.isEmpty()) EXPECT_TRUE(d.ui.Frame().grab().save(out));
}

TEST(DesktopInternet, StationsFromAServerOnTheMapAndInTheList) {
    test::AprsIsStandIn server;
    ASSERT_TRUE(server.listener);
    const char* calls[] = {"K1ABC", "W1XYZ-9", "N1QRS", "KB1TUV-7", "W1EOC", "AB1CD-5", "K1WX", "N1DIG"};
    const char* symbols[] = {"/-", "/>", "/_", "/k", "/o", "/[", "/_", "/#"};
    server.stream.clear();
    for (int i = 0; i < 8; ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "%s>APRS,TCPIP*,qAC,STANDIN:!41%05.2fN%c072%05.2fW%cfrom the internet", calls[i],
                      36.0 + i * 1.7, symbols[i][0], 34.0 + (i % 4) * 6.5, symbols[i][1]);
        server.stream.emplace_back(line);
    }
    const uint16_t port = server.listener->Port();
    DemoDesktop d(false, [port](const std::filesystem::path& folder) {
        std::ofstream(folder / "APRServe.txt") << "127.0.0.1\t" << port << "\tStand-in\n";
    });
    d.ui.Frame().resize(1280, 900);
    Program& p = *d.program;
    p.Command(kCmdFirstLink);
    ASSERT_TRUE(PumpUntilTrue([&] { return p.Core().Stations().Lookup("N1DIG") >= 0; }, 5000));
    EXPECT_TRUE(p.Internet().Links().Links()[0].verified);
    ASSERT_TRUE(p.Maps().ViewAt({LonUnitsFromDegrees(-72.65), LatUnitsFromDegrees(41.68)}, kUnitsPerDegree * 6 / 10));
    p.Command(kCmdStationList);
    Pump(200);
    QMdiArea& mdi = *d.ui.Frame().Mdi();
    const int w = mdi.viewport()->width(), h = mdi.viewport()->height();
    for (QMdiSubWindow* sub : mdi.subWindowList()) {
        if (dynamic_cast<CMapWindow*>(sub->widget())) sub->setGeometry(0, 0, w * 11 / 20, h);
        else sub->setGeometry(w * 11 / 20, 0, w - w * 11 / 20, h);
    }
    Pump(700);
    CMapWindow* view = d.Map();
    ASSERT_NE(view, nullptr);
    view->RenderIfChanged();
    const StationTable& t = p.Core().Stations();
    const StationIndex wx = t.Lookup("W1XYZ-9");
    const Point at = view->Window().View().Project({t.At(wx).lon, t.At(wx).lat}).pixel;
    EXPECT_NE(view->grab().toImage().pixelColor(at.x, at.y), QColor(Qt::white));  // the car
    const QString out = qEnvironmentVariable("VELMORA_INTERNET_SCREENSHOT");
    if (!out.isEmpty()) EXPECT_TRUE(d.ui.Frame().grab().save(out));
}

}  // namespace
}  // namespace velmora
