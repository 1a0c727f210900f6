#include "ui/RadiogramWindow.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/SettingsChecks.h"
#include "lists/RadiogramList.h"

namespace velmora {
namespace {

QLineEdit* Field(const std::string& text, int width) {
    auto* e = new QLineEdit(QString::fromStdString(text));
    e->setMaxLength(width);
    return e;
}

}  // namespace

RadiogramWindow::RadiogramWindow(RadiogramForm& form, QWidget* parent, bool viewOnly)
    : QDialog(parent), form_(form) {
    const Radiogram& r = form.radiogram;
    setWindowTitle(viewOnly ? QString::fromStdString(RadiogramTitle(r)) : "NTS Message");
    to_ = Field(r.to, 9);
    number_ = Field(r.number, 7), precedence_ = Field(r.precedence, 7), handling_ = Field(r.handling, 7);
    origin_ = Field(r.stationOfOrigin.empty() ? r.from : r.stationOfOrigin, 7);
    place_ = Field(r.placeOfOrigin, 60), time_ = Field(r.timeFiled, 10), date_ = Field(r.date, 12);
    telephone_ = Field(r.telephone, 40), signature_ = Field(r.signature, 60);
    address_ = new QPlainTextEdit(QString::fromStdString(r.address).replace('\r', '\n'));
    address_->setFixedHeight(80);
    text_ = new QPlainTextEdit(QString::fromStdString(form.text));
    check_ = new QLabel("0");
    auto* preamble = new QGridLayout;
    const std::pair<const char*, QWidget*> cells[] = {{"Number", number_}, {"Prec", precedence_}, {"HX", handling_},
                                                      {"Station of origin", origin_}, {"Check", check_},
                                                      {"Place of origin", place_}, {"Time", time_}, {"Date", date_}};
    for (int i = 0; i < 8; ++i) {
        preamble->addWidget(new QLabel(cells[i].first), 0, i);
        preamble->addWidget(cells[i].second, 1, i);
    }
    auto* layout = new QFormLayout(this);
    layout->addRow(preamble);
    layout->addRow("To (call)", to_);
    layout->addRow("Address", address_);
    layout->addRow("Telephone", telephone_);
    layout->addRow("Text", text_);
    layout->addRow("Signature", signature_);
    QObject::connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        check_->setText(QString::number(RadiogramCheck(text_->toPlainText().replace('\n', '\r').toStdString())));
    });
    check_->setText(QString::fromStdString(r.check.empty() ? std::to_string(RadiogramCheck(form.text)) : r.check));
    if (viewOnly) {
        for (QLineEdit* e : {to_, number_, precedence_, handling_, origin_, place_, time_, date_, telephone_, signature_})
            e->setReadOnly(true);
        address_->setReadOnly(true);
        text_->setReadOnly(true);
        auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
        QObject::connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addRow(close);
        return;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* send = buttons->addButton("Send", QDialogButtonBox::AcceptRole);
    send->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Store()) accept();
        else QMessageBox::warning(this, "NTS Message", problem_);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

bool RadiogramWindow::Store() {
    Radiogram r = form_.radiogram;
    r.to = to_->text().trimmed().toUpper().toStdString();
    if (std::string why = CallProblem(r.to); !why.empty()) {
        problem_ = QString::fromStdString("To: " + why);
        return false;
    }
    const std::string text = text_->toPlainText().trimmed().replace('\n', ' ').toStdString();
    if (text.empty()) {
        problem_ = "The radiogram has no text";
        return false;
    }
    r.number = number_->text().trimmed().toStdString();
    r.precedence = precedence_->text().trimmed().toStdString();
    r.handling = handling_->text().trimmed().toStdString();
    r.stationOfOrigin = origin_->text().trimmed().toStdString();
    r.placeOfOrigin = place_->text().trimmed().toStdString();
    r.timeFiled = time_->text().trimmed().toStdString();
    r.date = date_->text().trimmed().toStdString();
    r.telephone = telephone_->text().trimmed().toStdString();
    r.signature = signature_->text().trimmed().toStdString();
    r.address = address_->toPlainText().replace('\n', '\r').toStdString();
    form_.radiogram = r;
    form_.text = text;
    return true;
}

}  // namespace velmora
