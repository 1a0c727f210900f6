#include "gateway/TcpServer.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace velmora {

std::string PeerAddress(std::string_view peer) {
    const size_t colon = peer.rfind(':');
    std::string_view host = colon == std::string_view::npos ? peer : peer.substr(0, colon);
    if (host.substr(0, 7) == "::ffff:") host.remove_prefix(7);  // IPv4 on a dual-stack socket
    return std::string(host);
}

TcpConnection::TcpConnection(TcpServer& server, std::unique_ptr<TcpSocket> s, uint16_t p)
    : port(p), socket(std::move(s)), server_(server) {
    createdAt = lastReceiveAt = lastSendAt = server.clock().NowStamp();
    if (socket) {
        peerName = PeerAddress(socket->Peer()).substr(0, kTextMax);
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
    lines_.Feed(bytes, [this](std::string_view line) {
        if (!closeRequested) OnLine(PacketText(line));
    });
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

bool StreamClientConnection::ReadsExchange() const {
    return verified && (software.rfind("Velmora", 0) == 0 || software.rfind("VELMORA", 0) == 0);
}

void StreamClientConnection::OnLine(std::string_view line) {
    server_.hooks().terminal(std::string(line) + "\r\n");
    if (line.size() <= 10) return;
    ++linesReceived;
    if (!loggedIn) {
        // The login is the first or second line; a client that never
        // logged in has nothing forwarded.
        if (linesReceived <= 2 && line.substr(0, 4) == "user") Login(line);
        return;
    }
    if (line[0] == '#') return;  // a client's remark or keep-alive
    if (line[0] == ':') {
        if (verified) server_.hooks().exchangeLine(line);
        return;
    }
    const std::optional<std::string> packet = ClientPacket(line, Identity(), server_.Settings().name);
    if (!packet) return;
    server_.hooks().receivedLine(*packet, Identity());
    server_.SendToClients(*packet, this);
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
    dumpActive = ReadsExchange();
    dumpIndex = 0;
    Send("# logresp " + (callsign.empty() ? std::string("N0CALL") : callsign) +
         (verified ? " verified" : " unverified") + ", server " + server_.Settings().name + "\r\n");
    char text[256];
    std::snprintf(text, sizeof text, "VELMORA>APZVM,TCPIP*::USERLIST :%s user %s logged on using %s{%03d",
                  verified ? "Verified" : "Unverified", callsign.c_str(), software.c_str(),
                  server_.userListNumber++);
    note = callsign + (verified ? " (verified)" : " (unverified)");
    server_.SendToVelmoraClients(text);
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
    const char* address = settings_.allInterfaces ? "0.0.0.0" : "127.0.0.1";
    std::unique_ptr<TcpListener> socket = network_->Listen(address, port, &error);
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
        notices_.StatusText("The APRS server listens on port " + std::to_string(actual) +
                            (settings_.allInterfaces ? " (all interfaces)" : " (this machine only)"));
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
        c->Send("# Velmora 2.2.8\r\n");
        slots_[i] = std::move(c);
        hooks_.changed();
        return;
    }
    // Every slot is taken: the client is told, and let go once it has it.
    ++refused;
    socket->onData = nullptr;
    socket->Write("# server full\r\n");
    notices_.StatusText("TCP client " + PeerAddress(socket->Peer()) + " refused: all 32 connections in use");
    closing_.emplace_back(clock_.NowStamp(), std::move(socket));
}

void TcpServer::Retire(std::unique_ptr<TcpConnection>& slot) {
    if (slot->socket) {
        slot->socket->onData = nullptr;
        slot->socket->onClosed = nullptr;
        closing_.emplace_back(clock_.NowStamp(), std::move(slot->socket));
    }
    slot.reset();
}

// Closing sockets go once their bytes have left, or after ten seconds.
void TcpServer::Sweep() {
    const TimeStamp now = clock_.NowStamp();
    std::erase_if(closing_, [now](const auto& c) { return c.second->Pending() == 0 || now - c.first > 10; });
}

void TcpServer::Idle() {
    bool changed = false;
    const TimeStamp now = clock_.NowStamp();
    const TimeStamp idleLimit = static_cast<TimeStamp>(settings_.idleMinutes) * 60;
    for (size_t i = 0; i < kSlots; ++i) {
        if (!slots_[i]) continue;
        TcpConnection& c = *slots_[i];
        if (!c.closeRequested && idleLimit > 0 && now - c.lastReceiveAt > idleLimit) {
            c.Send("# idle timeout\r\n");
            c.note = "idle: disconnected";
            c.closeRequested = true;
            notices_.StatusText("TCP client " + c.peerName + " said nothing for " +
                                std::to_string(settings_.idleMinutes) + " minutes and was disconnected");
        }
        if (c.closeRequested) {
            Retire(slots_[i]);
            changed = true;
            continue;
        }
        c.Idle(static_cast<int>(i));
    }
    Sweep();
    if (changed) hooks_.changed();
}

void TcpServer::SendToClients(std::string_view line, const TcpConnection* except) {
    std::string text(line);
    text += "\r\n";
    for (const auto& c : slots_)
        if (c && c.get() != except && IsStreamPort(c->port)) c->Send(text);
}

void TcpServer::SendToVelmoraClients(std::string_view line) {
    std::string text(line);
    text += "\r\n";
    for (const auto& c : slots_) {
        const auto* client = dynamic_cast<const StreamClientConnection*>(c.get());
        if (client && client->ReadsExchange()) c->Send(text);
    }
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
    closing_.clear();
    for (Listener& l : listeners_) l = Listener{};
}

}  // namespace velmora
