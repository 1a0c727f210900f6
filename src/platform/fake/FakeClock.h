#pragma once
// A clock the tests set by hand.
#include "platform/Clock.h"

namespace velmora {

class FakeClock final : public Clock {
public:
    FakeClock() { Set(2026, 12, 8, 12, 0, 0); }
    LocalDateTime Now() const override { return now_; }
    int32_t UtcOffsetSeconds() const override { return utcOffset_; }

    void Set(int year, int month, int day, int hour, int minute, int second) {
        LocalDateTime t;
        t.year = static_cast<int16_t>(year);
        t.month = static_cast<int16_t>(month);
        t.day = static_cast<int16_t>(day);
        t.hour = static_cast<int16_t>(hour);
        t.minute = static_cast<int16_t>(minute);
        t.second = static_cast<int16_t>(second);
        now_ = FromTimeStamp(ToTimeStamp(t));  // fills the weekday
    }
    void Advance(int seconds) { now_ = FromTimeStamp(ToTimeStamp(now_) + seconds); }
    void SetUtcOffset(int32_t seconds) { utcOffset_ = seconds; }

private:
    LocalDateTime now_;
    int32_t utcOffset_ = 0;
};

}  // namespace velmora
