#pragma once
// Wall-clock access for the core. Time stamps count seconds since
// 1904-01-01 00:00 local time, as every stored time in the program does.
#include <cstdint>

namespace velmora {

struct LocalDateTime {
    int16_t year = 1904;
    int16_t month = 1;    // 1..12
    int16_t day = 1;      // 1..31
    int16_t hour = 0;
    int16_t minute = 0;
    int16_t second = 0;
    int16_t weekday = 1;  // 1 = Sunday .. 7 = Saturday
};

using TimeStamp = uint32_t;

// Calendar fields with the weekday filled in.
LocalDateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second);

// Local calendar fields to seconds since 1904-01-01 (the weekday is ignored).
TimeStamp ToTimeStamp(const LocalDateTime& t);
// Seconds since 1904-01-01 back to calendar fields, weekday included.
LocalDateTime FromTimeStamp(TimeStamp stamp);

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
    // Seconds to add to UTC to get local time (negative west of Greenwich).
    virtual int32_t UtcOffsetSeconds() const = 0;

    virtual TimeStamp NowStamp() const { return ToTimeStamp(Now()); }
};

// The machine's own clock and time zone.
class SystemClock final : public Clock {
public:
    LocalDateTime Now() const override;
    int32_t UtcOffsetSeconds() const override;
};

// The program's clock: read from the machine once per event (a timer tick,
// a received line) so every part of one event sees the same time, and the
// machine's clock is not asked again for each field.
class CachedClock final : public Clock {
public:
    explicit CachedClock(const Clock& source) : source_(source) { Refresh(); }
    void Refresh() {
        now_ = source_.Now();
        stamp_ = ToTimeStamp(now_);
        offset_ = source_.UtcOffsetSeconds();
    }
    LocalDateTime Now() const override { return now_; }
    int32_t UtcOffsetSeconds() const override { return offset_; }
    TimeStamp NowStamp() const override { return stamp_; }

private:
    const Clock& source_;
    LocalDateTime now_;
    TimeStamp stamp_ = 0;
    int32_t offset_ = 0;
};

}  // namespace velmora
