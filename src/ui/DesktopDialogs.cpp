// The desktop's dialogs and boxes: files, the settings dialogs, About,
// Help, a choice from a list, a line of text.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/DesktopUi.h"
#include "ui/HelpText.h"
#include "ui/FirstStartWizard.h"
#include "ui/GpsSettingsDialog.h"
#include "ui/MessageSettingsDialog.h"
#include "ui/KissSettingsDialog.h"
#include "ui/PortSettingsDialog.h"
#include "ui/ReportRatesDialog.h"
#include "ui/StationSettingsDialog.h"
#include "ui/TcpSettingsDialog.h"
#include "ui/TncSettingsDialog.h"
#include "ui/DisplayOptionsDialog.h"
#include "ui/NwsExpiryDialog.h"
#include "ui/FindDialog.h"
#include "ui/ObjectDialog.h"
#include "ui/RadiogramWindow.h"

namespace velmora {

std::string DesktopUi::ChooseFile(std::string_view title) {
    if (autoAnswer_) return {};
    return QFileDialog::getOpenFileName(frame_.get(), QString::fromUtf8(title.data(), static_cast<int>(title.size())))
        .toStdString();
}

bool DesktopUi::EditStationSettings(Preferences& prefs) {
    StationSettingsDialog dialog(prefs, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::EditTcpSettings(Preferences& prefs) {
    TcpSettingsDialog dialog(prefs, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::EditPortSettings(PortSettingsForm& form) {
    if (autoAnswer_) return false;
    PortSettingsDialog dialog(form, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::EditKissSettings(TncSettings& settings) {
    if (autoAnswer_) return false;
    KissSettingsDialog dialog(settings, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::RunFirstStart(FirstStartForm& form) {
    if (autoAnswer_) return false;
    FirstStartWizard wizard(form, frame_.get());
    return wizard.exec() == QDialog::Accepted;
}

bool DesktopUi::EditMessageSettings(MessageSettingsForm& form) {
    if (autoAnswer_) return false;
    MessageSettingsDialog dialog(form, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::EditGpsSettings(GpsSettingsForm& form) {
    if (autoAnswer_) return false;
    GpsSettingsDialog dialog(form, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::EditTncSettings(TncSettingsForm& form) {
    if (autoAnswer_) return false;
    TncSettingsDialog dialog(form, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::EditDisplayOptions(DisplayOptionsForm& form, bool unitsOnly) {
    if (autoAnswer_) return false;
    DisplayOptionsDialog dialog(form, unitsOnly, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::AskNwsExpiry(NwsExpiryForm& form) {
    if (autoAnswer_) return false;
    NwsExpiryDialog dialog(form, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::AskFind(FindForm& form) {
    if (autoAnswer_) return false;
    FindDialog dialog(form, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool DesktopUi::EditRadiogram(RadiogramForm& form) {
    if (autoAnswer_) return false;
    RadiogramWindow window(form, frame_.get());
    return window.exec() == QDialog::Accepted;
}

bool DesktopUi::EditObject(ObjectForm& form) {
    if (autoAnswer_) return false;
    ObjectDialog dialog(form, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

void DesktopUi::ShowRadiogram(const Radiogram& radiogram) {
    if (autoAnswer_) return;
    RadiogramForm form{radiogram, radiogram.wholeText};
    RadiogramWindow window(form, frame_.get(), true);
    window.exec();
}

bool DesktopUi::EditReportRates(Preferences& prefs) {
    ReportRatesDialog dialog(prefs, frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

void DesktopUi::ShowAbout(std::string_view text) {
    if (autoAnswer_) return;
    auto* box = new QMessageBox(QMessageBox::Information, "About Velmora",
                                QString::fromUtf8(text.data(), static_cast<int>(text.size())), QMessageBox::Ok,
                                frame_.get());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);  // the station works while it is open
    box->show();
}

void DesktopUi::ShowHelp() {
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList()) {
        if (sub->widget() && sub->widget()->objectName() == "HelpWindow") {
            frame_->Mdi()->setActiveSubWindow(sub);
            return;
        }
    }
    auto* help = new QTextBrowser;
    help->setObjectName("HelpWindow");
    help->setWindowTitle("Velmora Help");
    help->setMarkdown(QString::fromStdString(UserHelp()));
    QMdiSubWindow* sub = frame_->Mdi()->addSubWindow(help);
    if (!sub) return;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(std::min(760, frame_->Mdi()->viewport()->width()), std::min(600, frame_->Mdi()->viewport()->height()));
    sub->show();
}

int DesktopUi::ChooseItem(std::string_view title, const std::vector<std::string>& items) {
    if (autoAnswer_) return items.empty() ? -1 : 0;
    QStringList list;
    for (const std::string& i : items) list << QString::fromStdString(i);
    bool ok = false;
    const QString choice = QInputDialog::getItem(frame_.get(), QString::fromUtf8(title.data(), int(title.size())),
                                                 "Port", list, 0, false, &ok);
    return ok ? static_cast<int>(list.indexOf(choice)) : -1;
}

int DesktopUi::ChooseDescribed(std::string_view title, const std::vector<std::string>& items,
                               const std::vector<std::string>& descriptions) {
    if (autoAnswer_) return items.empty() ? -1 : 0;
    QDialog dialog(frame_.get());
    dialog.setWindowTitle(QString::fromUtf8(title.data(), int(title.size())));
    auto* list = new QListWidget;
    for (const std::string& i : items) list->addItem(QString::fromStdString(i));
    auto* about = new QLabel;
    about->setWordWrap(true);
    about->setMinimumHeight(80);
    about->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    QObject::connect(list, &QListWidget::currentRowChanged, about, [about, &descriptions](int row) {
        const bool known = row >= 0 && static_cast<size_t>(row) < descriptions.size();
        about->setText(known ? QString::fromStdString(descriptions[static_cast<size_t>(row)]) : QString());
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(about);
    layout->addWidget(buttons);
    list->setCurrentRow(0);
    if (dialog.exec() != QDialog::Accepted) return -1;
    return list->currentRow();
}

std::optional<std::string> DesktopUi::AskText(std::string_view title, std::string_view prefix) {
    if (autoAnswer_) return std::nullopt;
    bool ok = false;
    const QString text = QInputDialog::getText(frame_.get(), QString::fromUtf8(title.data(), int(title.size())),
                                               QString::fromUtf8(prefix.data(), int(prefix.size())),
                                               QLineEdit::Normal, {}, &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

}  // namespace velmora
