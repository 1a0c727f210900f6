#pragma once
// "Port Settings" as plain state: each port's device (a serial device path,
// or "tcp:HOST:PORT" for a network KISS TNC), baud rate, parity and stop
// bits, read from and written to the preferences; and the checks, in the
// operator's words, that the dialog and velmora-prefs both make.
#include <array>
#include <string>
#include <string_view>

#include "app/Preferences.h"
#include "ports/PortRole.h"

namespace velmora {

struct PortEntry {
    std::string device;  // empty: the numbered serial device
    int deviceNumber = 1;
    int baud = 9600;
    int parity = 0;      // 0 none, 1 odd, 2 even
    int stopBits = 1;    // 1 or 2
    bool operator==(const PortEntry&) const = default;
};

struct PortSettingsForm {
    std::array<PortEntry, kPortCount> ports;

    static PortSettingsForm From(const Preferences& prefs);
    void Store(Preferences& prefs) const;
    // What is wrong with the entry of a port ("The VHF TNC Port: ..."),
    // empty when it may be stored.
    std::string Problem(int port) const;
    std::string FirstProblem() const;
};

// The ports the dialog shows, in its order.
inline constexpr int kDialogPorts[] = {kPortHfTnc, kPortVhfTnc, kPortGps, kPortWeather, kPortRdf, kPortBinaryGps, kPortAux};

// The check of a device text: empty when it is a device path, a network
// TNC, or nothing at all.
std::string DeviceProblem(std::string_view device);
// The speeds a serial TNC, GPS or weather station runs at.
inline constexpr int kBaudRates[] = {300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

}  // namespace velmora
