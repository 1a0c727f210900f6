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

QtTcpDevice::QtTcpDevice(int index, SerialEvents& events) : index_(index), events_(events) {
    connect(&socket_, &QTcpSocket::readyRead, this, [this] { ReadAll(); });
    connect(&socket_, &QTcpSocket::disconnected, this, [this] { Lost(); });
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this] {
        if (socket_.state() != QAbstractSocket::ConnectedState) Lost();
    });
}

QtTcpDevice::~QtTcpDevice() {
    socket_.disconnect(this);
    socket_.abort();
}

bool QtTcpDevice::Open(const std::string& host, uint16_t port, std::string* error) {
    socket_.connectToHost(QString::fromStdString(host), port);
    // A TNC on this machine or the local network answers at once.
    if (!socket_.waitForConnected(3000)) {
        if (error) *error = socket_.errorString().toStdString();
        return false;
    }
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return true;
}

void QtTcpDevice::ReadAll() {
    char buf[2048];
    while (!lost_ && socket_.bytesAvailable() > 0) {
        const qint64 n = socket_.read(buf, sizeof buf);
        if (n <= 0) break;
        events_.PortData(index_, std::string_view(buf, static_cast<size_t>(n)));
    }
}

void QtTcpDevice::Lost() {
    if (lost_) return;
    lost_ = true;
    const std::string why = "(" + socket_.errorString().toStdString() + ")";
    const int index = index_;
    SerialEvents* events = &events_;
    QMetaObject::invokeMethod(
        this, [events, index, why] { events->PortLost(index, why); }, Qt::QueuedConnection);
}

bool QtTcpDevice::Write(std::string_view bytes, int) {
    if (lost_) return false;
    return socket_.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

bool ParseTcpDevice(const std::string& device, std::string& host, uint16_t& port) {
    if (device.rfind("tcp:", 0) != 0) return false;
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

std::unique_ptr<SerialDevice> QtSerialLayer::Open(int index, const SerialSettings& settings, SerialEvents& events,
                                                  std::string* error) {
    std::string host;
    uint16_t port = 0;
    if (settings.device.rfind("tcp:", 0) == 0) {
        if (!ParseTcpDevice(settings.device, host, port)) {
            if (error) *error = "not tcp:HOST:PORT";
            return nullptr;
        }
        auto tcp = std::make_unique<QtTcpDevice>(index, events);
        if (!tcp->Open(host, port, error)) return nullptr;
        return tcp;
    }
    auto device = std::make_unique<QtSerialDevice>(index, events);
    if (!device->Open(settings, error)) return nullptr;
    return device;
}

}  // namespace velmora
