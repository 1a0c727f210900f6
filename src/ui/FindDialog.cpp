#include "ui/FindDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace velmora {

FindDialog::FindDialog(FindForm& form, QWidget* parent)
    : QDialog(parent), form_(form), airport_(new QLineEdit), zip_(new QLineEdit), airportAnswer_(new QLabel),
      zipAnswer_(new QLabel) {
    setWindowTitle("Find");
    airport_->setMaxLength(4);
    airport_->setPlaceholderText("JFK, KBDL");
    zip_->setMaxLength(7);
    zip_->setPlaceholderText("06111");
    auto* layout = new QFormLayout(this);
    layout->addRow("Airport", airport_);
    layout->addRow("", airportAnswer_);
    layout->addRow("Zip code", zip_);
    layout->addRow("", zipAnswer_);
    const auto answer = [](const std::function<std::string(const std::string&)>& f, const QString& text) {
        return text.trimmed().isEmpty() || !f ? QString() : QString::fromStdString(f(text.trimmed().toStdString()));
    };
    QObject::connect(airport_, &QLineEdit::textChanged, this,
                     [this, answer](const QString& t) { airportAnswer_->setText(answer(form_.airportText, t)); });
    QObject::connect(zip_, &QLineEdit::textChanged, this,
                     [this, answer](const QString& t) { zipAnswer_->setText(answer(form_.zipText, t)); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Store();
        accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void FindDialog::Store() {
    form_.airport = airport_->text().trimmed().toStdString();
    form_.zip = zip_->text().trimmed().toStdString();
}

}  // namespace velmora
