#pragma once
// "Weather Settings": the station type with its rain gauge and barometer
// offset, the alarm limits, the values entered by hand (or the current
// ones), the day logs of received stations and the wxnow.txt file.
#include <QDialog>

#include "app/WeatherModule.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace velmora {

class WeatherSettingsDialog final : public QDialog {
public:
    WeatherSettingsDialog(WeatherDialogValues& values, QWidget* parent = nullptr);
    // The fields back into the values; false (with the reason shown) when
    // a field is not acceptable.
    bool Store();
    QComboBox* Type() const { return type_; }
    QSpinBox* Field(int i) const { return numbers_[size_t(i)]; }
    QLineEdit* File() const { return file_; }
    const QString& Problem() const { return problem_; }

private:
    WeatherDialogValues& values_;
    QComboBox* type_;
    QRadioButton* tenths_;
    QCheckBox* track_;
    QLineEdit* file_;
    // offset, low, high, wind, delta, radius, then temperature, wind speed,
    // wind direction, rain hour, rain day, pressure.
    std::array<QSpinBox*, 12> numbers_{};
    QString problem_;
};

}  // namespace velmora
