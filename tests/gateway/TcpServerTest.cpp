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
        EXPECT_TRUE(server.Listen(2023));
    }
    ServerHooks Hooks() {
        ServerHooks h;
        h.receivedLine = [this](std::string_view l) { received.emplace_back(l); };
        h.exchangeLine = [this](std::string_view l) { exchanged.emplace_back(l); };
        h.passcode = [](std::string_view call) { return Passcode(call); };
        h.exchangeLines = [](const StationRecord& r) { return StationExchangeLines(r); };
        return h;
    }
    Client* Connect(const std::string& peer = "127.0.0.1:5000") { return network.listeners.at(0)->Accept(peer); }
    std::string Login(const std::string& call, int pass) {
        return "user " + call + " pass " + std::to_string(pass) + " vers TestClient 1.0\r\n";
    }

    test::TestApp t;
    FakeNetwork network;
    TcpServer server;
    std::vector<std::string> received, exchanged;
};

TEST(TcpServer, AVerifiedClientIsAnnouncedGetsTheDumpAndMayInject) {
    ServerFixture f;
    Client* c = f.Connect();
    c->Deliver(f.Login("K1ABC", Passcode("K1ABC")));
    EXPECT_EQ(c->written,
              "VELMORA>APZVM,TCPIP*::USERLIST :Verified user K1ABC logged on using TestClient 1.0{001\r\n");
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
    EXPECT_EQ(f.received, std::vector<std::string>{"K1ABC>APRS,TCPIP*:>injected"});
    EXPECT_EQ(f.exchanged.size(), 1u);
    EXPECT_NE(c->written.find("K1ABC>APRS,TCPIP*:>injected\r\n"), std::string::npos);  // back to every client
    EXPECT_EQ(f.server.served, 1);
}

TEST(TcpServer, UnverifiedClientsOnlyPassTcpipLinesMarkedTcpxx) {
    ServerFixture f;
    Client* c = f.Connect();
    c->Deliver("user K1ABC pass 12345\r\n");  // four words: no software
    EXPECT_EQ(c->written, "VELMORA>APZVM,TCPIP*::USERLIST :Unverified user K1ABC logged on using {001\r\n");
    c->Deliver("K1ABC>APRS:>no tcpip here\r\nK1ABC>APRS,TCPIP*:>over the net\r\n");
    EXPECT_EQ(f.received, std::vector<std::string>{"K1ABC>APRS,TCPXX*:>over the net"});
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
}

TEST(TcpServer, LineAssemblyAndHostileInput) {
    ServerFixture f;
    Client* c = f.Connect();
    c->Deliver(f.Login("K1ABC", Passcode("K1ABC")));
    c->Deliver("K1ABC>APRS:>one\r");
    c->Deliver("\nK1ABC>APRS:>two\n\rK1ABC>APRS:>three\tstays\x01");
    EXPECT_EQ(f.received, (std::vector<std::string>{"K1ABC>APRS:>one", "K1ABC>APRS:>two", "K1ABC>APRS:>three\tstays"}));
    f.received.clear();
    c->Deliver(std::string(1 << 20, 'x'));  // a megabyte without a line end: 512-character lines
    EXPECT_EQ(f.received.size(), (1u << 20) / 512 - 1);
    for (const std::string& line : f.received) ASSERT_LE(line.size(), 512u);
    f.received.clear();
    c->Deliver(std::string("K1ABC>APRS:>nul\0inside\r\n", 24));
    // The megabyte's last 512 characters end where the NUL does; "inside" is too short to count.
    EXPECT_EQ(f.received, (std::vector<std::string>{std::string(512, 'x'), "K1ABC>APRS:>nul"}));
    for (int i = 0; i < 10000; ++i) c->Deliver("user K1ABC pass 1 vers a b\r\n");  // forwarded, not logins
    EXPECT_EQ(f.server.userListNumber, 2);
}

TEST(TcpServer, FortyClientsThirtyTwoServedAndASlowOneLetGo) {
    ServerFixture f;
    std::vector<Client*> clients;
    for (int i = 0; i < 40; ++i) {
        Client* c = f.Connect("127.0.0.1:" + std::to_string(6000 + i));
        if (i < 32) clients.push_back(c);
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
