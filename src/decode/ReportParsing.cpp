#include "decode/ReportDecoders.h"

#include "decode/PositionReports.h"

namespace velmora {

std::optional<int16_t> NumberAt(std::string_view text, size_t at, size_t width) {
    if (at >= text.size()) return std::nullopt;
    std::string_view f = text.substr(at, width);
    size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '-' || f[i] == '+')) negative = f[i++] == '-';
    if (i >= f.size() || f[i] < '0' || f[i] > '9') return std::nullopt;
    int32_t v = 0;
    for (; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++i) {
        v = v * 10 + (f[i] - '0');
        if (v > 32767) v = 32767;  // clamp, never wrap
    }
    return static_cast<int16_t>(negative ? -v : v);
}

std::optional<TimeStamp> DhmReportTime(std::string_view d, char zone, const Clock& clock) {
    if (d.size() < 6) return std::nullopt;
    for (size_t i = 0; i < 6; ++i) {
        if (d[i] < '0' || d[i] > '9') return std::nullopt;
    }
    const int day = (d[0] - '0') * 10 + (d[1] - '0');
    const int hour = (d[2] - '0') * 10 + (d[3] - '0');
    const int minute = (d[4] - '0') * 10 + (d[5] - '0');
    if (zone == 'h') return HmsReportTime(day, hour, minute, clock);
    if (day < 1 || day > 31 || hour > 23 || minute > 59) return std::nullopt;
    const int64_t offset = zone == 'z' || zone == 'Z' ? clock.UtcOffsetSeconds() : 0;
    // The calendar of the sender's zone: UTC for "z", local otherwise.
    const LocalDateTime today = FromTimeStamp(static_cast<TimeStamp>(static_cast<int64_t>(clock.NowStamp()) - offset));
    int year = today.year, month = today.month;
    if (day > today.day) {
        if (--month < 1) {
            month = 12;
            --year;
        }
    }
    // A day the month does not have (the 31st of a 30-day month) rolls over
    // in the conversion; it stays a valid stamp.
    const int64_t stamp = static_cast<int64_t>(ToTimeStamp(MakeDateTime(year, month, day, hour, minute, 0))) + offset;
    return stamp < 0 ? 0 : static_cast<TimeStamp>(stamp);
}

}  // namespace velmora
