#pragma once
// "Find": an airport by identifier or a place by zip code, each field
// answered below it as it is typed.
#include <QDialog>

#include "app/RefDataModule.h"

class QLabel;
class QLineEdit;

namespace velmora {

class FindDialog final : public QDialog {
public:
    FindDialog(FindForm& form, QWidget* parent = nullptr);
    QLineEdit* Airport() const { return airport_; }
    QLineEdit* Zip() const { return zip_; }
    QLabel* AirportAnswer() const { return airportAnswer_; }
    QLabel* ZipAnswer() const { return zipAnswer_; }
    void Store();

private:
    FindForm& form_;
    QLineEdit *airport_, *zip_;
    QLabel *airportAnswer_, *zipAnswer_;
};

}  // namespace velmora
