#pragma once
// "Message Settings": retries, the notifications and their sound, round
// trips in the message list, and the "Msg to NWS" addressee.
#include <QDialog>

#include "app/SettingsForms.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace velmora {

class MessageSettingsDialog final : public QDialog {
public:
    MessageSettingsDialog(MessageSettingsForm& form, QWidget* parent = nullptr);
    bool Store();
    const QString& Problem() const { return problem_; }
    QSpinBox* Retries() const { return retries_; }
    QLineEdit* NwsStation() const { return nws_; }
    QCheckBox* Option(int i) const { return options_[size_t(i)]; }

private:
    MessageSettingsForm& form_;
    QSpinBox* retries_;
    QLineEdit* nws_;
    std::array<QCheckBox*, 5> options_{};
    QString problem_;
};

}  // namespace velmora
