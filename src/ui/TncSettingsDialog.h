#pragma once
// "TNC Settings": the command lines sent when a TNC starts, the unproto
// path, how the TNCs are arranged with their port-select prefixes, the
// alternate paths and each TNC's GPS, HSP and Pico options.
#include <QDialog>
#include <array>

#include "app/TncSettingsForm.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace velmora {

class TncSettingsDialog final : public QDialog {
public:
    TncSettingsDialog(TncSettingsForm& form, QWidget* parent = nullptr);
    // Takes the fields into the form when they pass its checks.
    bool Store();
    const QString& Problem() const { return problem_; }
    QLineEdit* Command(size_t n) const { return commands_[n]; }
    QLineEdit* UnprotoPath() const { return unproto_; }
    QRadioButton* Arrangement(int n) const { return arrangement_[size_t(n)]; }
    QLineEdit* PrefixHf() const { return prefixHf_; }
    QLineEdit* PrefixVhf() const { return prefixVhf_; }
    QLineEdit* AltPath(bool hf, size_t n) const { return hf ? altHf_[n] : altVhf_[n]; }

private:
    QWidget* CommandsPage();
    QWidget* PortsPage();
    void ShowPrefixes();

    TncSettingsForm& form_;
    std::array<QLineEdit*, TncSettingsForm::kCommands> commands_{};
    QLineEdit* unproto_ = nullptr;
    std::array<QRadioButton*, 4> arrangement_{};
    QLineEdit* prefixHf_ = nullptr;
    QLineEdit* prefixVhf_ = nullptr;
    std::array<QLineEdit*, 3> altHf_{}, altVhf_{};
    // Allow GPS, Enable HSP, Pico ^E for HF then VHF.
    std::array<QCheckBox*, 6> radioOptions_{};
    QString problem_;
};

}  // namespace velmora
