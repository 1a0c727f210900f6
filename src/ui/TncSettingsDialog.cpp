#include "ui/TncSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velmora {
namespace {

QLineEdit* Field(const std::string& text, int maxLength, const char* hint = nullptr) {
    auto* edit = new QLineEdit(QString::fromStdString(text));
    edit->setMaxLength(maxLength);
    if (hint) edit->setPlaceholderText(hint);
    return edit;
}

}  // namespace

TncSettingsDialog::TncSettingsDialog(TncSettingsForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle("TNC Settings");
    auto* tabs = new QTabWidget;
    tabs->addTab(CommandsPage(), "&Commands");
    tabs->addTab(PortsPage(), "&Ports and Paths");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
        else QMessageBox::warning(this, "TNC Settings", problem_);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    ShowPrefixes();
}

QWidget* TncSettingsDialog::CommandsPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    auto* note = new QLabel("Sent in order each time a TNC starts in text mode. Write ^C for Ctrl-C.");
    note->setWordWrap(true);
    form->addRow(note);
    for (size_t n = 0; n < commands_.size(); ++n) {
        // Room for a few characters more than allowed, so that the check
        // says what is wrong rather than the text being cut silently.
        commands_[n] = Field(form_.commands[n], 200);
        form->addRow(QString::fromStdString(TncCommandLabel(n)), commands_[n]);
    }
    unproto_ = Field(form_.unprotoPath, 127, "such as WIDE1-1,WIDE2-1");
    form->addRow("Unproto Path:", unproto_);
    return page;
}

QWidget* TncSettingsDialog::PortsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* arrangement = new QGroupBox("Port arrangement");
    auto* radios = new QHBoxLayout(arrangement);
    for (int n = 0; n < 4; ++n) {
        arrangement_[size_t(n)] = new QRadioButton(kArrangementNames[n]);
        arrangement_[size_t(n)]->setChecked(form_.arrangement == n);
        radios->addWidget(arrangement_[size_t(n)]);
        QObject::connect(arrangement_[size_t(n)], &QRadioButton::toggled, this, [this] { ShowPrefixes(); });
    }
    layout->addWidget(arrangement);

    auto* prefixes = new QFormLayout;
    prefixHf_ = Field(form_.prefixHf, 10, "such as ~1");
    prefixVhf_ = Field(form_.prefixVhf, 10, "such as ~2");
    prefixes->addRow("HF radio port prefix:", prefixHf_);
    prefixes->addRow("VHF radio port prefix:", prefixVhf_);
    layout->addLayout(prefixes);

    auto* paths = new QGroupBox("Alternate paths (sent once an hour after the position)");
    auto* grid = new QFormLayout(paths);
    for (size_t n = 0; n < 3; ++n) {
        altVhf_[n] = Field(form_.altVhf[n], 129);
        grid->addRow(QString("Alt VHF Path %1").arg(n + 1), altVhf_[n]);
    }
    for (size_t n = 0; n < 3; ++n) {
        altHf_[n] = Field(form_.altHf[n], 129);
        grid->addRow(QString("Alt HF Path %1").arg(n + 1), altHf_[n]);
    }
    layout->addWidget(paths);

    auto* options = new QGroupBox("TNC options");
    auto* table = new QGridLayout(options);
    table->addWidget(new QLabel("HF TNC"), 1, 0);
    table->addWidget(new QLabel("VHF TNC"), 2, 0);
    const char* names[3] = {"Allow GPS", "Enable HSP", "Pico ^E"};
    const TncSettingsForm::Radio* radio[2] = {&form_.hf, &form_.vhf};
    for (size_t r = 0; r < 2; ++r) {
        const bool values[3] = {radio[r]->allowGps, radio[r]->hsp, radio[r]->picoControlE};
        for (size_t o = 0; o < 3; ++o) {
            auto* box = new QCheckBox(names[o]);
            box->setChecked(values[o]);
            radioOptions_[r * 3 + o] = box;
            table->addWidget(box, int(r) + 1, int(o) + 1);
        }
    }
    layout->addWidget(options);
    layout->addStretch();
    return page;
}

void TncSettingsDialog::ShowPrefixes() {
    // The prefixes choose a radio port of a dual-port TNC; nothing else uses them.
    const bool dual = arrangement_[2] && arrangement_[2]->isChecked();
    if (prefixHf_) prefixHf_->setEnabled(dual);
    if (prefixVhf_) prefixVhf_->setEnabled(dual);
}

bool TncSettingsDialog::Store() {
    TncSettingsForm edited = form_;
    for (size_t n = 0; n < commands_.size(); ++n) edited.commands[n] = commands_[n]->text().toStdString();
    edited.unprotoPath = unproto_->text().toStdString();
    for (int n = 0; n < 4; ++n)
        if (arrangement_[size_t(n)]->isChecked()) edited.arrangement = n;
    edited.prefixHf = prefixHf_->text().toStdString();
    edited.prefixVhf = prefixVhf_->text().toStdString();
    for (size_t n = 0; n < 3; ++n) {
        edited.altHf[n] = altHf_[n]->text().toStdString();
        edited.altVhf[n] = altVhf_[n]->text().toStdString();
    }
    TncSettingsForm::Radio* radio[2] = {&edited.hf, &edited.vhf};
    for (size_t r = 0; r < 2; ++r) {
        radio[r]->allowGps = radioOptions_[r * 3]->isChecked();
        radio[r]->hsp = radioOptions_[r * 3 + 1]->isChecked();
        radio[r]->picoControlE = radioOptions_[r * 3 + 2]->isChecked();
    }
    edited.Tidy();
    problem_ = QString::fromStdString(edited.Problem());
    if (!problem_.isEmpty()) return false;
    form_ = edited;
    return true;
}

}  // namespace velmora
