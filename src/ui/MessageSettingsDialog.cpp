#include "ui/MessageSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>

namespace velmora {

MessageSettingsDialog::MessageSettingsDialog(MessageSettingsForm& form, QWidget* parent)
    : QDialog(parent), form_(form), retries_(new QSpinBox), nws_(new QLineEdit) {
    setWindowTitle("Message Settings");
    auto* layout = new QFormLayout(this);
    retries_->setRange(0, 99);  // the check names the range the program uses
    retries_->setValue(form.retries);
    layout->addRow("Msg Retries", retries_);
    const std::pair<const char*, bool> options[5] = {
        {"Notify New Mail", form.notifyMail}, {"Notify Bulletins", form.notifyBulletins},
        {"Notify Announcements", form.notifyAnnouncements}, {"Enable Sound", form.sound},
        {"Message Round Trip Times", form.roundTrip}};
    for (size_t i = 0; i < 5; ++i) {
        options_[i] = new QCheckBox(options[i].first);
        options_[i]->setChecked(options[i].second);
        layout->addRow(options_[i]);
    }
    nws_->setText(QString::fromStdString(form.nwsStation));
    nws_->setMaxLength(9);
    nws_->setPlaceholderText("the call of your nearest NWS station");
    layout->addRow("Msg to NWS", nws_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
        else QMessageBox::warning(this, "Message Settings", problem_);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

bool MessageSettingsDialog::Store() {
    MessageSettingsForm edited = form_;
    edited.retries = retries_->value();
    edited.notifyMail = options_[0]->isChecked();
    edited.notifyBulletins = options_[1]->isChecked();
    edited.notifyAnnouncements = options_[2]->isChecked();
    edited.sound = options_[3]->isChecked();
    edited.roundTrip = options_[4]->isChecked();
    edited.nwsStation = nws_->text().trimmed().toUpper().toStdString();
    problem_ = QString::fromStdString(edited.Problem());
    if (!problem_.isEmpty()) return false;
    form_ = edited;
    return true;
}

}  // namespace velmora
