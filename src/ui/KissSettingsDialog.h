#pragma once
// "Kiss Setttings" (KISS mode options): for the VHF and the HF TNC, KISS
// on or off, digipeating, the path of our own frames, the digipeater's
// aliases and the text that turns KISS on; "Default" puts back the defaults.
#include <QDialog>
#include <array>

#include "ports/TncSettings.h"

class QCheckBox;
class QLineEdit;

namespace velmora {

class KissSettingsDialog final : public QDialog {
public:
    KissSettingsDialog(TncSettings& settings, QWidget* parent = nullptr);
    bool Store();
    const QString& Problem() const { return problem_; }
    struct Fields {
        QCheckBox *kiss = nullptr, *digipeat = nullptr;
        QLineEdit *path = nullptr, *aliases = nullptr, *kissOn = nullptr;
    };
    // 0 HF, 1 VHF, as the settings hold them.
    const Fields& For(size_t radio) const { return fields_[radio]; }
    void Defaults();

private:
    void Show(const TncSettings& s);
    TncSettings& settings_;
    std::array<Fields, 2> fields_{};
    QString problem_;
};

}  // namespace velmora
