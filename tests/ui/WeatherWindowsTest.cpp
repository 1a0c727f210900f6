// The weather's windows on the desktop: the chart drawn from a day kept in
// WXHist.bin, its "Z" keys, and the weather settings dialog's checks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <fstream>

#include "app/MenuTable.h"
#include "platform/qt/QtSurface.h"
#include "support/DesktopProgram.h"
#include "support/WeatherDay.h"
#include "ui/WeatherChartWindow.h"
#include "ui/WeatherSettingsDialog.h"

namespace velmora {
namespace {

WeatherChartWindow* ChartWindow(DesktopUi& ui) {
    for (QMdiSubWindow* sub : ui.Frame().Mdi()->subWindowList())
        if (auto* w = dynamic_cast<WeatherChartWindow*>(sub->widget())) return w;
    return nullptr;
}

// Pixels of one colour in an image.
int Count(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

TEST(WeatherWindows, TheChartShowsTheKeptDayAndItsKeysClearGroups) {
    test::DesktopProgram d([](const std::filesystem::path& folder) {
        std::filesystem::create_directory(folder / "Maps");
        std::filesystem::create_directory(folder / "Logs");
        const std::vector<uint8_t> bytes = test::WeatherDay().Bytes();
        std::ofstream(folder / "Logs" / "WXHist.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    });
    d.program->Start();
    EXPECT_TRUE(d.program->Command(kCmdWeatherChart)) << d.ui.Frame().Mdi()->subWindowList().size();
    WeatherChartWindow* chart = ChartWindow(d.ui);
    ASSERT_NE(chart, nullptr);
    chart->parentWidget()->resize(900, 700);
    QApplication::processEvents();
    const QImage picture = chart->grab().toImage();
    if (const char* shot = std::getenv("VELMORA_WEATHER_SCREENSHOT")) {
        QtSurface surface(900, 700);  // the size a chart window opens at
        std::string error;
        ASSERT_TRUE(d.program->Weather().DrawChart(surface, "", error));
        surface.SavePng(shot);
    }
    EXPECT_GT(Count(picture, qRgb(200, 30, 30)), 500);   // the day's temperature
    EXPECT_GT(Count(picture, qRgb(30, 90, 200)), 100);   // the shower
    EXPECT_GT(Count(picture, qRgb(120, 40, 160)), 300);  // the pressure
    d.program->Command(kCmdWeatherDisplay);
    QApplication::processEvents();
    if (const char* shot = std::getenv("VELMORA_WEATHER_DESKTOP_SCREENSHOT")) {
        d.ui.Frame().Mdi()->tileSubWindows();
        QApplication::processEvents();
        d.ui.Frame().grab().save(shot);
    }
    // Z then W: the wind is gone, the temperature stays.
    for (char key : {'Z', 'W'}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key)));
        QApplication::sendEvent(chart, &press);
    }
    EXPECT_EQ(chart->LastMessage(), "Wind Values Zeroed");
    EXPECT_EQ(d.program->Weather().Chart().At(150)[kChartWindSpeed], 0);
    EXPECT_NE(d.program->Weather().Chart().At(150)[kChartTemperature], 0);
    QApplication::processEvents();
    EXPECT_NE(chart->grab().toImage(), picture);  // drawn again without the wind
}

TEST(WeatherWindows, TheSettingsDialogChecksWhatItStores) {
    WeatherDialogValues values;
    values.settings.station.type = 2;
    values.current = {60, 5, 90, 0, 0, 1013};
    WeatherSettingsDialog dialog(values);
    if (const char* shot = std::getenv("VELMORA_WEATHER_SETTINGS_SCREENSHOT")) {
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(shot);
    }
    EXPECT_EQ(dialog.Type()->currentData().toInt(), 2);
    dialog.Type()->setCurrentIndex(dialog.Type()->findData(kWeatherTypeFile));
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(dialog.Problem(), "Please choose the weather file (wxnow.txt) the other program writes");
    dialog.File()->setText("/var/lib/weewx/wxnow.txt");
    dialog.Field(1)->setValue(90);  // low above high
    dialog.Field(2)->setValue(40);
    EXPECT_FALSE(dialog.Store());
    EXPECT_EQ(dialog.Problem(), "The low temperature alarm must be below the high one");
    dialog.Field(1)->setValue(20);
    dialog.Field(3)->setValue(500);  // beyond the box's range: held at its top
    ASSERT_TRUE(dialog.Store());
    EXPECT_EQ(values.settings.station.type, kWeatherTypeFile);
    EXPECT_EQ(values.settings.wxNowFile, "/var/lib/weewx/wxnow.txt");
    EXPECT_EQ(values.settings.station.limits.lowTemperatureF, 20);
    EXPECT_EQ(values.settings.station.limits.highTemperatureF, 40);
    EXPECT_EQ(values.settings.station.limits.highWindMph, 200);
    EXPECT_EQ(values.current.pressure, 1013);
}

}  // namespace
}  // namespace velmora
