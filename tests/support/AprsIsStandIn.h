#pragma once
// A small APRS-IS server of our own on 127.0.0.1 for the link tests: it
// greets, answers a login with a verified logresp, then sends its stream.
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/QtNetwork.h"

namespace velmora::test {

// A server that logs a client in and then sends it a few packets.
struct AprsIsStandIn {
    AprsIsStandIn() {
        std::string error;
        listener = net.Listen("127.0.0.1", 0, &error);
        if (!listener) return;
        listener->onAccept = [this](std::unique_ptr<TcpSocket> c) {
            client = std::move(c);
            client->Write("# aprsc 2.1.14-g standin\r\n");
            client->onData = [this](std::string_view bytes) {
                received += bytes;
                if (closeAtOnce) {
                    // Not inside its own callback: after this event.
                    QTimer::singleShot(0, [this] { client.reset(); });
                    return;
                }
                if (received.find("\r\n") != std::string::npos && !answered) {
                    answered = true;
                    client->Write(logresp);
                    for (const std::string& line : stream) client->Write(line + "\r\n");
                }
            };
        };
    }
    QtNetwork net;
    std::unique_ptr<TcpListener> listener;
    std::unique_ptr<TcpSocket> client;
    std::string received;
    bool answered = false, closeAtOnce = false;
    // Its answer to the login.
    std::string logresp = "# logresp N0ME-5 verified, server STANDIN\r\n";
    // What it sends after the login.
    std::vector<std::string> stream{"W1LB>APRS,TCPIP*,qAC,STANDIN:!4140.00N/07240.00W-loopback"};
};


}  // namespace velmora::test
