#pragma once
// The ten ports: each index is also its role.
#include <cstdint>

namespace velmora {

enum PortIndex : int {
    kPortTerminal = 0,   // the default terminal
    kPortHfTnc = 1,
    kPortVhfTnc = 2,
    kPortGps = 3,
    kPortWeather = 4,
    kPortRdf = 5,
    kPortUnused = 6,     // no role: input is ignored
    kPortBinaryGps = 7,  // a GPS in its binary protocol
    kPortAux = 8,        // receives a copy of the VHF TNC's input
    kPortTcpIp = 9,      // the internet link, shown in the terminal; no serial device
};
constexpr int kPortCount = 10;

// The name shown for a port, as the operator has always seen it.
inline const char* PortName(int index) {
    static constexpr const char* kNames[kPortCount] = {
        "Deafult Terminal", "HF TNC Port", "VHF TNC Port", "GPS Port", "Weather Port",
        "RDF Port",         "Unknown",     "Unknown",      "Unknown",  "TCP/IP Port",
    };
    return index >= 0 && index < kPortCount ? kNames[index] : "Unknown";
}

inline bool IsTncPort(int index) { return index == kPortHfTnc || index == kPortVhfTnc; }

}  // namespace velmora
