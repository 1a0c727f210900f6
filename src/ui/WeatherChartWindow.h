#pragma once
// "Weather Chart": the home station's 24 hours (or a received station's
// day log) drawn by the weather module on a surface of the window's size.
// "Z" then T, R, W or P clears a group of the chart's values.
#include <QWidget>
#include <functional>

namespace velmora {

class WeatherModule;

class WeatherChartWindow final : public QWidget {
public:
    explicit WeatherChartWindow(WeatherModule& weather, QWidget* parent = nullptr);
    void Redraw() { update(); }
    // Shows a confirmation ("Wind Values Zeroed"); the desktop's message box.
    std::function<void(const QString&)> confirm = [](const QString&) {};
    // What the last key did ("Wind Values Zeroed"), for the tests.
    const QString& LastMessage() const { return lastMessage_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    WeatherModule& weather_;
    bool zeroPending_ = false;
    QString lastMessage_;
};

}  // namespace velmora
