#pragma once
// What the core tells the operator: status-line texts, event sounds and beeps.
#include <string_view>

namespace velmora {

// Event numbers shared across the program.
enum EventSound : int {
    kSoundStationMoved = 1000,
    kSoundTncConnected = 1001,
    kSoundNewStation = 1002,
    kSoundNewMessage = 3000,
    kSoundNewBulletin = 3001,
    kSoundSelectiveQuery = 6000,
    kSoundWarningRadius = 6005,
    kSoundDangerRadius = 6006,
    kSoundHighWind = 8000,
    kSoundBandOpening = 8001,
    kSoundWeatherBulletin = 8003,
};

class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    virtual void StatusText(std::string_view text) = 0;
    // An event with its caption (usually naming the station it is about).
    virtual void PlayEventSound(int event, std::string_view caption) = 0;
    virtual void Beep() = 0;
    // The operator's sound switch ("Enable Sound"); sinks without sound
    // ignore it.
    virtual void EnableSound(bool /*on*/) {}
};

// Drops everything; for tools that have no operator to tell.
class SilentNotices final : public NoticeSink {
public:
    void StatusText(std::string_view) override {}
    void PlayEventSound(int, std::string_view) override {}
    void Beep() override {}
};

}  // namespace velmora
