// Feeds an arbitrary byte stream to a KISS TNC port in pieces, as reads
// from a serial port or a TCP socket deliver it: the frame state survives
// between pieces, and every monitor line goes on to the received-line
// entry. The digipeater is on, so repeated frames are built too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzApp.h"
#include "ports/Ax25.h"
#include "ports/KissLink.h"

using namespace velmora;

namespace {

struct Harness : FuzzApp {
    Harness() {
        link.SetDigipeater("N0ME-1", true, "RELAY,WIDE1-1,WIDE");
        link.SetTemplate("N0ME-1", "APZ228", "WIDE1-1,WIDE2-2");
    }
    KissLink link;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Harness h;
    if (size == 0) return 0;
    // The first byte sets the size of the pieces the rest arrives in.
    const size_t piece = 1 + data[0] % 64;
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
    for (size_t at = 0; at < stream.size(); at += piece) {
        for (KissReceived& r : KissReceive(h.link, stream.substr(at, piece), static_cast<uint32_t>(at))) {
            // A monitor line is one line: nothing from the air may split it.
            if (r.monitor.find_first_of("\r\n") != std::string::npos) __builtin_trap();
            if (!r.monitor.empty()) h.app.ProcessReceivedLine(r.monitor, Liveness::kLive, SourceKind::kVhf);
            if (!r.repeat.empty() && (static_cast<uint8_t>(r.repeat.front()) != 0xC0 || r.repeat.size() > 4096))
                __builtin_trap();
        }
    }
    if (h.app.Stations().Full()) h.app.ClearStations();
    return 0;
}
