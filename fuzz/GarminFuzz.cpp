// Bytes from a Garmin port, however broken: the framer and the packet
// handling with the link open, so every reply is framed too. Nothing may
// crash; the track list never passes its limit.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "gps/GarminLink.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static GarminLink link = [] {
        GarminLink l;
        l.SetOpen(true);
        return l;
    }();
    link.Input(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size > 0 && data[0] == 0x55) link.UploadWaypoints();
    if (link.Track().size() > GarminLink::kMaxTrackPoints) std::abort();
    return 0;
}
