#pragma once
// Every serial port of the program: its record and settings, opening and
// closing, writing, DTR, and the assembly of input into lines for the role
// dispatcher. Input arrives on the main thread from the serial layer.
#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Network.h"
#include "platform/Notices.h"
#include "platform/Serial.h"
#include "platform/UserInterface.h"
#include "ports/PortRole.h"
#include "ports/TncSettings.h"

namespace velmora {

struct PortRecord {
    static constexpr size_t kLineLimit = 4095;  // a longer run is dropped whole
    int16_t handle = -1;                         // -1 while closed
    int16_t deviceNumber = 1;                    // 1 for the first serial device
    std::string devicePath;                      // what is opened; empty: from the number
    int32_t baud = 9600;
    uint8_t parity = 0;
    uint8_t stopBits = 0;
    bool assembleLines = true;
    bool stripTo7Bits = true;  // TNC ports keep 8-bit text (UTF-8 comments)
    bool overlong = false;     // the line grew past the limit: dropped at its end
    std::string line;  // the partial line, kept across closing and reopening
    std::unique_ptr<SerialDevice> device;
    // A device that went away (a USB adapter pulled, a network TNC
    // restarted) is opened again by itself until the operator closes it.
    struct Recovery {
        bool lost = false;
        uint32_t retryAt = 0;   // 0: at the next pass
        int failures = 0;       // tries in a row since it went
        uint32_t drops = 0, reopens = 0;
        std::string reason;     // why it went
    } recovery;
};

// Where assembled lines, raw blocks and the terminal's copy go.
class PortInputSink {
public:
    virtual ~PortInputSink() = default;
    // One line (assembled ports) or one raw block.
    virtual void Dispatch(int index, std::string_view data) = 0;
    // Every block as it came, for the terminal window.
    virtual void RawInput(int index, std::string_view block) = 0;
};

class PortManager final : public SerialEvents {
public:
    static constexpr int kWriteTimeoutMs = 9000;

    PortManager(SerialLayer* layer, UserInterface& ui, NoticeSink& notices);
    void SetSink(PortInputSink* sink) { sink_ = sink; }
    // Where devices named tcp:HOST:PORT are opened; none: they fail to open.
    void SetNetwork(Network* network) { network_ = network; }
    bool Available() const { return layer_ != nullptr; }

    // The open port that holds this port's device, or -1.
    int DeviceHolder(int index) const;
    [[nodiscard]] bool OpenPort(int index);
    bool ClosePort(int index);
    bool IsOpen(int index) const { return Valid(index) && records_[Slot(index)].device != nullptr; }
    // A closed port ignores the call; false when nothing was written.
    bool WritePort(int index, std::string_view bytes);
    bool SetControlLine(int index, int value);
    void PortInput(int index, std::string_view bytes);

    void SetPortSettings(int index, std::string_view device, std::string_view baud, std::string_view stop,
                         std::string_view parity);
    void SetPortFlags(int index, bool assembleLines, bool stripTo7Bits);
    const PortRecord& Record(int index) const { return records_[Slot(index)]; }
    // The device a port opens: its path, or the serial device of its number.
    std::string DeviceOf(int index) const;

    // A port's device and line settings (they apply at the next opening).
    void Configure(int index, const PortConfig& config);
    PortConfig Config(int index) const;

    // From the serial layer.
    void PortData(int index, std::string_view bytes) override { PortInput(index, bytes); }
    void PortLost(int index, std::string_view reason) override;

    // Lost ports tried again, after 2, 4, 8, 16 and then every 30 seconds;
    // onReopened(index) for each that is back, so its TNC is started again.
    void RecoverLostPorts(uint32_t now);
    bool IsLost(int index) const { return Valid(index) && records_[Slot(index)].recovery.lost; }
    // The port's state in words: "open", "closed", "reconnecting (3 tries)".
    std::string StateText(int index, uint32_t now) const;
    std::function<void(int index)> onReopened = [](int) {};

private:
    static bool Valid(int index) { return index >= 0 && index < kPortCount; }
    static size_t Slot(int index) { return static_cast<size_t>(index); }
    void EndLine(int index);

    SerialLayer* layer_;
    Network* network_ = nullptr;
    UserInterface& ui_;
    NoticeSink& notices_;
    PortInputSink* sink_ = nullptr;
    std::array<PortRecord, kPortCount> records_;
};

}  // namespace velmora
