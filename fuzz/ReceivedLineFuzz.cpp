// Feeds arbitrary bytes to the received-line entry, as every port, link
// and replay file does. One App lives across inputs so that lookups,
// full tables and alarms are exercised too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzApp.h"

using namespace velmora;

namespace {

struct Harness : FuzzApp {
    Harness() {
        app.Flags().AddLine("W1AW\tALARM DANGER WARNING IGATE TRACK");
        app.StationOptions().dangerRadiusMiles = 50;
        app.StationOptions().positionEcho = true;
        app.DecodeOptions().gateInternetToRadio = true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness h;
    if (size == 0) return 0;
    // The first byte picks the source kind and whether the line is live.
    static const char kKinds[] = {'0', '1', '2', 'H', 'V', 'T', '3', '-'};
    const SourceKind kind = SourceKindFromChar(kKinds[data[0] & 7]);
    const Liveness live = (data[0] & 8) ? Liveness::kLive : Liveness::kReplay;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    h.app.ProcessReceivedLine(std::move(line), live, kind);
    if (h.app.Stations().Full()) h.app.ClearStations();
    return 0;
}
