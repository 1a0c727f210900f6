#include "ui/GarminWindow.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

GarminWindow::GarminWindow(GarminModule& garmin, QWidget* parent) : QWidget(parent), garmin_(garmin) {
    setWindowTitle("Garmin GPS Control");
    setObjectName("GarminWindow");
    using B = GarminModule::Button;
    const std::pair<const char*, B> buttons[] = {
        {"Open", B::kOpen},
        {"Close", B::kClose},
        {"Product request", B::kProduct},
        {"Download track", B::kTrack},
        {"Download waypoints", B::kWaypoints},
        {"Upload waypoints", B::kUpload},
        {"Save track", B::kSaveTrack},
        {"Save waypoints", B::kSaveWaypoints},
        {"Screen", B::kScreen},
    };
    auto* grid = new QGridLayout;
    int n = 0;
    for (const auto& [text, button] : buttons) {
        auto* b = new QPushButton(text);
        grid->addWidget(b, n / 3, n % 3);
        ++n;
        QObject::connect(b, &QPushButton::clicked, this, [this, button = button] {
            if (button != GarminModule::Button::kSaveTrack) {
                garmin_.Press(button);
                return;
            }
            const QString file = QFileDialog::getSaveFileName(this, "Log to disk?", "GarTrack.log");
            if (!file.isEmpty()) garmin_.Press(button, file.toStdString());
        });
    }
    status_ = new QLabel(QString::fromStdString(garmin_.LastStatus()));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(status_);
}

void GarminWindow::SetStatus(const QString& text) { status_->setText(text); }

}  // namespace velmora
