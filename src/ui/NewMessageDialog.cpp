#include "ui/NewMessageDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

NewMessageDialog::NewMessageDialog(NewMessageForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle("New Message Dialog");
    setObjectName("NewMessageDialog");
    to_ = new QLineEdit;
    to_->setMaxLength(20);  // the form says why a longer call cannot be sent; never cut it
    to_->setPlaceholderText("W1AW-9");
    text_ = new QLineEdit;
    text_->setMaxLength(300);  // the form beeps and cuts at 254
    number_ = new QLabel;
    length_ = new QLabel;
    length_->setObjectName("length");
    status_ = new QLabel;
    status_->setObjectName("status");
    auto* fields = new QFormLayout;
    fields->addRow("To:", to_);
    fields->addRow("Msg:", text_);
    fields->addRow("", length_);
    fields->addRow("Message #", number_);
    auto* boxRow = new QHBoxLayout;
    const char* names[kPortBoxes] = {"HF (P1)", "VHF (P2)", "TCP/IP"};
    for (int b = 0; b < kPortBoxes; ++b) {
        boxes_[b] = new QCheckBox(names[b]);
        boxRow->addWidget(boxes_[b]);
        QObject::connect(boxes_[b], &QCheckBox::toggled, this, [this, b](bool on) {
            if (showing_) return;
            form_.SetBox(static_cast<PortBox>(b), on);
            Show();
        });
    }
    auto* buttonRow = new QHBoxLayout;
    auto* bulletin = new QPushButton("Bulletin");
    auto* announcement = new QPushButton("Announcement");
    auto* nws = new QPushButton("Msg to NWS");
    for (QPushButton* b : {bulletin, announcement, nws}) {
        b->setAutoDefault(false);
        buttonRow->addWidget(b);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(boxRow);
    layout->addLayout(buttonRow);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    QObject::connect(to_, &QLineEdit::textEdited, this, [this](const QString& t) {
        form_.EditTo(t.toStdString());
        Show();
    });
    QObject::connect(text_, &QLineEdit::textEdited, this, [this](const QString& t) {
        form_.EditText(t.toStdString());
        Show();
    });
    QObject::connect(bulletin, &QPushButton::clicked, this, [this] { form_.Bulletin(), Show(); });
    QObject::connect(announcement, &QPushButton::clicked, this, [this] { form_.Announcement(), Show(); });
    QObject::connect(nws, &QPushButton::clicked, this, [this] { form_.ToNws(), Show(); });
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, [this] { Accept(); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Show();
    resize(520, sizeHint().height());
}

void NewMessageDialog::Show() {
    showing_ = true;
    const QString to = QString::fromStdString(form_.To());
    if (to_->text() != to) to_->setText(to);
    const QString text = QString::fromStdString(form_.Text());
    if (text_->text() != text) text_->setText(text);
    number_->setText(QString::fromStdString(form_.Number()));
    length_->setText(QString::fromStdString(form_.LengthNote()));
    status_->setText(QString::fromStdString(form_.Status()));
    for (int b = 0; b < kPortBoxes; ++b) {
        boxes_[b]->setEnabled(form_.Enabled(static_cast<PortBox>(b)));
        boxes_[b]->setChecked(form_.Ticked(static_cast<PortBox>(b)));
    }
    ok_->setEnabled(form_.OkEnabled());
    showing_ = false;
}

void NewMessageDialog::Accept() {
    if (form_.Accept()) accept();
    else Show();  // refused (it beeped): the operator corrects it
}

bool AskAutoAnswer(AutoAnswer& answer, QWidget* parent) {
    QDialog d(parent);
    d.setWindowTitle("Message Auto Answer");
    auto* on = new QCheckBox("Auto Answer enabled");
    on->setChecked(answer.on);
    auto* text = new QLineEdit(QString::fromStdString(answer.text));
    text->setMaxLength(static_cast<int>(AutoAnswer::kMaxText));
    text->setPlaceholderText("Enter auto answer text");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(on);
    layout->addWidget(new QLabel("Enter auto answer text"));
    layout->addWidget(text);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    d.resize(420, d.sizeHint().height());
    if (d.exec() != QDialog::Accepted) return false;
    answer.on = on->isChecked();
    answer.text = text->text().toStdString();
    return true;
}

}  // namespace velmora
