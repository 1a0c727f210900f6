#include "ui/NwsExpiryDialog.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <algorithm>

namespace velmora {

NwsExpiryDialog::NwsExpiryDialog(NwsExpiryForm& form, QWidget* parent)
    : QDialog(parent), form_(form), expiry_(new QDateTimeEdit), event_(new QComboBox) {
    setWindowTitle("Enter expiration time");
    const LocalDateTime& e = form.expiry;
    expiry_->setDateTime(QDateTime(QDate(e.year, e.month, e.day), QTime(e.hour, e.minute)));
    expiry_->setDisplayFormat("yyyy-MM-dd HH:mm");
    expiry_->setCalendarPopup(true);
    for (std::string_view name : kNwsEvents) event_->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    event_->setCurrentText(QString::fromStdString(form.event));
    auto* layout = new QFormLayout(this);
    auto* caution = new QLabel("CAUTION: These buttons send out LIVE NWS alarms");
    caution->setStyleSheet("color: #b00000; font-weight: bold");
    layout->addRow(caution);
    layout->addRow("Expires", expiry_);
    layout->addRow("Event", event_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Store();
        accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void NwsExpiryDialog::Store() {
    const QDateTime t = expiry_->dateTime();
    form_.expiry = MakeDateTime(t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(), 0);
    form_.event = event_->currentText().toStdString();
}

}  // namespace velmora
