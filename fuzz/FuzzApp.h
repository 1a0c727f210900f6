#pragma once
// The App every fuzz target feeds: one lives across inputs, with a small
// station table (so full tables are reached) and a home position (so
// distances and alarms run).
#include "app/App.h"
#include "platform/fake/FakeClock.h"

namespace velmora {

struct FuzzApp {
    FuzzApp() : files("/nonexistent-velmora-fuzz"), app(Platform{clock, notices, files}, Options()) {
        app.SetHome(41.7, -72.7);
    }
    static AppOptions Options() {
        AppOptions o;
        o.stationCapacity = 256;
        return o;
    }
    FakeClock clock;
    SilentNotices notices;
    DiskFiles files;
    App app;
};

}  // namespace velmora
