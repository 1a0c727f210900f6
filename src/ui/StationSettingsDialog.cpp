#include "ui/StationSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>

#include "app/Preferences.h"

namespace velmora {

StationSettingsDialog::StationSettingsDialog(Preferences& prefs, QWidget* parent)
    : QDialog(parent), prefs_(prefs) {
    setWindowTitle("Station Settings");
    auto* form = new QFormLayout(this);
    AddText(form, "Call sign", pref::kOwnCall);
    AddPosition(form, "Latitude", {pref::kOwnLatDegrees, pref::kOwnLatMinutes, pref::kOwnLatSeconds},
                pref::kOwnLatHemisphere, true);
    AddPosition(form, "Longitude", {pref::kOwnLonDegrees, pref::kOwnLonMinutes, pref::kOwnLonSeconds},
                pref::kOwnLonHemisphere, false);
    AddText(form, "Symbol table", pref::kOwnSymbolTable);
    AddText(form, "Symbol code", pref::kOwnSymbolCode);
    AddText(form, "Posit Comment:", pref::kPositComment);
    AddText(form, "Status Text:", pref::kStatusText);
    AddText(form, "PHG", pref::kPhg);
    AddText(form, "City", pref::kCity);
    AddText(form, "State", pref::kState);
    AddText(form, "County", pref::kCounty);
    AddText(form, "UTC offset (hours)", pref::kUtcOffset);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QLineEdit* StationSettingsDialog::AddEditor(PrefKey key) {
    auto* edit = new QLineEdit(QString::fromStdString(prefs_.Get(key).value_or("")), this);
    const std::string name(key.name);
    edit->setObjectName(QString::fromStdString(name));
    fields_[name] = {key, edit};
    return edit;
}

void StationSettingsDialog::AddText(QFormLayout* form, const char* label, PrefKey key) {
    form->addRow(label, AddEditor(key));
}

void StationSettingsDialog::AddPosition(QFormLayout* form, const char* label, std::array<PrefKey, 3> parts,
                                        PrefKey hemisphere, bool lat) {
    auto* row = new QHBoxLayout;
    for (PrefKey part : parts) {
        QLineEdit* edit = AddEditor(part);
        edit->setMaximumWidth(60);
        row->addWidget(edit);
    }
    auto* hemi = new QComboBox(this);
    const std::string hemiName(hemisphere.name);
    hemi->setObjectName(QString::fromStdString(hemiName));
    hemi->addItems(lat ? QStringList{"N", "S"} : QStringList{"E", "W"});
    const char letter = static_cast<char>(prefs_.Number(hemisphere));
    if (letter == (lat ? 'S' : 'W') || letter == (lat ? 's' : 'w')) hemi->setCurrentIndex(1);
    hemispheres_[hemiName] = {hemisphere, hemi};
    row->addWidget(hemi);
    form->addRow(label, row);
}

QLineEdit* StationSettingsDialog::Field(const std::string& name) const {
    const auto it = fields_.find(name);
    return it == fields_.end() ? nullptr : it->second.second;
}

QComboBox* StationSettingsDialog::Hemisphere(const std::string& name) const {
    const auto it = hemispheres_.find(name);
    return it == hemispheres_.end() ? nullptr : it->second.second;
}

bool StationSettingsDialog::Apply(std::string& problem) {
    // Check every field on a copy first, so a bad one changes nothing.
    Preferences trial = prefs_;
    for (const auto& [name, field] : fields_) {
        if (!trial.Set(field.first, field.second->text().trimmed().toStdString())) {
            problem = "The value of " + name + " does not fit";
            return false;
        }
    }
    for (const auto& [key, limit] : {std::pair{pref::kOwnLatDegrees, 90}, {pref::kOwnLonDegrees, 180},
                                     {pref::kOwnLatMinutes, 59}, {pref::kOwnLonMinutes, 59},
                                     {pref::kOwnLatSeconds, 59}, {pref::kOwnLonSeconds, 59}}) {
        const int64_t v = trial.Number(key);
        if (v < 0 || v > limit) {
            problem = "The value of " + std::string(key.name) + " must be 0 to " + std::to_string(limit);
            return false;
        }
    }
    for (const auto& [name, field] : hemispheres_) {
        const char letter = field.second->currentText().toStdString()[0];
        (void)trial.SetNumber(field.first, letter);
    }
    trial.RecomputeOwnPosition();
    prefs_ = trial;
    return true;
}

void StationSettingsDialog::accept() {
    std::string problem;
    if (!Apply(problem)) {
        QMessageBox::warning(this, "Station Settings", QString::fromStdString(problem));
        return;
    }
    QDialog::accept();
}

}  // namespace velmora
