#pragma once
// The once-a-second tick. It compares the clock with what it last saw and
// runs exactly one branch per call, the first whose field changed, in the
// order day, hour, minute, second; a branch stores only its own field.
// So after midnight the day, hour and minute branches run on three
// successive ticks, and second 0 of a minute never reaches the second
// branch.
#include <cstdint>

#include "platform/Clock.h"

namespace velmora {

struct TickMemory {
    int16_t day = 0, hour = 0, minute = 0, second = 0, tensOfSeconds = 0;
    bool switchWindowOpen = false;  // HSP: TNC ports switched to the GPS
    int16_t switchState[2] = {0, 0};  // per TNC port, VHF first
    int16_t weatherPollCounter = 0;
};

enum class TickBranch : uint8_t { kNone, kDay, kHour, kMinute, kSecond, kTensOnly };

// The periodic work of the parts of the program; each does nothing until
// its part is connected.
class TickWork {
public:
    virtual ~TickWork() = default;
    virtual void DayChanged(const LocalDateTime&) {}
    virtual void HourChanged(const LocalDateTime&) {}
    virtual void MinuteChanged(const LocalDateTime&) {}
    virtual void MemorySample() {}
    // Connection attempts on the TNCs are refused, stuck prompts recovered.
    virtual void RefuseConnections() {}
    // HSP switching: 0 opens the switch window (ports to the GPS), 1 closes it.
    virtual bool HspEnabled() const { return false; }
    virtual void SetHspSwitch(int /*value*/) {}
    // "Pico ^E": one 0x05 byte to each TNC port with the option set.
    virtual void SendPicoControlE() {}
    // The replay feeder: up to this many lines this second.
    virtual void FeedReplay(int /*maxLines*/) {}
    virtual bool FastReplayHeld() const { return false; }  // Shift or Caps Lock
    virtual void EveryTick() {}
};

class PeriodicTick {
public:
    static constexpr int kReplayLinesPerSecond = 5;
    static constexpr int kFastReplayLinesPerSecond = 100;

    explicit PeriodicTick(TickWork& work) : work_(work) {}

    // Called once a second with the clock just read.
    TickBranch Tick(const LocalDateTime& now);
    const TickMemory& Memory() const { return memory_; }

private:
    void Second(const LocalDateTime& now);

    TickWork& work_;
    TickMemory memory_;
    int16_t switchOpenedMinute_ = -1;
};

}  // namespace velmora
