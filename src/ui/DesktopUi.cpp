#include "ui/DesktopUi.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <optional>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTextBrowser>

#include "ui/HelpText.h"

#include "app/MenuTable.h"
#include "app/Program.h"
#include "ui/ListWindow.h"
#include "ui/CMapWindow.h"
#include "ui/StationInfoWindow.h"
#include "platform/qt/QtSurface.h"
#include "ui/ReportRatesDialog.h"
#include "ui/TcpSettingsDialog.h"
#include "ui/StationSettingsDialog.h"
#include "ui/TerminalWindow.h"
#include <QLabel>

#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>

namespace velmora {

FrameWindow::FrameWindow(Program*& program) : program_(program), mdi_(new QMdiArea(this)) {
    setObjectName("FrameClass");
    setWindowTitle("Velmora");
    mdi_->setObjectName("MdiClient");
    mdi_->setBackground(Qt::white);
    setCentralWidget(mdi_);
    statusBar()->showMessage("Velmora");
    BuildMenus();
}

namespace {
// The desktop's usual keys for the common commands (the map windows keep
// their letters, Control-H and Control-B).
std::optional<QKeySequence> Shortcut(uint16_t id) {
    switch (id) {
        case kCmdExit: return QKeySequence(QKeySequence::Quit);         // asks first, as closing does
        case kCmdOpen: return QKeySequence(QKeySequence::Open);
        case kCmdNewMessage: return QKeySequence(Qt::CTRL | Qt::Key_M);
        case kCmdMessageList: return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M);
        case kCmdStationList: return QKeySequence(Qt::CTRL | Qt::Key_L);
        default: return std::nullopt;
    }
}
}  // namespace

void FrameWindow::BuildMenus() {
    for (const Menu& m : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(m.title);
        for (const MenuItem& item : m.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(item.text);
            a->setCheckable(item.checkable);
            const uint16_t id = item.id;
            connect(a, &QAction::triggered, this, [this, id] {
                if (program_) program_->Command(id);
            });
            if (const auto key = Shortcut(id)) a->setShortcut(*key);
            actions_[id] = a;
        }
        // Linux desktops do not report Caps Lock to programs, so its
        // behaviours (fast replay, skipping the street map, F8 login) hang
        // on this switch instead.
        if (std::string_view(m.title) == "Settings") {
            menu->addSeparator();
            capsLock_ = menu->addAction("Caps Lock Mode");
            capsLock_->setCheckable(true);
        }
    }
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    if (!program_ || program_->QuitRequested() || program_->CloseRequested()) event->accept();
    else event->ignore();
}

void FrameWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (program_ && key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        // As the virtual-key codes: F1 is 112.
        program_->FunctionKey(112 + (key - Qt::Key_F1), event->modifiers() & Qt::ControlModifier);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

DesktopUi::DesktopUi() : frame_(std::make_unique<FrameWindow>(program_)) {}

void DesktopUi::Attach(Program* program) {
    program_ = program;
    AttachTarget(program);
}
DesktopUi::~DesktopUi() = default;

Answer DesktopUi::MessageBox(std::string_view text, std::string_view title, Buttons buttons) {
    if (autoAnswer_) return *autoAnswer_;
    const auto choice = buttons == Buttons::kOk ? QMessageBox::Ok : (QMessageBox::Ok | QMessageBox::Cancel);
    const int r = QMessageBox::warning(frame_.get(), QString::fromUtf8(title.data(), static_cast<int>(title.size())),
                                       QString::fromUtf8(text.data(), static_cast<int>(text.size())), choice);
    return r == QMessageBox::Ok ? Answer::kOk : Answer::kCancel;
}

bool DesktopUi::ShiftHeld() const {
    return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}

bool DesktopUi::ControlHeld() const {
    return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}

bool DesktopUi::CapsLockHeld() const { return frame_->CapsLockAction() && frame_->CapsLockAction()->isChecked(); }

int DesktopUi::OpenWindowCount() const { return static_cast<int>(frame_->Mdi()->subWindowList().size()); }

bool DesktopUi::NewChildWindow() {
    auto* child = new QWidget;
    child->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(child);
    if (!sub) return false;
    sub->setWindowTitle("Velmora");
    sub->show();
    return true;
}

void DesktopUi::ShowList(ListModel& model) {
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList()) {
        auto* open = dynamic_cast<ListWindow*>(sub->widget());
        if (open && &open->Model() == &model) {
            frame_->Mdi()->setActiveSubWindow(sub);
            return;
        }
    }
    auto* window = new ListWindow(model);
    window->onActivate = [this, &model](size_t row) {
        if (!program_ || model.RowOpened(row)) return;
        if (model.Code() == MakeFourCC("MSGL")) {
            // A message opens the conversation it belongs to.
            if (const std::string call = model.RowCall(row); !call.empty()) ShowConversation(call);
            return;
        }
        if (const std::string call = model.RowCall(row); !call.empty()) {
            program_->Maps().ShowStation(call);
            ShowStationInfo(call);
        } else if (const uint16_t command = model.RowCommand(row)) {
            program_->Command(command);
        } else if (const auto area = model.RowArea(row)) {
            program_->Maps().CentreOnArea(*area);
        }
    };
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(window);
    if (!sub) return;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(window->windowTitle());
    sub->resize(std::min(900, frame_->Mdi()->viewport()->width()), std::min(400, frame_->Mdi()->viewport()->height()));
    KeepPlace(sub, kClassList, model.Code());
    // The list as the operator left it: sort, columns and widths.
    WindowLocations& locations = program_->Layout().Locations();
    window->Apply(ListWindowState::Parse(locations.Private(locations.Find(kClassList, model.Code(), false))));
    const FourCC code = model.Code();
    window->onStateChanged = [this, window, code] {
        WindowLocations& kept = program_->Layout().Locations();
        const auto block = window->State().Bytes();
        kept.SetPrivate(kept.Find(kClassList, code, true), block);
    };
    sub->show();
}

void DesktopUi::CloseList(ListModel& model) {
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList())
        if (auto* list = dynamic_cast<ListWindow*>(sub->widget()); list && &list->Model() == &model) sub->close();
}

bool DesktopUi::ShowMapWindow(MapWindow& window) {
    if (!program_) return false;
    auto* view = new CMapWindow(window, program_->Maps());
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(view);
    if (!sub) return false;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle("Map window");
    const QSize area = frame_->Mdi()->viewport()->size();
    const int side = std::max(200, std::min(area.width(), area.height()));
    sub->resize(side, side);
    KeepPlace(sub, kClassMap, 0);
    sub->show();
    frame_->Mdi()->setActiveSubWindow(sub);
    return true;
}

std::vector<CMapWindow*> DesktopUi::MapWidgets() const {
    std::vector<CMapWindow*> out;
    QMdiSubWindow* active = frame_->Mdi()->activeSubWindow();
    if (active)
        if (auto* v = dynamic_cast<CMapWindow*>(active->widget())) out.push_back(v);
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList(QMdiArea::StackingOrder)) {
        auto* v = dynamic_cast<CMapWindow*>(sub->widget());
        if (v && sub != active) out.push_back(v);
    }
    return out;
}

MapWindow* DesktopUi::FrontMapWindow() {
    QMdiSubWindow* active = frame_->Mdi()->activeSubWindow();
    if (!active) {
        // With the focus in a menu or a dialog there is no active child:
        // the topmost one counts.
        const auto list = frame_->Mdi()->subWindowList(QMdiArea::StackingOrder);
        if (list.isEmpty()) return nullptr;
        active = list.back();
    }
    auto* view = dynamic_cast<CMapWindow*>(active->widget());
    return view ? &view->Window() : nullptr;
}

void DesktopUi::MapWindowChanged(MapWindow& window) {
    for (CMapWindow* v : MapWidgets())
        if (&v->Window() == &window) v->update();
}

void DesktopUi::SetMapsMenu(const std::vector<MapMenuNode>& nodes) {
    QMenu* maps = nullptr;
    for (QAction* a : frame_->menuBar()->actions())
        if (a->menu() && a->text() == "Maps") maps = a->menu();
    if (!maps) return;
    std::vector<QMenu*> submenus(nodes.size(), nullptr);
    for (size_t i = 0; i < nodes.size(); ++i) {
        const MapMenuNode& n = nodes[i];
        QMenu* parent = n.parent >= 0 && submenus[size_t(n.parent)] ? submenus[size_t(n.parent)] : maps;
        const QString text = QString::fromStdString(n.text).replace("&", "&&");
        if (n.submenu) {
            submenus[i] = parent->addMenu(text);
            continue;
        }
        QAction* a = parent->addAction(text);
        QObject::connect(a, &QAction::triggered, this, [this, id = n.id] {
            if (program_) program_->Command(id);
        });
        frame_->Actions()[n.id] = a;
    }
}

std::string DesktopUi::ChooseImageFile() {
    if (autoAnswer_) return {};
    return QFileDialog::getSaveFileName(frame_.get(), "Save Map Image", "Map.png", "PNG images (*.png)").toStdString();
}

bool DesktopUi::SaveMapImage(MapWindow& window, const std::string& path) {
    if (!program_) return false;
    QtSurface surface(window.Width(), window.Height());
    window.Draw(surface, program_->Maps().Scene());
    return surface.SavePng(path);
}

void DesktopUi::ShowStationInfo(const std::string& call) {
    if (!program_) return;
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList()) {
        auto* open = dynamic_cast<StationInfoWindow*>(sub->widget());
        if (open && open->Call() == call) {
            frame_->Mdi()->setActiveSubWindow(sub);
            return;
        }
    }
    const StationTable& t = program_->Core().Stations();
    const StationIndex i = t.Lookup(call);
    const char table = t.ValidIndex(i) ? t.At(i).symbolTable : '/';
    const char code = t.ValidIndex(i) ? t.At(i).symbolCode : '?';
    auto* window = new StationInfoWindow(call, table, code, [this](const std::string& c) {
        return program_ ? program_->Maps().InfoText(c) : std::string();
    });
    // The buttons do what the map's right-click menu does for the station.
    const auto act = [this, call](MapAction a) {
        return [this, call, a] {
            if (program_) (void)program_->Maps().ActOnStation(call, a);
        };
    };
    std::vector<StationInfoWindow::Action> actions = {{"Centre", act(MapAction::kCentre)},
                                                      {"Follow", act(MapAction::kFollow)},
                                                      {"Track", act(MapAction::kTrack)},
                                                      {"Flag", act(MapAction::kFlag)}};
    const bool object = t.ValidIndex(i) && (t.At(i).objectState || t.At(i).specialIcon == 30);
    if (!object && i != 0) {
        actions.insert(actions.begin(), {"Send Message...", act(MapAction::kMessage)});
        actions.push_back({"Trace Path", act(MapAction::kTrace)});
    }
    if (program_->Objects().IsOwn(call)) {
        actions.push_back({"Edit Object...", act(MapAction::kEditObject)});
        actions.push_back({"Kill Object", act(MapAction::kKillObject)});
    }
    window->AddActions(actions);
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(window->windowTitle());
    sub->resize(620, 440);
    sub->show();
    frame_->Mdi()->setActiveSubWindow(sub);
}

void DesktopUi::MapsGone() {
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList()) {
        if (auto* v = dynamic_cast<CMapWindow*>(sub->widget())) {
            v->Detach();
            delete sub;
        } else if (dynamic_cast<StationInfoWindow*>(sub->widget())) {
            delete sub;  // it asks the maps for its text
        }
    }
}

void DesktopUi::ListsGone() {
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList())
        if (dynamic_cast<ListWindow*>(sub->widget())) delete sub;
}

void DesktopUi::TileWindows() { frame_->Mdi()->tileSubWindows(); }
void DesktopUi::CascadeWindows() { frame_->Mdi()->cascadeSubWindows(); }

void DesktopUi::ArrangeIcons() {
    // Minimised children line up along the bottom of the client area.
    int x = 0;
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList()) {
        if (!sub->isMinimized()) continue;
        sub->move(x, frame_->Mdi()->viewport()->height() - sub->height());
        x += sub->width();
    }
}

void DesktopUi::RefreshCheckMarks() {
    if (!program_) return;
    for (auto& [id, action] : frame_->Actions()) {
        if (action->isCheckable()) action->setChecked(program_->IsChecked(id));
    }
}

void DesktopUi::ActivateNextWindow() { frame_->Mdi()->activateNextSubWindow(); }

void DesktopUi::ActiveWindowKey(int code, bool ctrlHeld) {
    QMdiSubWindow* sub = frame_->Mdi()->activeSubWindow();
    if (!sub) return;
    if (code == 115 && ctrlHeld) {
        sub->close();
        return;
    }
    auto* list = dynamic_cast<ListWindow*>(sub->widget());
    if (code == 114 && list) {
        // Find: the list's filter takes the typing, its text selected.
        list->Filter()->setFocus();
        list->Filter()->selectAll();
    } else if (code == 116) {
        if (list) list->RefreshNow();
        sub->widget()->update();
    }
}

void DesktopUi::AddMenu(std::string_view title, const std::vector<std::pair<uint16_t, std::string>>& items) {
    QMenu* menu = frame_->menuBar()->addMenu(QString::fromUtf8(title.data(), int(title.size())));
    for (const auto& [id, text] : items) {
        QAction* a = menu->addAction(QString::fromStdString(text));
        a->setCheckable(true);
        QObject::connect(a, &QAction::triggered, this, [this, id = id] {
            if (program_) program_->Command(id);
        });
        frame_->Actions()[id] = a;
    }
}

void DesktopUi::ShowTerminal(std::string_view title) {
    if (!terminal_) {
        terminal_ = new TerminalWindow([this](std::string_view bytes) {
            if (program_) program_->TerminalTyped(bytes);
        });
        QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(terminal_);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(terminal_, &QObject::destroyed, this, [this] {
            terminal_ = nullptr;
            if (program_) program_->TerminalClosed();
        });
        sub->resize(500, 300);
    }
    terminal_->parentWidget()->setWindowTitle(QString::fromUtf8(title.data(), static_cast<int>(title.size())));
    terminal_->parentWidget()->show();
    terminal_->setFocus();
}

void DesktopUi::TerminalOutput(std::string_view text, int colour) {
    if (terminal_) terminal_->Show(text, colour);
}

void DesktopNotices::StatusText(std::string_view text) {
    frame_.statusBar()->showMessage(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

void DesktopNotices::PlayEventSound(int, std::string_view caption) {
    StatusText(caption);
    QApplication::beep();
}

void DesktopNotices::Beep() { QApplication::beep(); }

}  // namespace velmora
