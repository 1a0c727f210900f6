// The desktop as a saved configuration sees it: each MDI window by its kind
// and place, and the window just opened moved to where it was.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "ui/CMapWindow.h"
#include "ui/DesktopUi.h"
#include "ui/ListWindow.h"
#include "ui/WeatherChartWindow.h"

namespace velmora {
namespace {

WindowRect RectOf(const QRect& g) {
    return {static_cast<int16_t>(g.top()), static_cast<int16_t>(g.left()), static_cast<int16_t>(g.bottom() + 1),
            static_cast<int16_t>(g.right() + 1)};
}

}  // namespace

std::vector<WindowLayout::Open> DesktopUi::OpenWindows() const {
    std::vector<Open> open;
    const QList<QMdiSubWindow*> stacked = frame_->Mdi()->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stacked.rbegin(); it != stacked.rend(); ++it) {  // the front one first
        QMdiSubWindow* sub = *it;
        Open o;
        o.rect = RectOf(sub->geometry());
        if (auto* map = dynamic_cast<CMapWindow*>(sub->widget())) {
            o.windowClass = kClassMap;
            o.map = &map->Window();
        } else if (auto* list = dynamic_cast<ListWindow*>(sub->widget())) {
            o.windowClass = kClassList;
            o.list = list->Model().Code();
        } else if (dynamic_cast<WeatherChartWindow*>(sub->widget())) {
            o.windowClass = kClassGraph;
            o.list = MakeFourCC("WXCG");
        } else {
            continue;  // terminals, help, conversations: not kept
        }
        open.push_back(o);
    }
    return open;
}

void DesktopUi::PrepareForWindows(size_t) { frame_->showMaximized(); }

void DesktopUi::PlaceNewestWindow(const WindowRect& r) {
    QMdiSubWindow* sub = frame_->Mdi()->currentSubWindow();
    if (!sub) return;
    sub->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace velmora
