#include "app/PortSettingsForm.h"

#include <algorithm>

#include "ports/TcpDevice.h"

namespace velmora {
namespace {

int64_t Field(const Preferences& p, int port, PortField f, int64_t fallback) {
    const PrefField* field = FindPreferenceField(PortFieldName(port, f));
    return field ? p.Number(*field) : fallback;
}

void SetField(Preferences& p, int port, PortField f, int64_t value) {
    if (const PrefField* field = FindPreferenceField(PortFieldName(port, f))) p.SetNumber(*field, value);
}

// The dialog's name of a port: the roles' names, and two for the ports
// that have none of their own.
std::string NameOf(int port) {
    if (port == kPortBinaryGps) return "Garmin GPS Port";
    if (port == kPortAux) return "Auxiliary Port";
    return PortName(port);
}

}  // namespace

std::string DeviceProblem(std::string_view device) {
    if (device.empty()) return {};
    const std::string text(device);
    if (IsTcpDevice(text)) {
        std::string host;
        uint16_t port = 0;
        if (!ParseTcpDevice(text, host, port)) return "A network TNC is written tcp:HOST:PORT, the port between 1 and 65535";
        return {};
    }
    if (text.front() != '/') return "The device must be a path such as /dev/ttyUSB0, or tcp:HOST:PORT";
    if (text.find_first_of(" \t\r\n") != std::string::npos) return "The device path may not contain blanks";
    if (text.size() > 63) return "The device path is longer than 63 characters";
    return {};
}

PortSettingsForm PortSettingsForm::From(const Preferences& p) {
    PortSettingsForm f;
    for (int n = 0; n < kPortCount; ++n) {
        PortEntry& e = f.ports[size_t(n)];
        if (const PrefField* d = FindPreferenceField(PortFieldName(n, PortField::kDevice))) e.device = p.Text(*d);
        e.deviceNumber = static_cast<int>(Field(p, n, PortField::kDeviceNumber, 1));
        e.baud = static_cast<int>(Field(p, n, PortField::kBaud, 9600));
        e.parity = static_cast<int>(Field(p, n, PortField::kParity, 0));
        e.stopBits = Field(p, n, PortField::kStopBits, 0) == 2 ? 2 : 1;
    }
    return f;
}

void PortSettingsForm::Store(Preferences& p) const {
    for (int n = 0; n < kPortCount; ++n) {
        const PortEntry& e = ports[size_t(n)];
        if (const PrefField* d = FindPreferenceField(PortFieldName(n, PortField::kDevice))) p.SetText(*d, e.device);
        SetField(p, n, PortField::kDeviceNumber, e.deviceNumber);
        SetField(p, n, PortField::kBaud, e.baud);
        SetField(p, n, PortField::kParity, e.parity);
        SetField(p, n, PortField::kStopBits, e.stopBits);
    }
}

std::string PortSettingsForm::Problem(int port) const {
    if (port < 0 || port >= kPortCount) return {};
    const PortEntry& e = ports[size_t(port)];
    const std::string name = NameOf(port);
    if (const std::string why = DeviceProblem(e.device); !why.empty()) return name + ": " + why;
    if (std::find(std::begin(kBaudRates), std::end(kBaudRates), e.baud) == std::end(kBaudRates))
        return name + ": the speed must be one of 300 to 115200 baud";
    if (e.parity < 0 || e.parity > 2) return name + ": the parity must be none, odd or even";
    if (e.stopBits != 1 && e.stopBits != 2) return name + ": one or two stop bits";
    // Two roles on one device would read each other's input.
    for (int other = 1; other < kPortCount; ++other) {
        if (other == port || e.device.empty() || ports[size_t(other)].device != e.device) continue;
        return name + ": " + e.device + " is already the device of the " + NameOf(other);
    }
    return {};
}

std::string PortSettingsForm::FirstProblem() const {
    for (int n = 1; n < kPortCount; ++n)
        if (std::string why = Problem(n); !why.empty()) return why;
    return {};
}

}  // namespace velmora
