// The desktop as a saved configuration sees it: each MDI window by its kind
// and place, and the window just opened moved to where it was.
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/Program.h"
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

// Keeps the latest place of a kind of window in the window locations, as
// the operator moves and sizes it.
class PlaceKeeper final : public QObject {
public:
    PlaceKeeper(QMdiSubWindow* sub, WindowLocations& locations, FourCC windowClass, FourCC list)
        : QObject(sub), sub_(sub), locations_(locations), class_(windowClass), list_(list) {
        sub->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && sub_->isVisible())
            locations_.SetRect(locations_.Find(class_, list_, true), RectOf(sub_->geometry()));
        return false;
    }

private:
    QMdiSubWindow* sub_;
    WindowLocations& locations_;
    FourCC class_, list_;
};

}  // namespace

void DesktopUi::KeepPlace(QMdiSubWindow* sub, FourCC windowClass, FourCC list) {
    if (!program_ || !sub) return;
    WindowLocations& locations = program_->Layout().Locations();
    const int index = locations.Find(windowClass, list, false);
    const WindowRect stored = locations.Rect(index);
    if (index >= 0 && !stored.Empty()) {
        // A second window of the kind steps 23 right and 3 down from the
        // first, back to the stored place once past half the screen.
        int others = 0;
        for (QMdiSubWindow* other : frame_->Mdi()->subWindowList())
            if (other != sub && other->property("velmoraKind").toULongLong() == (qulonglong(windowClass) << 32 | list)) ++others;
        int left = stored.left + 23 * others, top = stored.top + 3 * others;
        if (left > frame_->Mdi()->viewport()->width() / 2 && others > 0) left = stored.left, top = stored.top;
        sub->setGeometry(left, top, stored.right - stored.left, stored.bottom - stored.top);
    }
    sub->setProperty("velmoraKind", qulonglong(windowClass) << 32 | list);
    new PlaceKeeper(sub, locations, windowClass, list);
}

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
