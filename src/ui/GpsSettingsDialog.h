#pragma once
// "GPS Settings": the GPS on its port (or a TNC's cable), or gpsd with its
// host and port.
#include <QDialog>

#include "app/SettingsForms.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace velmora {

class GpsSettingsDialog final : public QDialog {
public:
    GpsSettingsDialog(GpsSettingsForm& form, QWidget* parent = nullptr);
    bool Store();
    const QString& Problem() const { return problem_; }
    QRadioButton* Gpsd() const { return gpsd_; }
    QLineEdit* Host() const { return host_; }
    QSpinBox* Port() const { return port_; }

private:
    GpsSettingsForm& form_;
    QRadioButton *serial_, *gpsd_;
    QLineEdit* host_;
    QSpinBox* port_;
    QString problem_;
};

}  // namespace velmora
