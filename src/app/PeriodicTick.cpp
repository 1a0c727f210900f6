#include "app/PeriodicTick.h"

namespace velmora {

TickBranch PeriodicTick::Tick(const LocalDateTime& now) {
    TickBranch ran = TickBranch::kNone;
    if (now.day != memory_.day) {
        memory_.day = now.day;
        work_.DayChanged(now);
        ran = TickBranch::kDay;
    } else if (now.hour != memory_.hour) {
        memory_.hour = now.hour;
        work_.HourChanged(now);
        ran = TickBranch::kHour;
    } else if (now.minute != memory_.minute) {
        memory_.minute = now.minute;
        // The minute's transmissions are made: give the ports back to the TNC.
        work_.MinuteChanged(now);
        if (memory_.switchWindowOpen) {
            memory_.switchWindowOpen = false;
            work_.SetHspSwitch(1);
        }
        ran = TickBranch::kMinute;
    } else if (now.second != memory_.second) {
        memory_.second = now.second;
        Second(now);
        ran = TickBranch::kSecond;
    } else if (now.second / 10 != memory_.tensOfSeconds) {
        memory_.tensOfSeconds = static_cast<int16_t>(now.second / 10);
        ran = TickBranch::kTensOnly;
    }
    work_.EveryTick();
    return ran;
}

void PeriodicTick::Second(const LocalDateTime& now) {
    if (now.second % 15 == 0) work_.MemorySample();
    work_.RefuseConnections();
    // HSP: from second 56 the TNC ports are switched to the GPS once a minute.
    if (now.second > 55 && work_.HspEnabled() && !memory_.switchWindowOpen && switchOpenedMinute_ != now.minute) {
        memory_.switchWindowOpen = true;
        switchOpenedMinute_ = now.minute;
        work_.SetHspSwitch(0);
    }
    // A late timer that skips second 58 sends nothing that minute.
    if (now.second == 58) work_.SendPicoControlE();
    work_.FeedReplay(work_.FastReplayHeld() ? kFastReplayLinesPerSecond : kReplayLinesPerSecond);
}

}  // namespace velmora
