#pragma once
// TCP for tests: connections to the hosts the test allows succeed, writes
// are recorded, and the test delivers data, closes and new clients by hand.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Network.h"

namespace velmora {

class FakeNetwork final : public Network {
public:
    struct Connection final : TcpSocket {
        explicit Connection(std::string peer) : peer(std::move(peer)) {}
        bool Write(std::string_view bytes) override {
            if (closed) return false;
            written.append(bytes);
            return true;
        }
        std::string Peer() const override { return peer; }
        size_t Pending() const override { return pending; }
        // What the far end does.
        void Deliver(std::string_view bytes) { if (onData) onData(bytes); }
        void Close(std::string_view reason) {
            closed = true;
            if (onClosed) onClosed(reason);
        }
        // An opened connection comes up, or is refused.
        void Establish() {
            connecting = false;
            if (onConnected) onConnected();
        }
        bool connecting = false;
        size_t pending = 0;  // what the test says the network has not taken yet
        std::string peer, written;
        bool closed = false;
    };
    struct Listener final : TcpListener {
        explicit Listener(uint16_t port) : port(port) {}
        uint16_t Port() const override { return port; }
        // A client connects; the returned connection is the far end's view
        // of what the program writes.
        Connection* Accept(const std::string& peer) {
            auto c = std::make_unique<Connection>(peer);
            Connection* raw = c.get();
            if (onAccept) onAccept(std::move(c));
            return raw;
        }
        uint16_t port;
    };

    std::unique_ptr<TcpSocket> Connect(const std::string& host, uint16_t port, int,
                                           std::string* error) override {
        const std::string peer = host + ":" + std::to_string(port);
        if (!reachable.count(peer)) {
            if (error) *error = "Connection refused";
            return nullptr;
        }
        auto c = std::make_unique<Connection>(peer);
        connections.push_back(c.get());
        return c;
    }
    // Every open starts connecting; the test establishes or closes it.
    std::unique_ptr<TcpSocket> Open(const std::string& host, uint16_t port, int) override {
        auto c = std::make_unique<Connection>(host + ":" + std::to_string(port));
        c->connecting = true;
        connections.push_back(c.get());
        opened.push_back(c.get());
        return c;
    }
    std::unique_ptr<TcpListener> Listen(const std::string&, uint16_t port, std::string* error) override {
        if (refuseListen) {
            if (error) *error = "Address already in use";
            return nullptr;
        }
        auto l = std::make_unique<Listener>(port ? port : 40000);
        listeners.push_back(l.get());
        return l;
    }

    std::set<std::string> reachable;           // "host:port"
    bool refuseListen = false;
    std::vector<Connection*> connections;      // owned by the program
    std::vector<Connection*> opened;           // those started with Open, in order
    std::vector<Listener*> listeners;
};

}  // namespace velmora
