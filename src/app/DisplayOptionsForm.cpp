#include "app/DisplayOptionsForm.h"

namespace velmora {

DisplayOptionsForm DisplayOptionsForm::From(const MapSettings& settings, const MapWindow* front) {
    DisplayOptionsForm f;
    f.metric = settings.metricUnits;
    f.hasWindow = front != nullptr;
    f.options = front ? front->Options() : settings.newWindows;
    f.fontSize = front ? front->FontSize() : settings.fontSize;
    f.forNewWindows = !front;
    return f;
}

std::string DisplayOptionsForm::Problem() const {
    if (fontSize < kMinFont || fontSize > kMaxFont) return "The station font size must be between 6 and 40";
    if (options.placement < 1 || options.placement > 4) return "Choose where the call signs go";
    if (static_cast<int>(options.filter) > 4) return "Choose which stations are shown";
    return {};
}

}  // namespace velmora
