// Maps on real pixels: a map written byte by byte drawn with QPainter, the
// demo world in a desktop map window, and the mouse and keys on it.
#include <gtest/gtest.h>

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
#include "ui/CMapWindow.h"
#include "ui/DesktopUi.h"

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

void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

struct DemoDesktop {
    DemoDesktop() : folder(test::MakeTempFolder()), files(folder.string()) {
        std::filesystem::create_directory_symlink(std::filesystem::path(VELMORA_SOURCE_DIR) / "demo" / "Maps",
                                                  folder / "Maps");
        ui.AnswerBoxesWith(Answer::kOk);
        ProgramOptions o;
        o.maps = &ui;
        o.lists = &ui;
        o.dialogs = &ui;
        program = std::make_unique<Program>(Platform{clock, notices, files}, ui, o);
        ui.Attach(program.get());
        ui.Frame().resize(1024, 768);
        ui.Frame().show();
        program->Start();
        Pump(400);
    }
    ~DemoDesktop() {
        program->Stop();
        ui.Attach(nullptr);
        program.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    CMapWindow* Map() {
        const auto widgets = ui.MapWidgets();
        return widgets.empty() ? nullptr : widgets.front();
    }
    std::filesystem::path folder;
    DiskFiles files;
    SystemClock clock;
    DesktopUi ui;
    DesktopNotices notices{ui.Frame()};
    std::unique_ptr<Program> program;
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

}  // namespace
}  // namespace velmora
