#include "ui/GpsSettingsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>

namespace velmora {

GpsSettingsDialog::GpsSettingsDialog(GpsSettingsForm& form, QWidget* parent)
    : QDialog(parent), form_(form), serial_(new QRadioButton("A GPS on the GPS port (or on a TNC's cable)")),
      gpsd_(new QRadioButton("gpsd, the GPS shared on this machine or the network")), host_(new QLineEdit),
      port_(new QSpinBox) {
    setWindowTitle("GPS Settings");
    auto* layout = new QFormLayout(this);
    (form.source == 1 ? gpsd_ : serial_)->setChecked(true);
    layout->addRow(serial_);
    layout->addRow(gpsd_);
    host_->setText(QString::fromStdString(form.host));
    host_->setMaxLength(63);
    port_->setRange(0, 65535);
    port_->setValue(form.port);
    layout->addRow("gpsd host", host_);
    layout->addRow("gpsd port", port_);
    const auto enable = [this] { host_->setEnabled(gpsd_->isChecked()), port_->setEnabled(gpsd_->isChecked()); };
    QObject::connect(gpsd_, &QRadioButton::toggled, this, enable);
    enable();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
        else QMessageBox::warning(this, "GPS Settings", problem_);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

bool GpsSettingsDialog::Store() {
    GpsSettingsForm edited = form_;
    edited.source = gpsd_->isChecked() ? 1 : 0;
    edited.host = host_->text().trimmed().toStdString();
    edited.port = port_->value();
    problem_ = QString::fromStdString(edited.Problem());
    if (!problem_.isEmpty()) return false;
    form_ = edited;
    return true;
}

}  // namespace velmora
