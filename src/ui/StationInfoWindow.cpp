#include "stations/ByteLines.h"
#include "ui/StationInfoWindow.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "maps/SymbolArt.h"
#include "platform/qt/QtSurface.h"

namespace velmora {

StationInfoWindow::StationInfoWindow(std::string call, char table, char code, TextSource text, QWidget* parent)
    : QWidget(parent), call_(std::move(call)), source_(std::move(text)), picture_(new QLabel), text_(new QPlainTextEdit) {
    setObjectName("StationInfo");
    setWindowTitle("Station Information - " + QString::fromStdString(call_));
    // The symbol drawn at twice its size, sharp.
    QtSurface surface(16, 16, devicePixelRatioF() * 2);
    SymbolArt art;
    art.DrawSymbol(surface, {8, 8}, table, code);
    QImage image = surface.Finish();
    image.setDevicePixelRatio(devicePixelRatioF());  // 32 points across
    picture_->setPixmap(QPixmap::fromImage(image));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFont("Monospace", 10));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture_);
    layout->addWidget(text_);
    Refresh();
    timer_.setInterval(1000);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Refresh(); });
    timer_.start();
}

void StationInfoWindow::AddActions(const std::vector<Action>& actions) {
    auto* row = new QHBoxLayout;
    for (const auto& [label, act] : actions) {
        auto* button = new QPushButton(label);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, this, [act = act] { act(); });
        row->addWidget(button);
    }
    row->addStretch();
    static_cast<QVBoxLayout*>(layout())->insertLayout(1, row);
}

QString StationInfoWindow::Text() const { return text_->toPlainText(); }

void StationInfoWindow::Refresh() {
    const QString fresh = QString::fromStdString(TextAsUtf8(source_(call_)));
    if (fresh == text_->toPlainText()) return;
    const int scroll = text_->verticalScrollBar()->value();
    text_->setPlainText(fresh.isEmpty() ? QString::fromStdString(call_ + " is no longer in the station table") : fresh);
    text_->verticalScrollBar()->setValue(scroll);
}

}  // namespace velmora
