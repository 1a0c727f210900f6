#pragma once
// A map window in the MDI area: it draws its MapWindow into an image when
// something changed and repaints from the image otherwise, so covering and
// uncovering it costs no map drawing. A click sets the reference point,
// dragging pans, the wheel zooms about the cursor, keys go to the maps.
#include <QTimer>
#include <QWidget>
#include <memory>

#include "platform/qt/QtSurface.h"

namespace velmora {

class MapWindow;
class MapsModule;

class CMapWindow final : public QWidget {
public:
    CMapWindow(MapWindow& window, MapsModule& maps, QWidget* parent = nullptr);
    ~CMapWindow() override;
    MapWindow& Window() { return window_; }
    // The module is gone: closing must not tell it.
    void Detach() { detached_ = true; poll_.stop(); }
    // Draws now if the map changed; true when it drew.
    bool RenderIfChanged();
    const QImage* Picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    void UpdateTitle();

    MapWindow& window_;
    MapsModule& maps_;
    std::unique_ptr<QtSurface> surface_;     // the window as shown
    std::unique_ptr<QtSurface> mapPicture_;  // the map alone, kept while the view stays
    uint64_t drawnGeneration_ = 0, drawnMapGeneration_ = 0;
    QTimer poll_;
    QPoint pressAt_, lastDrag_;
    bool pressed_ = false, dragging_ = false;
    bool detached_ = false;
};

// The Qt key as a map-window key code: letters upper-cased, the arrows as
// 19-22; 0 for keys the maps do not take.
int MapKeyCode(int qtKey, const QString& text);

}  // namespace velmora
