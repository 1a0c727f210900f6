#pragma once
// The preferences applied to the core.
#include <cstdint>

#include "app/App.h"
#include "app/Preferences.h"

namespace velmora {

// Copies the settings the built parts read from the preferences record.
void ApplyPreferences(App& app, const Preferences& prefs);

}  // namespace velmora
