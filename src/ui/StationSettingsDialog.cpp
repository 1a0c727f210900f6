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
    AddText(form, "Call sign", "own_call");
    AddPosition(form, "Latitude", "lat");
    AddPosition(form, "Longitude", "lon");
    AddText(form, "Symbol table", "own_symbol_table");
    AddText(form, "Symbol code", "own_symbol_code");
    AddText(form, "Posit Comment:", "posit_comment");
    AddText(form, "Status Text:", "status_text");
    AddText(form, "PHG", "phg");
    AddText(form, "City", "city");
    AddText(form, "State", "state");
    AddText(form, "County", "county");
    AddText(form, "UTC offset (hours)", "utc_offset");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void StationSettingsDialog::AddText(QFormLayout* form, const char* label, const std::string& name) {
    auto* edit = new QLineEdit(QString::fromStdString(prefs_.Get(name).value_or("")), this);
    edit->setObjectName(QString::fromStdString(name));
    fields_[name] = edit;
    form->addRow(label, edit);
}

void StationSettingsDialog::AddPosition(QFormLayout* form, const char* label, const std::string& axis) {
    auto* row = new QHBoxLayout;
    for (const char* part : {"degrees", "minutes", "seconds"}) {
        const std::string name = "own_" + axis + "_" + part;
        auto* edit = new QLineEdit(QString::fromStdString(prefs_.Get(name).value_or("0")), this);
        edit->setObjectName(QString::fromStdString(name));
        edit->setMaximumWidth(60);
        fields_[name] = edit;
        row->addWidget(edit);
    }
    const std::string hemiName = "own_" + axis + "_hemisphere";
    auto* hemi = new QComboBox(this);
    hemi->setObjectName(QString::fromStdString(hemiName));
    const bool lat = axis == "lat";
    hemi->addItems(lat ? QStringList{"N", "S"} : QStringList{"E", "W"});
    const std::string stored = prefs_.Get(hemiName).value_or("0");
    const char letter = static_cast<char>(std::atoi(stored.c_str()));
    if (letter == (lat ? 'S' : 'W') || letter == (lat ? 's' : 'w')) hemi->setCurrentIndex(1);
    hemispheres_[hemiName] = hemi;
    row->addWidget(hemi);
    form->addRow(label, row);
}

QLineEdit* StationSettingsDialog::Field(const std::string& name) const {
    const auto it = fields_.find(name);
    return it == fields_.end() ? nullptr : it->second;
}

QComboBox* StationSettingsDialog::Hemisphere(const std::string& name) const {
    const auto it = hemispheres_.find(name);
    return it == hemispheres_.end() ? nullptr : it->second;
}

bool StationSettingsDialog::Apply(std::string& problem) {
    // Check every field on a copy first, so a bad one changes nothing.
    Preferences trial = prefs_;
    for (const auto& [name, edit] : fields_) {
        if (!trial.Set(name, edit->text().trimmed().toStdString())) {
            problem = "The value of " + name + " does not fit";
            return false;
        }
    }
    for (const auto& [name, limit] : {std::pair{"own_lat_degrees", 90}, {"own_lon_degrees", 180},
                                      {"own_lat_minutes", 59}, {"own_lon_minutes", 59},
                                      {"own_lat_seconds", 59}, {"own_lon_seconds", 59}}) {
        const long v = std::atol(trial.Get(name).value_or("0").c_str());
        if (v < 0 || v > limit) {
            problem = std::string("The value of ") + name + " must be 0 to " + std::to_string(limit);
            return false;
        }
    }
    for (const auto& [name, box] : hemispheres_) {
        const char letter = box->currentText().toStdString()[0];
        trial.Set(name, std::to_string(static_cast<int>(letter)));
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
