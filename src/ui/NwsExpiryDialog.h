#pragma once
// "Enter expiration time": when a weather bulletin ends, and its event.
#include <QDialog>

#include "app/NwsModule.h"

class QComboBox;
class QDateTimeEdit;

namespace velmora {

class NwsExpiryDialog final : public QDialog {
public:
    NwsExpiryDialog(NwsExpiryForm& form, QWidget* parent = nullptr);
    void Store();
    QDateTimeEdit* Expiry() const { return expiry_; }
    QComboBox* Event() const { return event_; }

private:
    NwsExpiryForm& form_;
    QDateTimeEdit* expiry_;
    QComboBox* event_;
};

}  // namespace velmora
