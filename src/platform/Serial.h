#pragma once
// Serial devices as the core sees them. The platform opens a device with
// its line settings and delivers its input on the main thread's event loop,
// as the "port data" notification; the core never waits for input.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace velmora {

struct SerialSettings {
    std::string device;  // a path such as /dev/ttyUSB0
    int32_t baud = 9600;
    uint8_t parity = 0;    // 0 none, 1 odd, 2 even
    uint8_t stopBits = 0;  // 0 one stop bit, 2 two
};

// Where an open device's input and failures go, by port index.
class SerialEvents {
public:
    virtual ~SerialEvents() = default;
    // Bytes that arrived, at most 2048 at a time.
    virtual void PortData(int index, std::string_view bytes) = 0;
    // The device went away (unplugged) or failed; it is already closed.
    virtual void PortLost(int index, std::string_view reason) = 0;
};

class SerialDevice {
public:
    virtual ~SerialDevice() = default;  // closing drops DTR
    // False when the bytes could not all be written within the time-out.
    virtual bool Write(std::string_view bytes, int timeoutMs) = 0;
    // DTR: 0 drops it, anything else raises it. False when the device has
    // no control lines (a pseudo-terminal, say).
    virtual bool SetControlLines(int value) = 0;
};

class SerialLayer {
public:
    virtual ~SerialLayer() = default;
    // 8 data bits and the given settings, DTR raised; null when the device
    // cannot be opened, with the reason in *error.
    virtual std::unique_ptr<SerialDevice> Open(int index, const SerialSettings& settings, SerialEvents& events,
                                               std::string* error) = 0;
};

}  // namespace velmora
