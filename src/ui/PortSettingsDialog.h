#pragma once
// "Port Settings": for each port, its device (the serial devices present
// are offered; "tcp:HOST:PORT" reaches a network KISS TNC), speed, parity
// and stop bits. OK refuses a form with a problem, and says which.
#include <QDialog>
#include <array>

#include "app/PortSettingsForm.h"

class QComboBox;

namespace velmora {

class PortSettingsDialog final : public QDialog {
public:
    PortSettingsDialog(PortSettingsForm& form, QWidget* parent = nullptr);
    // The fields into the form; false (with Problem()) when one is wrong.
    bool Store();
    const QString& Problem() const { return problem_; }
    QComboBox* Device(int port) const { return rows_[size_t(port)].device; }
    QComboBox* Baud(int port) const { return rows_[size_t(port)].baud; }

private:
    struct Row {
        QComboBox *device = nullptr, *baud = nullptr, *parity = nullptr, *stop = nullptr;
    };
    PortSettingsForm& form_;
    std::array<Row, kPortCount> rows_{};
    QString problem_;
};

}  // namespace velmora
