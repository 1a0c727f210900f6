// The settings dialogs' checks, offscreen: what the operator types, and
// the words the dialog answers with.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>

#include "ui/KissSettingsDialog.h"
#include "ui/PortSettingsDialog.h"
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

}  // namespace
}  // namespace velmora
