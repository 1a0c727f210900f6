// The settings dialogs' checks, offscreen: what the operator types, and
// the words the dialog answers with.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>

#include "ui/PortSettingsDialog.h"

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

}  // namespace
}  // namespace velmora
