// What may reach the air through us, on the whole program with Dire Wolf as
// its KISS TNC: each fault in the form it was found. Every test first lets a
// good packet through the same road, so "nothing on the air" means the
// road was open and the bad packet was stopped.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "app/InternetModule.h"
#include "ports/InternetHosts.h"
#include "support/AprsIsStandIn.h"
#include "support/Direwolf.h"
#include "support/KissStation.h"
#include "support/DesktopProgram.h"
#include "support/PumpUntil.h"

#include <QLabel>

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

// aprx, a real IGate, takes our server as its APRS-IS server: it logs in
// verified and gates a message from our stream to a station it hears.
TEST(RfSafety, AprxUsesOurServerAsItsAprsIs) {
    if (!test::Direwolf::Available() || access("/usr/sbin/aprx", X_OK) != 0) GTEST_SKIP() << "direwolf or aprx missing";
    test::Direwolf dw;
    ASSERT_TRUE(dw.Ready()) << dw.Output();
    KissStation v("/tmp/kisstnc", [](Preferences& p, const std::filesystem::path&) {
        test::SetPref(p, "enable_server", "1");
        test::SetPref(p, "server_port", "0");
    });
    uint16_t port = 0;
    for (const auto& l : v.program->Gateway().Server().Listeners())
        if (l.socket) port = l.port;
    ASSERT_NE(port, 0);
    const auto folder = test::MakeTempFolder();
    std::ofstream(folder / "aprx.conf")
        << "mycall N0APX\n<aprsis>\n  login N0APX\n  passcode " << Passcode("N0APX") << "\n  server 127.0.0.1 " << port
        << "\n</aprsis>\n<logging>\n  pidfile " << (folder / "aprx.pid").string() << "\n  aprxlog "
        << (folder / "aprx.log").string() << "\n  rflog " << (folder / "rf.log").string()
        << "\n</logging>\n<interface>\n  tcp-device 127.0.0.1 8001 KISS\n  callsign N0APX\n  tx-ok true\n</interface>\n"
        << "<digipeater>\n  transmitter N0APX\n  <source>\n    source APRSIS\n    relay-type third-party\n"
        << "    viscous-delay 0\n  </source>\n</digipeater>\n";
    const pid_t aprx = fork();
    if (aprx == 0) {
        const std::string conf = (folder / "aprx.conf").string();
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl("/usr/sbin/aprx", "aprx", "-i", "-L", "-f", conf.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(aprx, 0);
    const auto aprxLog = [&] {
        std::ifstream in(folder / "aprx.log");
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    const bool loggedIn = v.Until([&] { return aprxLog().find("# logresp N0APX verified, server N0ME") != std::string::npos; }, 20000);
    // aprx hears W1DW on radio, then a message to it arrives in our stream.
    bool heard = loggedIn && dw.Play("W1DW>APRS:!4140.00N/07240.00W-local to aprx\n");
    heard = heard && v.Until([&] { return v.Station("W1DW") != nullptr; });
    v.Until([&] { return false; }, 1500);  // aprx's copy of the frame too
    QtNetwork net;
    std::string error;
    auto client = net.Connect("127.0.0.1", port, 3000, &error);
    if (client) client->Write("user W1NET pass " + std::to_string(Passcode("W1NET")) + " vers Test 1.0\r\n"
                              "W1NET>APRS,TCPIP*::W1DW     :via aprx{5\r\n");
    const std::string gated = "}W1NET>APRS,TCPIP,N0APX*::W1DW     :via aprx{5";
    const bool onAir = heard && v.Until([&] { return dw.Output().find(gated) != std::string::npos; }, 15000);
    kill(aprx, SIGTERM);
    waitpid(aprx, nullptr, 0);
    const std::string log = aprxLog();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    ASSERT_TRUE(loggedIn) << log;
    ASSERT_TRUE(heard) << dw.Output();
    EXPECT_TRUE(onAir) << log << "\n" << dw.Output();
    EXPECT_NE(log.find("# Velmora 2.2.8"), std::string::npos) << log;
}

// The desktop's TCP Connection Status window while a network TNC drops and
// comes back (VELMORA_LINK_SCREENSHOT=FILE keeps a picture of it).
TEST(RfSafety, TheStatusWindowShowsALinkThatDroppedAndCameBack) {
    if (!test::Direwolf::Available()) GTEST_SKIP() << "direwolf is not installed";
    auto dw = std::make_unique<test::Direwolf>();
    ASSERT_TRUE(dw->Ready()) << dw->Output();
    test::DesktopProgram d([](const std::filesystem::path& folder) {
        std::filesystem::create_directory(folder / "Maps");
        DiskFiles files(folder.string());
        Preferences p;
        test::SetPref(p, "own_call", "N0ME");
        p.SetOwnLatitude(41.5);
        p.SetOwnLongitude(-72.5);
        test::SetPref(p, "port2_device", "tcp:127.0.0.1:8001");
        test::SetPref(p, "kiss_enabled_vhf", "1");
        test::SetPref(p, "enable_server", "1");
        test::SetPref(p, "server_port", "0");
        EXPECT_TRUE(p.Save(files));
    });
    d.program->Start();
    d.program->Command(kCmdOpenVhfTnc);
    ASSERT_TRUE(d.program->IsChecked(kCmdOpenVhfTnc));
    dw.reset();
    ASSERT_TRUE(test::PumpUntil([&] { return d.program->Ports().IsLost(kPortVhfTnc); }, 5000));
    dw = std::make_unique<test::Direwolf>();
    ASSERT_TRUE(dw->Ready()) << dw->Output();
    ASSERT_TRUE(test::PumpUntil([&] { return d.program->IsChecked(kCmdOpenVhfTnc); }, 30000))
        << d.program->LinkStates();
    d.program->Command(kCmdServerStatus);
    QLabel* summary = nullptr;
    ASSERT_TRUE(test::PumpUntil([&] {
        for (QLabel* l : d.ui.Frame().findChildren<QLabel*>())
            if (l->text().contains("Links:")) summary = l;
        return summary != nullptr;
    }, 3000));
    EXPECT_TRUE(summary->text().contains("VHF TNC Port tcp:127.0.0.1:8001: open (back 1x), dropped 1x"))
        << summary->text().toStdString();
    test::PumpUntil([] { return false; }, 300);
    if (const char* shot = std::getenv("VELMORA_LINK_SCREENSHOT")) d.ui.Frame().grab().save(shot);
}

}  // namespace
}  // namespace velmora
