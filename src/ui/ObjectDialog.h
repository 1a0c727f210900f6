#pragma once
// The object dialog: an own object's or item's name, its symbol picked from
// the map's own pictures, where it is (typed in any form, or the clicked
// point), course and speed for a moving one, comment and routes.
#include <QDialog>

#include "app/ObjectForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace velmora {

class ObjectDialog final : public QDialog {
public:
    ObjectDialog(ObjectForm& form, QWidget* parent = nullptr);
    // The fields into the form; false with Problem() when one is wrong.
    bool Store();
    QString Problem() const;

    QLineEdit* Name() const { return name_; }
    QComboBox* Symbol() const { return symbol_; }
    QLineEdit* Position() const { return position_; }
    QLabel* ReadBack() const { return readBack_; }
    QLineEdit* Comment() const { return comment_; }
    QSpinBox* Speed() const { return speed_; }

private:
    void accept() override;
    void ShowReading();

    ObjectForm& form_;
    QLineEdit *name_, *overlay_, *position_, *comment_;
    QCheckBox *item_, *hf_, *vhf_, *internet_;
    QComboBox* symbol_;
    QSpinBox *course_, *speed_;
    QLabel *readBack_, *problem_;
};

}  // namespace velmora
