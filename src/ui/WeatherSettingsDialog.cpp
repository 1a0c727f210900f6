#include "ui/WeatherSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "weather/WeatherStationType.h"

namespace velmora {
namespace {

struct NumberField {
    const char* label;
    int low, high;
    const char* suffix;
};

constexpr NumberField kFields[12] = {
    {"Barometer offset", -500, 500, " tenths mb"},
    {"Low Temp", -60, 130, " F"},
    {"High Temp", -60, 130, " F"},
    {"High Wind", 0, 200, " mph"},
    {"Delta", 0, 100, " F/10min"},
    {"WX Alarm Radius", 0, 5000, " miles"},
    {"Temperature:", -60, 120, " F"},
    {"Wind Speed:", 0, 200, " mph"},
    {"Wind Dir:", 0, 360, ""},
    {"Rain Last Hour:", 0, 999, " /100 in"},
    {"Rain Last Day:", 0, 999, " /100 in"},
    {"Pressure:", 0, 11000, ""},
};

QSpinBox* Spin(const NumberField& f, int value) {
    auto* box = new QSpinBox;
    box->setRange(f.low, f.high);
    box->setSuffix(f.suffix);
    box->setValue(value);
    return box;
}

}  // namespace

WeatherSettingsDialog::WeatherSettingsDialog(WeatherDialogValues& v, QWidget* parent)
    : QDialog(parent), values_(v), type_(new QComboBox), tenths_(new QRadioButton("0.10 Inch")),
      track_(new QCheckBox("Track WX Stations")), file_(new QLineEdit) {
    setWindowTitle("Weather Settings");
    const WeatherStationSettings& s = v.settings.station;
    const WeatherLimits& l = s.limits;
    const int initial[12] = {s.barometerOffset,  l.lowTemperatureF, l.highTemperatureF, l.highWindMph,
                             l.deltaTemperatureF, l.alarmRadiusMiles, v.current.temperatureF, v.current.windSpeedMph,
                             v.current.windDirection, v.current.rainHour, v.current.rainDay, v.current.pressure};
    for (size_t i = 0; i < 12; ++i) numbers_[i] = Spin(kFields[i], initial[i]);
    auto* layout = new QVBoxLayout(this);

    auto* station = new QGroupBox("Weather Station");
    auto* stationForm = new QFormLayout(station);
    for (const WeatherStationType& t : WeatherStationTypes())
        type_->addItem(QString::fromUtf8(t.dialogEntry.data(), int(t.dialogEntry.size())), t.code);
    type_->setCurrentIndex(std::max(0, type_->findData(s.type)));
    stationForm->addRow("Type", type_);
    auto* gauge = new QHBoxLayout;
    auto* hundredths = new QRadioButton("0.01 Inch");
    (s.rainFactor == 10 ? tenths_ : hundredths)->setChecked(true);
    gauge->addWidget(tenths_);
    gauge->addWidget(hundredths);
    stationForm->addRow("Rain gauge", gauge);
    stationForm->addRow(kFields[0].label, numbers_[0]);
    auto* fileRow = new QHBoxLayout;
    file_->setText(QString::fromStdString(v.settings.wxNowFile));
    file_->setMaxLength(95);
    file_->setPlaceholderText("/var/lib/weewx/wxnow.txt");
    auto* browse = new QPushButton("Browse...");
    QObject::connect(browse, &QPushButton::clicked, this, [this] {
        const QString f = QFileDialog::getOpenFileName(this, "wxnow.txt");
        if (!f.isEmpty()) file_->setText(f);
    });
    fileRow->addWidget(file_);
    fileRow->addWidget(browse);
    stationForm->addRow("Weather file", fileRow);
    layout->addWidget(station);

    auto* alarms = new QGroupBox("Alarms");
    auto* alarmForm = new QFormLayout(alarms);
    alarmForm->addRow(new QLabel("0 turns an alarm off."));
    for (size_t i = 1; i <= 5; ++i) alarmForm->addRow(kFields[i].label, numbers_[i]);
    alarmForm->addRow(track_);
    track_->setChecked(v.settings.trackStations);
    auto* clear = new QPushButton("Clear WX Hi/Low");
    QObject::connect(clear, &QPushButton::clicked, this, [this] { values_.clearExtremes = true; });
    alarmForm->addRow(clear);
    layout->addWidget(alarms);

    auto* current = new QGroupBox("Current Values  (or manual entry)");
    auto* currentForm = new QFormLayout(current);
    for (size_t i = 6; i < 12; ++i) currentForm->addRow(kFields[i].label, numbers_[i]);
    layout->addWidget(current);
    // The current values are typed in only for a station entered by hand.
    const auto manual = [this, current] { current->setEnabled(type_->currentData().toInt() == kWeatherTypeManual); };
    QObject::connect(type_, &QComboBox::currentIndexChanged, this, manual);
    manual();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
        else QMessageBox::warning(this, "Weather Settings", problem_);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

bool WeatherSettingsDialog::Store() {
    const int type = type_->currentData().toInt();
    const QString file = file_->text().trimmed();
    if (type == kWeatherTypeFile && file.isEmpty()) {
        problem_ = "Please choose the weather file (wxnow.txt) the other program writes";
        return false;
    }
    const int low = numbers_[1]->value(), high = numbers_[2]->value();
    if (low != 0 && high != 0 && low >= high) {
        problem_ = "The low temperature alarm must be below the high one";
        return false;
    }
    WeatherSettings& s = values_.settings;
    s.station.type = type;
    s.station.rainFactor = tenths_->isChecked() ? 10 : 1;
    s.station.barometerOffset = numbers_[0]->value();
    s.station.limits = {static_cast<int16_t>(low), static_cast<int16_t>(high), static_cast<int16_t>(numbers_[3]->value()),
                        static_cast<int16_t>(numbers_[4]->value()), static_cast<int16_t>(numbers_[5]->value())};
    s.trackStations = track_->isChecked();
    s.wxNowFile = file.toStdString();
    values_.current = {numbers_[6]->value(), numbers_[7]->value(), numbers_[8]->value(),
                       numbers_[9]->value(), numbers_[10]->value(), numbers_[11]->value()};
    problem_.clear();
    return true;
}

}  // namespace velmora
