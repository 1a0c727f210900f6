#include "gateway/TcpServer.h"

#include <cstdio>
#include <cstdlib>

namespace velmora {

TcpConnection::TcpConnection(TcpServer& server, std::unique_ptr<TcpSocket> s, uint16_t p)
    : port(p), socket(std::move(s)), server_(server) {
    createdAt = lastReceiveAt = lastSendAt = server.clock().NowStamp();
    if (socket) {
        peerName = socket->Peer().substr(0, kTextMax);
        socket->onData = [this](std::string_view bytes) {
            bytesReceived += static_cast<int32_t>(bytes.size());
            server_.totalReceived += static_cast<int64_t>(bytes.size());
            lastReceiveAt = server_.clock().NowStamp();
            OnData(bytes);
        };
        socket->onClosed = [this](std::string_view reason) {
            note = std::string(reason).substr(0, kTextMax);
            closeRequested = true;
        };
    }
}

TcpConnection::~TcpConnection() {
    if (socket) {
        socket->onData = nullptr;
        socket->onClosed = nullptr;
    }
}

void TcpConnection::Idle(int) {}

void TcpConnection::OnData(std::string_view bytes) {
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const bool end = (b < 32 && c != '\t');
        if (end) {
            // CR LF and LF CR are one line end.
            if ((c == '\n' && lastEnd_ == '\r') || (c == '\r' && lastEnd_ == '\n')) {
                lastEnd_ = 0;
                continue;
            }
            lastEnd_ = c;
            const std::string line = std::move(lineBuffer);
            lineBuffer.clear();
            OnLine(line);
            if (closeRequested) return;
            continue;
        }
        lastEnd_ = 0;
        if (lineBuffer.size() >= kLineMax) {
            const std::string line = std::move(lineBuffer);
            lineBuffer.clear();
            OnLine(line);
            if (closeRequested) return;
        }
        lineBuffer.push_back(c);
    }
}

uint16_t TcpConnection::Send(std::string_view bytes) {
    if (!socket || closeRequested) return 0xFFFF;
    if (socket->Pending() + bytes.size() > TcpServer::kMaxBacklog) {
        // A client that does not read is let go rather than remembered.
        closeRequested = true;
        note = "fell behind: disconnected";
        server_.notices().StatusText("TCP client " + peerName + " fell behind and was disconnected");
        return 0xFFFF;
    }
    if (!socket->Write(bytes)) {
        if (++sendFailures > 10) closeRequested = true;
        lastError = -1;
        return 0xFFFF;
    }
    sendFailures = 0;
    bytesSent += static_cast<int32_t>(bytes.size());
    server_.totalSent += static_cast<int64_t>(bytes.size());
    lastSendAt = server_.clock().NowStamp();
    return 0;
}

LoginWords ParseLoginLine(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size() && words.size() < 8) {
        while (i < line.size() && line[i] == ' ') ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    LoginWords w;
    if (words.size() >= 4) {
        w.callsign = std::string(words[1].substr(0, 15));
        w.passText = std::string(words[3].substr(0, 15));
        w.passNumber = static_cast<int32_t>(std::strtol(w.passText.c_str(), nullptr, 10));
    }
    if (words.size() >= 6) w.software = std::string(words[5]) + (words.size() >= 7 ? " " + std::string(words[6]) : "");
    return w;
}

void StreamClientConnection::OnLine(std::string_view line) {
    server_.hooks().terminal(std::string(line) + "\r\n");
    if (line.size() <= 10) return;
    if (loggedIn || linesReceived > 1) {
        std::string forwarded(line);
        bool pass = verified;
        if (!pass && loggedIn) {
            const size_t at = forwarded.find("TCPIP");
            if (at != std::string::npos) {
                forwarded[at + 3] = forwarded[at + 4] = 'X';  // not to go back to radio
                pass = true;
            }
        }
        if (pass) {
            if (forwarded[0] == ':') {
                server_.hooks().exchangeLine(forwarded);
            } else {
                server_.hooks().receivedLine(forwarded);
                server_.SendToClients(forwarded);
            }
        }
    } else if (line.substr(0, 4) == "user") {
        Login(line);
    }
    ++linesReceived;
}

void StreamClientConnection::Login(std::string_view line) {
    loggedIn = true;
    loginLine = std::string(line.substr(0, 127));
    const LoginWords w = ParseLoginLine(line);
    callsign = w.callsign;
    passText = w.passText;
    software = w.software.substr(0, 31);
    passNumber = w.passNumber;
    verified = !callsign.empty() && passNumber == server_.hooks().passcode(callsign);
    dumpActive = verified;
    dumpIndex = 0;
    char text[256];
    std::snprintf(text, sizeof text, "VELMORA>APZVM,TCPIP*::USERLIST :%s user %s logged on using %s{%03d",
                  verified ? "Verified" : "Unverified", callsign.c_str(), software.c_str(),
                  server_.userListNumber++);
    note = callsign + (verified ? " (verified)" : " (unverified)");
    server_.SendToClients(text);
    server_.hooks().changed();
}

void StreamClientConnection::Idle(int slot) {
    TcpConnection::Idle(slot);
    if (!dumpActive || closeRequested) return;
    const StationTable& t = server_.stations();
    if (dumpIndex >= t.UsedCount() || !t.At(dumpIndex).InUse() || !server_.hooks().exchangeLines) {
        dumpActive = false;
        return;
    }
    for (const std::string& l : server_.hooks().exchangeLines(t.At(dumpIndex))) Send(l);
    ++dumpIndex;
}

bool TcpServer::IsStreamPort(uint16_t port) const {
    if (port == kStreamPort || port == kFeedPort) return true;
    for (const Listener& l : listeners_)
        if (l.socket && l.port == port) return true;
    return false;
}

bool TcpServer::Listen(uint16_t port) {
    for (const Listener& l : listeners_)
        if (l.socket && l.port == port) return true;
    if (!network_) return false;
    std::string error;
    std::unique_ptr<TcpListener> socket = network_->Listen("0.0.0.0", port, &error);
    if (!socket) {
        const std::string hint = port < 1024 ? " (ports below 1024 need privileges; try 2023)" : "";
        notices_.StatusText("The APRS server cannot listen on port " + std::to_string(port) + ": " + error + hint);
        hooks_.changed();
        return false;
    }
    for (Listener& l : listeners_) {
        if (l.socket) continue;
        const uint16_t actual = socket->Port();
        socket->onAccept = [this, actual](std::unique_ptr<TcpSocket> s) { Accept(std::move(s), actual); };
        l.socket = std::move(socket);
        l.port = actual;
        notices_.StatusText("The APRS server listens on port " + std::to_string(actual));
        hooks_.changed();
        return true;
    }
    return false;
}

void TcpServer::Accept(std::unique_ptr<TcpSocket> socket, uint16_t port) {
    for (size_t i = 0; i < kSlots; ++i) {
        if (slots_[i]) continue;
        ++served;
        auto c = std::make_unique<StreamClientConnection>(*this, std::move(socket), port);
        c->slotIndex = static_cast<int16_t>(i);
        slots_[i] = std::move(c);
        hooks_.changed();
        return;
    }
    // Every slot is taken: the client is told and let go at once.
    ++refused;
    socket->Write("# server full\r\n");
    notices_.StatusText("TCP client " + socket->Peer() + " refused: all 32 connections in use");
}

void TcpServer::Idle() {
    bool changed = false;
    for (size_t i = 0; i < kSlots; ++i) {
        if (!slots_[i]) continue;
        if (slots_[i]->closeRequested) {
            slots_[i].reset();
            changed = true;
            continue;
        }
        slots_[i]->Idle(static_cast<int>(i));
    }
    if (changed) hooks_.changed();
}

void TcpServer::SendToClients(std::string_view line) {
    std::string text(line);
    text += "\r\n";
    for (const auto& c : slots_)
        if (c && IsStreamPort(c->port)) c->Send(text);
}

void TcpServer::Drop(size_t slot) {
    if (slot < kSlots && slots_[slot]) slots_[slot]->closeRequested = true;
}

size_t TcpServer::ActiveCount() const {
    size_t n = 0;
    for (const auto& c : slots_) n += c != nullptr;
    return n;
}

void TcpServer::CloseAll() {
    for (auto& c : slots_) c.reset();
    for (Listener& l : listeners_) l = Listener{};
}

}  // namespace velmora
