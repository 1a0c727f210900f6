#include "ui/FirstStartWizard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWizardPage>

namespace velmora {
namespace {

QWizardPage* Page(const QString& title, const QString& text, QFormLayout*& form) {
    auto* page = new QWizardPage;
    page->setTitle(title);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    layout->addWidget(label);
    form = new QFormLayout;
    layout->addLayout(form);
    return page;
}

QDoubleSpinBox* Degrees(double limit, double value) {
    auto* box = new QDoubleSpinBox;
    box->setRange(-limit, limit);
    box->setDecimals(5);
    box->setValue(value);
    return box;
}

}  // namespace

FirstStartWizard::FirstStartWizard(FirstStartForm& form, QWidget* parent)
    : QWizard(parent), form_(form), call_(new QLineEdit(QString::fromStdString(form.call))),
      lat_(Degrees(90, form.latitude)), lon_(Degrees(180, form.longitude)),
      gpsd_(new QCheckBox("Take the position from gpsd (a GPS shared on this machine)")), symbol_(new QComboBox),
      gpsDevice_(new QComboBox), connection_(new QComboBox), device_(new QComboBox), range_(new QSpinBox) {
    setWindowTitle("Welcome to Velmora");
    setWizardStyle(QWizard::ClassicStyle);
    QFormLayout* f = nullptr;
    addPage(Page("Your call sign", "Velmora sends your reports under your amateur radio call sign, with an SSID "
                                   "when you like (W1AW-9 for a car).", f));
    call_->setPlaceholderText("N0CALL");
    call_->setMaxLength(9);
    f->addRow("Call sign", call_);

    addPage(Page("Where you are", "Your position in degrees: north and east positive, south and west negative "
                                  "(41.7147 and -72.7272 for Newington, Connecticut).", f));
    f->addRow("Latitude", lat_);
    f->addRow("Longitude", lon_);
    f->addRow(gpsd_);
    gpsDevice_->setEditable(true);
    gpsDevice_->addItem("");  // none
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) gpsDevice_->addItem(info.systemLocation());
    gpsDevice_->setCurrentText(QString::fromStdString(form.gpsDevice));
    gpsDevice_->lineEdit()->setPlaceholderText("none; or a device such as /dev/ttyACM0");
    f->addRow("GPS on a serial port", gpsDevice_);

    addPage(Page("Your symbol", "How other stations see you on their maps.", f));
    for (const SymbolChoice& s : kFirstStartSymbols) symbol_->addItem(s.name);
    symbol_->setCurrentIndex(static_cast<int>(form.symbol));
    f->addRow("Symbol", symbol_);

    addPage(Page("How you reach APRS", "A TNC on a serial port or on the network (Dire Wolf offers KISS on TCP "
                                       "port 8001), or the internet only: the stations round you from an APRS "
                                       "server, with nothing sent by radio.", f));
    connection_->addItems({"KISS TNC on a serial port", "KISS TNC on the network (tcp:HOST:PORT)",
                           "Text-mode TNC on a serial port", "The internet only"});
    connection_->setCurrentIndex(static_cast<int>(form.connection));
    device_->setEditable(true);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) device_->addItem(info.systemLocation());
    device_->addItem("tcp:localhost:8001");
    device_->setCurrentText(QString::fromStdString(form.device));
    range_->setRange(1, 5000);
    range_->setSuffix(" km");
    range_->setValue(form.rangeKm);
    f->addRow("Connection", connection_);
    f->addRow("TNC device", device_);
    f->addRow("Stations within", range_);
}

bool FirstStartWizard::Store() {
    FirstStartForm edited = form_;
    edited.call = call_->text().trimmed().toUpper().toStdString();
    edited.latitude = lat_->value();
    edited.longitude = lon_->value();
    edited.positionFromGpsd = gpsd_->isChecked();
    edited.gpsDevice = gpsDevice_->currentText().trimmed().toStdString();
    edited.symbol = static_cast<size_t>(std::max(0, symbol_->currentIndex()));
    edited.connection = static_cast<FirstConnection>(connection_->currentIndex());
    edited.device = device_->currentText().trimmed().toStdString();
    edited.rangeKm = range_->value();
    problem_ = QString::fromStdString(edited.Problem());
    if (!problem_.isEmpty()) return false;
    form_ = edited;
    return true;
}

// Each page is checked as the operator leaves it, with the same words as the whole form.
bool FirstStartWizard::validateCurrentPage() {
    const int page = currentId();
    FirstStartForm probe = form_;
    probe.call = call_->text().trimmed().toUpper().toStdString();
    probe.latitude = lat_->value(), probe.longitude = lon_->value(), probe.positionFromGpsd = gpsd_->isChecked();
    probe.gpsDevice = gpsDevice_->currentText().trimmed().toStdString();
    probe.connection = static_cast<FirstConnection>(connection_->currentIndex());
    probe.device = device_->currentText().trimmed().toStdString();
    if (page < 3) probe.connection = FirstConnection::kInternetOnly;  // the last page is checked last
    if (page < 1) probe.positionFromGpsd = true, probe.gpsDevice.clear();
    const std::string why = probe.Problem();
    if (why.empty() && page < 3) return true;
    if (page == 3 && Store()) return true;
    problem_ = QString::fromStdString(why.empty() ? problem_.toStdString() : why);
    QMessageBox::warning(this, "Velmora", problem_);
    return false;
}

}  // namespace velmora
