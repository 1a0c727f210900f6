#include "platform/qt/QtSerial.h"

namespace velmora {

QtSerialDevice::QtSerialDevice(int index, SerialEvents& events) : index_(index), events_(events) {
    writeDeadline_.setSingleShot(true);
    // A write that has not drained in time is dropped, without a message.
    connect(&writeDeadline_, &QTimer::timeout, this, [this] { port_.clear(QSerialPort::Output); });
    connect(&port_, &QSerialPort::bytesWritten, this, [this] {
        if (port_.bytesToWrite() == 0) writeDeadline_.stop();
    });
    connect(&port_, &QSerialPort::readyRead, this, [this] { ReadAll(); });
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) { Failed(e); });
}

QtSerialDevice::~QtSerialDevice() {
    if (port_.isOpen()) {
        port_.setDataTerminalReady(false);
        port_.close();
    }
}

bool QtSerialDevice::Open(const SerialSettings& s, std::string* error) {
    port_.setPortName(QString::fromStdString(s.device));
    if (!port_.open(QIODevice::ReadWrite)) {
        if (error) *error = port_.errorString().toStdString();
        return false;
    }
    port_.setBaudRate(s.baud);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(s.parity == 1 ? QSerialPort::OddParity : s.parity == 2 ? QSerialPort::EvenParity
                                                                            : QSerialPort::NoParity);
    port_.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    // Devices without control lines (pseudo-terminals) refuse; that is not a failed open.
    port_.setDataTerminalReady(true);
    port_.clearError();
    return true;
}

void QtSerialDevice::ReadAll() {
    char buf[2048];
    while (!lost_ && port_.bytesAvailable() > 0) {
        const qint64 n = port_.read(buf, sizeof buf);
        if (n <= 0) break;
        events_.PortData(index_, std::string_view(buf, static_cast<size_t>(n)));
    }
}

void QtSerialDevice::Failed(QSerialPort::SerialPortError e) {
    if (lost_ || (e != QSerialPort::ResourceError && e != QSerialPort::ReadError)) return;
    lost_ = true;
    const std::string why = "(" + port_.errorString().toStdString() + ")";
    port_.close();
    // Reported after this signal returns: the handler destroys this object.
    const int index = index_;
    SerialEvents* events = &events_;
    QMetaObject::invokeMethod(
        this, [events, index, why] { events->PortLost(index, why); }, Qt::QueuedConnection);
}

bool QtSerialDevice::Write(std::string_view bytes, int timeoutMs) {
    if (lost_ || !port_.isOpen()) return false;
    if (port_.bytesToWrite() == 0) writeDeadline_.start(timeoutMs);
    return port_.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

bool QtSerialDevice::SetControlLines(int value) {
    const bool ok = port_.isOpen() && port_.setDataTerminalReady(value != 0);
    if (!ok) port_.clearError();
    return ok;
}

std::unique_ptr<SerialDevice> QtSerialLayer::Open(int index, const SerialSettings& settings, SerialEvents& events,
                                                  std::string* error) {
    auto device = std::make_unique<QtSerialDevice>(index, events);
    if (!device->Open(settings, error)) return nullptr;
    return device;
}

}  // namespace velmora
