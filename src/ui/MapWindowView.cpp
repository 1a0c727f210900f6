#include "ui/MapWindowView.h"

#include <QPainter>

namespace velmora {

MapWindowView::MapWindowView(QWidget* parent) : QWidget(parent) {
    setObjectName("MapWindow");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void MapWindowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::gray);
    painter.drawText(rect(), Qt::AlignCenter, "No map loaded");
}

}  // namespace velmora
