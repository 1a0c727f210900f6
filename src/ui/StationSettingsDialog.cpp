#include "ui/StationSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "app/Preferences.h"
#include "app/RecordChecks.h"
#include "app/SettingsChecks.h"
#include "geo/PositionInput.h"

#include <cmath>

#include <cctype>

namespace velmora {

StationSettingsDialog::StationSettingsDialog(Preferences& prefs, QWidget* parent)
    : QDialog(parent), prefs_(prefs) {
    setWindowTitle("Station Settings");
    auto* form = new QFormLayout(this);
    AddText(form, "Call sign", pref::kOwnCall);
    position_ = new QLineEdit(this);
    position_->setObjectName("position");
    position_->setPlaceholderText("type it here: 47 36.50N 122 20.00W, 4736.50N 12220.00W or 47.60833 -122.33333");
    readBack_ = new QLabel(this);
    readBack_->setWordWrap(true);
    connect(position_, &QLineEdit::textChanged, this, [this] { TakeTypedPosition(); });
    form->addRow("Position", position_);
    form->addRow("", readBack_);
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

namespace {

// What the operator calls each field.
std::string LabelOf(std::string_view name) {
    static const std::pair<std::string_view, const char*> kLabels[] = {
        {"own_call", "Call sign"}, {"own_symbol_table", "Symbol table"}, {"own_symbol_code", "Symbol code"},
        {"posit_comment", "Posit Comment"}, {"status_text", "Status Text"}, {"phg", "PHG"}, {"city", "City"},
        {"state", "State"}, {"county", "County"}, {"utc_offset", "UTC offset"},
    };
    for (const auto& [field, label] : kLabels)
        if (field == name) return label;
    if (name.find("minutes") != std::string_view::npos) return "Minutes";
    if (name.find("seconds") != std::string_view::npos) return "Seconds";
    return name.find("lat") != std::string_view::npos ? "Latitude" : "Longitude";
}


}  // namespace

void StationSettingsDialog::TakeTypedPosition() {
    const QString text = position_->text().trimmed();
    if (text.isEmpty()) {
        readBack_->clear();
        return;
    }
    const PositionRead r = ReadPosition(text.toStdString());
    if (!r.position) {
        readBack_->setText(QString::fromStdString(r.problem));
        return;
    }
    readBack_->setText("Read as " + QString::fromStdString(ShowPosition(r.position->lat, r.position->lon)));
    const auto fill = [this](double degrees, const char* prefix, const char* positive, const char* negative) {
        const long seconds = std::lround(std::fabs(degrees) * 3600);
        const std::string p(prefix);
        Field(p + "_degrees")->setText(QString::number(seconds / 3600));
        Field(p + "_minutes")->setText(QString::number(seconds / 60 % 60));
        Field(p + "_seconds")->setText(QString::number(seconds % 60));
        Hemisphere(p + "_hemisphere")->setCurrentText(degrees < 0 ? negative : positive);
    };
    fill(r.position->lat, "own_lat", "N", "S");
    fill(r.position->lon, "own_lon", "E", "W");
}

bool StationSettingsDialog::Apply(std::string& problem) {
    // A typed position that cannot be read is never half taken.
    if (const QString typed = position_->text().trimmed(); !typed.isEmpty()) {
        if (const PositionRead r = ReadPosition(typed.toStdString()); !r.position) {
            problem = "Position: " + r.problem;
            return false;
        }
    }
    // Check every field on a copy first, so a bad one changes nothing.
    Preferences trial = prefs_;
    for (const auto& [name, field] : fields_) {
        std::string text = field.second->text().trimmed().toStdString();
        if (name == "own_call") {
            for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        if (!trial.Set(field.first, text)) {
            const bool number = name.find("own_l") == 0 || name == "utc_offset";
            problem = LabelOf(name) + (number ? " must be a whole number" : " is too long");
            return false;
        }
    }
    for (const auto& [name, field] : hemispheres_) {
        const char letter = field.second->currentText().toStdString()[0];
        (void)trial.SetNumber(field.first, letter);
    }
    problem = StationProblem(trial);
    if (!problem.empty()) return false;
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
