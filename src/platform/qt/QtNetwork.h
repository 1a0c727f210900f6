#pragma once
// TCP with QTcpSocket and QTcpServer on the event loop.
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

#include "platform/Network.h"

namespace velmora {

class QtTcpSocket final : public QObject, public TcpSocket {
public:
    // Takes a connected socket (from a server) or a new one to connect.
    explicit QtTcpSocket(QTcpSocket* socket);
    // Starts connecting the socket to a host; gives up after the time-out.
    void StartConnecting(const std::string& host, uint16_t port, int timeoutMs);
    ~QtTcpSocket() override;
    bool Write(std::string_view bytes) override;
    std::string Peer() const override;
    size_t Pending() const override { return socket_ ? static_cast<size_t>(socket_->bytesToWrite()) : 0; }

private:
    void ReadAll();
    void Lost();

    std::unique_ptr<QTcpSocket> socket_;
    bool lost_ = false;
    QTimer* giveUp_ = nullptr;
};

class QtTcpListener final : public QObject, public TcpListener {
public:
    bool Listen(const std::string& address, uint16_t port, std::string* error);
    uint16_t Port() const override;

private:
    QTcpServer server_;
};

class QtNetwork final : public Network {
public:
    std::unique_ptr<TcpSocket> Connect(const std::string& host, uint16_t port, int timeoutMs,
                                           std::string* error) override;
    std::unique_ptr<TcpSocket> Open(const std::string& host, uint16_t port, int timeoutMs) override;
    std::unique_ptr<TcpListener> Listen(const std::string& address, uint16_t port, std::string* error) override;
};

}  // namespace velmora
