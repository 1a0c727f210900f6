#include "ports/TcpDevice.h"

namespace velmora {

bool ParseTcpDevice(const std::string& device, std::string& host, uint16_t& port) {
    if (!IsTcpDevice(device)) return false;
    const size_t colon = device.rfind(':');
    if (colon <= 4) return false;
    host = device.substr(4, colon - 4);
    const std::string digits = device.substr(colon + 1);
    if (host.empty() || digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long n = std::stol(digits);
    if (n < 1 || n > 65535) return false;
    port = static_cast<uint16_t>(n);
    return true;
}

TcpDevice::TcpDevice(std::unique_ptr<TcpSocket> connection, int index, SerialEvents& events)
    : connection_(std::move(connection)) {
    connection_->onData = [&events, index](std::string_view bytes) { events.PortData(index, bytes); };
    connection_->onClosed = [&events, index](std::string_view reason) { events.PortLost(index, reason); };
}

bool TcpDevice::Write(std::string_view bytes, int) { return connection_->Write(bytes); }

std::unique_ptr<SerialDevice> OpenTcpDevice(Network& network, int index, const std::string& device,
                                            SerialEvents& events, std::string* error) {
    std::string host;
    uint16_t port = 0;
    if (!ParseTcpDevice(device, host, port)) {
        if (error) *error = "not tcp:HOST:PORT";
        return nullptr;
    }
    std::unique_ptr<TcpSocket> connection = network.Connect(host, port, 3000, error);
    if (!connection) return nullptr;
    return std::make_unique<TcpDevice>(std::move(connection), index, events);
}

}  // namespace velmora
