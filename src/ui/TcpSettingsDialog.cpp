#include "ui/TcpSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/Preferences.h"

namespace velmora {
namespace {

constexpr const char* kOptionTexts[6] = {
    "Autostart TCP connection (random APRS server)", "Feed (echo) local data to TCP/IP",
    "Ignore Incoming TCP (feed only) (not normally used)", "Auto Re-connect", "Enable outgoing 3rd party messages",
    "Enable APRS server (incomming clients)"};
constexpr const char* kOptionFields[6] = {"autostart_tcp", "feed_local_to_tcp", "ignore_incoming_tcp", "auto_reconnect",
                                          "outgoing_third_party", "enable_server"};
constexpr const char* kNumberTexts[3] = {"Server port", "IGate packets to radio per minute", "and per five minutes"};
constexpr const char* kNumberFields[3] = {"server_port", "igate_per_minute", "igate_per_five_minutes"};

}  // namespace

TcpSettingsDialog::TcpSettingsDialog(Preferences& prefs, QWidget* parent)
    : QDialog(parent), prefs_(prefs), filter_(new QLineEdit), range_(new QSpinBox) {
    setWindowTitle("TCP settings");
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 6; ++i) {
        auto* box = new QCheckBox(kOptionTexts[i]);
        box->setChecked(prefs_.Get(kOptionFields[i]).value_or("0") != "0");
        options_[size_t(i)] = box;
        layout->addWidget(box);
    }
    auto* form = new QFormLayout;
    filter_->setText(QString::fromStdString(prefs_.Get("internet_filter").value_or("")));
    filter_->setPlaceholderText("empty: the stations within the range below");
    filter_->setMaxLength(127);
    range_->setRange(1, 5000);
    range_->setSuffix(" km");
    const int km = std::atoi(prefs_.Get("internet_range_km").value_or("0").c_str());
    range_->setValue(km > 0 ? km : 200);
    form->addRow("Server filter", filter_);
    form->addRow("Range round home", range_);
    for (int i = 0; i < 3; ++i) {
        auto* n = new QSpinBox;
        n->setRange(i == 0 ? 1 : 0, i == 0 ? 65535 : 100);
        n->setValue(std::atoi(prefs_.Get(kNumberFields[i]).value_or("0").c_str()));
        numbers_[size_t(i)] = n;
        form->addRow(kNumberTexts[i], n);
    }
    layout->addLayout(form);
    layout->addWidget(new QLabel("The filter is sent at login and, when changed, to the connected servers."));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool TcpSettingsDialog::Store() {
    bool ok = true;
    for (int i = 0; i < 3; ++i) ok &= prefs_.Set(kNumberFields[i], std::to_string(numbers_[size_t(i)]->value()));
    for (int i = 0; i < 6; ++i) ok &= prefs_.Set(kOptionFields[i], options_[size_t(i)]->isChecked() ? "1" : "0");
    // One line: a filter can carry no line end into the login.
    QString filter = filter_->text();
    filter.remove('\r').remove('\n');
    ok &= prefs_.Set("internet_filter", filter.toStdString());
    ok &= prefs_.Set("internet_range_km", std::to_string(range_->value()));
    return ok;
}

}  // namespace velmora
