// The internet link against a small APRS-IS stand-in of our own on
// 127.0.0.1: login and logresp, the stream, a server that closes at once,
// and a refused port. Nothing may hold up the event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/InternetModule.h"
#include "app/Program.h"
#include "platform/fake/RecordingNotices.h"
#include "platform/qt/QtNetwork.h"
#include "support/SerialProgram.h"
#include "support/AprsIsStandIn.h"
#include "ui/HeadlessUi.h"

namespace velmora {
namespace {

bool PumpUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

struct Station {
    explicit Station(const std::string& hosts) : folder(test::MakeTempFolder()), files(folder.string()) {
        Preferences prefs;
        test::SetPref(prefs, "own_call", "N0ME-5");
        prefs.SetOwnLatitude(41.5);
        prefs.SetOwnLongitude(-72.5);
        EXPECT_TRUE(prefs.Save(files));
        std::ofstream(folder / "APRServe.txt") << hosts;
        std::filesystem::create_directory(folder / "Maps");
        ProgramOptions o;
        o.network = &network;
        o.maps = &ui;
        o.lists = &ui;
        program = std::make_unique<Program>(Platform{clock, notices, files}, ui, o);
        ui.Attach(program.get());
        program->Start();
    }
    ~Station() {
        program->Stop();
        ui.Attach(nullptr);
        program.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::filesystem::path folder;
    DiskFiles files;
    SystemClock clock;
    RecordingNotices notices;
    HeadlessUi ui;
    QtNetwork network;
    std::unique_ptr<Program> program;
};

TEST(InternetLoopback, LogsInIsVerifiedAndDecodesTheStream) {
    test::AprsIsStandIn server;
    ASSERT_TRUE(server.listener);
    Station s("127.0.0.1\t" + std::to_string(server.listener->Port()) + "\tStand-in\n");
    s.program->Command(kCmdFirstLink);
    const InternetLink& link = s.program->Internet().Links().Links()[0];
    ASSERT_TRUE(PumpUntil([&] { return s.program->Core().Stations().Lookup("W1LB") >= 0; }, 5000));
    EXPECT_TRUE(link.verified);
    EXPECT_NE(server.received.find("user N0ME-5 pass " + std::to_string(Passcode("N0ME-5")) + " vers Velmora 2.2.8"),
              std::string::npos) << server.received;
    // Then the own position, in internet form.
    ASSERT_TRUE(PumpUntil([&] { return server.received.find("N0ME-5>APZ228,TCPIP*:=") != std::string::npos; }, 3000));
}

TEST(InternetLoopback, AServerThatClosesAtOnceAndARefusedPortHoldNothingUp) {
    test::AprsIsStandIn server;
    ASSERT_TRUE(server.listener);
    server.closeAtOnce = true;
    // A port nobody listens on: the stand-in's, after it is gone.
    uint16_t refused = 0;
    {
        test::AprsIsStandIn gone;
        refused = gone.listener->Port();
    }
    Station s("127.0.0.1\t" + std::to_string(server.listener->Port()) + "\tCloses\n127.0.0.1\t" +
              std::to_string(refused) + "\tRefuses\n");
    QElapsedTimer opening;
    opening.start();
    s.program->Command(kCmdFirstLink);
    EXPECT_LT(opening.elapsed(), 200);  // the command returns before anything is connected
    const auto& links = s.program->Internet().Links().Links();
    ASSERT_TRUE(PumpUntil([&] { return links[0].connectCount >= 1 && !links[0].connected && links[0].retryAt != 0; },
                          5000));
    s.program->Command(kCmdCloseAllLinks);
    s.program->Command(static_cast<uint16_t>(kCmdFirstLink + 1));
    ASSERT_TRUE(PumpUntil([&] { return links[1].retryAt != 0; }, 5000));
    EXPECT_TRUE(links[1].wanted);  // tried again later
    EXPECT_FALSE(links[1].connected);
}

}  // namespace
}  // namespace velmora
