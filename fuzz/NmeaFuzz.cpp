// NMEA sentences as a GPS or a TNC's shared cable delivers them: every
// input is one line for the parser and then for the own station's GPS
// (live, so the checksum rule and the publishing run too). Nothing may
// crash, and a fix it reports must lie on the world; gpsd's JSON reports
// take the same road.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzApp.h"
#include "gps/GpsdClient.h"
#include "gps/Nmea.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzApp h;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto fix = ParseNmeaSentence(line);
    if (fix && fix->positionValid && fix->goodPosition && (fix->lon <= 0 || fix->lat <= 0)) std::abort();
    h.app.TakeNmea(line, true, Liveness::kLive);
    if (const auto g = GpsdReportToFix(line)) {
        if (g->positionValid && (g->lon <= 0 || g->lat <= 0)) std::abort();
        h.app.TakeGpsFix(*g, true, Liveness::kLive, GpsSource::kGpsd);
    }
    return 0;
}
