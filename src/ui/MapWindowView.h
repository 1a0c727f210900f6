#pragma once
// The map window's drawing surface. Until the map files are read it shows
// an empty white square.
#include <QWidget>

namespace velmora {

class MapWindowView : public QWidget {
public:
    explicit MapWindowView(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {400, 400}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora
