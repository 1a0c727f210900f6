#pragma once
// "Station Settings": the own station as the operator knows it (call,
// position in degrees, minutes and seconds, symbol, texts, PHG, place and
// UTC offset), read from and written to the preferences record.
#include <QDialog>
#include <array>
#include <map>
#include <string>
#include <utility>

#include "app/Preferences.h"

class QLabel;
class QLineEdit;
class QComboBox;
class QFormLayout;

namespace velmora {

class StationSettingsDialog : public QDialog {
public:
    StationSettingsDialog(Preferences& prefs, QWidget* parent = nullptr);

    // Writes the fields into the preferences; false (nothing written) and a
    // message for the first field that does not fit.
    bool Apply(std::string& problem);
    // The editor of a preference field, by its name (for tests).
    QLineEdit* Field(const std::string& name) const;
    QComboBox* Hemisphere(const std::string& name) const;
    // The whole position typed in one line, any form; read back below it.
    QLineEdit* Position() const { return position_; }
    QLabel* ReadBack() const { return readBack_; }

private:
    void accept() override;
    QLineEdit* AddEditor(PrefKey key);
    void AddText(QFormLayout* form, const char* label, PrefKey key);
    void AddPosition(QFormLayout* form, const char* label, std::array<PrefKey, 3> parts, PrefKey hemisphere,
                     bool lat);

    // A readable typed position fills the degrees, minutes and seconds.
    void TakeTypedPosition();

    Preferences& prefs_;
    QLineEdit* position_ = nullptr;
    QLabel* readBack_ = nullptr;
    std::map<std::string, std::pair<PrefKey, QLineEdit*>> fields_;      // by field name
    std::map<std::string, std::pair<PrefKey, QComboBox*>> hemispheres_;
};

}  // namespace velmora
