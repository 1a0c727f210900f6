#pragma once
// "NTS Message": a radiogram's preamble, address, telephone, text (its
// check counted as it is typed) and signature; Send queues its sections.
#include <QDialog>

#include "app/NtsModule.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace velmora {

class RadiogramWindow final : public QDialog {
public:
    // viewOnly: a stored radiogram, titled "FROM->TO:NUMBER", nothing to send.
    RadiogramWindow(RadiogramForm& form, QWidget* parent = nullptr, bool viewOnly = false);
    bool Store();
    const QString& Problem() const { return problem_; }
    QLineEdit* To() const { return to_; }
    QPlainTextEdit* Text() const { return text_; }
    QLabel* Check() const { return check_; }

private:
    RadiogramForm& form_;
    QLineEdit *to_, *number_, *precedence_, *handling_, *origin_, *place_, *time_, *date_, *telephone_, *signature_;
    QPlainTextEdit *address_, *text_;
    QLabel* check_;
    QString problem_;
};

}  // namespace velmora
