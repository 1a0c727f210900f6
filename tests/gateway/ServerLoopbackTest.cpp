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
#include "support/AprsIsStandIn.h"
#include "ports/PortRole.h"

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

// 8-bit text end to end: from the internet and from radio into the station
// table, the log and the server's stream, as it came.
TEST(ServerLoopback, EightBitTextIsKeptEndToEnd) {
    test::AprsIsStandIn is;
    ASSERT_TRUE(is.listener);
    is.stream = {"W1NET>APRS,TCPIP*,qAC,STANDIN:>Caf\xC3\xA9 from the net"};
    test::LoopbackStation a("N0AAA", 41.5, [](Preferences& p) {
        test::SetPref(p, "enable_server", "1");
        test::SetPref(p, "server_port", "0");
        test::SetPref(p, "auto_log_aprs", "1");
    }, "127.0.0.1\t" + std::to_string(is.listener->Port()) + "\tStand-in\n");
    const uint16_t port = a.ServerPort();
    ASSERT_NE(port, 0);
    QtNetwork net;
    RawClient xastir(net, port), sender(net, port);
    ASSERT_TRUE(xastir.socket && sender.socket);
    xastir.socket->Write("user K1XAS pass " + std::to_string(Passcode("K1XAS")) + " vers Xastir 2.1.8\r\n");
    sender.socket->Write("user K1SND pass " + std::to_string(Passcode("K1SND")) + " vers aprx 2.9\r\n");
    a.program->Command(kCmdFirstLink);
    const StationTable& st = a.program->Core().Stations();
    ASSERT_TRUE(PumpUntil([&] {
        a.Poll();
        return st.Lookup("W1NET") >= 0 && xastir.received.find("# logresp K1XAS verified") != std::string::npos &&
               sender.received.find("# logresp") != std::string::npos;
    }, 5000)) << xastir.received;
    EXPECT_EQ(st.At(st.Lookup("W1NET")).status.View(), ">Caf\xC3\xA9 from the net");

    // Heard on the VHF TNC (a text-mode TNC's line).
    a.program->Ports().PortInput(kPortVhfTnc, "W1RF>APRS,WIDE1-1:>Gr\xC3\xBC\xC3\x9F" "e \xC2\xB0 from RF\r");
    const std::string rf = "W1RF>APRS,WIDE1-1:>Gr\xC3\xBC\xC3\x9F" "e \xC2\xB0 from RF";
    ASSERT_TRUE(PumpUntil([&] { return xastir.received.find(rf + "\r\n") != std::string::npos; }, 3000))
        << xastir.received;
    ASSERT_GE(st.Lookup("W1RF"), 0);
    EXPECT_EQ(st.At(st.Lookup("W1RF")).status.View(), ">Gr\xC3\xBC\xC3\x9F" "e \xC2\xB0 from RF");
    std::string log;
    for (const auto& e : std::filesystem::directory_iterator(a.folder / "Logs")) {
        std::ifstream in(e.path(), std::ios::binary);
        log += std::string((std::istreambuf_iterator<char>(in)), {});
    }
    EXPECT_NE(log.find(rf + "\r\n"), std::string::npos) << log;

    // A client's line goes to the others as it came, with its q construct;
    // never back to the client that sent it.
    sender.socket->Write("K1SND>APRS,TCPIP*:>Caf\xC3\xA9 from a client\r\n");
    ASSERT_TRUE(PumpUntil([&] {
        a.Poll();
        return xastir.received.find("K1SND>APRS,TCPIP*,qAC,N0AAA:>Caf\xC3\xA9 from a client\r\n") != std::string::npos;
    }, 3000)) << xastir.received;
    EXPECT_EQ(sender.received.find("from a client"), std::string::npos);
    // No station-exchange lines or USERLIST for programs that are not Velmora.
    EXPECT_EQ(xastir.received.find("USERLIST"), std::string::npos);
    EXPECT_EQ(xastir.received.find(":N0AAA    00"), std::string::npos);
    EXPECT_EQ(xastir.received.rfind("# Velmora 2.2.8\r\n", 0), 0u);
}

// Mail for us on the console: one line each, never the whole list again
// (4,000 messages once printed 364 MB and stalled the console).
TEST(ServerLoopback, EachNewMessagePrintsOneLine) {
    test::AprsIsStandIn is;
    ASSERT_TRUE(is.listener);
    is.stream.clear();
    for (int i = 0; i < 300; ++i)
        is.stream.push_back("W1NET>APRS,TCPIP*,qAC,STANDIN::N0AAA    :note " + std::to_string(i) + "{" + std::to_string(i) + "}");
    test::LoopbackStation a("N0AAA", 41.5, {}, "127.0.0.1\t" + std::to_string(is.listener->Port()) + "\tStand-in\n");
    testing::internal::CaptureStdout();
    a.program->Command(kCmdFirstLink);
    const bool all = PumpUntil([&] {
        a.Poll();
        return a.program->Core().Messages().Count() >= 300;
    }, 8000);
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(all);
    size_t mails = 0;
    for (size_t at = out.find("Mail from W1NET: note "); at != std::string::npos; at = out.find("Mail from W1NET: note ", at + 1))
        ++mails;
    EXPECT_EQ(mails, 300u);
    EXPECT_LT(out.size(), 300u * 200);  // a line a message, not the list each time
}

// Found as: the schedule offered the position to the server's clients only
// through a fake; the program said its server was never on. Minutes 2, 6,
// 10... bring it to a real client; other minutes do not.
TEST(ServerLoopback, ClientsGetThePositionAtEveryFourthMinute) {
    test::LoopbackStation a("N0AAA", 41.5, [](Preferences& p) {
        test::SetPref(p, "enable_server", "1");
        test::SetPref(p, "server_port", "0");
    });
    QtNetwork net;
    RawClient client(net, a.ServerPort());
    ASSERT_TRUE(client.socket);
    client.socket->Write("user K1ABC pass -1 vers Test 1.0\r\n");
    ASSERT_TRUE(PumpUntil([&] {
        a.Poll();
        return client.received.find("# logresp") != std::string::npos;
    }, 5000));
    const std::string position = "N0AAA>APZ228,TCPIP*:=4130.00N/07230.00W";
    a.program->Transmitter().MinuteChanged(MakeDateTime(2026, 12, 10, 9, 1, 0));
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(client.received.find(position), std::string::npos) << client.received;
    a.program->Transmitter().MinuteChanged(MakeDateTime(2026, 12, 10, 9, 2, 0));
    EXPECT_TRUE(PumpUntil([&] { return client.received.find(position) != std::string::npos; }, 3000))
        << client.received;
}

}  // namespace
}  // namespace velmora
