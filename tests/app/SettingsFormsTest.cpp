#include <gtest/gtest.h>

#include "app/MenuTable.h"
#include "app/SettingsForms.h"
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

}  // namespace
}  // namespace velmora
