#pragma once
// A KISS TNC on the network ("tcp:HOST:PORT"), as soundcard TNCs offer it:
// the same byte stream as a serial KISS TNC over a TCP connection, with no
// control lines.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Network.h"
#include "platform/Serial.h"

namespace velmora {

// "tcp:HOST:PORT" into its host and port; false when it is not that form.
bool ParseTcpDevice(const std::string& device, std::string& host, uint16_t& port);
inline bool IsTcpDevice(const std::string& device) { return device.rfind("tcp:", 0) == 0; }

class TcpDevice final : public SerialDevice {
public:
    TcpDevice(std::unique_ptr<TcpSocket> connection, int index, SerialEvents& events);
    bool Write(std::string_view bytes, int timeoutMs) override;
    bool SetControlLines(int) override { return false; }

private:
    std::unique_ptr<TcpSocket> connection_;
};

// Opens a network TNC; null with the reason when the device text is wrong
// or nothing answers within three seconds.
std::unique_ptr<SerialDevice> OpenTcpDevice(Network& network, int index, const std::string& device,
                                            SerialEvents& events, std::string* error);

}  // namespace velmora
