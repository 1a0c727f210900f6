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

constexpr const char* kOptionTexts[5] = {
    "Autostart TCP connection (random APRS server)", "Feed (echo) local data to TCP/IP",
    "Ignore Incoming TCP (feed only) (not normally used)", "Auto Re-connect", "Enable outgoing 3rd party messages"};
constexpr const char* kOptionFields[5] = {"autostart_tcp", "feed_local_to_tcp", "ignore_incoming_tcp", "auto_reconnect",
                                          "outgoing_third_party"};

}  // namespace

TcpSettingsDialog::TcpSettingsDialog(Preferences& prefs, QWidget* parent)
    : QDialog(parent), prefs_(prefs), filter_(new QLineEdit), range_(new QSpinBox) {
    setWindowTitle("TCP settings");
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 5; ++i) {
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
    for (int i = 0; i < 5; ++i) ok &= prefs_.Set(kOptionFields[i], options_[size_t(i)]->isChecked() ? "1" : "0");
    // One line: a filter can carry no line end into the login.
    QString filter = filter_->text();
    filter.remove('\r').remove('\n');
    ok &= prefs_.Set("internet_filter", filter.toStdString());
    ok &= prefs_.Set("internet_range_km", std::to_string(range_->value()));
    return ok;
}

}  // namespace velmora
