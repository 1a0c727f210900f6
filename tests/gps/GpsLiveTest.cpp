// A GPS where users have one: a receiver on a serial port (a socat
// pseudo-terminal playing a logged route), and gpsd (Debian's, fed the same
// route by gpsfake on a loopback port).
#include <gtest/gtest.h>

#include "support/PumpUntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/MenuTable.h"
#include "app/Program.h"
#include "geo/Position.h"
#include "platform/fake/FakeUserInterface.h"
#include "platform/fake/RecordingNotices.h"
#include "platform/qt/QtNetwork.h"
#include "platform/qt/QtSerial.h"
#include "support/SerialProgram.h"
#include "support/SocatPair.h"
#include "support/GarminSimulator.h"
#include "platform/fake/RecordingSurface.h"
#include "app/GarminModule.h"
#include "ui/GarminScreen.h"

namespace velmora {
namespace {

// GPS input and gpsd take longer than a port.
bool Pump(const std::function<bool()>& done, int ms = 10000) { return test::PumpUntil(done, ms); }

// The route's end, to a hundredth of an arc-second (the degrees convert with truncation).
bool AtRouteEnd(const StationRecord& r) {
    return std::abs(r.lat - LatUnitsFromDegrees(41.538)) <= 1 && std::abs(r.lon - LonUnitsFromDegrees(-72.462)) <= 1;
}

const std::string kRoute = std::string(VELMORA_SOURCE_DIR) + "/tests/data/route.nmea";

struct GpsStation {
    explicit GpsStation(const std::function<void(Preferences&)>& more) : folder(test::MakeTempFolder()), files(folder.string()) {
        Preferences prefs;
        test::SetPref(prefs, "own_call", "N0GPS");
        prefs.SetOwnLatitude(40.0);
        prefs.SetOwnLongitude(-70.0);
        more(prefs);
        EXPECT_TRUE(prefs.Save(files));
        ProgramOptions o;
        o.serial = &serial;
        o.network = &network;
        program = std::make_unique<Program>(Platform{clock, notices, files}, ui, o);
        program->Start();
    }
    ~GpsStation() {
        program->Stop();
        program.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    const StationRecord& Me() const { return program->Core().Stations().At(0); }
    std::filesystem::path folder;
    DiskFiles files;
    SystemClock clock;
    RecordingNotices notices;
    FakeUserInterface ui;
    QtSerialLayer serial;
    QtNetwork network;
    std::unique_ptr<Program> program;
};

TEST(GpsLive, ARouteOnASerialPortMovesTheStation) {
    if (!test::SocatPair::Available()) GTEST_SKIP() << "socat is not installed";
    test::SocatPair pty;
    ASSERT_TRUE(pty.Ready());
    GpsStation s([&](Preferences& p) { test::SetPref(p, "port3_device", pty.Near()); });
    s.program->Command(kCmdOpenGpsPort);
    ASSERT_TRUE(s.program->IsChecked(kCmdOpenGpsPort));
    std::ifstream in(kRoute, std::ios::binary);
    const std::string route((std::istreambuf_iterator<char>(in)), {});
    // Half a sentence first, as a receiver plugged in mid-sentence sends.
    ASSERT_TRUE(pty.Write("4130.000,N,07230.000,W,1,08,0.9,100.0,M,,M,,*4D\r\n"));
    ASSERT_TRUE(pty.Write(route));
    ASSERT_TRUE(Pump([&] { return AtRouteEnd(s.Me()); })) << s.program->Gps().ConsoleText();
    EXPECT_EQ(s.program->Core().GpsBadSentences(), 1);  // the half sentence
    EXPECT_EQ(s.program->Core().Gps().PercentGood(), 100);
}

// A free loopback port for gpsd.
uint16_t FreePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

TEST(GpsLive, GpsdServesTheSameRoute) {
    if (access("/usr/bin/gpsfake", X_OK) != 0) GTEST_SKIP() << "gpsfake is not installed";
    const uint16_t port = FreePort();
    ASSERT_NE(port, 0);
    const pid_t fake = fork();
    if (fake == 0) {
        setpgid(0, 0);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        const std::string p = std::to_string(port);
        execl("/usr/bin/gpsfake", "gpsfake", "-q", "-c", "0.1", "-P", p.c_str(), kRoute.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    {
        GpsStation s([&](Preferences& p) {
            test::SetPref(p, "gps_source", "1");
            test::SetPref(p, "gpsd_host", "127.0.0.1");
            test::SetPref(p, "gpsd_port", std::to_string(port));
        });
        // gpsd takes a moment to start: the client says so once and tries again.
        const auto poll = [&] {
            s.program->OnTimer(kTimerLink);
            return AtRouteEnd(s.Me());
        };
        EXPECT_TRUE(Pump(poll, 20000)) << s.Me().lat << " " << s.program->Gps().ConsoleText();
        EXPECT_TRUE(s.program->Gps().GpsdConnected());
        EXPECT_NE(s.program->Gps().ConsoleText().find("source gpsd"), std::string::npos);
    }
    kill(-fake, SIGTERM);
    waitpid(fake, nullptr, 0);
}

// The Garmin link on a pseudo-terminal, with our simulated unit at the far
// end: identification, a 500-point track log that lands on the map, and a
// waypoint upload.
TEST(GpsLive, AGarminUnitOnASerialPort) {
    if (!test::SocatPair::Available()) GTEST_SKIP() << "socat is not installed";
    test::SocatPair pty;
    ASSERT_TRUE(pty.Ready());
    test::GarminSimulator unit(500);
    GpsStation s([&](Preferences& p) { test::SetPref(p, "port7_device", pty.Near()); });
    GarminModule& g = s.program->Garmin();
    const auto serve = [&](const std::function<bool()>& done) {
        return Pump([&] {
            const std::string from = pty.Read();
            if (!from.empty()) pty.Write(unit.Take(from));
            return done();
        });
    };
    using B = GarminModule::Button;
    g.Press(B::kOpen);
    ASSERT_EQ(g.LastStatus(), "GPS Port Open");
    g.Press(B::kProduct);
    ASSERT_TRUE(serve([&] { return g.Link().ProductId() == 72; })) << g.LastStatus();
    EXPECT_EQ(g.LastStatus(), "Velmora GPS simulator");
    g.Press(B::kTrack);
    ASSERT_TRUE(serve([&] { return g.Link().Track().size() == 500 && g.LastStatus().rfind("Last Record", 0) == 0; }))
        << g.LastStatus();
    // On the map: a line through the track's box, in two pieces.
    const auto& points = s.program->Maps().Track().Points();
    ASSERT_EQ(points.size(), 501u);
    EXPECT_EQ(points[251].pen, 255);
    MapWindow w(800, 600);
    w.SetViewTo({LonUnitsFromDegrees(-72.6), LonUnitsFromDegrees(-72.1), LatUnitsFromDegrees(41.8), LatUnitsFromDegrees(41.4)});
    RecordingSurface surface;
    const_cast<TrackOverlay&>(s.program->Maps().Track()).DrawOver(surface, w);
    size_t lines = 0;
    for (const std::string& c : surface.calls) lines += c.rfind("line ", 0) == 0;
    EXPECT_EQ(lines, 498u);  // 499 steps less the break between the pieces
    g.Press(B::kSaveTrack, (s.folder / "GarTrack.log").string());
    EXPECT_TRUE(std::filesystem::exists(s.folder / "GarTrack.log"));

    g.Link().Waypoints() = {{"HOME", "the shack", LatUnitsFromDegrees(41.5), LonUnitsFromDegrees(-72.5)}};
    g.Press(B::kUpload);
    ASSERT_TRUE(serve([&] { return unit.transferDone; })) << g.LastStatus();
    ASSERT_EQ(unit.uploaded.size(), 1u);
    EXPECT_EQ(unit.uploaded[0].comment, "the shack");  // (product 72 takes 88 as its first byte)
    g.Press(B::kScreen);
    ASSERT_TRUE(serve([&] { return g.Link().ScreenPixels().size() == 32 && g.LastStatus().find("line =   4") != std::string::npos; }))
        << g.LastStatus();
    const QImage screen = GarminScreenImage(g.Link());
    ASSERT_EQ(screen.size(), QSize(8, 4));
    EXPECT_EQ(screen.pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(3, 1), qRgb(255, 255, 255));
    g.Press(B::kClose);
    EXPECT_EQ(g.LastStatus(), "GPS Port Closed");
}

}  // namespace
}  // namespace velmora
