#include "platform/qt/QtNetwork.h"

#include <QHostAddress>

namespace velmora {

QtTcpSocket::QtTcpSocket(QTcpSocket* socket) : socket_(socket) {
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QObject::connect(socket_.get(), &QTcpSocket::readyRead, this, [this] { ReadAll(); });
    QObject::connect(socket_.get(), &QTcpSocket::disconnected, this, [this] { Lost(); });
    QObject::connect(socket_.get(), &QTcpSocket::errorOccurred, this, [this] { Lost(); });
}

QtTcpSocket::~QtTcpSocket() {
    socket_->disconnect(this);
    socket_->abort();
}

void QtTcpSocket::ReadAll() {
    char buf[2048];
    while (!lost_ && socket_->bytesAvailable() > 0) {
        const qint64 n = socket_->read(buf, sizeof buf);
        if (n <= 0) break;
        if (onData) onData(std::string_view(buf, static_cast<size_t>(n)));
    }
}

// Reported after the signal returns, so the owner may destroy us in its handler.
void QtTcpSocket::Lost() {
    if (lost_) return;
    lost_ = true;
    const std::string why = "(" + socket_->errorString().toStdString() + ")";
    QMetaObject::invokeMethod(
        this, [this, why] { if (onClosed) onClosed(why); }, Qt::QueuedConnection);
}

bool QtTcpSocket::Write(std::string_view bytes) {
    if (lost_) return false;
    return socket_->write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

std::string QtTcpSocket::Peer() const {
    return socket_->peerAddress().toString().toStdString() + ":" + std::to_string(socket_->peerPort());
}

bool QtTcpListener::Listen(const std::string& address, uint16_t port, std::string* error) {
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            s->setParent(nullptr);
            auto c = std::make_unique<QtTcpSocket>(s);
            if (onAccept) onAccept(std::move(c));
        }
    });
    if (server_.listen(QHostAddress(QString::fromStdString(address)), port)) return true;
    if (error) *error = server_.errorString().toStdString();
    return false;
}

uint16_t QtTcpListener::Port() const { return server_.serverPort(); }

std::unique_ptr<TcpSocket> QtNetwork::Connect(const std::string& host, uint16_t port, int timeoutMs,
                                                  std::string* error) {
    auto* socket = new QTcpSocket;
    socket->connectToHost(QString::fromStdString(host), port);
    if (!socket->waitForConnected(timeoutMs)) {
        if (error) *error = socket->errorString().toStdString();
        delete socket;
        return nullptr;
    }
    return std::make_unique<QtTcpSocket>(socket);
}

void QtTcpSocket::StartConnecting(const std::string& host, uint16_t port, int timeoutMs) {
    giveUp_ = new QTimer(this);
    giveUp_->setSingleShot(true);
    QObject::connect(giveUp_, &QTimer::timeout, this, [this] {
        if (socket_->state() != QAbstractSocket::ConnectedState) {
            socket_->abort();
            Lost();
        }
    });
    QObject::connect(socket_.get(), &QTcpSocket::connected, this, [this] {
        giveUp_->stop();
        QMetaObject::invokeMethod(
            this, [this] { if (!lost_ && onConnected) onConnected(); }, Qt::QueuedConnection);
    });
    giveUp_->start(timeoutMs);
    socket_->connectToHost(QString::fromStdString(host), port);
}

std::unique_ptr<TcpSocket> QtNetwork::Open(const std::string& host, uint16_t port, int timeoutMs) {
    auto c = std::make_unique<QtTcpSocket>(new QTcpSocket);
    c->StartConnecting(host, port, timeoutMs);
    return c;
}

std::unique_ptr<TcpListener> QtNetwork::Listen(const std::string& address, uint16_t port, std::string* error) {
    auto listener = std::make_unique<QtTcpListener>();
    if (!listener->Listen(address, port, error)) return nullptr;
    return listener;
}

}  // namespace velmora
