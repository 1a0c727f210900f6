// Display > "Display Options..." and "Units...": the front map window's
// options in one dialog, kept for new windows when the operator asks.
#include "app/DisplayOptionsForm.h"
#include "app/MapsModule.h"
#include "app/SettingsDialogs.h"

namespace velmora {

void MapsModule::EditDisplayOptions(bool unitsOnly) {
    if (!dialogs_) return;
    MapWindow* w = Front();
    const MapSettings settings = MapSettingsFrom(s_.prefs);
    DisplayOptionsForm form = DisplayOptionsForm::From(settings, w);
    if (!dialogs_->EditDisplayOptions(form, unitsOnly)) return;
    if (const std::string why = form.Problem(); !why.empty()) {
        s_.ui.MessageBox(why, unitsOnly ? "Units" : "Display Options", Buttons::kOk);
        return;
    }
    if (!unitsOnly && w) {
        // The circles and the age line are the window's alone.
        w->Options() = form.options;
        w->SetFontSize(form.fontSize);
        w->Changed();
    }
    MapSettings kept = settings;
    kept.metricUnits = form.metric;
    if (!unitsOnly && (form.forNewWindows || !w)) {
        kept.newWindows = form.options;
        kept.fontSize = form.fontSize;
        StoreMapSettings(s_.prefs, kept);
    } else {
        (void)s_.prefs.SetNumber(pref::kMetricUnits, form.metric ? 1 : 0);
    }
    if (!s_.prefs.Save(s_.platform.files)) s_.platform.notices.StatusText("Could not save Velmora.prf");
    SetUnits(form.metric ? DistanceUnits::kMetric : DistanceUnits::kStatute);
    s_.ui.RefreshCheckMarks();
}

void MapsModule::SetUnits(DistanceUnits units) {
    if (units == units_) return;
    units_ = units;
    for (auto& each : windows_) each->SetUnits(units_);
    unitsChanged(units_ == DistanceUnits::kMetric);
}

}  // namespace velmora
