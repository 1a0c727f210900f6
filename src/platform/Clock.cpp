#include "platform/Clock.h"

#include <ctime>

namespace velmora {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y = yoe + era * 400 + (m <= 2);
}

const int64_t kEpoch1904 = DaysFromCivil(1904, 1, 1);

}  // namespace

TimeStamp ToTimeStamp(const LocalDateTime& t) {
    const int64_t days = DaysFromCivil(t.year, t.month, t.day) - kEpoch1904;
    const int64_t secs = days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
    return static_cast<TimeStamp>(secs);
}

LocalDateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    LocalDateTime t;
    t.year = static_cast<int16_t>(year);
    t.month = static_cast<int16_t>(month);
    t.day = static_cast<int16_t>(day);
    t.hour = static_cast<int16_t>(hour);
    t.minute = static_cast<int16_t>(minute);
    t.second = static_cast<int16_t>(second);
    return FromTimeStamp(ToTimeStamp(t));
}

LocalDateTime FromTimeStamp(TimeStamp stamp) {
    const int64_t days = stamp / 86400;
    const int64_t rest = stamp % 86400;
    int64_t y, m, d;
    CivilFromDays(days + kEpoch1904, y, m, d);
    LocalDateTime t;
    t.year = static_cast<int16_t>(y);
    t.month = static_cast<int16_t>(m);
    t.day = static_cast<int16_t>(d);
    t.hour = static_cast<int16_t>(rest / 3600);
    t.minute = static_cast<int16_t>(rest / 60 % 60);
    t.second = static_cast<int16_t>(rest % 60);
    // 1904-01-01 was a Friday (weekday 6).
    t.weekday = static_cast<int16_t>((days + 5) % 7 + 1);
    return t;
}

LocalDateTime SystemClock::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    LocalDateTime t;
    t.year = static_cast<int16_t>(local.tm_year + 1900);
    t.month = static_cast<int16_t>(local.tm_mon + 1);
    t.day = static_cast<int16_t>(local.tm_mday);
    t.hour = static_cast<int16_t>(local.tm_hour);
    t.minute = static_cast<int16_t>(local.tm_min);
    t.second = static_cast<int16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
    t.weekday = static_cast<int16_t>(local.tm_wday + 1);
    return t;
}

int32_t SystemClock::UtcOffsetSeconds() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<int32_t>(local.tm_gmtoff);
}

}  // namespace velmora
