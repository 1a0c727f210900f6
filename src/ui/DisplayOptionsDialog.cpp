#include "ui/DisplayOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {
namespace {

struct OptionField {
    const char* label;
    bool MapDisplayOptions::*member;
};
// The Display menu's names, so that the dialog and the menu agree.
constexpr OptionField kOptionFields[DisplayOptionsDialog::kOptions] = {
    {"Station Call Signs", &MapDisplayOptions::callSigns},
    {"Station Icons", &MapDisplayOptions::icons},
    {"Map Labels", &MapDisplayOptions::labels},
    {"Map Symbols", &MapDisplayOptions::symbols},
    {"Filled Polygons", &MapDisplayOptions::filledPolygons},
    {"Course and Speed", &MapDisplayOptions::courseAndSpeed},
    {"Dead Reckoning", &MapDisplayOptions::deadReckoning},
    {"Station Age", &MapDisplayOptions::age},
    {"Coverage Circles", &MapDisplayOptions::coverage},
    {"Range Circles", &MapDisplayOptions::ranges},
};

}  // namespace

DisplayOptionsDialog::DisplayOptionsDialog(DisplayOptionsForm& form, bool unitsOnly, QWidget* parent)
    : QDialog(parent), form_(form), unitsOnly_(unitsOnly) {
    setWindowTitle(unitsOnly ? "Units" : "Display Options");
    auto* layout = new QVBoxLayout(this);
    if (!unitsOnly) layout->addWidget(OptionsBox());
    layout->addWidget(UnitsBox());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
        else QMessageBox::warning(this, windowTitle(), problem_);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QWidget* DisplayOptionsDialog::OptionsBox() {
    auto* box = new QGroupBox(form_.hasWindow ? "The front map window" : "New map windows");
    auto* layout = new QVBoxLayout(box);
    auto* grid = new QGridLayout;
    for (size_t n = 0; n < kOptions; ++n) {
        options_[n] = new QCheckBox(kOptionFields[n].label);
        options_[n]->setChecked(form_.options.*kOptionFields[n].member);
        grid->addWidget(options_[n], int(n % 5), int(n / 5));
    }
    layout->addLayout(grid);
    auto* rows = new QFormLayout;
    filter_ = new QComboBox;
    for (const char* name : kFilterNames) filter_->addItem(name);
    filter_->setCurrentIndex(static_cast<int>(form_.options.filter));
    rows->addRow("Show:", filter_);
    placement_ = new QComboBox;
    for (const char* name : kPlacementNames) placement_->addItem(name);
    placement_->setCurrentIndex(std::clamp(form_.options.placement, 1, 4) - 1);
    rows->addRow("Call signs:", placement_);
    font_ = new QSpinBox;
    font_->setRange(1, 99);  // the check names the sizes that are drawn well
    font_->setValue(form_.fontSize);
    font_->setSuffix(" px");
    rows->addRow("Station font size:", font_);
    layout->addLayout(rows);
    forNew_ = new QCheckBox("Use these for new map windows");
    forNew_->setChecked(form_.forNewWindows);
    forNew_->setEnabled(form_.hasWindow);  // with no window open, they are for new ones
    layout->addWidget(forNew_);
    return box;
}

QWidget* DisplayOptionsDialog::UnitsBox() {
    auto* box = new QGroupBox("Units");
    auto* layout = new QVBoxLayout(box);
    statute_ = new QRadioButton("Statute: miles and feet, mph, °F, inches of rain");
    metric_ = new QRadioButton("Metric: kilometres and metres, km/h, °C, millimetres of rain");
    (form_.metric ? metric_ : statute_)->setChecked(true);
    layout->addWidget(statute_);
    layout->addWidget(metric_);
    auto* note = new QLabel("Reports on the air keep the units APRS gives them.");
    note->setWordWrap(true);
    layout->addWidget(note);
    return box;
}

bool DisplayOptionsDialog::Store() {
    DisplayOptionsForm edited = form_;
    edited.metric = metric_->isChecked();
    if (!unitsOnly_) {
        for (size_t n = 0; n < kOptions; ++n) edited.options.*kOptionFields[n].member = options_[n]->isChecked();
        edited.options.filter = static_cast<StationFilter>(filter_->currentIndex());
        edited.options.placement = placement_->currentIndex() + 1;
        edited.fontSize = font_->value();
        edited.forNewWindows = forNew_->isChecked();
    }
    problem_ = QString::fromStdString(edited.Problem());
    if (!problem_.isEmpty()) return false;
    form_ = edited;
    return true;
}

}  // namespace velmora
