#include "ui/ReportRatesDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/Preferences.h"

namespace velmora {
namespace {

constexpr const char* kRateNames[4] = {"Stationary Position Report Rate", "Moving Position Report Rate",
                                       "Weather Report Rate", "Object Report Rate"};
constexpr const char* kRateFields[4] = {"rate_position", "rate_moving", "rate_weather", "rate_objects"};
constexpr const char* kChannels[3] = {"hf", "vhf", "internet"};
constexpr const char* kChannelTitles[3] = {"HF", "VHF", "Internet"};

std::string FieldName(int rate, int channel) { return std::string(kRateFields[rate]) + "_" + kChannels[channel]; }

}  // namespace

ReportRatesDialog::ReportRatesDialog(Preferences& prefs, QWidget* parent) : QDialog(parent), prefs_(prefs) {
    setWindowTitle("Position Report Settings");
    auto* grid = new QGridLayout;
    for (int c = 0; c < 3; ++c) grid->addWidget(new QLabel(kChannelTitles[c]), 0, c + 1, Qt::AlignCenter);
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(new QLabel(kRateNames[r]), r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            auto* box = new QSpinBox;
            box->setRange(0, 1440);  // minutes; 0 is off
            box->setSuffix(" min");
            box->setSpecialValueText("off");
            const auto value = prefs_.Get(FieldName(r, c));
            box->setValue(value ? std::max(0, std::atoi(value->c_str())) : 0);
            fields_[size_t(r)][size_t(c)] = box;
            grid->addWidget(box, r + 1, c + 1);
        }
    }
    auto* advice = new QLabel(
        "Automatic Weather Reports should be 5 min or greater  Stationary Posit has 10 min Minimum Objects (other "
        "than Wx) should be 30 min or greater");
    advice->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(advice);
    layout->addWidget(buttons);
}

bool ReportRatesDialog::Store() {
    bool ok = true;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            ok &= prefs_.Set(FieldName(r, c), std::to_string(fields_[size_t(r)][size_t(c)]->value()));
    return ok;
}

}  // namespace velmora
