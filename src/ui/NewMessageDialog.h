#pragma once
// The "New Message Dialog": a face over NewMessageForm, which holds every
// rule; the dialog shows the form's state after each edit.
#include <QDialog>

#include "messaging/NewMessageForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class NewMessageDialog final : public QDialog {
public:
    NewMessageDialog(NewMessageForm& form, QWidget* parent = nullptr);
    QLineEdit* ToField() const { return to_; }
    QLineEdit* TextField() const { return text_; }
    QPushButton* OkButton() const { return ok_; }
    QLabel* StatusLine() const { return status_; }
    QLabel* Length() const { return length_; }
    QCheckBox* Box(PortBox b) const { return boxes_[b]; }

private:
    void Show();
    void Accept();

    NewMessageForm& form_;
    QLineEdit* to_;
    QLineEdit* text_;
    QLabel* number_;
    QLabel* length_ = nullptr;
    QLabel* status_;
    QCheckBox* boxes_[kPortBoxes];
    QPushButton* ok_;
    bool showing_ = false;
};

// "Message Auto Answer": on or off, and the reply text.
bool AskAutoAnswer(AutoAnswer& answer, QWidget* parent);

}  // namespace velmora
