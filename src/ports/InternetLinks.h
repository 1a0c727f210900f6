#pragma once
// The links to APRS internet servers: one per host entry, any number open
// at once. Opening never waits; a link logs in when it is up, its stream is
// cut into lines for the decoder, own packets go to every link, and a link
// that falls silent or drops is opened again with a growing pause (the
// public list rotating to its next server).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Network.h"
#include "ports/InternetHosts.h"

namespace velmora {

struct InternetSettings {
    std::string call = "N0CALL";
    std::string filter;           // the server-side filter of the login line
    bool autoReconnect = true;
    bool ignoreIncoming = false;  // feed only
};

// One host entry's link.
struct InternetLink {
    HostEntry host;
    bool wanted = false;
    bool connected = false;
    bool verified = false;
    std::unique_ptr<TcpSocket> connection;
    ServerLines lines;
    uint32_t linesReceived = 0, bytesReceived = 0, connectCount = 0;
    TimeStamp firstConnect = 0, lastOpen = 0, lastReceive = 0;
    TimeStamp retryAt = 0;   // a dropped link opens again from then
    int failures = 0;        // in a row: the pause before the next try grows
    bool awaitingProxy = false;  // the proxy greets before the connect request
    bool manualLogin = false;    // the operator is logging in by hand through the terminal
};

class InternetLinks {
public:
    InternetLinks(Network* network, const Clock& clock) : network_(network), clock_(clock) {}

    void SetSettings(InternetSettings s) { settings_ = std::move(s); }
    const InternetSettings& Settings() const { return settings_; }
    // The host entries (the public list first); closes every link.
    void SetHosts(HostLists lists);
    const std::vector<InternetLink>& Links() const { return links_; }
    const ProxySettings& Proxy() const { return proxy_; }

    // Opens a closed link or closes an open one.
    void Toggle(size_t index);
    // The next server of the public list.
    void ConnectToNetwork();
    void CloseAll();
    // Whether any link is wanted: the internet "port" counts as open.
    bool AnyWanted() const;
    bool AnyConnected() const;
    // A new server-side filter: every connected link is told at once
    // ("#filter ..."), and later logins carry it.
    void ChangeFilter(std::string_view filter);
    // A MANUAL proxy: what the operator types goes to the links being
    // logged in by hand; closing the terminal ends that (with "telnet host
    // port" first for the TELNET style), then the login follows.
    bool ManualLoginActive() const;
    void TypeManual(std::string_view bytes);
    void FinishManualLogin();
    // The login line again to every connected link (F8 with Caps Lock).
    void LoginAgain();
    // The text, as it is, to every connected link.
    void SendToLinks(std::string_view text);
    // Five times a second: silent links, and the pauses of dropped ones.
    void Poll();

    // What the links hand on.
    // A packet for the decoder; verified: the server said our login was
    // verified (only then may what it sends reach the radio).
    std::function<void(std::string_view line, bool verified)> onLine;
    std::function<void(std::string_view line)> onStationLine;   // a ":" line (station exchange)
    std::function<void(std::string_view text, int colour)> onTerminal;
    std::function<void(std::string_view text)> onStatus;
    std::function<void(size_t index)> onLoggedIn;              // the own position follows
    std::function<void()> onChanged;                           // menu checks and the link display
    std::function<void()> onManualLogin;                       // open the "Telnet" terminal

    static constexpr int kConnectTimeoutMs = 15000;
    static constexpr TimeStamp kSilence = 300;  // seconds without a line before a link is dropped

private:
    void Open(size_t index);
    void Close(InternetLink& link);
    void Connected(size_t index);
    void Data(size_t index, std::string_view bytes);
    void Dropped(size_t index, std::string_view reason);
    void Line(size_t index, std::string_view line);
    void Status(const std::string& text);

    Network* network_;
    const Clock& clock_;
    InternetSettings settings_;
    std::vector<InternetLink> links_;
    ProxySettings proxy_;
    int nextPublic_ = -1;
};

}  // namespace velmora
