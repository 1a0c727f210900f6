#include <gtest/gtest.h>

#include "app/MenuTable.h"
#include "app/PortSettingsForm.h"
#include "app/SettingsChecks.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

TEST(PortSettingsForm, DevicesInTheOperatorsWords) {
    for (const char* ok : {"", "/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "tcp:localhost:8001",
                           "tcp:192.168.1.20:8001"})
        EXPECT_EQ(DeviceProblem(ok), "") << ok;
    EXPECT_EQ(DeviceProblem("ttyUSB0"), "The device must be a path such as /dev/ttyUSB0, or tcp:HOST:PORT");
    EXPECT_EQ(DeviceProblem("COM1"), "The device must be a path such as /dev/ttyUSB0, or tcp:HOST:PORT");
    EXPECT_EQ(DeviceProblem("tcp:localhost:99999"), "A network TNC is written tcp:HOST:PORT, the port between 1 and 65535");
    EXPECT_EQ(DeviceProblem("tcp::8001"), "A network TNC is written tcp:HOST:PORT, the port between 1 and 65535");
    EXPECT_EQ(DeviceProblem("/dev/tty USB0"), "The device path may not contain blanks");
}

TEST(PortSettingsForm, RoundTripAndTheChecksOfTheWholeForm) {
    Preferences p;
    PortSettingsForm f = PortSettingsForm::From(p);
    EXPECT_EQ(f.ports[kPortVhfTnc].baud, 9600);
    EXPECT_EQ(f.ports[kPortVhfTnc].stopBits, 1);
    EXPECT_EQ(f.FirstProblem(), "");
    f.ports[kPortVhfTnc] = {"/dev/ttyUSB0", 1, 19200, 2, 2};
    f.ports[kPortGps] = {"tcp:localhost:8001", 1, 4800, 0, 1};
    f.Store(p);
    EXPECT_EQ(*p.Get("port2_device"), "/dev/ttyUSB0");
    EXPECT_EQ(*p.Get("port2_baud"), "19200");
    EXPECT_EQ(PortSettingsForm::From(p).ports, f.ports);
    f.ports[kPortWeather].device = "/dev/ttyUSB0";  // the VHF TNC's
    EXPECT_EQ(f.FirstProblem(), "VHF TNC Port: /dev/ttyUSB0 is already the device of the Weather Port");
    f.ports[kPortWeather].device.clear();
    f.ports[kPortBinaryGps].baud = 1234;
    EXPECT_EQ(f.FirstProblem(), "Garmin GPS Port: the speed must be one of 300 to 115200 baud");
}

TEST(PortSettingsForm, TheMenuCommandStoresAGoodFormAndRefusesABadOne) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    Program& p = t.Up();
    t.dialogs.editPorts = [](PortSettingsForm& f) { f.ports[kPortVhfTnc].device = "tcp:localhost:8001"; };
    p.Command(kCmdPortSettings);
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(*saved.Get("port2_device"), "tcp:localhost:8001");
    t.dialogs.editPorts = [](PortSettingsForm& f) { f.ports[kPortGps].device = "COM3"; };
    p.Command(kCmdPortSettings);
    ASSERT_FALSE(t.ui.boxes.empty());
    EXPECT_EQ(t.ui.boxes.back().text, "GPS Port: The device must be a path such as /dev/ttyUSB0, or tcp:HOST:PORT");
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(*saved.Get("port3_device"), "") << "the refused form changed nothing";
    EXPECT_EQ(*saved.Get("port2_device"), "tcp:localhost:8001");
}

TEST(SettingsChecks, CallsAndPaths) {
    for (const char* ok : {"N0CALL", "W1AW-9", "WIDE2-2", "K1A-15", "RELAY"}) EXPECT_EQ(CallProblem(ok), "") << ok;
    EXPECT_EQ(CallProblem("n0call"), "A call is written in capital letters and digits (n0call)");
    EXPECT_EQ(CallProblem("W1AW-0"), "The SSID after the \"-\" is a number from 1 to 15");
    EXPECT_EQ(CallProblem("W1AW-16"), "The SSID after the \"-\" is a number from 1 to 15");
    EXPECT_EQ(CallProblem("W1AW-"), "The SSID after the \"-\" is a number from 1 to 15");
    EXPECT_EQ(CallProblem("ABCDEFG"), "A call has one to six letters and digits before its SSID");
    EXPECT_EQ(CallProblem(""), "A call has one to six letters and digits before its SSID");
    EXPECT_EQ(PathProblem("", "The digi path"), "");
    EXPECT_EQ(PathProblem("WIDE1-1,WIDE2-1", "The digi path"), "");
    EXPECT_EQ(PathProblem("WIDE1-1,,WIDE2-1", "The digi path"),
              "The digi path: A call has one to six letters and digits before its SSID");
    EXPECT_EQ(PathProblem("A,B,C,D,E,F,G,H,I", "The digi path"), "The digi path has more than eight calls");
}

TEST(SettingsChecks, KissOptionsFromTheMenuAreCheckedAndStored) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    Program& p = t.Up();
    t.dialogs.editKiss = [](TncSettings& s) { s.radio[1].digiPath = "WIDE2-2"; };
    p.Command(kCmdKissOptions);
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.Text(pref::kKissDigiPathVhf), "WIDE2-2");
    t.dialogs.editKiss = [](TncSettings& s) { s.radio[0].aliases = "relay"; };
    p.Command(kCmdKissOptions);
    EXPECT_EQ(t.ui.boxes.back().text, "The alias list: A call is written in capital letters and digits (relay)");
}

}  // namespace
}  // namespace velmora
