#include "ui/TcpSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace velmora {
namespace {

struct OptionRow {
    const char* text;
    bool TcpSettingsForm::*field;
};
constexpr OptionRow kOptions[8] = {
    {"Autostart TCP connection (random APRS server)", &TcpSettingsForm::autostart},
    {"Feed (echo) local data to TCP/IP", &TcpSettingsForm::feedLocal},
    {"Ignore Incoming TCP (feed only) (not normally used)", &TcpSettingsForm::ignoreIncoming},
    {"Auto Re-connect", &TcpSettingsForm::autoReconnect},
    {"Enable outgoing 3rd party messages", &TcpSettingsForm::outgoingThirdParty},
    {"Enable APRS server (incomming clients)", &TcpSettingsForm::enableServer},
    {"Server: accept clients from other machines (else this one only)", &TcpSettingsForm::serverAllInterfaces},
    {"Server: verified clients' packets may go to radio (ServerRF.txt lists who)", &TcpSettingsForm::serverToRf},
};

struct NumberRow {
    const char* text;
    int TcpSettingsForm::*field;
    int low, high;
};
constexpr NumberRow kNumbers[4] = {
    {"Server port", &TcpSettingsForm::serverPort, 1, 65535},
    {"IGate packets to radio per minute", &TcpSettingsForm::igatePerMinute, 0, 100},
    {"and per five minutes", &TcpSettingsForm::igatePerFiveMinutes, 0, 100},
    {"Server: let a silent client go after (0 never)", &TcpSettingsForm::serverIdleMinutes, 0, 10000},
};

}  // namespace

TcpSettingsDialog::TcpSettingsDialog(Preferences& prefs, QWidget* parent)
    : QDialog(parent),
      prefs_(prefs),
      form_(TcpSettingsForm::From(prefs)),
      filter_(new QLineEdit),
      range_(new QSpinBox),
      problem_(new QLabel) {
    setWindowTitle("TCP settings");
    auto* layout = new QVBoxLayout(this);
    for (size_t i = 0; i < options_.size(); ++i) {
        options_[i] = new QCheckBox(kOptions[i].text);
        options_[i]->setChecked(form_.*kOptions[i].field);
        layout->addWidget(options_[i]);
    }
    auto* form = new QFormLayout;
    filter_->setText(QString::fromStdString(form_.filter));
    filter_->setPlaceholderText("empty: the stations within the range below");
    filter_->setMaxLength(127);
    range_->setRange(1, 5000);
    range_->setSuffix(" km");
    range_->setValue(form_.rangeKm);
    form->addRow("Server filter", filter_);
    form->addRow("Range round home", range_);
    for (size_t i = 0; i < numbers_.size(); ++i) {
        numbers_[i] = new QSpinBox;
        numbers_[i]->setRange(kNumbers[i].low, kNumbers[i].high);
        numbers_[i]->setValue(form_.*kNumbers[i].field);
        form->addRow(kNumbers[i].text, numbers_[i]);
    }
    numbers_[3]->setSuffix(" min");
    layout->addLayout(form);
    layout->addWidget(new QLabel("The filter is sent at login and, when changed, to the connected servers."));
    problem_->setStyleSheet("color: #b00000");
    layout->addWidget(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TcpSettingsDialog::Store() {
    for (size_t i = 0; i < options_.size(); ++i) form_.*kOptions[i].field = options_[i]->isChecked();
    for (size_t i = 0; i < numbers_.size(); ++i) form_.*kNumbers[i].field = numbers_[i]->value();
    form_.filter = filter_->text().toStdString();
    form_.rangeKm = range_->value();
    const std::string why = form_.Problem();
    problem_->setText(QString::fromStdString(why));
    return why.empty() && form_.Store(prefs_);
}

}  // namespace velmora
