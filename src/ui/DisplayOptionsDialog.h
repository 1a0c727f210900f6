#pragma once
// "Display Options": what the front map window shows, where its call
// signs go and their font, kept for new windows on request; "Units" is the
// same dialog showing only the unit system.
#include <QDialog>
#include <array>

#include "app/DisplayOptionsForm.h"

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace velmora {

class DisplayOptionsDialog final : public QDialog {
public:
    DisplayOptionsDialog(DisplayOptionsForm& form, bool unitsOnly, QWidget* parent = nullptr);
    bool Store();
    const QString& Problem() const { return problem_; }
    QCheckBox* Option(size_t n) const { return options_[n]; }
    QComboBox* Filter() const { return filter_; }
    QComboBox* Placement() const { return placement_; }
    QSpinBox* FontSize() const { return font_; }
    QRadioButton* Metric() const { return metric_; }
    QCheckBox* ForNewWindows() const { return forNew_; }

    // The check boxes, in order: the window's on/off options.
    static constexpr size_t kOptions = 10;

private:
    QWidget* OptionsBox();
    QWidget* UnitsBox();

    DisplayOptionsForm& form_;
    bool unitsOnly_;
    std::array<QCheckBox*, kOptions> options_{};
    QComboBox* filter_ = nullptr;
    QComboBox* placement_ = nullptr;
    QSpinBox* font_ = nullptr;
    QRadioButton* statute_ = nullptr;
    QRadioButton* metric_ = nullptr;
    QCheckBox* forNew_ = nullptr;
    QString problem_;
};

}  // namespace velmora
