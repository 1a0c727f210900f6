#pragma once
// The IGate: radio heard goes up to the internet servers; messages from the
// internet to stations local on VHF, and all traffic of stations flagged
// IGATE, come down as third-party packets, within today's limits (no
// repeats within 30 seconds, a few packets a minute, never on a
// receive-only station).
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>

#include "gateway/IgateRules.h"
#include "stations/StationContext.h"

namespace velmora {

class Messaging;

struct IgateSettings {
    std::string ownCall = "N0CALL";
    bool toRf = false;       // "Enable outgoing 3rd party messages"
    bool toInternet = false; // "Feed (echo) local data to TCP/IP"
    int perMinute = 6;       // packets to radio at most in any minute
    int perFiveMinutes = 10; // and in any five minutes
};

class IgateLinks {
public:
    virtual ~IgateLinks() = default;
    virtual bool InternetOpen() const = 0;
    virtual bool VhfOpen() const = 0;
    // The port arrangement says receive only: nothing is ever transmitted.
    virtual bool ReceiveOnly() const = 0;
    // A line for the servers, without its line end.
    virtual void SendToInternet(std::string_view line) = 0;
    // A packet through the transmit router on a port code ('V', 'T', ...).
    virtual void Transmit(char port, std::string_view text) = 0;
};

enum class RelayRefusal : uint8_t { kNone, kOff, kReceiveOnly, kVhfClosed, kLineBreak, kRepeat, kRate };

class Igate {
public:
    static constexpr uint32_t kPositionSeconds = 600;
    static constexpr uint32_t kRepeatSeconds = 30;

    Igate(StationContext& stations, IgateLinks& links) : st_(stations), links_(links) {}
    void Configure(const IgateSettings& s) { settings_ = s; }
    const IgateSettings& Settings() const { return settings_; }

    // A line heard on a radio port (after decoding): up to the servers when
    // the feed is on and the rules let it.
    void HeardOnRadio(std::string_view line);
    // A message heard from the internet (field after its ":"); true when it
    // went to radio.
    bool GateMessageToRf(std::string_view from, std::string_view path, std::string_view field);
    // A third-party packet for the VHF port, through the limits.
    RelayRefusal RelayToRf(std::string_view relayLine);
    // "<IGATE MSG_CNT=n": not forced, at most every 30 minutes; forced (a
    // query), at most every minute.
    void SendReport(char port, bool forced);
    // The answer to "?APRSL": our local stations, eight to a message.
    void AnswerList(std::string_view to, Messaging& messaging);

    int32_t MessageCount() const { return messageCount_; }
    int64_t Gated() const { return gated_; }
    int64_t Refused(RelayRefusal r) const { return refused_[static_cast<size_t>(r)]; }
    int64_t FedToInternet() const { return fed_; }

private:
    bool Open() const { return settings_.toRf && links_.InternetOpen() && links_.VhfOpen(); }
    uint32_t Now() const { return st_.clock.NowStamp(); }

    StationContext& st_;
    IgateLinks& links_;
    IgateSettings settings_;
    int32_t messageCount_ = 0;
    uint32_t lastReport_ = 0;
    std::deque<std::pair<uint32_t, std::string>> recent_;  // relayed lines of the last 30 s
    std::deque<uint32_t> sentTimes_;                      // relays of the last five minutes
    int64_t gated_ = 0, fed_ = 0;
    int64_t refused_[7] = {};
};

}  // namespace velmora
