#include "ports/PortManager.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/MenuTable.h"
#include "app/TransmitModule.h"
#include "platform/fake/FakeSerial.h"
#include "geo/Position.h"
#include "ports/TcpDevice.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

// Records what the port manager hands on.
struct Lines : PortInputSink {
    void Dispatch(int index, std::string_view data) override { got.push_back({index, std::string(data)}); }
    void RawInput(int, std::string_view block) override { raw.emplace_back(block); }
    std::vector<std::pair<int, std::string>> got;
    std::vector<std::string> raw;
};

struct Ports {
    Ports() : ports(&layer, ui, notices) { ports.SetSink(&lines); }
    FakeSerialLayer layer;
    FakeUserInterface ui;
    RecordingNotices notices;
    PortManager ports;
    Lines lines;
};

TEST(PortInput, CarriageReturnsEndLinesAndLineFeedsAreDropped) {
    Ports p;
    p.ports.PortInput(kPortVhfTnc, "ABC\r\nDE");
    p.ports.PortInput(kPortVhfTnc, "F\r");  // the partial line waits for the next block
    ASSERT_EQ(p.lines.got.size(), 2u);
    EXPECT_EQ(p.lines.got[0].second, "ABC");
    EXPECT_EQ(p.lines.got[1].second, "DEF");
    EXPECT_EQ(p.lines.raw.size(), 2u);  // every block also goes to the terminal side
}

TEST(PortInput, ALineLongerThan4095IsDroppedWholeAndUtf8IsNoLineEnd) {
    Ports p;
    p.ports.SetPortFlags(kPortVhfTnc, true, false);  // a TNC port: 8-bit text
    p.ports.PortInput(kPortVhfTnc, std::string(4095, 'x') + "\r");
    p.ports.PortInput(kPortVhfTnc, std::string(5000, 'x'));
    p.ports.PortInput(kPortVhfTnc, "FAKE>APRS:>tail\rW1AW>APRS:>Pe\xC4\x8D and \xC2\xB0\r");
    ASSERT_EQ(p.lines.got.size(), 2u);
    EXPECT_EQ(p.lines.got[0].second.size(), 4095u);
    EXPECT_EQ(p.lines.got[1].second, "W1AW>APRS:>Pe\xC4\x8D and \xC2\xB0");
    p.ports.PortInput(kPortGps, "$GP\x8D\xC1\x41\r");  // a 7-bit port: the raw CR test comes first
    EXPECT_EQ(p.lines.got.back().second, "$GPAA");
}

TEST(PortInput, SevenBitPortsStripTheTopBitRawPortsPassEverything) {
    Ports p;
    p.ports.PortInput(kPortGps, "\xC1\x41\r");
    ASSERT_EQ(p.lines.got.size(), 1u);
    EXPECT_EQ(p.lines.got[0].second, "AA");
    p.ports.SetPortFlags(kPortWeather, false, false);  // a weather station sending binary data
    p.ports.PortInput(kPortWeather, "\xC1\x41");
    ASSERT_EQ(p.lines.got.size(), 2u);
    EXPECT_EQ(p.lines.got[1].second, "\xC1\x41");
    // Control bytes other than tab and Ctrl-Z are dropped from lines.
    p.ports.PortInput(kPortGps, std::string("a\tb\x01\x1A\x00z\r", 8));
    EXPECT_EQ(p.lines.got[2].second, "a\tb\x1Az");
}

TEST(OpenPort, ASecondPortOnTheSameDeviceIsRefused) {
    Ports p;
    p.ports.SetPortSettings(kPortGps, "COM1", "4800", "1", "N");
    p.ports.SetPortSettings(kPortVhfTnc, "COM1", "9600", "1", "N");
    ASSERT_TRUE(p.ports.OpenPort(kPortGps));
    EXPECT_FALSE(p.ports.OpenPort(kPortVhfTnc));
    ASSERT_EQ(p.ui.boxes.size(), 1u);
    EXPECT_EQ(p.ui.boxes[0].text, "Port #1 is already open by GPS Port");
    EXPECT_FALSE(p.ports.IsOpen(kPortVhfTnc));
    // Paths: the same path is the same device; another one is not.
    p.ports.SetPortSettings(kPortVhfTnc, "/dev/ttyUSB0", "9600", "1", "N");
    p.ports.SetPortSettings(kPortRdf, "/dev/ttyUSB0", "9600", "1", "N");
    EXPECT_TRUE(p.ports.OpenPort(kPortVhfTnc));
    EXPECT_FALSE(p.ports.OpenPort(kPortRdf));
    EXPECT_EQ(p.ui.boxes.back().text, "Port /dev/ttyUSB0 is already open by VHF TNC Port");
    EXPECT_EQ(p.ports.DeviceHolder(kPortRdf), kPortVhfTnc);
    EXPECT_EQ(p.layer.dtr[kPortVhfTnc], 1);  // a TNC port gets DTR raised
}

TEST(SetPortSettings, ParsesLikeTheSettingsDialog) {
    Ports p;
    p.ports.SetPortSettings(kPortGps, "COM3", "4800", "2", "even");
    EXPECT_EQ(p.ports.Record(kPortGps).deviceNumber, 3);
    EXPECT_EQ(p.ports.Record(kPortGps).baud, 4800);
    EXPECT_EQ(p.ports.Record(kPortGps).stopBits, 2);
    EXPECT_EQ(p.ports.Record(kPortGps).parity, 2);
    EXPECT_EQ(p.ports.DeviceOf(kPortGps), "/dev/ttyS2");
    p.ports.SetPortSettings(kPortGps, "/dev/ttyACM0", "38400", "x", "odd");
    EXPECT_EQ(p.ports.Record(kPortGps).baud, 9600);  // not a rate of the list
    EXPECT_EQ(p.ports.Record(kPortGps).stopBits, 0);
    EXPECT_EQ(p.ports.Record(kPortGps).parity, 1);
    EXPECT_EQ(p.ports.DeviceOf(kPortGps), "/dev/ttyACM0");
}

TEST(PortLost, ClosesThePortWithAMessageAndItCanBeOpenedAgain) {
    Ports p;
    p.ports.SetPortSettings(kPortVhfTnc, "/dev/ttyUSB0", "9600", "1", "N");
    ASSERT_TRUE(p.ports.OpenPort(kPortVhfTnc));
    p.ports.PortLost(kPortVhfTnc, "(device removed)");
    EXPECT_FALSE(p.ports.IsOpen(kPortVhfTnc));
    ASSERT_FALSE(p.notices.status.empty());
    EXPECT_NE(p.notices.status.back().find("VHF TNC Port lost: /dev/ttyUSB0"), std::string::npos);
    EXPECT_TRUE(p.ports.OpenPort(kPortVhfTnc));
}

TEST(PortLost, ALostPortIsOpenedAgainWithAGrowingPauseUntilClosedByHand) {
    Ports p;
    std::vector<int> reopened;
    p.ports.onReopened = [&](int index) { reopened.push_back(index); };
    p.ports.SetPortSettings(kPortVhfTnc, "/dev/ttyUSB0", "9600", "1", "N");
    ASSERT_TRUE(p.ports.OpenPort(kPortVhfTnc));
    p.ports.PortLost(kPortVhfTnc, "(device removed)");
    EXPECT_TRUE(p.ports.IsLost(kPortVhfTnc));
    p.layer.allowAll = false;  // unplugged: opening fails
    uint32_t now = 1000;
    std::vector<uint32_t> tries;
    for (; now < 1100; ++now) {
        const int before = p.ports.Record(kPortVhfTnc).recovery.failures;
        p.ports.RecoverLostPorts(now);
        if (p.ports.Record(kPortVhfTnc).recovery.failures != before) tries.push_back(now - 1000);
    }
    EXPECT_EQ(tries, (std::vector<uint32_t>{2, 6, 14, 30, 60, 90}));  // 2, 4, 8, 16, then every 30 s
    EXPECT_NE(p.ports.StateText(kPortVhfTnc, now).find("reconnecting"), std::string::npos);
    p.layer.allowAll = true;  // plugged back in
    p.ports.RecoverLostPorts(now + 30);
    EXPECT_TRUE(p.ports.IsOpen(kPortVhfTnc));
    EXPECT_EQ(reopened, std::vector<int>{kPortVhfTnc});
    EXPECT_EQ(p.ports.StateText(kPortVhfTnc, now), "open (back 1x)");
    // Closed by the operator while lost: no more tries.
    p.ports.PortLost(kPortVhfTnc, "(gone again)");
    p.ports.ClosePort(kPortVhfTnc);
    p.ports.RecoverLostPorts(now + 1000);
    EXPECT_FALSE(p.ports.IsOpen(kPortVhfTnc));
    EXPECT_EQ(reopened.size(), 1u);
}

// The roles, through the whole program.
struct PortProgram : test::SerialProgram {
    PortProgram() : SerialProgram("N0TEST", 41.7, -72.7) {
        test::SetPref(prefs, "port2_device", "/dev/ttyUSB0");
        test::SetPref(prefs, "port3_device", "/dev/ttyUSB1");
    }
};

TEST(PortRoles, VhfTncLinesReachTheDecoderTheAprsLogAndPortEight) {
    PortProgram t;
    test::SetPref(t.prefs, "port8_device", "/dev/ttyUSB8");
    Program& p = t.Up();
    ASSERT_TRUE(p.Command(kCmdOpenVhfTnc));
    ASSERT_TRUE(p.IsChecked(kCmdOpenVhfTnc));
    ASSERT_TRUE(p.Ports().OpenPort(kPortAux));
    p.Command(7101);  // APRS Logging
    p.Ports().PortData(kPortVhfTnc, "W1AW>APRS,WIDE2-2:!4140.35N/07243.55W#PHG5360\r\n");
    p.Ports().PortData(kPortVhfTnc, "$GPRMC,not allowed\r");
    const StationTable& st = p.Core().Stations();
    const StationIndex w1aw = st.Lookup("W1AW");
    ASSERT_GE(w1aw, 0);
    EXPECT_NEAR(LatDegreesFromUnits(st.At(w1aw).lat), 41.0 + 40.35 / 60, 1e-4);
    p.Command(kStopAllLogging);
    const std::string log = t.Read("Logs/APRS20261208.log");
    EXPECT_EQ(log, "W1AW>APRS,WIDE2-2:!4140.35N/07243.55W#PHG5360\r\n");  // the "$" line is not APRS
    EXPECT_EQ(t.layer.written[kPortAux], "W1AW>APRS,WIDE2-2:!4140.35N/07243.55W#PHG5360\r\n$GPRMC,not allowed\r");
}

TEST(PortRoles, GpsPortDropsOneLeadingBlankAndTncGpsNeedsAllowGps) {
    PortProgram t;
    test::SetPref(t.prefs, "allow_gps_vhf", "1");
    Program& p = t.Up();
    p.Command(kCmdOpenGpsPort);
    ASSERT_TRUE(p.IsChecked(kCmdOpenGpsPort));
    p.Ports().PortData(kPortGps, " $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r");
    EXPECT_EQ(p.Core().BearingCourse(), 84);
    p.Command(kCmdOpenVhfTnc);
    p.Ports().PortData(kPortVhfTnc, "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,120.0,230394,003.1,W*61\r");
    EXPECT_EQ(p.Core().BearingCourse(), 120);
}

// Found as: a fixed station with a direction finder and no GPS drew no
// bearing line at all; its lines now start at its own position.
TEST(PortRoles, AFixedStationsBearingsStartAtItsOwnPosition) {
    PortProgram t;
    test::SetPref(t.prefs, "port5_device", "/dev/ttyUSB5");
    Program& p = t.Up();
    p.Command(kCmdOpenRdfPort);
    ASSERT_TRUE(p.IsChecked(kCmdOpenRdfPort));
    p.Ports().PortData(kPortRdf, "%090/5\r");
    const DfLine& line = p.Core().LastDfLine();
    ASSERT_EQ(line.drawn.size(), 1u);
    EXPECT_EQ(line.drawn[0].lon, LonUnitsFromDegrees(-72.7));
    EXPECT_EQ(line.drawn[0].lat, LatUnitsFromDegrees(41.7));
    EXPECT_EQ(line.bearing, 90);
}

TEST(PortCommands, TncOpenWarnsWithoutAPositionAndRefusesABadCall) {
    PortProgram t;
    t.prefs = Preferences();
    test::SetPref(t.prefs, "own_call", "N0TEST");
    Program& p = t.Up();
    p.Command(kCmdOpenHfTnc);
    ASSERT_FALSE(t.ui.boxes.empty());
    EXPECT_EQ(t.ui.boxes.back().text, "Please set your Lat/Lon in SETTINGS/Station");
    EXPECT_TRUE(p.IsChecked(kCmdOpenHfTnc));  // it opens anyway
    t.RunSingleShots();
    EXPECT_NE(t.layer.written[kPortHfTnc].find("mycall N0TEST\r"), std::string::npos);  // the TNC was started
    p.Command(kCmdOpenHfTnc);  // the toggle closes it, once its close-down has gone out
    EXPECT_TRUE(p.IsChecked(kCmdOpenHfTnc));
    t.RunSingleShots();
    EXPECT_FALSE(p.IsChecked(kCmdOpenHfTnc));

    p.Core().SetOwnCall("X");
    p.Command(kCmdOpenVhfTnc);
    EXPECT_EQ(t.ui.boxes.back().text, "Please enter valid call sign");
    EXPECT_FALSE(p.IsChecked(kCmdOpenVhfTnc));
}

TEST(PortCommands, DualPortTncOpensBothAndAFailedOpenSaysSo) {
    PortProgram t;
    test::SetPref(t.prefs, "port_arrangement", "2");
    t.layer.allowAll = false;
    t.layer.allowed = {"/dev/ttyS0"};
    Program& p = t.Up();
    p.Command(kCmdOpenHfTnc);
    EXPECT_TRUE(p.IsChecked(kCmdOpenHfTnc));
    EXPECT_TRUE(p.IsChecked(kCmdOpenVhfTnc));
    p.Command(kCmdOpenGpsPort);  // /dev/ttyUSB1 is not there
    // The spec's words first, then which device and where to choose another.
    EXPECT_EQ(t.ui.boxes.back().text,
              "Port failed to open\nGPS Port: /dev/ttyUSB1\nChoose the device in Settings > Port Settings.");
    EXPECT_FALSE(p.IsChecked(kCmdOpenGpsPort));
    p.Command(kCmdCloseAllPorts);
    t.RunSingleShots();
    EXPECT_FALSE(p.IsChecked(kCmdOpenVhfTnc));
}

TEST(PortCommands, AutomaticInputOpensOnTheFirstTickOnly) {
    PortProgram t;
    test::SetPref(t.prefs, "auto_input_gps", "1");
    Program& p = t.Up();
    EXPECT_TRUE(t.ui.abouts.empty());  // a port opens by itself: no About box
    EXPECT_FALSE(p.IsChecked(kCmdOpenGpsPort));
    t.Second();
    EXPECT_TRUE(p.IsChecked(kCmdOpenGpsPort));
    p.Command(kCmdOpenGpsPort);  // closed by the operator
    t.Second();
    EXPECT_FALSE(p.IsChecked(kCmdOpenGpsPort));  // and not opened again
}

TEST(Terminal, AttachesToTheOpenPortAndSendsTypedBytes) {
    PortProgram t;
    Program& p = t.Up();
    p.Command(kCmdTerminal);
    EXPECT_EQ(t.ui.boxes.back().text, "No com port open");
    p.Command(kCmdOpenVhfTnc);
    p.Command(kCmdTerminal);
    EXPECT_EQ(t.ui.terminalTitle, "Terminal: VHF TNC Port");
    t.RunSingleShots();  // the start-up and the echo command, with their pauses
    const std::string before = t.layer.written[kPortVhfTnc];
    ASSERT_GE(before.size(), 9u);
    EXPECT_EQ(before.substr(before.size() - 9), "\x03" "ECHO ON\r");
    p.TerminalTyped("mheard\r");
    EXPECT_EQ(t.layer.written[kPortVhfTnc], before + "mheard\r");
    t.ui.terminal.clear();
    t.ui.terminalColours.clear();
    p.Ports().PortData(kPortVhfTnc, "cmd:\r");
    ASSERT_GE(t.ui.terminal.size(), 2u);
    EXPECT_EQ(t.ui.terminal[0], "cmd:");  // the TNC line in the VHF colour
    EXPECT_EQ(t.ui.terminalColours[0], 6);
    EXPECT_EQ(t.ui.terminal[1], "cmd:\r");  // and the raw block
    // Closing the terminal gives the TNC back: the position goes out, and
    // closing the TNC sends its close-down.
    p.TerminalClosed();
    t.layer.written[kPortVhfTnc].clear();
    p.Command(kCmdSendPosition);
    t.RunSingleShots();
    EXPECT_NE(t.layer.written[kPortVhfTnc].find("=4"), std::string::npos) << t.layer.written[kPortVhfTnc];
    t.layer.written[kPortVhfTnc].clear();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    EXPECT_FALSE(t.layer.written[kPortVhfTnc].empty());
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// A KISS TNC on the network opens through the network seam and behaves as
// a serial device: its bytes become input, its loss closes the port once.
TEST(TcpDevice, OpensThroughTheNetworkAndIsLostLikeAnUnpluggedPort) {
    test::SerialProgram t("N0TEST", 41.7, -72.7);
    test::SetPref(t.prefs, "port2_device", "tcp:127.0.0.1:8001");
    Program& p = t.Up();
    PortManager& ports = p.Ports();
    EXPECT_FALSE(ports.OpenPort(kPortVhfTnc));  // nothing listens there yet
    t.network.reachable.insert("127.0.0.1:8001");
    ASSERT_TRUE(ports.OpenPort(kPortVhfTnc));
    ASSERT_EQ(t.network.connections.size(), 1u);
    FakeNetwork::Connection& tnc = *t.network.connections[0];
    EXPECT_TRUE(t.layer.open.empty());  // no serial device was asked for
    EXPECT_TRUE(ports.WritePort(kPortVhfTnc, "KISS ON\r"));
    EXPECT_EQ(tnc.written, "KISS ON\r");
    p.Command(7101);  // APRS Logging
    tnc.Deliver("W1AW>APRS:!4140.35N/07243.55W#\r");
    EXPECT_GE(p.Core().Stations().Lookup("W1AW"), 0);
    tnc.Close("(remote host closed)");
    EXPECT_FALSE(ports.IsOpen(kPortVhfTnc));
    ASSERT_FALSE(t.notices.status.empty());
    EXPECT_EQ(t.notices.status.back(), "VHF TNC Port lost: tcp:127.0.0.1:8001 (remote host closed); opening it again");
}

TEST(TcpDevice, TheDeviceTextIsCheckedAndNeedsANetwork) {
    std::string host;
    uint16_t port = 0;
    EXPECT_TRUE(ParseTcpDevice("tcp:localhost:8001", host, port));
    EXPECT_EQ(host, "localhost");
    EXPECT_EQ(port, 8001);
    for (const char* bad : {"tcp:", "tcp::8001", "tcp:host", "tcp:host:", "tcp:host:0", "tcp:host:65536",
                            "tcp:host:80a", "tcp:host:123456", "/dev/ttyS0"})
        EXPECT_FALSE(ParseTcpDevice(bad, host, port)) << bad;
    FakeUserInterface ui;
    RecordingNotices notices;
    PortManager ports(nullptr, ui, notices);
    ports.Configure(kPortVhfTnc, PortConfig{1, "tcp:127.0.0.1:8001", 9600, 0, 0});
    EXPECT_FALSE(ports.OpenPort(kPortVhfTnc));  // no network seam: no TCP device
}

}  // namespace
}  // namespace velmora
