#include "ui/CMapWindow.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QHelpEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "app/MapsModule.h"
#include "maps/MapWindow.h"

namespace velmora {

CMapWindow::CMapWindow(MapWindow& window, MapsModule& maps, QWidget* parent)
    : QWidget(parent), window_(window), maps_(maps) {
    setObjectName("MapWindow");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(120, 100);
    // Stations, menus and the tick change the map from outside; a cheap
    // look at the generation catches every one of them.
    poll_.setInterval(250);  // at most four station redraws a second
    QObject::connect(&poll_, &QTimer::timeout, this, [this] {
        if (window_.Generation() != drawnGeneration_) update();
    });
    poll_.start();
}

CMapWindow::~CMapWindow() {
    if (!detached_) maps_.Closed(window_);
}

void CMapWindow::UpdateTitle() {
    const QString title = window_.HasMap() ? "Map window - " + QString::fromStdString(window_.Title()) : "Map window";
    if (parentWidget() && parentWidget()->windowTitle() != title) parentWidget()->setWindowTitle(title);
    setWindowTitle(title);
}

bool CMapWindow::RenderIfChanged() {
    if (window_.Width() != width() || window_.Height() != height()) window_.Resize(width(), height());
    if (surface_ && drawnGeneration_ == window_.Generation() && surface_->Width() == width() &&
        surface_->Height() == height())
        return false;
    const bool resized = !surface_ || surface_->Width() != width() || surface_->Height() != height();
    if (resized) {
        surface_ = std::make_unique<QtSurface>(width(), height(), devicePixelRatioF());
        mapPicture_ = std::make_unique<QtSurface>(width(), height(), devicePixelRatioF());
    }
    const MapScene scene = maps_.Scene();
    // Stations change many times a second under a full feed; the map under
    // them is drawn again only when the view or the map changed.
    if (resized || drawnMapGeneration_ != window_.MapGeneration()) {
        window_.DrawMap(*mapPicture_, scene);
        drawnMapGeneration_ = window_.MapGeneration();
    }
    surface_->DrawPicture(mapPicture_->Finish());
    window_.DrawOverMap(*surface_, scene);
    surface_->Finish();
    drawnGeneration_ = window_.Generation();
    UpdateTitle();
    return true;
}

const QImage* CMapWindow::Picture() const { return surface_ ? &surface_->Finish() : nullptr; }

void CMapWindow::paintEvent(QPaintEvent*) {
    RenderIfChanged();
    QPainter painter(this);
    painter.drawImage(0, 0, surface_->Finish());
}

void CMapWindow::resizeEvent(QResizeEvent*) {
    window_.Resize(width(), height());
    update();
}

void CMapWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    dragging_ = false;
    pressAt_ = lastDrag_ = event->position().toPoint();
}

void CMapWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (pressed_ && (dragging_ || (at - pressAt_).manhattanLength() > 4)) {
        dragging_ = true;
        setCursor(Qt::ClosedHandCursor);
        window_.View().Shift(lastDrag_.x() - at.x(), lastDrag_.y() - at.y());
        lastDrag_ = at;
    }
    window_.Hover({at.x(), at.y()});
    update();
}

void CMapWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    unsetCursor();
    if (!dragging_) maps_.Click(window_, {pressAt_.x(), pressAt_.y()});
    else window_.Changed();
    update();
}

void CMapWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    maps_.Click(window_, {at.x(), at.y()});
    maps_.Key(window_, 13, false, false);  // the information window
    update();
}

void CMapWindow::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint at = event->pos();
    const std::vector<MapMenuItem> items = maps_.MenuAt(window_, {at.x(), at.y()});
    update();
    QMenu menu(this);
    menu.setObjectName("MapMenu");
    for (const MapMenuItem& item : items) {
        QAction* a = menu.addAction(QString::fromStdString(item.label));
        a->setData(static_cast<int>(item.action));
        // The own object's actions stand apart from the station's.
        if (item.action == MapAction::kFlag) menu.addSeparator();
    }
    const QAction* chosen = menu.exec(event->globalPos());
    if (chosen) maps_.MenuAction(window_, {at.x(), at.y()}, static_cast<MapAction>(chosen->data().toInt()));
    update();
}

bool CMapWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const std::string text = maps_.StationUnder(window_, {help->pos().x(), help->pos().y()});
        if (text.empty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), QString::fromStdString(text), this);
        return true;
    }
    return QWidget::event(event);
}

void CMapWindow::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) return;
    const QPoint at = event->position().toPoint();
    double factor = 1;
    for (int i = 0; i < std::abs(steps); ++i) factor *= steps > 0 ? 0.8 : 1.25;
    window_.View().ZoomAbout({at.x(), at.y()}, factor);
    window_.Hover({at.x(), at.y()});
    window_.Changed();
    update();
}

int MapKeyCode(int qtKey, const QString& text) {
    switch (qtKey) {
        case Qt::Key_Up: return kKeyArrowUp;
        case Qt::Key_Down: return kKeyArrowDown;
        case Qt::Key_Left: return kKeyArrowLeft;
        case Qt::Key_Right: return kKeyArrowRight;
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Return: case Qt::Key_Enter: return 13;
        case Qt::Key_Space: return ' ';
        default: break;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (text.size() == 1 && text[0].unicode() < 128) return text[0].toLatin1();
    return 0;
}

void CMapWindow::keyPressEvent(QKeyEvent* event) {
    const int code = MapKeyCode(event->key(), event->text());
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (code && maps_.Key(window_, code, control, shift)) {
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace velmora
