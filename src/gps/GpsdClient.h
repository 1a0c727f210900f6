#pragma once
// Fixes from gpsd, the daemon that shares a receiver among programs: its
// JSON protocol on a TCP port (localhost:2947 by default). Each TPV report
// becomes a GpsFix for the same path NMEA takes. A gpsd that is absent or
// restarts is reported once and tried again after a growing pause.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gps/Nmea.h"
#include "platform/Clock.h"
#include "platform/Network.h"
#include "platform/Notices.h"

namespace velmora {

// A gpsd TPV report as a fix; empty for any other report or a TPV without
// a fix (mode below 2).
std::optional<GpsFix> GpsdReportToFix(std::string_view json);

// The value of a top-level key of a one-line JSON object: a number or a
// string's text; empty when absent.
std::optional<std::string> JsonField(std::string_view json, std::string_view key);

class GpsdClient {
public:
    static constexpr uint32_t kLongestPause = 60;

    GpsdClient(Network* network, const Clock& clock, NoticeSink& notices)
        : network_(network), clock_(clock), notices_(notices) {}
    void Start(std::string host, uint16_t port);
    void Stop();
    // Every 200 ms: tries again when the pause is over.
    void Poll();
    bool Connected() const { return connected_; }
    bool Running() const { return running_; }
    std::string Where() const { return host_ + ":" + std::to_string(port_); }

    std::function<void(const GpsFix&)> onFix = [](const GpsFix&) {};

private:
    void Open();
    void Lost(std::string_view reason);
    void Data(std::string_view bytes);

    Network* network_;
    const Clock& clock_;
    NoticeSink& notices_;
    std::string host_;
    uint16_t port_ = 2947;
    std::unique_ptr<TcpSocket> socket_;
    std::string pending_;
    bool running_ = false, connected_ = false, reported_ = false;
    uint32_t pause_ = 2;
    TimeStamp retryAt_ = 0;
};

}  // namespace velmora
