#include "ui/WeatherChartWindow.h"

#include <QKeyEvent>
#include <QPainter>

#include "app/WeatherModule.h"
#include "platform/qt/QtSurface.h"

namespace velmora {

WeatherChartWindow::WeatherChartWindow(WeatherModule& weather, QWidget* parent) : QWidget(parent), weather_(weather) {
    setWindowTitle("Weather Chart");
    setFocusPolicy(Qt::StrongFocus);
    resize(900, 700);
}

void WeatherChartWindow::paintEvent(QPaintEvent*) {
    const std::string& call = weather_.ChartStationCall();
    const QString title = call.empty() ? QString("Weather Chart") : QString::fromStdString(call + " Weather Data");
    if (windowTitle() != title) setWindowTitle(title);
    QtSurface surface(width(), height(), devicePixelRatioF());
    std::string error;
    QPainter painter(this);
    if (!weather_.DrawChart(surface, weather_.ChartStationCall(), error)) {
        painter.fillRect(rect(), Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, QString::fromStdString(error));
        return;
    }
    painter.drawImage(0, 0, surface.Finish());
}

void WeatherChartWindow::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text().toUpper();
    if (text.isEmpty()) return QWidget::keyPressEvent(event);
    const char key = text[0].toLatin1();
    if (!zeroPending_) {
        zeroPending_ = key == 'Z';
        return;
    }
    zeroPending_ = false;
    if (key == 'Z') {  // the scales follow the values on every drawing: just draw again
        update();
        return;
    }
    const std::string message = weather_.ZeroChart(key);
    if (message.empty()) return;
    lastMessage_ = QString::fromStdString(message);
    update();
    confirm(lastMessage_);
}

}  // namespace velmora
