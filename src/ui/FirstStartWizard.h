#pragma once
// The first-start assistant: four short pages (call, position, symbol, how
// to connect) that write a new station's preferences.
#include <QWizard>

#include "app/FirstStartForm.h"

class QComboBox;
class QLabel;
class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace velmora {

class FirstStartWizard final : public QWizard {
public:
    FirstStartWizard(FirstStartForm& form, QWidget* parent = nullptr);
    // The pages' fields into the form; false with Problem() when one is wrong.
    bool Store();
    const QString& Problem() const { return problem_; }
    bool validateCurrentPage() override;

    QLineEdit* Call() const { return call_; }
    QLineEdit* Latitude() const { return lat_; }
    QLineEdit* Longitude() const { return lon_; }
    QLabel* ReadBack() const { return readBack_; }
    QComboBox* Symbol() const { return symbol_; }
    QComboBox* Connection() const { return connection_; }
    QComboBox* Device() const { return device_; }
    QComboBox* GpsDevice() const { return gpsDevice_; }

private:
    // The typed position as read, or what is wrong with it, under the fields.
    void ShowReading();
    FirstStartForm& form_;
    QLineEdit* call_;
    QLineEdit *lat_, *lon_;
    QLabel* readBack_;
    QCheckBox* gpsd_;
    QComboBox *symbol_, *gpsDevice_, *connection_, *device_;
    QSpinBox* range_;
    QString problem_;
};

}  // namespace velmora
