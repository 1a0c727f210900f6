#pragma once
// The machine's memory and the preferences applied to the core.
#include <cstdint>

#include "app/App.h"
#include "app/Preferences.h"

namespace velmora {

// The installed memory of this machine, in bytes (0 when unknown).
uint64_t InstalledMemoryBytes();

// Copies the settings the built parts read from the preferences record.
void ApplyPreferences(App& app, const Preferences& prefs);

}  // namespace velmora
