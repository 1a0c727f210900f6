#pragma once
// "Position Report Settings": the minutes between reports for the HF and
// VHF TNCs and the internet link, with the advice line.
#include <QDialog>
#include <array>

class QSpinBox;

namespace velmora {

class Preferences;

class ReportRatesDialog final : public QDialog {
public:
    ReportRatesDialog(Preferences& prefs, QWidget* parent = nullptr);
    // Writes the fields back; false when a value was refused.
    bool Store();
    QSpinBox* Field(int rate, int channel) const { return fields_[size_t(rate)][size_t(channel)]; }

private:
    Preferences& prefs_;
    std::array<std::array<QSpinBox*, 3>, 4> fields_{};
};

}  // namespace velmora
