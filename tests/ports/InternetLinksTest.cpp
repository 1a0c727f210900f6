#include "ports/InternetLinks.h"

#include <gtest/gtest.h>

#include "app/InternetModule.h"
#include "app/MenuTable.h"
#include "ports/PortRole.h"
#include "app/TransmitModule.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeNetwork.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

struct Links {
    Links() : links(&network, clock) {
        HostLists hosts;
        ReadHostList({"one.example\t14580\tFirst", "two.example\t14580\tSecond"}, 1, hosts);
        ReadHostList({"home.example\t2023\tAt home"}, 0, hosts);
        links.SetHosts(std::move(hosts));
        InternetSettings s;
        s.call = "N0ME-5";
        s.filter = "r/41.50/-72.50/200";
        links.SetSettings(s);
        links.onLine = [this](std::string_view l, bool) { decoded.emplace_back(l); };
        links.onStationLine = [this](std::string_view l) { exchanged.emplace_back(l); };
        links.onStatus = [this](std::string_view t) { status.emplace_back(t); };
        links.onLoggedIn = [this](size_t) { ++logins; };
    }
    FakeNetwork::Connection& Last() { return *network.opened.back(); }
    FakeClock clock;
    FakeNetwork network;
    InternetLinks links;
    std::vector<std::string> decoded, exchanged, status;
    int logins = 0;
};

TEST(InternetLinks, OpensWithoutWaitingLogsInAndHandsOnTheLines) {
    Links t;
    t.links.Toggle(2);
    ASSERT_EQ(t.network.opened.size(), 1u);
    EXPECT_EQ(t.Last().peer, "home.example:2023");
    EXPECT_TRUE(t.Last().written.empty());  // nothing before it is up
    EXPECT_TRUE(t.links.AnyWanted());
    EXPECT_FALSE(t.links.AnyConnected());
    t.Last().Establish();
    EXPECT_EQ(t.Last().written, "\ruser N0ME-5 pass " + std::to_string(Passcode("N0ME")) +
                                    " vers Velmora 2.2.8 filter r/41.50/-72.50/200\r\n");
    EXPECT_EQ(t.logins, 1);
    t.Last().Deliver("# aprsc 2.1.14\r\n# logresp N0ME-5 verified, server T2TEST\r\n");
    t.Last().Deliver("W1AW>APRS,TCPIP*,qAC,T2TEST:!4140.00N/07240.00W-\r\n:N0ME-5   :hello{1\r\nW2AB>AP");
    t.Last().Deliver("RS:>status\r\n");
    EXPECT_EQ(t.decoded, (std::vector<std::string>{"W1AW>APRS,TCPIP*,qAC,T2TEST:!4140.00N/07240.00W-",
                                                   "W2AB>APRS:>status"}));
    EXPECT_EQ(t.exchanged, (std::vector<std::string>{":N0ME-5   :hello{1"}));
    const InternetLink& l = t.links.Links()[2];
    EXPECT_TRUE(l.verified);
    EXPECT_EQ(l.linesReceived, 5u);
    t.links.SendToLinks("N0ME-5>APZ228,TCPIP*:>on the air\r");
    EXPECT_NE(t.Last().written.find(">on the air\r"), std::string::npos);
    // A new filter goes to the connected server at once, on one line.
    t.links.ChangeFilter("m/50\r\nuser EVIL");
    EXPECT_NE(t.Last().written.find("#filter m/50user EVIL\r\n"), std::string::npos);
    t.links.Toggle(2);
    EXPECT_FALSE(t.links.AnyWanted());
}

TEST(InternetLinks, RefusedAndDroppedLinksComeBackAfterAGrowingPause) {
    Links t;
    t.links.Toggle(2);
    t.Last().Close("(Connection refused)");
    EXPECT_TRUE(t.links.Links()[2].wanted);  // auto re-connect keeps it
    t.clock.Advance(4);
    t.links.Poll();
    EXPECT_EQ(t.network.opened.size(), 1u);
    t.clock.Advance(1);
    t.links.Poll();
    ASSERT_EQ(t.network.opened.size(), 2u);  // 5 s after the first failure
    t.Last().Close("(Connection refused)");
    t.clock.Advance(9);
    t.links.Poll();
    EXPECT_EQ(t.network.opened.size(), 2u);
    t.clock.Advance(1);
    t.links.Poll();
    EXPECT_EQ(t.network.opened.size(), 3u);  // then 10 s
    // Without auto re-connect a refusal ends it.
    InternetSettings s = t.links.Settings();
    s.autoReconnect = false;
    t.links.SetSettings(s);
    t.Last().Close("(Connection refused)");
    EXPECT_FALSE(t.links.Links()[2].wanted);
}

TEST(InternetLinks, ASilentPublicServerGivesWayToTheNextOne) {
    Links t;
    t.clock.Set(2026, 1, 1, 0, 0, 0);
    t.links.ConnectToNetwork();
    ASSERT_EQ(t.network.opened.size(), 1u);
    const std::string first = t.Last().peer;
    t.Last().Establish();
    t.clock.Advance(300);
    t.links.Poll();
    EXPECT_EQ(t.network.opened.size(), 1u);  // 300 s is not yet silence
    t.clock.Advance(1);
    t.links.Poll();
    ASSERT_EQ(t.network.opened.size(), 2u);
    EXPECT_NE(t.Last().peer, first);  // the next public server
    EXPECT_FALSE(t.links.Links()[0].wanted);  // its connection is gone with it
}

TEST(InternetLinks, AProxyGreetsBeforeTheConnectRequest) {
    Links t;
    HostLists hosts;
    ReadHostList({"PROXY\tproxy.example\t8080", "WINPROXY", "server.example\t14580\tBehind the proxy"}, 0, hosts);
    t.links.SetHosts(std::move(hosts));
    t.links.Toggle(0);
    EXPECT_EQ(t.Last().peer, "proxy.example:8080");
    t.Last().Establish();
    EXPECT_TRUE(t.Last().written.empty());
    t.Last().Deliver("Proxy ready\r\n");
    EXPECT_EQ(t.Last().written.rfind("server.example:14580\r\n\ruser N0ME-5", 0), 0u) << t.Last().written;
    EXPECT_TRUE(t.decoded.empty());  // the greeting is the proxy's
}

// The whole program: lines from a server become internet stations, and the
// own position goes out in internet form after the login.
TEST(InternetModule, ServerStationsAndTheOwnPositionInInternetForm) {
    test::SerialProgram t("N0ME-5", 41.5, -72.5);
    t.Write("APRServe.txt", "one.example\t14580\tFirst\n");
    Program& p = t.Up();
    ASSERT_EQ(p.Internet().Links().Links().size(), 1u);
    p.Command(kCmdFirstLink);
    ASSERT_EQ(t.network.opened.size(), 1u);
    FakeNetwork::Connection& c = *t.network.opened.back();
    c.Establish();
    EXPECT_NE(c.written.find("user N0ME-5 pass"), std::string::npos);
    EXPECT_NE(c.written.find(" filter r/41.50/-72.50/200\r\n"), std::string::npos) << c.written;
    EXPECT_NE(c.written.find("N0ME-5>APZ228,TCPIP*:=4130.00N/07230.00W"), std::string::npos) << c.written;
    EXPECT_TRUE(p.IsChecked(kCmdFirstLink));
    c.Deliver("W1IS>APRS,TCPIP*,qAC,T2:!4140.00N/07240.00W-\r\n");
    // A station-exchange line from a server of this kind fills its station.
    c.Deliver(":K1SX     002F2D 0 0   0       0  3dcd40  f4e8a0       0       0       0       3\r\n");
    ASSERT_GE(p.Core().Stations().Lookup("K1SX"), 0);
    EXPECT_EQ(p.Core().Stations().At(p.Core().Stations().Lookup("K1SX")).lon, 0x3DCD40);
    const StationTable& st = p.Core().Stations();
    const StationIndex i = st.Lookup("W1IS");
    ASSERT_GE(i, 0);
    EXPECT_EQ(PortGroupOf(st.At(i).sourceKind), kGroupInternet);
    // The router's internet leg now goes to the link.
    c.written.clear();
    p.Command(kCmdSendQuery);
    EXPECT_EQ(c.written, "N0ME-5>APZ228,TCPIP*:?APRS?\r\n");
    // F8 with Caps Lock sends the login again; F3, F5 and Control-F4 go to
    // the active window, F4 alone nowhere.
    c.written.clear();
    p.FunctionKey(119, false);
    EXPECT_EQ(c.written, "");
    t.ui.capsLock = true;
    p.FunctionKey(119, false);
    EXPECT_NE(c.written.find("\ruser N0ME-5 pass"), std::string::npos) << c.written;
    t.ui.capsLock = false;
    for (int key : {114, 115, 116}) p.FunctionKey(key, false);
    p.FunctionKey(115, true);
    EXPECT_EQ(t.ui.windowKeys, (std::vector<int>{114, 116, -115}));
    // Text sent to port 9 goes to the links, as to a TNC.
    c.written.clear();
    p.Tnc().SendTncText(kPortTcpIp, "#filter m/50\r\n", 0);
    t.RunSingleShots();
    EXPECT_EQ(c.written, "#filter m/50\r\n");
    // The terminal on port 9: the links' text shows there, typing goes to them.
    EXPECT_TRUE(p.PortOpen(kPortTcpIp));
    p.Command(kCmdTerminal);
    EXPECT_EQ(t.ui.terminalTitle, "Terminal: " + std::string(PortName(kPortTcpIp)));
    t.ui.terminal.clear();
    c.Deliver("# server remark\r\n");
    EXPECT_EQ(t.ui.terminal, std::vector<std::string>{"# server remark"});
    c.written.clear();
    p.TerminalTyped("#filter m/5\r\n");
    EXPECT_EQ(c.written, "#filter m/5\r\n");
    // TCP settings: a new filter is saved and reaches the server at once.
    t.dialogs.editTcp = [](Preferences& prefs) { test::SetPref(prefs, "internet_filter", "m/100"); };
    p.Command(kCmdTcpSettings);
    EXPECT_NE(c.written.find("#filter m/100\r\n"), std::string::npos) << c.written;
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.Get("internet_filter"), "m/100");
    p.Command(kCmdCloseAllLinks);
    EXPECT_FALSE(p.IsChecked(kCmdFirstLink));
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(InternetLinks, AManualProxyLoginGoesThroughTheTerminal) {
    Links t;
    HostLists hosts;
    ReadHostList({"PROXY\tgate.example\t23", "MANUAL", "TELNET", "server.example\t14580\tBehind a gate"}, 0, hosts);
    t.links.SetHosts(std::move(hosts));
    int terminals = 0;
    std::string shown;
    t.links.onManualLogin = [&] { ++terminals; };
    t.links.onTerminal = [&](std::string_view text, int) { shown += text; };
    t.links.Toggle(0);
    t.Last().Establish();
    EXPECT_EQ(terminals, 1);
    EXPECT_TRUE(t.links.ManualLoginActive());
    t.Last().Deliver("login: ");
    EXPECT_NE(shown.find("login: "), std::string::npos);
    EXPECT_TRUE(t.decoded.empty());
    t.links.TypeManual("operator\r");
    t.links.SendToLinks("not yet\r");  // nothing of ours while the operator types
    EXPECT_EQ(t.Last().written, "operator\r");
    t.links.FinishManualLogin();
    EXPECT_FALSE(t.links.ManualLoginActive());
    EXPECT_EQ(t.Last().written.rfind("operator\rtelnet server.example 14580\r\n\ruser N0ME-5", 0), 0u)
        << t.Last().written;
    EXPECT_EQ(t.logins, 1);
}

// A host list of thousands of lines would have run its menu numbers into
// the image files' (4100 upward) and past them.
TEST(InternetModule, TheHostMenuStopsBelowTheImageFiles) {
    test::SerialProgram t("N0ME-5", 41.5, -72.5);
    std::string many;
    for (int i = 0; i < 5000; ++i) many += "host" + std::to_string(i) + ".example\t14580\tServer\n";
    t.Write("APRServe.txt", many);
    Program& p = t.Up();
    EXPECT_EQ(p.Internet().Links().Links().size(), kMaxHostEntries);
    EXPECT_EQ(kCmdFirstLink + kMaxHostEntries, 4100u);
    EXPECT_EQ(t.notices.status.front(), "Only the first 94 servers of the host lists are in the menu");
    EXPECT_FALSE(p.Internet().Command(4100));
}

}  // namespace
}  // namespace velmora
