// The internet link against a small APRS-IS stand-in of our own on
// 127.0.0.1: login and logresp, the stream, a server that closes at once,
// and a refused port. Nothing may hold up the event loop.
#include <gtest/gtest.h>

#include "support/PumpUntil.h"

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
#include "support/LoopbackStation.h"

namespace velmora {
namespace {

using test::PumpUntil;

TEST(InternetLoopback, LogsInIsVerifiedAndDecodesTheStream) {
    test::AprsIsStandIn server;
    ASSERT_TRUE(server.listener);
    test::LoopbackStation s("N0ME-5", 41.5, {}, "127.0.0.1\t" + std::to_string(server.listener->Port()) + "\tStand-in\n");
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
    test::LoopbackStation s("N0ME-5", 41.5, {}, "127.0.0.1\t" + std::to_string(server.listener->Port()) + "\tCloses\n127.0.0.1\t" +
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
