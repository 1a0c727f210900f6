// The settings dialogs' checks, offscreen: what the operator types, and
// the words the dialog answers with.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>

#include "ui/FirstStartWizard.h"
#include "geo/PositionInput.h"
#include "ui/ObjectDialog.h"
#include "ui/GpsSettingsDialog.h"
#include "ui/MessageSettingsDialog.h"
#include <QRadioButton>
#include <QSpinBox>
#include "ui/KissSettingsDialog.h"
#include <QDoubleSpinBox>
#include "ui/PortSettingsDialog.h"
#include "ui/TncSettingsDialog.h"
#include "ui/DisplayOptionsDialog.h"
#include "ui/FindDialog.h"
#include "ui/RadiogramWindow.h"
#include <QPlainTextEdit>
#include <QLabel>
#include <QComboBox>
#include <QCheckBox>
#include <QLineEdit>

namespace velmora {
namespace {

TEST(PortSettingsDialog, RefusesWhatCannotOpenAndStoresTheRest) {
    PortSettingsForm form = PortSettingsForm::From(Preferences());
    PortSettingsDialog dialog(form);
    if (const char* shot = std::getenv("VELMORA_PORTS_SCREENSHOT")) {
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(shot);
    }
    dialog.Device(kPortVhfTnc)->setCurrentText("ttyUSB0");
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(dialog.Problem(), "VHF TNC Port: The device must be a path such as /dev/ttyUSB0, or tcp:HOST:PORT");
    EXPECT_EQ(form.ports[kPortVhfTnc].device, "");  // nothing stored from a refused form
    dialog.Device(kPortVhfTnc)->setCurrentText(" tcp:localhost:8001 ");
    dialog.Device(kPortGps)->setCurrentText("/dev/ttyACM0");
    dialog.Baud(kPortGps)->setCurrentIndex(dialog.Baud(kPortGps)->findText("4800"));
    ASSERT_TRUE(dialog.Store()) << dialog.Problem().toStdString();
    EXPECT_EQ(form.ports[kPortVhfTnc].device, "tcp:localhost:8001");
    EXPECT_EQ(form.ports[kPortGps].device, "/dev/ttyACM0");
    EXPECT_EQ(form.ports[kPortGps].baud, 4800);
}

TEST(KissSettingsDialog, PathsAreCallsAndDefaultPutsBackTheDefaults) {
    TncSettings s;
    s.ResetKissDefaults();
    KissSettingsDialog dialog(s);
    dialog.For(1).path->setText("wide1-1, wide2-2");
    dialog.For(1).kiss->setChecked(true);
    ASSERT_TRUE(dialog.Store()) << dialog.Problem().toStdString();
    EXPECT_EQ(s.radio[1].digiPath, "WIDE1-1,WIDE2-2");
    EXPECT_TRUE(s.radio[1].kiss);
    dialog.For(0).aliases->setText("RELAY,WIDE1-16");
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(dialog.Problem(), "HF TNC: The alias list: The SSID after the \"-\" is a number from 1 to 15");
    dialog.For(0).aliases->setText("TOOLONGCALL");
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(dialog.Problem(), "HF TNC: The alias list: A call has one to six letters and digits before its SSID");
    dialog.Defaults();
    EXPECT_EQ(dialog.For(1).path->text(), "WIDE1-1,WIDE2-1");
    EXPECT_FALSE(dialog.For(1).kiss->isChecked());
    EXPECT_TRUE(dialog.Store());
}

TEST(MessageAndGpsSettingsDialogs, RefuseInTheOperatorsWords) {
    MessageSettingsForm messages;
    MessageSettingsDialog m(messages);
    m.Retries()->setValue(40);
    EXPECT_FALSE(m.Store());
    EXPECT_EQ(m.Problem(), "Msg Retries must be between 2 and 24");
    m.Retries()->setValue(7);
    m.NwsStation()->setText("kb1nws");  // typed in lower case: taken in capitals
    m.Option(1)->setChecked(false);
    ASSERT_TRUE(m.Store()) << m.Problem().toStdString();
    EXPECT_EQ(messages.retries, 7);
    EXPECT_EQ(messages.nwsStation, "KB1NWS");
    EXPECT_FALSE(messages.notifyBulletins);
    GpsSettingsForm gps;
    GpsSettingsDialog g(gps);
    g.Gpsd()->setChecked(true);
    g.Port()->setValue(0);
    EXPECT_FALSE(g.Store());
    EXPECT_EQ(g.Problem(), "gpsd's port must be between 1 and 65535 (it is 2947 unless changed)");
    g.Port()->setValue(2948);
    g.Host()->setText(" gpsbox ");
    ASSERT_TRUE(g.Store());
    EXPECT_EQ(gps.source, 1);
    EXPECT_EQ(gps.host, "gpsbox");
    EXPECT_EQ(gps.port, 2948);
}

TEST(FirstStartWizard, FourPagesThatFillTheForm) {
    FirstStartForm form;
    FirstStartWizard wizard(form);
    const char* dir = std::getenv("VELMORA_FIRSTSTART_SCREENSHOTS");
    wizard.show();
    const auto shot = [&](const char* name) {
        QApplication::processEvents();
        if (dir) wizard.grab().save(QString(dir) + "/" + name);
    };
    wizard.Call()->setText("w1aw-9");
    shot("first-start-1-call.png");
    wizard.next();
    // Typed as hams write it, read back before it is taken.
    wizard.Latitude()->setText("47 36.50 N");
    wizard.Longitude()->setText("122 20.00W");
    EXPECT_EQ(wizard.ReadBack()->text(), "47°36.50′N 122°20.00′W");
    shot("first-start-2-position.png");
    wizard.next();
    wizard.Symbol()->setCurrentIndex(1);
    shot("first-start-3-symbol.png");
    wizard.next();
    wizard.Connection()->setCurrentIndex(static_cast<int>(FirstConnection::kKissNetwork));
    wizard.Device()->setCurrentText("tcp:localhost:8001");
    shot("first-start-4-connection.png");
    EXPECT_EQ(wizard.currentId(), 3);
    ASSERT_TRUE(wizard.Store()) << wizard.Problem().toStdString();
    EXPECT_EQ(form.call, "W1AW-9");
    EXPECT_EQ(form.connection, FirstConnection::kKissNetwork);
    EXPECT_EQ(form.device, "tcp:localhost:8001");
    EXPECT_EQ(form.symbol, 1u);
    EXPECT_NEAR(form.latitude, 47.608333, 1e-5);
    EXPECT_NEAR(form.longitude, -122.333333, 1e-5);
    wizard.Device()->setCurrentText("/dev/ttyUSB0");  // not a network TNC
    EXPECT_FALSE(wizard.Store());
    EXPECT_EQ(wizard.Problem(), "A network TNC is written tcp:HOST:PORT, such as tcp:localhost:8001");
    EXPECT_EQ(form.device, "tcp:localhost:8001");  // a refused page stores nothing
    wizard.Device()->setCurrentText("tcp:localhost:8001");
    wizard.Longitude()->setText("122 20.00N");  // no longitude's hemisphere
    EXPECT_FALSE(wizard.Store());
    EXPECT_TRUE(wizard.Problem().startsWith("Longitude: \"122 20.00N\": N is no hemisphere of a longitude"))
        << wizard.Problem().toStdString();
    EXPECT_NE(wizard.ReadBack()->text().indexOf("write it as"), -1);
}

TEST(TncSettingsDialog, CommandsPathsAndArrangement) {
    TncSettingsForm form = TncSettingsForm::From(Preferences());
    TncSettingsDialog dialog(form);
    if (const char* shot = std::getenv("VELMORA_TNC_SETTINGS_SCREENSHOT")) {
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(shot);
    }
    EXPECT_TRUE(dialog.Arrangement(1)->isChecked());
    EXPECT_FALSE(dialog.PrefixHf()->isEnabled());  // prefixes only for a dual-port TNC
    dialog.Arrangement(2)->setChecked(true);
    EXPECT_TRUE(dialog.PrefixHf()->isEnabled());
    dialog.Command(4)->setText(QString(130, 'x'));
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(dialog.Problem(), "Cmd 4: is longer than 127 characters");
    EXPECT_EQ(form.arrangement, 1);  // nothing stored from a refused form
    dialog.Command(4)->setText("MONITOR ON");
    dialog.UnprotoPath()->setText("wide1-1,wide2-1");
    dialog.AltPath(false, 0)->setText("WIDE1-1,WIDE3-3,WIDE4-4,WIDE5-5,WIDE6-6,WIDE7-7,WIDE1-1,WIDE2-2,WIDE3-3");
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(dialog.Problem(), "Alt VHF Path 1 has more than eight calls");
    dialog.AltPath(false, 0)->setText("RELAY");
    dialog.PrefixHf()->setText("~1");
    ASSERT_TRUE(dialog.Store()) << dialog.Problem().toStdString();
    EXPECT_EQ(form.arrangement, 2);
    EXPECT_EQ(form.commands[4], "MONITOR ON");
    EXPECT_EQ(form.unprotoPath, "WIDE1-1,WIDE2-1");
    EXPECT_EQ(form.altVhf[0], "RELAY");
    EXPECT_EQ(form.prefixHf, "~1");
}

TEST(DisplayOptionsDialog, OptionsFontAndUnits) {
    MapWindow window(640, 480);
    window.Options().labels = false;
    DisplayOptionsForm form = DisplayOptionsForm::From(MapSettings{}, &window);
    DisplayOptionsDialog dialog(form, false);
    if (const char* shot = std::getenv("VELMORA_DISPLAY_OPTIONS_SCREENSHOT")) {
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(shot);
    }
    EXPECT_TRUE(dialog.Option(0)->isChecked());   // Station Call Signs
    EXPECT_FALSE(dialog.Option(2)->isChecked());  // Map Labels, as the window has it
    dialog.FontSize()->setValue(50);
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(dialog.Problem(), "The station font size must be between 6 and 40");
    dialog.FontSize()->setValue(18);
    dialog.Filter()->setCurrentIndex(2);
    dialog.Placement()->setCurrentIndex(3);
    dialog.Option(8)->setChecked(true);  // Coverage Circles
    dialog.Metric()->setChecked(true);
    ASSERT_TRUE(dialog.Store()) << dialog.Problem().toStdString();
    EXPECT_EQ(form.fontSize, 18);
    EXPECT_EQ(form.options.filter, StationFilter::kFlagged);
    EXPECT_EQ(form.options.placement, 4);
    EXPECT_TRUE(form.options.coverage);
    EXPECT_TRUE(form.metric);

    DisplayOptionsForm units = DisplayOptionsForm::From(MapSettings{}, nullptr);
    DisplayOptionsDialog unitsDialog(units, true);
    EXPECT_EQ(unitsDialog.windowTitle(), "Units");
    EXPECT_EQ(unitsDialog.Filter(), nullptr);  // units only
    unitsDialog.Metric()->setChecked(true);
    ASSERT_TRUE(unitsDialog.Store());
    EXPECT_TRUE(units.metric);
}

TEST(FindDialog, AnswersEachFieldAsItIsTyped) {
    FindForm form;
    form.airportText = [](const std::string& t) { return t == "BDL" ? "BDL  Bradley, CT" : "No Airport by that name found"; };
    form.zipText = [](const std::string&) { return std::string("Zip Code Data Base not loaded"); };
    FindDialog dialog(form);
    dialog.Airport()->setText("BD");
    EXPECT_EQ(dialog.AirportAnswer()->text(), "No Airport by that name found");
    dialog.Airport()->setText("BDL");
    EXPECT_EQ(dialog.AirportAnswer()->text(), "BDL  Bradley, CT");
    dialog.Zip()->setText(" 06111");
    EXPECT_EQ(dialog.ZipAnswer()->text(), "Zip Code Data Base not loaded");
    dialog.Store();
    EXPECT_EQ(form.airport, "BDL");
    EXPECT_EQ(form.zip, "06111");
}

TEST(RadiogramWindow, CountsTheCheckAndRefusesWithoutAnAddressee) {
    RadiogramStore store;
    RadiogramForm form{store.New("N0ME", "NEWINGTON, CT (HARTFORD)", MakeDateTime(2026, 12, 9, 14, 5, 0)), {}};
    RadiogramWindow window(form);
    window.Text()->setPlainText("HAPPY BIRTHDAY TO YOU, MOM.");
    EXPECT_EQ(window.Check()->text(), "5");
    if (const char* shot = std::getenv("VELMORA_NTS_SCREENSHOT")) {
        window.To()->setText("w1aw");
        window.show();
        QApplication::processEvents();
        window.grab().save(shot);
    }
    window.To()->setText("");
    EXPECT_FALSE(window.Store());
    EXPECT_EQ(window.Problem().toStdString().rfind("To: ", 0), 0u);
    window.To()->setText("w1aw");
    ASSERT_TRUE(window.Store()) << window.Problem().toStdString();
    EXPECT_EQ(form.radiogram.to, "W1AW");
    EXPECT_EQ(form.text, "HAPPY BIRTHDAY TO YOU, MOM.");
    EXPECT_EQ(form.radiogram.signature, "N0ME");
    RadiogramWindow stored(form, nullptr, true);
    EXPECT_EQ(stored.windowTitle(), "N0ME->W1AW:01");
    EXPECT_TRUE(stored.Text()->isReadOnly());
}


TEST(ObjectDialog, PicksASymbolReadsThePositionAndRefusesWhatCannotBeSent) {
    ObjectForm form = ObjectForm::At(47.608333, -122.333333);
    ObjectDialog dialog(form);
    EXPECT_EQ(dialog.ReadBack()->text(), "Read as 47°36.50′N 122°20.00′W");  // the clicked point
    dialog.Name()->setText("EOC");
    dialog.Symbol()->setCurrentIndex(dialog.Symbol()->findData("/o"));
    EXPECT_FALSE(dialog.Symbol()->itemIcon(dialog.Symbol()->currentIndex()).isNull());  // the map's own picture
    dialog.Comment()->setText("Red Cross shelter");
    if (const char* shot = std::getenv("VELMORA_OBJECT_DIALOG_SCREENSHOT")) {
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(shot);
    }
    dialog.Position()->setText("47 36.50 122 20.00W");  // half written
    EXPECT_FALSE(dialog.Store());
    EXPECT_TRUE(dialog.Problem().startsWith("Position: ")) << dialog.Problem().toStdString();
    EXPECT_EQ(form.name, "");  // nothing taken from a refused form
    dialog.Position()->setText("4736.50N 12220.00W");
    dialog.Speed()->setValue(5);
    ASSERT_TRUE(dialog.Store()) << dialog.Problem().toStdString();
    const ObjectForm::Read read = form.Entry();
    ASSERT_EQ(read.problem, "");
    EXPECT_EQ(read.entry.name, "EOC");
    EXPECT_EQ(read.entry.symbolCode, 'o');
    EXPECT_EQ(read.entry.speed, 5);
    EXPECT_EQ(read.entry.comment, "Red Cross shelter");
    EXPECT_EQ(read.entry.lat, TypedLatUnits(47.608333333333));
}

}  // namespace
}  // namespace velmora
