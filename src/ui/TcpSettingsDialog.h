#pragma once
// "TCP settings": the internet links' five options, the server filter
// today's APRS-IS user ports need, the IGate's limits and the APRS server's
// safety (who may reach it, whether its clients may reach the air, the
// idle time). It edits a TcpSettingsForm.
#include <QDialog>
#include <array>

#include "app/TcpSettingsForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace velmora {

class TcpSettingsDialog final : public QDialog {
public:
    TcpSettingsDialog(Preferences& prefs, QWidget* parent = nullptr);
    // False, with the reason shown, when the values cannot be stored.
    bool Store();
    // The five options of the links, then "Enable outgoing 3rd party
    // messages", "Enable APRS server", "Clients from other machines" and
    // "Clients' packets to radio".
    QCheckBox* Option(int i) const { return options_[size_t(i)]; }
    QLineEdit* Filter() const { return filter_; }
    QSpinBox* Range() const { return range_; }
    QSpinBox* IdleMinutes() const { return numbers_[3]; }

private:
    Preferences& prefs_;
    TcpSettingsForm form_;
    std::array<QCheckBox*, 8> options_{};
    QLineEdit* filter_;
    QSpinBox* range_;
    std::array<QSpinBox*, 4> numbers_{};
    QLabel* problem_;
};

}  // namespace velmora
