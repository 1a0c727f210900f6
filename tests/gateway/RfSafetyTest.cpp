// What may reach the air through us, on the whole program with Dire Wolf as
// its KISS TNC: each fault in the form it was found. Every test first lets a
// good packet through the same road, so "nothing on the air" means the
// road was open and the bad packet was stopped.
#include <gtest/gtest.h>

#include <fstream>

#include "app/InternetModule.h"
#include "ports/InternetHosts.h"
#include "support/AprsIsStandIn.h"
#include "support/Direwolf.h"
#include "support/KissStation.h"

namespace velmora {
namespace {

using test::KissStation;

// A Velmora with the IGate on, its TNC on Dire Wolf's pty, W1DW heard
// locally on radio (so messages to it would be gated).
struct Gateway {
    explicit Gateway(const KissStation::Prepare& more = {})
        : v("/tmp/kisstnc", [&](Preferences& p, const std::filesystem::path& folder) {
              test::SetPref(p, "outgoing_third_party", "1");
              test::SetPref(p, "igate_per_minute", "30");
              test::SetPref(p, "igate_per_five_minutes", "60");
              std::ofstream(folder / "APRServe.txt") << "127.0.0.1\t" << is.listener->Port() << "\tStand-in\n";
              if (more) more(p, folder);
          }) {}
    bool HearLocal() {
        if (!dw.Play("W1DW>APRS:!4140.00N/07240.00W-local on RF\n")) return false;
        return v.Until([&] { return v.Station("W1DW") != nullptr; });
    }
    // A message from the internet to W1DW went out on the air.
    bool OnAir(const std::string& text) { return dw.Output().find(text) != std::string::npos; }
    bool WaitOnAir(const std::string& text) {
        return v.Until([&] { return OnAir(text); }, 8000);
    }
    test::Direwolf dw;
    test::AprsIsStandIn is;
    KissStation v;
};

TEST(RfSafety, InternetLinesCannotInjectAPacketOrGateACutLine) {
    if (!test::Direwolf::Available()) GTEST_SKIP() << "direwolf is not installed";
    Gateway g;
    ASSERT_TRUE(g.dw.Ready()) << g.dw.Output();
    g.is.stream.clear();
    ASSERT_TRUE(g.v.program->IsChecked(kCmdOpenVhfTnc));
    g.v.program->Command(kCmdFirstLink);
    ASSERT_TRUE(g.v.Until([&] { return g.is.answered && g.v.program->Internet().Open(); }));
    ASSERT_TRUE(g.HearLocal()) << g.dw.Output();

    // 8-bit injection: "\xC4\x8D" is "c-caron"; masked to 7 bits it was a CR.
    g.is.client->Write("TE6T-2>APRS,TCPIP*,qAC,STANDIN:!4935.00N/07225.00W-Pe\xC4\x8D"
                       "TE6X-9>APRS,WIDE1-1::W1DW     :spoofed message{99\r\n");
    // A line over the limit: its head was once gated as a message without its number.
    g.is.client->Write("W1NET>APRS,TCPIP*,qAC,STANDIN::W1DW     :head of a long line " + std::string(600, 'x') +
                       "{98\r\n");
    // Within the line limit but longer than the information field holds.
    g.is.client->Write("W1NET>APRS,TCPIP*,qAC,STANDIN::W1DW     :cut information " + std::string(280, 'y') +
                       "{97\r\n");
    // The road is open: an ordinary message goes.
    g.is.client->Write("W1NET>APRS,TCPIP*,qAC,STANDIN::W1DW     :good one{96\r\n");
    ASSERT_TRUE(g.WaitOnAir("::W1DW     :good one{96")) << g.dw.Output();
    EXPECT_FALSE(g.OnAir("spoofed")) << g.dw.Output();
    EXPECT_FALSE(g.OnAir("TE6X")) << g.dw.Output();
    EXPECT_FALSE(g.OnAir("head of a long line")) << g.dw.Output();
    EXPECT_FALSE(g.OnAir("cut information")) << g.dw.Output();
    EXPECT_EQ(g.v.Station("TE6X-9"), nullptr);  // no station forged either
    ASSERT_NE(g.v.Station("TE6T-2"), nullptr);
    EXPECT_NE(g.v.Station("TE6T-2")->lastInfo.View().find("Pe\xC4\x8DTE6X-9"), std::string_view::npos);
}

TEST(RfSafety, AnUnverifiedLinkGatesNothing) {
    if (!test::Direwolf::Available()) GTEST_SKIP() << "direwolf is not installed";
    Gateway g;
    ASSERT_TRUE(g.dw.Ready()) << g.dw.Output();
    g.is.stream.clear();
    g.is.logresp = "# logresp N0ME unverified, server STANDIN\r\n";
    g.v.program->Command(kCmdFirstLink);
    ASSERT_TRUE(g.v.Until([&] { return g.is.answered && g.v.program->Internet().Open(); }));
    ASSERT_TRUE(g.HearLocal()) << g.dw.Output();
    g.is.client->Write("W1NET>APRS,TCPIP*,qAC,STANDIN::W1DW     :through an unverified IGate{95\r\n");
    ASSERT_TRUE(g.v.Until([&] { return g.v.Station("W1NET") != nullptr; }));
    g.v.Until([&] { return false; }, 1500);  // time enough for a frame to be sent
    EXPECT_FALSE(g.OnAir("through an unverified IGate")) << g.dw.Output();
}

// Clients of our own server: an unverified one never reaches the air, even
// with TCPIP in its text; a verified one only when the operator allows it.
TEST(RfSafety, ServerClientsReachTheAirOnlyVerifiedAndAllowed) {
    if (!test::Direwolf::Available()) GTEST_SKIP() << "direwolf is not installed";
    Gateway g([](Preferences& p, const std::filesystem::path& folder) {
        test::SetPref(p, "enable_server", "1");
        test::SetPref(p, "server_port", "0");
        test::SetPref(p, "server_to_rf", "1");
        std::ofstream(folder / "ServerRF.txt") << "# the clients that may reach the air\nK1OK\n";
    });
    ASSERT_TRUE(g.dw.Ready()) << g.dw.Output();
    uint16_t port = 0;
    for (const auto& l : g.v.program->Gateway().Server().Listeners())
        if (l.socket) port = l.port;
    ASSERT_NE(port, 0);
    ASSERT_TRUE(g.HearLocal()) << g.dw.Output();
    // The IGate's internet side must be up for it to gate at all.
    g.is.stream.clear();
    g.v.program->Command(kCmdFirstLink);
    ASSERT_TRUE(g.v.Until([&] { return g.is.answered && g.v.program->Internet().Open(); }));

    QtNetwork net;
    std::string error;
    auto client = [&](const std::string& login) {
        auto s = net.Connect("127.0.0.1", port, 3000, &error);
        if (s) s->Write(login);
        return s;
    };
    auto unverified = client("user TE7X-1 pass 1 vers Evil 1.0\r\n");
    auto other = client("user K1NO pass " + std::to_string(Passcode("K1NO")) + " vers Xastir 2.1\r\n");
    auto allowed = client("user K1OK pass " + std::to_string(Passcode("K1OK")) + " vers Xastir 2.1\r\n");
    ASSERT_TRUE(unverified && other && allowed);
    g.v.Until([&] { return g.v.program->Gateway().Server().ActiveCount() == 3; }, 3000);
    unverified->Write("TE7X-1>APRS,WIDE1-1::W1DW     :hi TCPIP{9\r\n");
    unverified->Write("TE7X-1>APRS,TCPIP*::W1DW     :over tcpip unverified{10\r\n");
    other->Write("K1NO>APRS,TCPIP*::W1DW     :verified but not listed{11\r\n");
    g.v.Until([&] { return g.v.Station("K1NO") != nullptr; }, 3000);
    allowed->Write("K1OK>APRS,TCPIP*::W1DW     :allowed client{12\r\n");
    ASSERT_TRUE(g.WaitOnAir("::W1DW     :allowed client{12")) << g.dw.Output();
    EXPECT_FALSE(g.OnAir("hi TCPIP")) << g.dw.Output();
    EXPECT_FALSE(g.OnAir("over tcpip unverified")) << g.dw.Output();
    EXPECT_FALSE(g.OnAir("verified but not listed")) << g.dw.Output();
}

// Dire Wolf restarted under a KISS-over-TCP link: the port comes back by
// itself and decodes again.
TEST(RfSafety, KissOverTcpComesBackAfterDireWolfRestarts) {
    if (!test::Direwolf::Available()) GTEST_SKIP() << "direwolf is not installed";
    auto dw = std::make_unique<test::Direwolf>();
    ASSERT_TRUE(dw->Ready()) << dw->Output();
    KissStation v("tcp:127.0.0.1:8001");
    ASSERT_TRUE(v.program->IsChecked(kCmdOpenVhfTnc));
    const auto tick = [&] {  // the 200 ms timer on a clock that runs a second a pass
        v.clock.Advance(1);
        v.program->Core().RefreshClock();
        v.program->OnTimer(kTimerLink);
    };
    dw.reset();  // Dire Wolf goes away
    ASSERT_TRUE(v.Until([&] { tick(); return v.program->Ports().IsLost(kPortVhfTnc); }, 5000));
    EXPECT_NE(v.program->LinkStates().find("VHF TNC Port tcp:127.0.0.1:8001: reconnecting"), std::string::npos)
        << v.program->LinkStates();
    dw = std::make_unique<test::Direwolf>();
    ASSERT_TRUE(dw->Ready()) << dw->Output();
    ASSERT_TRUE(v.Until([&] { tick(); return v.program->IsChecked(kCmdOpenVhfTnc); }, 30000));
    EXPECT_NE(v.program->LinkStates().find("open (back 1x), dropped 1x"), std::string::npos) << v.program->LinkStates();
    ASSERT_TRUE(dw->Play("W2DW>APRS:!4030.00N/07400.00W-after the restart\n"));
    EXPECT_TRUE(v.Until([&] { return v.Station("W2DW") != nullptr; })) << dw->Output();
}

}  // namespace
}  // namespace velmora
