// The desktop's message and Garmin windows: the new-message and
// auto-answer dialogs, conversations, the Garmin control window and its
// screen image.
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/Program.h"
#include "ui/ConversationWindow.h"
#include "ui/DesktopUi.h"
#include "ui/GarminScreen.h"
#include "ui/GarminWindow.h"
#include "ui/WeatherChartWindow.h"
#include "ui/WeatherSettingsDialog.h"
#include "ui/NewMessageDialog.h"

namespace velmora {

bool DesktopUi::ComposeMessage(NewMessageForm& form) {
    NewMessageDialog dialog(form, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::EditAutoAnswer(AutoAnswer& answer) { return AskAutoAnswer(answer, frame_.get()); }

void DesktopUi::ShowConversation(const std::string& call) {
    if (!program_ || call.empty()) return;
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList()) {
        auto* open = dynamic_cast<ConversationWindow*>(sub->widget());
        if (open && open->Call() == call) {
            frame_->Mdi()->setActiveSubWindow(sub);
            return;
        }
    }
    auto* window = new ConversationWindow(program_->Messages(), call);
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(window);
    if (!sub) return;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(std::min(560, frame_->Mdi()->viewport()->width()), std::min(420, frame_->Mdi()->viewport()->height()));
    sub->show();
    window->Input()->setFocus();
}

void DesktopUi::ShowGarmin() {
    if (!program_) return;
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList()) {
        if (dynamic_cast<GarminWindow*>(sub->widget())) {
            frame_->Mdi()->setActiveSubWindow(sub);
            return;
        }
    }
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(new GarminWindow(program_->Garmin()));
    if (!sub) return;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
}

void DesktopUi::ShowWeatherChart() {
    if (!program_) return;
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList()) {
        if (dynamic_cast<WeatherChartWindow*>(sub->widget())) {
            frame_->Mdi()->setActiveSubWindow(sub);
            sub->widget()->update();
            return;
        }
    }
    auto* chart = new WeatherChartWindow(program_->Weather());
    chart->confirm = [this](const QString& text) { MessageBox(text.toStdString(), "Weather Chart", Buttons::kOk); };
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(chart);
    if (!sub) return;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(900, 700);
    KeepPlace(sub, kClassGraph, MakeFourCC("WXCG"));
    sub->show();
}

void DesktopUi::WeatherChartChanged() {
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList())
        if (auto* w = dynamic_cast<WeatherChartWindow*>(sub->widget())) w->Redraw();
}

bool DesktopUi::EditWeatherSettings(WeatherDialogValues& values) {
    if (autoAnswer_) return false;
    WeatherSettingsDialog dialog(values, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

void DesktopUi::GarminStatus(std::string_view text) {
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList())
        if (auto* g = dynamic_cast<GarminWindow*>(sub->widget())) g->SetStatus(QString::fromUtf8(text.data(), int(text.size())));
}

void DesktopUi::GarminScreen(const GarminLink& link) {
    const QImage image = GarminScreenImage(link);
    if (image.isNull()) return;
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(image.scaled(image.size() * 3)));
    label->setWindowTitle("Garmin screen");
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(label);
    if (!sub) return;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    bool ok = false;
    const QString file = QInputDialog::getText(frame_.get(), "Garmin screen", "Please enter file name", QLineEdit::Normal,
                                               "GPSscrn.png", &ok);
    if (ok && !file.isEmpty() && program_)
        image.save(QString::fromStdString(file.startsWith('/') ? file.toStdString()
                                                               : program_->Core().PlatformLayer().files.RealPath(file.toStdString())));
}

void DesktopUi::MessagesChanged() {
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList())
        if (auto* c = dynamic_cast<ConversationWindow*>(sub->widget())) c->Refresh();
}

}  // namespace velmora
