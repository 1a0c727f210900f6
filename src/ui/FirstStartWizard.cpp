#include "ui/FirstStartWizard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWizardPage>

#include "geo/PositionInput.h"

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

QLineEdit* Degrees(double value, bool set, Axis axis, const char* example) {
    auto* edit = new QLineEdit(set ? QString::fromStdString(ShowCoordinate(value, axis)) : QString());
    edit->setPlaceholderText(example);
    return edit;
}

}  // namespace

FirstStartWizard::FirstStartWizard(FirstStartForm& form, QWidget* parent)
    : QWizard(parent), form_(form), call_(new QLineEdit(QString::fromStdString(form.call))),
      lat_(Degrees(form.latitude, form.latitude != 0 || form.longitude != 0, Axis::kLatitude, "47 36.50N")),
      lon_(Degrees(form.longitude, form.latitude != 0 || form.longitude != 0, Axis::kLongitude, "122 20.00W")),
      readBack_(new QLabel),
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

    addPage(Page("Where you are", "Your position as you write it: 47 36.50N and 122 20.00W, 4736.50N and "
                                  "12220.00W, degrees minutes seconds, or decimal degrees with south and west "
                                  "negative (47.60833 and -122.33333).", f));
    f->addRow("Latitude", lat_);
    f->addRow("Longitude", lon_);
    readBack_->setObjectName("readBack");
    readBack_->setWordWrap(true);
    f->addRow("Read as", readBack_);
    connect(lat_, &QLineEdit::textChanged, this, [this] { ShowReading(); });
    connect(lon_, &QLineEdit::textChanged, this, [this] { ShowReading(); });
    ShowReading();
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
    if (const std::string why = edited.TakePosition(lat_->text().toStdString(), lon_->text().toStdString());
        !why.empty()) {
        problem_ = QString::fromStdString(why);
        return false;
    }
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
    std::string why = page < 1 ? std::string() : probe.TakePosition(lat_->text().toStdString(), lon_->text().toStdString());
    probe.positionFromGpsd = gpsd_->isChecked();
    probe.gpsDevice = gpsDevice_->currentText().trimmed().toStdString();
    probe.connection = static_cast<FirstConnection>(connection_->currentIndex());
    probe.device = device_->currentText().trimmed().toStdString();
    if (page < 3) probe.connection = FirstConnection::kInternetOnly;  // the last page is checked last
    if (page < 1) probe.positionFromGpsd = true, probe.gpsDevice.clear();
    if (why.empty()) why = probe.Problem();
    if (why.empty() && page < 3) return true;
    if (page == 3 && Store()) return true;
    problem_ = QString::fromStdString(why.empty() ? problem_.toStdString() : why);
    QMessageBox::warning(this, "Velmora", problem_);
    return false;
}

void FirstStartWizard::ShowReading() {
    FirstStartForm probe;
    const std::string why = probe.TakePosition(lat_->text().toStdString(), lon_->text().toStdString());
    if (!why.empty()) readBack_->setText(QString::fromStdString(why));
    else if (probe.latitude == 0 && probe.longitude == 0) readBack_->setText("(no position typed)");
    else readBack_->setText(QString::fromStdString(ShowPosition(probe.latitude, probe.longitude)));
}

}  // namespace velmora
