#pragma once
// "Garmin GPS Control": the link's buttons and its status line.
#include <QWidget>

#include "app/GarminModule.h"

class QLabel;

namespace velmora {

class GarminWindow final : public QWidget {
public:
    explicit GarminWindow(GarminModule& garmin, QWidget* parent = nullptr);
    void SetStatus(const QString& text);
    QLabel* Status() const { return status_; }

private:
    GarminModule& garmin_;
    QLabel* status_;
};

}  // namespace velmora
