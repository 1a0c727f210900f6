#include "ports/InternetLinks.h"

#include <algorithm>

namespace velmora {
namespace {

// 5, 10, 20 ... seconds, at most five minutes.
TimeStamp Backoff(int failures) {
    TimeStamp pause = 5;
    for (int i = 1; i < failures && pause < 300; ++i) pause *= 2;
    return std::min<TimeStamp>(pause, 300);
}

}  // namespace

void InternetLinks::SetHosts(HostLists lists) {
    CloseAll();
    links_.clear();
    for (HostEntry& h : lists.entries) {
        InternetLink link;
        link.host = std::move(h);
        links_.push_back(std::move(link));
    }
    proxy_ = lists.proxy;
    nextPublic_ = -1;
}

void InternetLinks::Status(const std::string& text) {
    if (onStatus) onStatus(text);
}

bool InternetLinks::AnyWanted() const {
    return std::any_of(links_.begin(), links_.end(), [](const InternetLink& l) { return l.wanted; });
}

bool InternetLinks::AnyConnected() const {
    return std::any_of(links_.begin(), links_.end(), [](const InternetLink& l) { return l.connected; });
}

void InternetLinks::Open(size_t i) {
    InternetLink& link = links_[i];
    const TimeStamp now = clock_.NowStamp();
    link.wanted = true;
    link.connected = link.verified = false;
    link.retryAt = 0;
    ++link.connectCount;
    link.lastOpen = now;
    if (link.firstConnect == 0) link.firstConnect = now;
    if (onTerminal) onTerminal("Opening TCP port - " + link.host.host + ":" + link.host.portText, 0);
    if (!network_) {
        Dropped(i, "no network");
        return;
    }
    const bool viaProxy = proxy_.inUse && !proxy_.host.empty();
    const std::string host = viaProxy ? proxy_.host : link.host.host;
    uint16_t port = link.host.port;
    if (viaProxy) port = static_cast<uint16_t>(std::clamp(std::atoi(proxy_.port.c_str()), 0, 65535));
    if (port == 0) port = 23;
    link.connection = network_->Open(host, port, kConnectTimeoutMs);
    link.connection->onConnected = [this, i] { Connected(i); };
    link.connection->onData = [this, i](std::string_view bytes) { Data(i, bytes); };
    link.connection->onClosed = [this, i](std::string_view reason) { Dropped(i, reason); };
    if (onChanged) onChanged();
}

void InternetLinks::Connected(size_t i) {
    InternetLink& link = links_[i];
    link.connected = true;
    link.failures = 0;
    link.lastReceive = clock_.NowStamp();
    Status("Connected to " + link.host.host + ":" + link.host.portText);
    if (proxy_.manual) {
        link.manualLogin = true;
        if (onManualLogin) onManualLogin();
    } else if (proxy_.inUse) {
        link.awaitingProxy = true;  // the request goes when the proxy has spoken
    } else {
        link.connection->Write("\r" + LoginLine(settings_.call, settings_.filter));
        if (onLoggedIn) onLoggedIn(i);
    }
    if (onChanged) onChanged();
}

void InternetLinks::Data(size_t i, std::string_view bytes) {
    InternetLink& link = links_[i];
    link.bytesReceived += static_cast<uint32_t>(bytes.size());
    link.lastReceive = clock_.NowStamp();
    if (link.awaitingProxy) {
        link.awaitingProxy = false;
        const std::string request = proxy_.winProxy ? link.host.host + ":" + link.host.portText + "\r\n"
                                                    : link.host.host + " " + link.host.portText + "\r\n";
        link.connection->Write(request);
        link.connection->Write("\r" + LoginLine(settings_.call, settings_.filter));
        if (onLoggedIn) onLoggedIn(i);
        return;  // the greeting is the proxy's, not the server's
    }
    if (link.manualLogin) {
        // The proxy's dialogue, for the operator's eyes only.
        if (onTerminal) onTerminal(bytes, 5);
        return;
    }
    link.lines.Feed(bytes, [&](std::string_view line) { Line(i, line); });
}

bool InternetLinks::ManualLoginActive() const {
    return std::any_of(links_.begin(), links_.end(), [](const InternetLink& l) { return l.manualLogin; });
}

void InternetLinks::TypeManual(std::string_view bytes) {
    for (InternetLink& link : links_)
        if (link.manualLogin && link.connection) link.connection->Write(bytes);
}

void InternetLinks::LoginAgain() {
    for (InternetLink& link : links_)
        if (link.connected && link.connection) link.connection->Write("\r" + LoginLine(settings_.call, settings_.filter));
}

void InternetLinks::FinishManualLogin() {
    for (size_t i = 0; i < links_.size(); ++i) {
        InternetLink& link = links_[i];
        if (!link.manualLogin || !link.connection) continue;
        link.manualLogin = false;
        if (proxy_.telnet) link.connection->Write("telnet " + link.host.host + " " + link.host.portText + "\r\n");
        link.connection->Write("\r" + LoginLine(settings_.call, settings_.filter));
        if (onLoggedIn) onLoggedIn(i);
    }
}

void InternetLinks::Line(size_t i, std::string_view line) {
    InternetLink& link = links_[i];
    ++link.linesReceived;
    if (!line.empty() && line.front() == '#') {
        // The server's own remarks: shown, never decoded.
        if (onTerminal) onTerminal(line, 5);
        LoginResponse r;
        if (ParseLoginResponse(line, r)) {
            link.verified = r.verified;
            Status("Logged in to " + (r.server.empty() ? link.host.host : r.server) + " as " + r.call +
                   (r.verified ? " (verified)" : " (unverified: check the call and passcode)"));
            if (onChanged) onChanged();
        }
        return;
    }
    if (settings_.ignoreIncoming) return;
    if (onTerminal) onTerminal(line, 5);
    if (line.front() == ':') {
        if (onStationLine) onStationLine(line);
    } else if (onLine) {
        onLine(line, link.verified);
    }
}

void InternetLinks::Dropped(size_t i, std::string_view reason) {
    InternetLink& link = links_[i];
    const bool wasUp = link.connected;
    link.connected = link.verified = link.awaitingProxy = link.manualLogin = false;
    Status(wasUp ? "Link to " + link.host.host + " closed " + std::string(reason)
                 : "TCP Open failed - " + link.host.host + ":" + link.host.portText + " " + std::string(reason));
    if (onTerminal && !wasUp) onTerminal("TCP Open failed", 0);
    if (link.wanted && settings_.autoReconnect) {
        ++link.failures;
        link.retryAt = clock_.NowStamp() + Backoff(link.failures);
    } else {
        link.wanted = false;
    }
    if (onChanged) onChanged();
}

void InternetLinks::Close(InternetLink& link) {
    if (link.connection) {
        link.connection->onClosed = nullptr;  // closing it ourselves is no failure
        link.connection->onData = nullptr;
        link.connection->onConnected = nullptr;
        link.connection.reset();
    }
    link.wanted = link.connected = link.verified = link.awaitingProxy = link.manualLogin = false;
    link.retryAt = 0;
}

void InternetLinks::Toggle(size_t i) {
    if (i >= links_.size()) return;
    if (links_[i].wanted) Close(links_[i]);
    else Open(i);
    if (onChanged) onChanged();
}

void InternetLinks::ConnectToNetwork() {
    size_t count = 0;
    while (count < links_.size() && links_[count].host.kind == 1) ++count;
    if (count == 0) return;
    if (nextPublic_ < 0) {
        const LocalDateTime t = clock_.Now();
        nextPublic_ = count < 2 ? 0 : int((t.year + t.month + t.day + t.hour + t.minute + t.second) % int(count));
    }
    if (size_t(nextPublic_) >= count) nextPublic_ = 0;
    const size_t i = size_t(nextPublic_);
    nextPublic_ = int((i + 1) % count);
    if (!links_[i].wanted) Open(i);
}

void InternetLinks::CloseAll() {
    for (InternetLink& link : links_) Close(link);
    if (onChanged) onChanged();
}

void InternetLinks::ChangeFilter(std::string_view filter) {
    std::string clean;
    for (const char c : filter)
        if (c != '\r' && c != '\n') clean.push_back(c);
    settings_.filter = clean;
    if (!clean.empty()) SendToLinks("#filter " + clean + "\r\n");
}

void InternetLinks::SendToLinks(std::string_view text) {
    for (InternetLink& link : links_)
        if (link.connected && link.connection && !link.awaitingProxy && !link.manualLogin) link.connection->Write(text);
}

void InternetLinks::Poll() {
    const TimeStamp now = clock_.NowStamp();
    for (size_t i = 0; i < links_.size(); ++i) {
        InternetLink& link = links_[i];
        if (!link.wanted) continue;
        const bool silent = link.connected && settings_.autoReconnect && now > link.lastReceive + kSilence &&
                            now > link.lastOpen + kSilence;
        const bool retry = !link.connected && link.retryAt != 0 && now >= link.retryAt;
        if (!silent && !retry) continue;
        if (silent) Status("No data from " + link.host.host + " for five minutes: connecting again");
        Close(link);
        // The public list goes on to its next server; any other host is
        // tried again.
        if (link.host.kind == 1) ConnectToNetwork();
        else Open(i);
    }
}

}  // namespace velmora
