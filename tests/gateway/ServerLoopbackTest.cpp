// The APRS server on real sockets on 127.0.0.1: a verified client and its
// dump, an unverified client's packets, and a second Velmora whose internet
// link takes the first one's stations through the exchange lines.
#include <gtest/gtest.h>

#include "support/PumpUntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/InternetModule.h"
#include "app/Program.h"
#include "platform/fake/RecordingNotices.h"
#include "platform/qt/QtNetwork.h"
#include "ports/InternetHosts.h"
#include "support/SerialProgram.h"
#include "support/LoopbackStation.h"

namespace velmora {
namespace {

using test::PumpUntil;

// A raw client: a socket and what it was sent.
struct RawClient {
    RawClient(QtNetwork& net, uint16_t port) {
        std::string error;
        socket = net.Connect("127.0.0.1", port, 3000, &error);
        if (socket) socket->onData = [this](std::string_view b) { received += b; };
    }
    std::unique_ptr<TcpSocket> socket;
    std::string received;
};

TEST(ServerLoopback, ClientsAndASecondVelmora) {
    test::LoopbackStation a("N0AAA", 41.5, [](Preferences& p) {
        test::SetPref(p, "enable_server", "1");
        test::SetPref(p, "server_port", "0");  // any free port
    });
    a.program->Core().ProcessReceivedLine("W1AW>APRS,WIDE2-1:!4140.00N/07240.00W-heard by A", Liveness::kLive,
                                          SourceKind::kVhf);
    const uint16_t port = a.ServerPort();
    ASSERT_NE(port, 0);

    QtNetwork net;
    RawClient verified(net, port);
    ASSERT_TRUE(verified.socket);
    verified.socket->Write("user K1ABC pass " + std::to_string(Passcode("K1ABC")) + " vers Velmora 2.2.8\r\n");
    ASSERT_TRUE(PumpUntil([&] {
        a.Poll();
        return verified.received.find(":W1AW     00") != std::string::npos;
    }, 5000)) << verified.received;
    EXPECT_NE(verified.received.find("USERLIST :Verified user K1ABC logged on using Velmora 2.2.8{001"), std::string::npos);
    EXPECT_NE(verified.received.find(":N0AAA    00"), std::string::npos);

    RawClient unverified(net, port);
    ASSERT_TRUE(unverified.socket);
    unverified.socket->Write("user K2ABC pass 1 vers Test 1.0\r\nK2ABC>APRS,TCPIP*:>from an unverified client\r\n");
    ASSERT_TRUE(PumpUntil([&] {
        a.Poll();
        return verified.received.find("K2ABC>APRS,TCPXX*,qAX,N0AAA:>from an unverified client") != std::string::npos;
    }, 5000)) << verified.received;
    EXPECT_GE(a.program->Core().Stations().Lookup("K2ABC"), 0);  // decoded at A too

    // What A hears on radio goes to every client.
    a.program->Core().ProcessReceivedLine("K3RF>APRS:>on the radio", Liveness::kLive, SourceKind::kVhf);
    ASSERT_TRUE(PumpUntil([&] { return unverified.received.find("K3RF>APRS:>on the radio\r\n") != std::string::npos; },
                          3000));

    // A second Velmora's internet link, to A's server.
    test::LoopbackStation b("N0BBB", 42.0, [](Preferences&) {}, "127.0.0.1\t" + std::to_string(port) + "\tVelmora A\n");
    b.program->Command(kCmdFirstLink);
    ASSERT_TRUE(PumpUntil([&] {
        a.Poll();
        b.Poll();
        return b.program->Core().Stations().Lookup("W1AW") >= 0 && b.program->Core().Stations().Lookup("N0AAA") >= 0;
    }, 8000));
    const StationRecord& w = b.program->Core().Stations().At(b.program->Core().Stations().Lookup("W1AW"));
    const StationRecord& original = a.program->Core().Stations().At(a.program->Core().Stations().Lookup("W1AW"));
    EXPECT_EQ(w.lat, original.lat);
    EXPECT_EQ(w.lon, original.lon);
    EXPECT_EQ(a.program->Gateway().Server().ActiveCount(), 3u);
}

}  // namespace
}  // namespace velmora
