#include <gtest/gtest.h>

#include "gateway/StationExchange.h"
#include "gateway/TcpServer.h"
#include "platform/fake/FakeNetwork.h"
#include "ports/InternetHosts.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using Client = FakeNetwork::Connection;

struct ServerFixture {
    ServerFixture() : server(&network, t.app.Now(), t.notices, t.app.Stations(), Hooks()) {
        t.Live("N0ME>APRS:!4130.00N/07230.00W-own");
        t.Live("W1AW>APRS:!4140.00N/07240.00W-second");
        ServerSettings settings;
        settings.name = "N0ME";
        server.Configure(settings);
        EXPECT_TRUE(server.Listen(2023));
    }
    ServerHooks Hooks() {
        ServerHooks h;
        h.receivedLine = [this](std::string_view l, const ClientLogin& from) {
            received.emplace_back(l);
            fromVerified.push_back(from.verified);
        };
        h.exchangeLine = [this](std::string_view l) { exchanged.emplace_back(l); };
        h.passcode = [](std::string_view call) { return Passcode(call); };
        h.exchangeLines = [](const StationRecord& r) { return StationExchangeLines(r); };
        return h;
    }
    // A client, its greeting already read.
    Client* Connect(const std::string& peer = "127.0.0.1:5000") {
        Client* c = network.listeners.at(0)->Accept(peer);
        EXPECT_EQ(c->written, "# Velmora 2.2.8\r\n");
        c->written.clear();
        return c;
    }
    std::string Login(const std::string& call, int pass, const std::string& software = "TestClient 1.0") {
        return "user " + call + " pass " + std::to_string(pass) + " vers " + software + "\r\n";
    }

    test::TestApp t;
    FakeNetwork network;
    TcpServer server;
    std::vector<std::string> received, exchanged;
    std::vector<bool> fromVerified;
};

TEST(TcpServer, AnotherVelmoraIsAnnouncedGetsTheDumpAndMayInject) {
    ServerFixture f;
    Client* c = f.Connect();
    c->Deliver(f.Login("K1ABC", Passcode("K1ABC"), "Velmora 2.2.8"));
    EXPECT_EQ(c->written, "# logresp K1ABC verified, server N0ME\r\n"
                          "VELMORA>APZVM,TCPIP*::USERLIST :Verified user K1ABC logged on using Velmora 2.2.8{001\r\n");
    c->written.clear();
    f.server.Idle();  // one station a pass, the own station first
    ASSERT_GE(c->written.size(), 82u);
    EXPECT_EQ(c->written.substr(0, 12), ":N0ME     00");
    f.server.Idle();
    EXPECT_NE(c->written.find(":W1AW     00"), std::string::npos);
    f.server.Idle();
    const size_t dumped = c->written.size();
    f.server.Idle();
    EXPECT_EQ(c->written.size(), dumped);  // the dump ended at the first free record
    c->Deliver("K1ABC>APRS,TCPIP*:>injected\r\n:K2XYZ    00  2F  5 0 0 0 0 0 0 0 0 0 0 0\r\n");
    EXPECT_EQ(f.received, std::vector<std::string>{"K1ABC>APRS,TCPIP*,qAC,N0ME:>injected"});
    EXPECT_EQ(f.exchanged.size(), 1u);
    EXPECT_EQ(c->written.size(), dumped);  // its own line is not echoed back to it
    EXPECT_EQ(f.server.served, 1);
}

TEST(TcpServer, OtherProgramsGetAPlainAprsIsStream) {
    ServerFixture f;
    Client* xastir = f.Connect();
    Client* other = f.Connect("127.0.0.1:5001");
    xastir->Deliver(f.Login("K1ABC", Passcode("K1ABC"), "Xastir 2.1.8"));
    EXPECT_EQ(xastir->written, "# logresp K1ABC verified, server N0ME\r\n");
    for (int i = 0; i < 4; ++i) f.server.Idle();
    EXPECT_EQ(xastir->written, "# logresp K1ABC verified, server N0ME\r\n");  // no dump, no USERLIST
    xastir->Deliver("#filter r/41/-72/50\r\n");  // a client's remark: neither decoded nor passed on
    EXPECT_TRUE(f.received.empty());
    xastir->Deliver("K1ABC-9>APRS,WIDE1-1,qAR,K1ABC:>heard by its IGate\r\n");
    EXPECT_EQ(other->written, "K1ABC-9>APRS,WIDE1-1,qAR,K1ABC:>heard by its IGate\r\n");  // q construct kept
}

TEST(TcpServer, QConstructsAndTheUnverifiedRule) {
    const ClientLogin verified{"K1ABC", true}, unverified{"K1ABC", false};
    const struct {
        const char* line;
        const ClientLogin& login;
        const char* out;  // "" refused
    } cases[] = {
        {"K1ABC>APRS,TCPIP*:>mine", verified, "K1ABC>APRS,TCPIP*,qAC,N0ME:>mine"},
        {"K1ABC-5>APRS:>another of mine", verified, "K1ABC-5>APRS,qAO,K1ABC:>another of mine"},
        {"W1AW>APRS,WIDE2-1,qAR,K1ABC:>gated", verified, "W1AW>APRS,WIDE2-1,qAR,K1ABC:>gated"},
        {"K1ABC>APRS,TCPIP*:>over TCPIP", unverified, "K1ABC>APRS,TCPXX*,qAX,N0ME:>over TCPIP"},
        {"K1ABC>APRS,TCPIP*,qAC,FAKE:>claims qAC", unverified, "K1ABC>APRS,TCPXX*,qAX,N0ME:>claims qAC"},
        // TCPIP only in the text: the path is what counts.
        {"TE7X-1>APRS,WIDE1-1::TE5R-2   :hi TCPIP{9", unverified, ""},
        {"K1ABC>APRS:>no tcpip here", unverified, ""},
        {"not a packet at all", verified, ""},
        {">APRS:no source", verified, ""},
        {"K1ABC>APRS,TCPIP*:", verified, ""},
    };
    for (const auto& c : cases) {
        const auto out = ClientPacket(c.line, c.login, "N0ME");
        EXPECT_EQ(out.value_or(""), c.out) << c.line;
    }
}

TEST(TcpServer, UnverifiedClientsOnlyPassTcpipLinesMarkedTcpxx) {
    ServerFixture f;
    Client* c = f.Connect();
    c->Deliver("user K1ABC pass 12345\r\n");  // four words: no software
    EXPECT_EQ(c->written, "# logresp K1ABC unverified, server N0ME\r\n");
    c->Deliver("K1ABC>APRS:>no tcpip here\r\nK1ABC>APRS,TCPIP*:>over the net\r\n");
    c->Deliver("TE7X-1>APRS,WIDE1-1::TE5R-2   :hi TCPIP{9\r\n");  // TCPIP in the text only
    EXPECT_EQ(f.received, std::vector<std::string>{"K1ABC>APRS,TCPXX*,qAX,N0ME:>over the net"});
    EXPECT_EQ(f.fromVerified, std::vector<bool>{false});
    Client* silent = f.Connect("127.0.0.1:5001");
    silent->Deliver("first line long enough\r\nsecond line long enough\r\nuser K2ABC pass 1 vers x y\r\n");
    silent->Deliver("K2ABC>APRS,TCPIP*:>never logged in\r\n");
    EXPECT_EQ(f.received.size(), 1u);  // nothing from a client that never logged in
    // Ten characters or fewer are ignored and not counted.
    Client* shortLines = f.Connect("127.0.0.1:5002");
    shortLines->Deliver("0123456789\r\n0123456789\r\n0123456789\r\nuser K3ABC pass 1\r\n");
    const auto* s = dynamic_cast<const StreamClientConnection*>(f.server.Connections()[2].get());
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->loggedIn);
    EXPECT_EQ(s->linesReceived, 1);
    EXPECT_EQ(s->peerName, "127.0.0.1");  // the address, without the far end's port
}

TEST(TcpServer, LineAssemblyAndHostileInput) {
    ServerFixture f;
    Client* c = f.Connect();
    c->Deliver(f.Login("K1ABC", Passcode("K1ABC")));
    c->Deliver("K1ABC>APRS:>one\r");
    c->Deliver("\nK1ABC>APRS:>two\n\rK1ABC>APRS:>three\x01 \x1B[2Jstays\r\n");
    c->Deliver("K1ABC>APRS:>Caf\xC3\xA9 \xC4\x8D\r\n");  // UTF-8: "\x8D" is no line end
    EXPECT_EQ(f.received, (std::vector<std::string>{"K1ABC>APRS,qAC,N0ME:>one", "K1ABC>APRS,qAC,N0ME:>two",
                                                    "K1ABC>APRS,qAC,N0ME:>three [2Jstays",
                                                    "K1ABC>APRS,qAC,N0ME:>Caf\xC3\xA9 \xC4\x8D"}));
    f.received.clear();
    c->Deliver(std::string(1 << 20, 'x'));  // a megabyte without a line end
    c->Deliver("FAKE2>APRS:!4100.00N/07300.00W-tail\r\n");  // ...whose tail is no packet of its own
    c->Deliver(std::string(500, 'y') + "\r\n");
    EXPECT_TRUE(f.received.empty());
    c->Deliver("K1ABC>APRS:>" + std::string(490, 'z') + "\r\n");  // 502 bytes: allowed
    ASSERT_EQ(f.received.size(), 1u);
    c->Deliver(std::string("K1ABC>APRS:>nul\0inside\r\n", 24));
    EXPECT_EQ(f.received.back(), "K1ABC>APRS,qAC,N0ME:>nulinside");
    for (int i = 0; i < 10000; ++i) c->Deliver("user K1ABC pass 1 vers a b\r\n");  // no packets, not logins
    EXPECT_EQ(f.server.userListNumber, 2);
}

TEST(TcpServer, FortyClientsThirtyTwoServedAndASlowOneLetGo) {
    ServerFixture f;
    std::vector<Client*> clients;
    for (int i = 0; i < 40; ++i) {
        Client* c = f.network.listeners.at(0)->Accept("127.0.0.1:" + std::to_string(6000 + i));
        if (i < 32) clients.push_back(c);
        if (i < 32) c->written.clear();
        else EXPECT_EQ(c->written, "# server full\r\n");  // said before it is let go
    }
    EXPECT_EQ(f.server.ActiveCount(), 32u);
    EXPECT_EQ(f.server.refused, 8);
    EXPECT_EQ(f.server.served, 32);
    clients[5]->pending = TcpServer::kMaxBacklog;  // stopped reading
    f.server.SendToClients("W1AW>APRS:>to everyone");
    EXPECT_EQ(clients[4]->written, "W1AW>APRS:>to everyone\r\n");
    EXPECT_EQ(clients[5]->written, "");
    f.server.Idle();
    EXPECT_EQ(f.server.ActiveCount(), 31u);
    EXPECT_NE(std::find_if(f.t.notices.status.begin(), f.t.notices.status.end(),
                           [](const std::string& s) { return s.find("fell behind") != std::string::npos; }),
              f.t.notices.status.end());
    clients[6]->Close("Connection reset");
    f.server.Idle();
    EXPECT_EQ(f.server.ActiveCount(), 30u);
    f.server.SendToClients("W1AW>APRS:>still flowing");
    EXPECT_EQ(clients[7]->written, "W1AW>APRS:>to everyone\r\nW1AW>APRS:>still flowing\r\n");
    // Thirty minutes without a word from a client: it is let go, with a remark.
    clients[8]->Deliver("#keepalive from eight\r\n");
    f.t.clock.Advance(29 * 60);
    f.t.app.RefreshClock();
    clients[8]->Deliver("#keepalive from eight\r\n");
    f.t.clock.Advance(60 + 1);
    f.t.app.RefreshClock();
    f.server.Idle();
    EXPECT_EQ(f.server.ActiveCount(), 1u);
    EXPECT_EQ(f.server.Connections()[8]->peerName, "127.0.0.1");  // the one that spoke stays
    EXPECT_NE(f.t.notices.status.back().find("said nothing for 30 minutes"), std::string::npos);
}

TEST(TcpServer, APortThatCannotBeOpenedIsSaidPlainly) {
    test::TestApp t;
    FakeNetwork network;
    network.refuseListen = true;
    TcpServer server(&network, t.app.Now(), t.notices, t.app.Stations(), ServerHooks{});
    EXPECT_FALSE(server.Listen(23));
    ASSERT_FALSE(t.notices.status.empty());
    EXPECT_EQ(t.notices.status.back(), "The APRS server cannot listen on port 23: Address already in use (ports below 1024 "
                                       "need privileges; try 2023)");
    server.SendToClients("nothing to send to");  // no clients, no harm
}

TEST(LoginLine, WordsOfTheLogin) {
    const LoginWords w = ParseLoginLine("user  K1ABC-5 pass 12345 vers Velmora 2.2.8 filter r/41/-72/50");
    EXPECT_EQ(w.callsign, "K1ABC-5");
    EXPECT_EQ(w.passNumber, 12345);
    EXPECT_EQ(w.software, "Velmora 2.2.8");
    EXPECT_EQ(ParseLoginLine("user K1ABC").callsign, "");
}

}  // namespace
}  // namespace velmora
