#pragma once
// Bringing the core up from the data folder: memory class, preferences,
// the own station as station 0, reference data; and the tick's work that
// the built parts own.
#include <cstdint>

#include "app/App.h"
#include "app/PeriodicTick.h"
#include "app/Preferences.h"

namespace velmora {

// The installed memory of this machine, in bytes (0 when unknown).
uint64_t InstalledMemoryBytes();

// Copies the settings the built parts read from the preferences record.
void ApplyPreferences(App& app, const Preferences& prefs);

// Loads "Velmora.prf" (a missing file keeps the defaults), applies it,
// feeds the own position so the own station is index 0, and loads
// "Stations.txt" and "DXlist.dat".
void StartCore(App& app, Preferences& prefs);

// The periodic work of the parts built so far.
class AppTickWork final : public TickWork {
public:
    explicit AppTickWork(App& app) : app_(app) {}
    void HourChanged(const LocalDateTime& now) override;

private:
    App& app_;
};

}  // namespace velmora
