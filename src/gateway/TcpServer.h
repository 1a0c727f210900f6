#pragma once
// A small APRS server for other programs, speaking the APRS-IS server
// protocol: a "# " greeting, "# logresp" after the login, q constructs on
// what clients send. Up to 32 clients receive what the station hears and
// sends; a client that logs in may send packets in (never echoed back to
// it). Another Velmora that logs in with its passcode also gets the whole
// station table as station-exchange lines, which other programs would take
// for junk. Nothing here waits: data arrives through the socket seam, a
// client that stops reading is dropped once it is too far behind, and one
// that says nothing for the idle time is let go.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Network.h"
#include "gateway/QConstruct.h"
#include "platform/Notices.h"
#include "stations/ByteLines.h"
#include "stations/StationTable.h"

namespace velmora {

class TcpServer;

// One connection: counters, time stamps and its line assembly.
class TcpConnection {
public:
    static constexpr size_t kLineMax = 512;
    static constexpr size_t kTextMax = 64;

    TcpConnection(TcpServer& server, std::unique_ptr<TcpSocket> socket, uint16_t port);
    virtual ~TcpConnection();
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    // The server's 200 ms pass over this connection.
    virtual void Idle(int slot);
    virtual void OnLine(std::string_view /*line*/) {}
    // Bytes as they arrived: lines end at CR or LF; a line of more than 512
    // bytes is dropped whole.
    void OnData(std::string_view bytes);
    // 0, or 0xFFFF when the bytes could not be sent.
    uint16_t Send(std::string_view bytes);

    bool closeRequested = false;
    int32_t bytesSent = 0, bytesReceived = 0;
    std::string peerName, note;
    TimeStamp createdAt = 0, lastReceiveAt = 0, lastSendAt = 0;
    uint16_t port = 0;
    std::unique_ptr<TcpSocket> socket;
    int32_t sendFailures = 0;
    int32_t lastError = 0;
    int16_t slotIndex = -1;

protected:
    TcpServer& server_;

private:
    ByteLines lines_{kLineMax};
};

// A client of the APRS stream: its login, what it may send, its dump.
class StreamClientConnection final : public TcpConnection {
public:
    using TcpConnection::TcpConnection;
    void Idle(int slot) override;
    void OnLine(std::string_view line) override;

    bool loggedIn = false, verified = false;
    std::string loginLine, callsign, passText, software;
    int32_t passNumber = 0;
    int32_t linesReceived = 0;
    bool dumpActive = false;
    int32_t dumpIndex = 0;
    // Another Velmora: it reads the station-exchange lines and USERLIST.
    bool ReadsExchange() const;
    ClientLogin Identity() const { return {callsign, verified}; }

private:
    void Login(std::string_view line);
};

// What the server asks of the program.
struct ServerHooks {
    // A client's packet (its q construct added), decoded as internet
    // traffic; the login says whether it may go on to radio.
    std::function<void(std::string_view line, const ClientLogin& from)> receivedLine =
        [](std::string_view, const ClientLogin&) {};
    // A client's station-exchange line.
    std::function<void(std::string_view line)> exchangeLine = [](std::string_view) {};
    // The login's passcode check.
    std::function<int(std::string_view call)> passcode = [](std::string_view) { return -1; };
    // Client lines for the terminal window.
    std::function<void(std::string_view text)> terminal = [](std::string_view) {};
    // The station-exchange lines of one record.
    std::function<std::vector<std::string>(const StationRecord&)> exchangeLines;
    // The status window changed.
    std::function<void()> changed = [] {};
};

struct ServerSettings {
    std::string name = "N0CALL";  // the server's call, in "# logresp" and q constructs
    bool allInterfaces = false;   // else only this machine may connect
    int idleMinutes = 30;         // a client silent this long is let go; 0 never
};

class TcpServer {
public:
    static constexpr size_t kListeners = 4;
    static constexpr size_t kSlots = 32;
    static constexpr uint16_t kStreamPort = 23, kFeedPort = 14439;
    // What a client may fall behind before it is let go.
    static constexpr size_t kMaxBacklog = 512 * 1024;

    TcpServer(Network* network, const Clock& clock, NoticeSink& notices, const StationTable& stations, ServerHooks hooks)
        : network_(network), clock_(clock), notices_(notices), stations_(stations), hooks_(std::move(hooks)) {}

    void Configure(ServerSettings s) { settings_ = std::move(s); }
    const ServerSettings& Settings() const { return settings_; }
    // Listens on a port (127.0.0.1, or every address when the settings say
    // so); false, with the reason on the status line, when it cannot.
    bool Listen(uint16_t port);
    void CloseAll();
    // The 200 ms pass: closed connections go, dumps go on.
    void Idle();
    // A line (CR LF added) to every stream client but the one it came from.
    void SendToClients(std::string_view line, const TcpConnection* except = nullptr);
    // A line only for the clients that are other Velmoras (USERLIST).
    void SendToVelmoraClients(std::string_view line);

    struct Listener {
        std::unique_ptr<TcpListener> socket;
        uint16_t port = 0;
    };
    const std::array<Listener, kListeners>& Listeners() const { return listeners_; }
    const std::array<std::unique_ptr<TcpConnection>, kSlots>& Connections() const { return slots_; }
    size_t ActiveCount() const;
    bool Listening() const {
        for (const Listener& l : listeners_)
            if (l.socket) return true;
        return false;
    }
    int64_t served = 0, totalSent = 0, totalReceived = 0, refused = 0;
    int userListNumber = 1;

    // For the connections.
    const Clock& clock() const { return clock_; }
    NoticeSink& notices() { return notices_; }
    const StationTable& stations() const { return stations_; }
    ServerHooks& hooks() { return hooks_; }
    bool IsStreamPort(uint16_t port) const;
    // Asks a connection to close at the next pass (the status window's "-").
    void Drop(size_t slot);

private:
    void Accept(std::unique_ptr<TcpSocket> socket, uint16_t port);
    void Retire(std::unique_ptr<TcpConnection>& slot);
    void Sweep();

    Network* network_;
    const Clock& clock_;
    NoticeSink& notices_;
    const StationTable& stations_;
    ServerHooks hooks_;
    ServerSettings settings_;
    std::array<Listener, kListeners> listeners_;
    // Connections being closed: they go once what was written has left.
    std::vector<std::pair<TimeStamp, std::unique_ptr<TcpSocket>>> closing_;
    std::array<std::unique_ptr<TcpConnection>, kSlots> slots_;
};

// "user CALL pass NNNN vers SOFT VER": the words of a login line.
struct LoginWords {
    std::string callsign, passText, software;
    int32_t passNumber = 0;
};
LoginWords ParseLoginLine(std::string_view line);
// "127.0.0.1:37080" as "127.0.0.1": the far end's address without its port.
std::string PeerAddress(std::string_view peer);

}  // namespace velmora
