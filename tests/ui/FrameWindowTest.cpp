#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <cstdlib>

#include "app/MenuTable.h"
#include "app/Program.h"
#include "ui/DesktopUi.h"
#include "geo/Position.h"
#include "support/TestApp.h"
#include "support/DesktopProgram.h"
#include "support/SerialProgram.h"
#include "ui/ListWindow.h"
#include "ui/StationSettingsDialog.h"
#include "ui/ReportRatesDialog.h"
#include "ui/TcpSettingsDialog.h"
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include "ui/TerminalWindow.h"
#include "platform/fake/FakeSerial.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace velmora {
namespace {

void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

using DesktopRun = test::DesktopProgram;

TEST(FrameWindow, StartsWithTheMenuBarAndOneTiledSquareMapWindow) {
    DesktopRun d;
    d.program->Start();
    Pump(300);  // the posted "New Map Square" and "Tile"
    FrameWindow& frame = d.ui.Frame();
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "Settings", "Logging", "Maps", "Display", "Lists", "Windows",
                                   "Transmit", "TNC Commands", "Help",
                                   "Alternate VHF path", "Alternate HF path", "TCP/IP Connections"}));
    const auto subs = frame.Mdi()->subWindowList();
    ASSERT_EQ(subs.size(), 1);
    EXPECT_EQ(subs[0]->windowTitle(), "Map window");
    ASSERT_NE(subs[0]->widget(), nullptr);
    EXPECT_EQ(subs[0]->widget()->objectName(), "MapWindow");
    // Tiled: one window fills the client area.
    EXPECT_EQ(subs[0]->geometry(), frame.Mdi()->viewport()->rect());

    const QImage shot = frame.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), frame.size() * frame.devicePixelRatio());
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT", "frame.png");
    EXPECT_TRUE(shot.save(out));
    // Below the menu bar the map is white.
    const QPoint inMap = subs[0]->widget()->mapTo(&frame, QPoint(10, 10));
    EXPECT_EQ(shot.pixelColor(inMap), QColor(Qt::white));
}

TEST(FrameWindow, CloseAsksAndQuitsOnlyOnOk) {
    DesktopRun d;
    d.program->Start();
    d.ui.AnswerBoxesWith(Answer::kCancel);
    EXPECT_FALSE(d.ui.Frame().close());
    EXPECT_TRUE(d.ui.Frame().isVisible());
    EXPECT_FALSE(d.program->QuitRequested());
    d.ui.AnswerBoxesWith(Answer::kOk);
    EXPECT_TRUE(d.ui.Frame().close());
    EXPECT_TRUE(d.program->QuitRequested());
}

TEST(FrameWindow, MenuActionsDispatchAndCarryTheirCheckMarks) {
    DesktopRun d;
    d.program->Start();
    QAction* aprs = d.ui.Frame().Actions().at(7101);
    ASSERT_TRUE(aprs->isCheckable());
    aprs->trigger();
    EXPECT_TRUE(d.program->Core().Logs().IsOpen(LogKind::kAprs));
    EXPECT_TRUE(aprs->isChecked());
    d.ui.Frame().Actions().at(kStopAllLogging)->trigger();
    EXPECT_FALSE(aprs->isChecked());
    d.ui.Frame().Actions().at(kCmdNewMapSquare)->trigger();
    d.ui.Frame().Actions().at(kCmdCascade)->trigger();
    Pump(100);
    EXPECT_EQ(d.ui.Frame().Mdi()->subWindowList().size(), 1 + 1);
}

TEST(FrameWindow, TimersDriveTheTick) {
    DesktopRun d;
    d.program->Start();
    Pump(1300);
    EXPECT_NE(d.program->Tick().Memory().day, 0);
}

TEST(FrameWindow, TheTerminalWindowShowsItsPortAndSendsTypedKeys) {
    FakeSerialLayer serial;
    const auto folder = test::MakeTempFolder();
    DiskFiles files(folder.string());
    Preferences prefs;
    test::SetPref(prefs, "port3_device", "/dev/ttyGPS");
    EXPECT_TRUE(prefs.Save(files));
    SystemClock clock;
    DesktopUi ui;
    ui.AnswerBoxesWith(Answer::kOk);
    DesktopNotices notices(ui.Frame());
    ProgramOptions options;
    options.serial = &serial;
    {
        Program program(Platform{clock, notices, files}, ui, options);
        ui.Attach(&program);
        program.Start();
        program.Command(kCmdOpenGpsPort);
        program.Command(kCmdTerminal);
        ASSERT_NE(ui.Terminal(), nullptr);
        EXPECT_EQ(ui.Terminal()->parentWidget()->windowTitle(), "Terminal: GPS Port");
        program.Ports().PortData(kPortGps, "$GPGGA,raw input\r\n");
        EXPECT_TRUE(ui.Terminal()->toPlainText().contains("$GPGGA,raw input"));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, "m");
        QCoreApplication::sendEvent(ui.Terminal(), &press);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QCoreApplication::sendEvent(ui.Terminal(), &enter);
        EXPECT_EQ(serial.written[kPortGps], "m\r");
        program.Stop();
        ui.Attach(nullptr);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

TEST(StationSettings, WritesThePreferencesAndRefusesValuesThatDoNotFit) {
    Preferences prefs;
    StationSettingsDialog dialog(prefs);
    dialog.Field("own_call")->setText("W1DLG-5");
    dialog.Field("own_lat_degrees")->setText("41");
    dialog.Field("own_lat_minutes")->setText("30");
    dialog.Field("own_lon_degrees")->setText("72");
    dialog.Hemisphere("own_lon_hemisphere")->setCurrentText("W");
    dialog.Field("phg")->setText("2360");
    dialog.Field("utc_offset")->setText("-5");
    std::string problem;
    ASSERT_TRUE(dialog.Apply(problem)) << problem;
    EXPECT_EQ(prefs.OwnCall(), "W1DLG-5");
    EXPECT_EQ(prefs.UtcOffsetHours(), -5);
    EXPECT_NEAR(LatDegreesFromUnits(prefs.OwnLatUnits()), 41.5, 1e-6);
    EXPECT_NEAR(LonDegreesFromUnits(prefs.OwnLonUnits()), -72.0, 1e-6);

    // Each refusal in the operator's words, and nothing written.
    const std::pair<std::pair<const char*, const char*>, const char*> kRefused[] = {
        {{"own_call", "W1OTHER"}, "Call sign: A call has one to six letters and digits before its SSID"},
        {{"own_call", "W1DLG-0"}, "Call sign: The SSID after the \"-\" is a number from 1 to 15"},
        {{"own_lat_degrees", "95"}, "Latitude must be between 0 and 90 degrees"},
        {{"own_lat_degrees", "9x"}, "Latitude must be a whole number"},
        {{"own_lon_minutes", "60"}, "Minutes must be between 0 and 59"},
        {{"phg", "23600"}, "PHG is too long"},
        {{"utc_offset", "20"}, "The UTC offset must be between -12 and 14 hours"},
    };
    for (const auto& [edit, expected] : kRefused) {
        const QString before = dialog.Field(edit.first)->text();
        dialog.Field(edit.first)->setText(edit.second);
        EXPECT_FALSE(dialog.Apply(problem)) << edit.first;
        EXPECT_EQ(problem, expected);
        EXPECT_EQ(prefs.OwnCall(), "W1DLG-5");
        dialog.Field(edit.first)->setText(before);
    }
    dialog.Field("own_lat_degrees")->setText("90");
    dialog.Field("own_lat_minutes")->setText("30");
    EXPECT_FALSE(dialog.Apply(problem));
    EXPECT_EQ(problem, "Latitude must be between 0 and 90 degrees");
    dialog.Field("own_lat_minutes")->setText("0");
    dialog.Field("own_call")->setText("w1dlg-7");  // typed in lower case: stored in capitals
    ASSERT_TRUE(dialog.Apply(problem)) << problem;
    EXPECT_EQ(prefs.OwnCall(), "W1DLG-7");
    // The whole position in one line, as hams write it, read back and taken.
    dialog.Position()->setText("47 36.50N 122 20.00W");
    EXPECT_EQ(dialog.ReadBack()->text(), "Read as 47°36.50′N 122°20.00′W");
    EXPECT_EQ(dialog.Field("own_lat_minutes")->text(), "36");
    EXPECT_EQ(dialog.Field("own_lat_seconds")->text(), "30");
    ASSERT_TRUE(dialog.Apply(problem)) << problem;
    EXPECT_NEAR(LatDegreesFromUnits(prefs.OwnLatUnits()), 47.608333, 1e-5);
    EXPECT_NEAR(LonDegreesFromUnits(prefs.OwnLonUnits()), -122.333333, 1e-5);
    dialog.Position()->setText("47 36.50 122 20.00W");
    EXPECT_FALSE(dialog.Apply(problem));
    EXPECT_NE(problem.find("write it as"), std::string::npos) << problem;
    EXPECT_NEAR(LatDegreesFromUnits(prefs.OwnLatUnits()), 47.608333, 1e-5);  // nothing taken
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(ListWindow, OpensFromTheMenuShowsTheRowsSortsAndFilters) {
    const auto folder = test::MakeTempFolder();
    DiskFiles files(folder.string());
    SystemClock clock;
    DesktopUi ui;
    ui.AnswerBoxesWith(Answer::kOk);
    DesktopNotices notices(ui.Frame());
    ProgramOptions options;
    options.lists = &ui;
    {
        Program program(Platform{clock, notices, files}, ui, options);
        ui.Attach(&program);
        program.Start();
        for (const char* line : {"B1>APRS:!4100.00N/07200.00W>090/010", "A1>APRS:!4100.00N/07200.00W>270/050",
                                 "C1>APRS:!4100.00N/07200.00W-house"})
            program.Core().ProcessReceivedLine(line, Liveness::kLive, SourceKind::kVhf);
        ASSERT_TRUE(program.Command(kCmdStationList));
        ListWindow* window = nullptr;
        for (QMdiSubWindow* sub : ui.Frame().Mdi()->subWindowList())
            if (auto* w = dynamic_cast<ListWindow*>(sub->widget())) window = w;
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Station List");
        QAbstractItemModel* model = window->View()->model();
        const int own = program.Core().Stations().UsedCount() - 3;  // the own station, when there is one
        ASSERT_EQ(model->rowCount(), own + 3);
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Call");
        // Sort by call, descending.
        window->View()->sortByColumn(0, Qt::DescendingOrder);
        EXPECT_EQ(model->index(0, 0).data().toString(), "C1");
        // Filter: only the house.
        window->Filter()->setText("HOUSE");
        ASSERT_EQ(model->rowCount(), 1);
        EXPECT_EQ(model->index(0, 0).data().toString(), "C1");
        window->Filter()->clear();
        // A new station shows at the next refresh, not before.
        program.Core().ProcessReceivedLine("D1>APRS:>new", Liveness::kLive, SourceKind::kVhf);
        EXPECT_EQ(model->rowCount(), own + 3);
        window->RefreshNow();
        EXPECT_EQ(model->rowCount(), own + 4);
        // Opening it again brings the same window forward.
        const auto windows = ui.Frame().Mdi()->subWindowList().size();
        program.Command(kCmdStationList);
        EXPECT_EQ(ui.Frame().Mdi()->subWindowList().size(), windows);
        if (const char* shot = std::getenv("VELMORA_LIST_SCREENSHOT")) window->grab().save(shot);
        program.Stop();
        ui.Attach(nullptr);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

TEST(SettingsDialogs, PositionReportSettingsShowTheRatesAndTheAdvice) {
    Preferences prefs;
    ReportRatesDialog dialog(prefs);
    EXPECT_EQ(dialog.windowTitle(), "Position Report Settings");
    EXPECT_EQ(dialog.Field(0, 0)->value(), 30);  // stationary, HF
    EXPECT_EQ(dialog.Field(1, 2)->value(), 0);   // moving, internet: none
    dialog.Field(2, 1)->setValue(15);            // weather, VHF
    ASSERT_TRUE(dialog.Store());
    EXPECT_EQ(prefs.Get("rate_weather_vhf"), "15");
    bool advice = false;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        advice |= l->text().startsWith("Automatic Weather Reports should be 5 min or greater");
    EXPECT_TRUE(advice);
}

TEST(SettingsDialogs, TcpSettingsShowTheFiveOptionsAndTheFilter) {
    Preferences prefs;
    TcpSettingsDialog dialog(prefs);
    EXPECT_EQ(dialog.windowTitle(), "TCP settings");
    EXPECT_EQ(dialog.Option(0)->text(), "Autostart TCP connection (random APRS server)");
    EXPECT_FALSE(dialog.Option(0)->isChecked());
    EXPECT_TRUE(dialog.Option(3)->isChecked());  // Auto Re-connect is on by default
    EXPECT_EQ(dialog.Range()->value(), 200);
    EXPECT_FALSE(dialog.Option(6)->isChecked());  // the server: this machine only, by default
    EXPECT_FALSE(dialog.Option(7)->isChecked());  // and its clients never on the air
    EXPECT_EQ(dialog.IdleMinutes()->value(), 30);
    if (const char* shot = std::getenv("VELMORA_TCP_SCREENSHOT")) dialog.grab().save(shot);
    dialog.Option(1)->setChecked(true);
    dialog.Filter()->setText("r/51.5/-0.1/50\r\n#filter p/");  // pasted with a line end
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(prefs.Get("internet_filter"), "");
    dialog.Filter()->setText("r/51.5/-0.1/50");
    dialog.IdleMinutes()->setValue(0);
    ASSERT_TRUE(dialog.Store());
    EXPECT_EQ(prefs.Get("feed_local_to_tcp"), "1");
    EXPECT_EQ(prefs.Get("internet_filter"), "r/51.5/-0.1/50");
    EXPECT_EQ(prefs.Get("server_idle_minutes"), "-1");  // never
}

}  // namespace
}  // namespace velmora
