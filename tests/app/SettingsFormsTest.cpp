#include <gtest/gtest.h>

#include "app/MenuTable.h"
#include "app/RecordChecks.h"
#include "app/SettingsForms.h"
#include "app/TncSettingsForm.h"
#include "app/TransmitModule.h"
#include "app/NtsModule.h"
#include "platform/fake/FakeSerial.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

TEST(SettingsForms, MessageSettingsCheckedStoredAndAppliedAtOnce) {
    Preferences p;
    MessageSettingsForm f = MessageSettingsForm::From(p);
    EXPECT_EQ(f.retries, 5);
    EXPECT_TRUE(f.notifyMail);
    EXPECT_EQ(f.Problem(), "");
    f.retries = 1;
    EXPECT_EQ(f.Problem(), "Msg Retries must be between 2 and 24");
    f.retries = 8;
    f.nwsStation = "nws";
    EXPECT_EQ(f.Problem(), "Msg to NWS: A call is written in capital letters and digits (nws)");
    f.nwsStation = "KB1NWS";
    f.notifyBulletins = false;
    f.Store(p);
    EXPECT_EQ(MessageSettingsForm::From(p).retries, 8);
    EXPECT_FALSE(MessageSettingsForm::From(p).notifyBulletins);
    EXPECT_EQ(MessageSettingsForm::From(p).nwsStation, "KB1NWS");

    test::SerialProgram t("N0ME", 41.5, -72.5);
    Program& program = t.Up();
    t.dialogs.editMessages = [](MessageSettingsForm& m) { m.sound = false, m.notifyMail = false; };
    program.Command(kCmdMessageSettings);
    EXPECT_FALSE(program.IsChecked(3008));  // Enable Sound follows at once
    EXPECT_FALSE(program.IsChecked(3009));
    t.dialogs.editMessages = [](MessageSettingsForm& m) { m.retries = 30; };
    program.Command(kCmdMessageSettings);
    EXPECT_EQ(t.ui.boxes.back().text, "Msg Retries must be between 2 and 24");
}

TEST(SettingsForms, GpsSettingsCheckedStoredAndTakenOverAtOnce) {
    GpsSettingsForm f;
    EXPECT_EQ(f.Problem(), "");
    f.host = "gps host";
    EXPECT_EQ(f.Problem(), "gpsd's host is a name or address without blanks, such as localhost");
    f.host = "127.0.0.1";
    f.port = 0;
    EXPECT_EQ(f.Problem(), "gpsd's port must be between 1 and 65535 (it is 2947 unless changed)");

    test::SerialProgram t("N0ME", 41.5, -72.5);
    Program& program = t.Up();
    EXPECT_EQ(program.Gps().ConsoleText().find("gpsd at"), std::string::npos);
    t.dialogs.editGps = [](GpsSettingsForm& g) { g.source = 1, g.host = "127.0.0.1", g.port = 2999; };
    program.Command(kCmdGpsSettings);
    EXPECT_NE(program.Gps().ConsoleText().find("gpsd at 127.0.0.1:2999"), std::string::npos) << program.Gps().ConsoleText();
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.Number(pref::kGpsSource), 1);
    t.dialogs.editGps = [](GpsSettingsForm& g) { g.source = 0; };
    program.Command(kCmdGpsSettings);
    EXPECT_EQ(program.Gps().ConsoleText().find("gpsd at"), std::string::npos);
}

TEST(SettingsForms, TncSettingsCheckedInTheOperatorsWords) {
    Preferences p;
    TncSettingsForm f = TncSettingsForm::From(p);
    EXPECT_EQ(f.arrangement, 1);
    EXPECT_EQ(f.Problem(), "");
    EXPECT_EQ(TncCommandLabel(0), "Gateway:");
    EXPECT_EQ(TncCommandLabel(10), "Cmd 10:");
    f.commands[3] = std::string(128, 'x');
    EXPECT_EQ(f.Problem(), "Cmd 3: is longer than 127 characters");
    f.commands[3] = "beacon\revery 10";
    EXPECT_EQ(f.Problem(), "Cmd 3: holds a control character; write ^C for Ctrl-C");
    f.commands[3] = "^C^CMONITOR ON";
    f.unprotoPath = "wide1-1, wide2-1";
    f.altVhf[1] = "relay,wide 2-2";
    f.Tidy();
    EXPECT_EQ(f.unprotoPath, "WIDE1-1,WIDE2-1");
    EXPECT_EQ(f.altVhf[1], "RELAY,WIDE2-2");
    EXPECT_EQ(f.Problem(), "");
    f.altHf[2] = "WIDE2-16";
    EXPECT_EQ(f.Problem(), "Alt HF Path 3: The SSID after the \"-\" is a number from 1 to 15");
    f.altHf[2] = "";
    f.prefixVhf = "~2ab";
    EXPECT_EQ(f.Problem(), "The VHF port prefix has more than 3 characters");
    f.prefixVhf = "~2";
    f.prefixHf = "~1";
    f.arrangement = 4;
    EXPECT_EQ(f.Problem(), "Choose one of Receive Only, Single Port, Dual Port and Two Ports");
    f.arrangement = 2;
    f.vhf.allowGps = true;
    f.Store(p);
    const TncSettingsForm back = TncSettingsForm::From(p);
    EXPECT_EQ(back.commands[3], "^C^CMONITOR ON");
    EXPECT_EQ(back.unprotoPath, "WIDE1-1,WIDE2-1");
    EXPECT_EQ(back.altVhf[1], "RELAY,WIDE2-2");
    EXPECT_EQ(back.arrangement, 2);
    EXPECT_EQ(back.prefixHf, "~1");
    EXPECT_TRUE(back.vhf.allowGps);
    EXPECT_FALSE(back.hf.allowGps);
}

TEST(SettingsForms, TncSettingsTakeEffectWithoutARestart) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    Program& program = t.Up();
    program.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    // Receive Only: the position report is not written to the TNC.
    t.dialogs.editTnc = [](TncSettingsForm& f) { f.arrangement = 0; };
    program.Command(kCmdTncSettings);
    program.Command(kCmdSendPosition);
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "");
    // Back to one port, with a new default path: the next report uses it.
    t.dialogs.editTnc = [](TncSettingsForm& f) { f.arrangement = 1, f.unprotoPath = "wide2-2"; };
    program.Command(kCmdTncSettings);
    program.Command(kCmdSendPosition);
    t.RunSingleShots();
    EXPECT_NE(t.layer.written[kPortVhfTnc].find("=4130.00N/07230.00W"), std::string::npos) << t.layer.written[kPortVhfTnc];
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.Text(pref::kUnprotoPath), "WIDE2-2");
    // A refused form changes nothing and says why.
    t.dialogs.editTnc = [](TncSettingsForm& f) { f.commands[0] = std::string(200, 'a'); };
    program.Command(kCmdTncSettings);
    EXPECT_EQ(t.ui.boxes.back().text, "Gateway: is longer than 127 characters");
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.Get("tnc_command0"), "");
}

TEST(SettingsForms, AChangeIsRefusedOnlyForAProblemItAdds) {
    Preferences p;
    for (const std::string& why : RecordProblems(p)) EXPECT_EQ(why, "");  // the defaults pass every dialog
    Preferences bad = p;
    ASSERT_TRUE(bad.Set("own_call", "w1abc"));
    EXPECT_EQ(NewProblem(p, bad), "Call sign: A call is written in capital letters and digits (w1abc)");
    // An old problem elsewhere does not block a good change...
    Preferences next = bad;
    ASSERT_TRUE(next.Set("alias_list_vhf", "WIDE1-1,RELAY"));
    EXPECT_EQ(NewProblem(bad, next), "");
    // ...but a new one in another group does.
    ASSERT_TRUE(next.Set("alt_path_hf2", "WIDE2-2,,"));
    EXPECT_EQ(NewProblem(bad, next), "Alt HF Path 2: A call has one to six letters and digits before its SSID");
    Preferences cold = p;
    ASSERT_TRUE(cold.Set("alarm_low_temperature", "50"));
    ASSERT_TRUE(cold.Set("alarm_high_temperature", "40"));
    EXPECT_EQ(NewProblem(p, cold), "The low temperature alarm must be below the high one");
}

TEST(TransmitCommands, SendRdfReportNeedsTheRdfPortAndSendsItsLastBearing) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    test::SetPref(t.prefs, "port5_device", "/dev/ttyUSB1");
    Program& program = t.Up();
    program.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    program.Command(kCmdSendRdfReport);
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "");
    EXPECT_EQ(t.notices.status.back(), "Send RDF Report: open the RDF port first");
    program.Command(kCmdOpenRdfPort);
    ASSERT_NE(t.layer.events, nullptr);
    t.layer.events->PortData(kPortRdf, "%123/7\r");
    t.RunSingleShots();
    EXPECT_EQ(program.Core().LastDfLine().bearing, 123);
    program.Command(kCmdSendRdfReport);
    t.RunSingleShots();
    const std::string sent = t.layer.written[kPortVhfTnc];
    EXPECT_NE(sent.find("4130.00N/07230.00W\\123/007/\r"), std::string::npos) << sent;
    EXPECT_EQ(sent[0], '@');
}

TEST(TransmitCommands, ANewRadiogramFromItsWindowGoesOutSectionBySection) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    test::SetPref(t.prefs, "city", "NEWINGTON");
    test::SetPref(t.prefs, "state", "CT");
    Program& program = t.Up();
    program.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    t.dialogs.radiogram = [](RadiogramForm& f) {
        EXPECT_EQ(f.radiogram.group, "01");
        EXPECT_EQ(f.radiogram.placeOfOrigin, "NEWINGTON, CT ()");
        f.radiogram.to = "W1AW";
        f.text = "ARRIVED SAFELY";
    };
    program.Command(kCmdNewNts);
    t.RunSingleShots();
    const std::string sent = t.layer.written[kPortVhfTnc];
    // The first section goes now; the rest wait for its ack.
    EXPECT_EQ(sent.rfind(":W1AW     :N#\\01\\R\\\\\\2\\NEWINGTON, CT ()\\", 0), 0u) << sent;
    EXPECT_NE(sent.find("{01A\r"), std::string::npos) << sent;
    EXPECT_EQ(t.notices.status.back(), "Radiogram 01 to W1AW: 4 messages");
    ASSERT_EQ(program.Nts().Store().All().size(), 1u);
    EXPECT_EQ(program.Nts().Store().All()[0].check, "2");
    // A double-click on its row opens it, titled as the Part says.
    ListModel* list = program.Lists().Find("NTSL");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->RowOpened(0));
    EXPECT_EQ(t.dialogs.shownRadiograms, std::vector<std::string>{"N0ME->W1AW:01"});
    EXPECT_FALSE(list->RowOpened(5));
}

// The position goes on the air exactly as stored: 72 01 59 W is 07201.98W,
// not one unit off through degrees (07201.96W).
TEST(SettingsForms, TheStoredPositionGoesOutToTheSecond) {
    test::SerialProgram t("N0ME", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    for (const auto& [name, value] : {std::pair{"own_lat_degrees", "49"}, {"own_lat_minutes", "3"}, {"own_lat_seconds", "30"},
                                      {"own_lat_hundredths", "0"}, {"own_lon_degrees", "72"}, {"own_lon_minutes", "1"},
                                      {"own_lon_seconds", "59"}, {"own_lon_hundredths", "0"}})
        test::SetPref(t.prefs, name, value);
    t.prefs.RecomputeOwnPosition();
    Program& program = t.Up();
    program.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    program.Command(kCmdSendPosition);
    t.RunSingleShots();
    EXPECT_NE(t.layer.written[kPortVhfTnc].find("=4903.50N/07201.98W"), std::string::npos) << t.layer.written[kPortVhfTnc];
}

}  // namespace
}  // namespace velmora
