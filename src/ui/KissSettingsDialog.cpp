#include "ui/KissSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/SettingsChecks.h"

namespace velmora {

KissSettingsDialog::KissSettingsDialog(TncSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
    setWindowTitle("Kiss Setttings");
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    for (size_t radio : {size_t(1), size_t(0)}) {  // VHF on the left, as the operator uses it most
        Fields& f = fields_[radio];
        auto* box = new QGroupBox(radio == 1 ? "VHF TNC" : "HF TNC");
        auto* form = new QFormLayout(box);
        f.kiss = new QCheckBox("KISS mode");
        f.digipeat = new QCheckBox("Digipeat");
        f.path = new QLineEdit;
        f.path->setPlaceholderText("WIDE1-1,WIDE2-1");
        f.aliases = new QLineEdit;
        f.kissOn = new QLineEdit;
        for (QLineEdit* e : {f.path, f.aliases, f.kissOn}) e->setMaxLength(127);
        form->addRow(f.kiss);
        form->addRow(f.digipeat);
        form->addRow("Digi path", f.path);
        form->addRow("Aliases", f.aliases);
        form->addRow("KISS on", f.kissOn);
        columns->addWidget(box);
    }
    layout->addLayout(columns);
    Show(settings);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* defaults = buttons->addButton("Default", QDialogButtonBox::ResetRole);
    QObject::connect(defaults, &QPushButton::clicked, this, [this] { Defaults(); });
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
        else QMessageBox::warning(this, "KISS mode options", problem_);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void KissSettingsDialog::Show(const TncSettings& s) {
    for (size_t radio = 0; radio < 2; ++radio) {
        const TncRadioSettings& r = s.radio[radio];
        Fields& f = fields_[radio];
        f.kiss->setChecked(r.kiss);
        f.digipeat->setChecked(r.digipeat);
        f.path->setText(QString::fromStdString(r.digiPath));
        f.aliases->setText(QString::fromStdString(r.aliases));
        f.kissOn->setText(QString::fromStdString(r.kissOnText));
    }
}

void KissSettingsDialog::Defaults() {
    TncSettings d = settings_;
    d.ResetKissDefaults();
    Show(d);
}

bool KissSettingsDialog::Store() {
    TncSettings edited = settings_;
    for (size_t radio = 0; radio < 2; ++radio) {
        const Fields& f = fields_[radio];
        TncRadioSettings& r = edited.radio[radio];
        r.kiss = f.kiss->isChecked();
        r.digipeat = f.digipeat->isChecked();
        // Calls go out in capitals whatever was typed.
        r.digiPath = TidyPath(f.path->text().toStdString());
        r.aliases = TidyPath(f.aliases->text().toStdString());
        r.kissOnText = f.kissOn->text().toStdString();
        const QString port = radio == 1 ? "VHF TNC: " : "HF TNC: ";
        std::string why = PathProblem(r.digiPath, "The digi path");
        if (why.empty()) why = PathProblem(r.aliases, "The alias list");
        if (!why.empty()) {
            problem_ = port + QString::fromStdString(why);
            return false;
        }
    }
    problem_.clear();
    settings_ = edited;
    return true;
}

}  // namespace velmora
