#pragma once
// TCP as the core sees it: client connections (the internet server link,
// KISS TNCs on the network) and listeners (the TCP server for other
// programs). Data and closing arrive on the main thread's event loop
// through the callbacks the owner sets; nothing here blocks on input.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace velmora {

class TcpSocket {
public:
    virtual ~TcpSocket() = default;  // closes the connection
    // False when the connection is gone; otherwise the bytes are queued.
    virtual bool Write(std::string_view bytes) = 0;
    // "host:port" of the far end.
    virtual std::string Peer() const = 0;
    // Bytes written but not yet taken by the network: a reader that falls
    // behind shows here.
    virtual size_t Pending() const { return 0; }

    // Bytes that arrived, as they came.
    std::function<void(std::string_view bytes)> onData;
    // The far end closed or the connection failed; called once, after the
    // event that noticed it, so the owner may destroy the connection there.
    std::function<void(std::string_view reason)> onClosed;
    // A connection opened with Network::Open is established.
    std::function<void()> onConnected;
};

class TcpListener {
public:
    virtual ~TcpListener() = default;  // stops listening; accepted connections live on
    // The port listened on (the one chosen when 0 was asked for).
    virtual uint16_t Port() const = 0;

    // A new client; the owner keeps the connection and sets its callbacks.
    std::function<void(std::unique_ptr<TcpSocket>)> onAccept;
};

class Network {
public:
    virtual ~Network() = default;
    // Connects within the time-out; null with the reason in *error when it
    // cannot.
    virtual std::unique_ptr<TcpSocket> Connect(const std::string& host, uint16_t port, int timeoutMs,
                                                   std::string* error) = 0;
    // Starts connecting and returns at once: onConnected when it is up,
    // onClosed when it cannot be (a name that does not resolve, a refusal,
    // no answer within the time-out). Nothing waits.
    virtual std::unique_ptr<TcpSocket> Open(const std::string& host, uint16_t port, int timeoutMs) = 0;
    // Listens on an address ("127.0.0.1", "0.0.0.0", "::"); port 0 picks a
    // free one. Null with the reason in *error when it cannot.
    virtual std::unique_ptr<TcpListener> Listen(const std::string& address, uint16_t port, std::string* error) = 0;
};

}  // namespace velmora
