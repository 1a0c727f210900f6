#pragma once
// Serial devices with QSerialPort: input arrives on the event loop as it
// comes, and a device that goes away (unplugged, or the far end of a
// pseudo-terminal closed) is closed at once and reported, rather than
// left reporting errors in a loop.
#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <memory>

#include "platform/Serial.h"

namespace velmora {

class QtSerialDevice final : public QObject, public SerialDevice {
public:
    QtSerialDevice(int index, SerialEvents& events);
    ~QtSerialDevice() override;
    bool Open(const SerialSettings& settings, std::string* error);

    bool Write(std::string_view bytes, int timeoutMs) override;
    bool SetControlLines(int value) override;

private:
    void ReadAll();
    void Failed(QSerialPort::SerialPortError error);

    int index_;
    SerialEvents& events_;
    QSerialPort port_;
    QTimer writeDeadline_;
    bool lost_ = false;
};

class QtSerialLayer final : public SerialLayer {
public:
    std::unique_ptr<SerialDevice> Open(int index, const SerialSettings& settings, SerialEvents& events,
                                       std::string* error) override;
};

}  // namespace velmora
