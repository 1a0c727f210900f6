#include "ui/PortSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace velmora {
namespace {

QString PortLabel(int port) {
    if (port == kPortBinaryGps) return "Garmin GPS Port";
    if (port == kPortAux) return "Auxiliary Port";
    return PortName(port);
}

}  // namespace

PortSettingsDialog::PortSettingsDialog(PortSettingsForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle("Port Settings");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* heads[] = {"Port", "Device", "Baud", "Parity", "Stop bits"};
    for (int c = 0; c < 5; ++c) grid->addWidget(new QLabel(QString("<b>%1</b>").arg(heads[c])), 0, c);
    QStringList present;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) present << info.systemLocation();
    int row = 1;
    for (int port : kDialogPorts) {
        const PortEntry& e = form.ports[size_t(port)];
        Row& r = rows_[size_t(port)];
        r.device = new QComboBox;
        r.device->setEditable(true);
        r.device->addItem("");
        r.device->addItems(present);
        r.device->addItem("tcp:localhost:8001");
        r.device->setCurrentText(QString::fromStdString(e.device));
        r.device->setMinimumContentsLength(22);
        r.device->setToolTip("A serial device such as /dev/ttyUSB0, or tcp:HOST:PORT for a KISS TNC on the network");
        r.baud = new QComboBox;
        for (int b : kBaudRates) r.baud->addItem(QString::number(b), b);
        r.baud->setCurrentIndex(std::max(0, r.baud->findData(e.baud)));
        r.parity = new QComboBox;
        r.parity->addItems({"None", "Odd", "Even"});
        r.parity->setCurrentIndex(std::clamp(e.parity, 0, 2));
        r.stop = new QComboBox;
        r.stop->addItems({"1", "2"});
        r.stop->setCurrentIndex(e.stopBits == 2 ? 1 : 0);
        grid->addWidget(new QLabel(PortLabel(port)), row, 0);
        grid->addWidget(r.device, row, 1);
        grid->addWidget(r.baud, row, 2);
        grid->addWidget(r.parity, row, 3);
        grid->addWidget(r.stop, row, 4);
        ++row;
    }
    layout->addLayout(grid);
    layout->addWidget(new QLabel(present.isEmpty() ? "No serial devices were found on this machine."
                                                   : "Serial devices found: " + present.join(", ")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
        else QMessageBox::warning(this, "Port Settings", problem_);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool PortSettingsDialog::Store() {
    PortSettingsForm edited = form_;
    for (int port : kDialogPorts) {
        const Row& r = rows_[size_t(port)];
        PortEntry& e = edited.ports[size_t(port)];
        e.device = r.device->currentText().trimmed().toStdString();
        e.baud = r.baud->currentData().toInt();
        e.parity = r.parity->currentIndex();
        e.stopBits = r.stop->currentIndex() == 1 ? 2 : 1;
    }
    const std::string why = edited.FirstProblem();
    problem_ = QString::fromStdString(why);
    if (!why.empty()) return false;
    form_ = edited;
    return true;
}

}  // namespace velmora
