#pragma once
// "TCP settings": the internet links' five options, and the server filter
// today's APRS-IS user ports need.
#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace velmora {

class Preferences;

class TcpSettingsDialog final : public QDialog {
public:
    TcpSettingsDialog(Preferences& prefs, QWidget* parent = nullptr);
    bool Store();
    QCheckBox* Option(int i) const { return options_[size_t(i)]; }
    QLineEdit* Filter() const { return filter_; }
    QSpinBox* Range() const { return range_; }

private:
    Preferences& prefs_;
    std::array<QCheckBox*, 6> options_{};
    QLineEdit* filter_;
    QSpinBox* range_;
    std::array<QSpinBox*, 3> numbers_{};
};

}  // namespace velmora
