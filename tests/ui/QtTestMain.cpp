// The widget tests need a QApplication; with no display they use Qt's
// offscreen platform, which must be chosen before the application exists.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QStandardPaths>
#include <string>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        char dir[] = "/tmp/velmora-xdg-XXXXXX";
        if (mkdtemp(dir)) qputenv("XDG_RUNTIME_DIR", dir);
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // remembered settings go to a test folder
    return RUN_ALL_TESTS();
}
