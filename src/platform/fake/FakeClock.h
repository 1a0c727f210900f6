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
        now_ = MakeDateTime(year, month, day, hour, minute, second);
    }
    void Advance(int seconds) { now_ = FromTimeStamp(ToTimeStamp(now_) + seconds); }
    void SetUtcOffset(int32_t seconds) { utcOffset_ = seconds; }

private:
    LocalDateTime now_;
    int32_t utcOffset_ = 0;
};

}  // namespace velmora
