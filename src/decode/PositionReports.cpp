#include "decode/PositionReports.h"

#include "decode/PositionText.h"
#include "decode/ReportDecoders.h"

namespace velmora {
namespace {

char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool Digits(std::string_view s, size_t from, size_t count) {
    for (size_t i = from; i < from + count; ++i) {
        if (!IsDigit(At(s, i))) return false;
    }
    return true;
}
int Number(std::string_view s, size_t from, size_t count) {
    int n = 0;
    for (size_t i = from; i < from + count; ++i) n = n * 10 + (s[i] - '0');
    return n;
}

// The 13-character compressed form of current trackers; see
// DecodeStandardCompressed. The comment that follows keeps its extensions.
bool TryStandardCompressed(std::string_view text, DecodedReport& r) {
    if (!FillStandardCompressed(text, r)) return false;
    r.comment = text.substr(13);
    r.compressedComment = 1;
    return true;
}

bool TryShortCompressed(std::string_view text, DecodedReport& r) {
    // Anything shorter than the 13 characters of a compressed position is a
    // packet cut short, not a position.
    if (text.size() < 13) return false;
    const auto c = DecodeShortCompressed(text.substr(1));
    if (!c) return false;
    r.symbolTable = text[0];
    r.symbolCode = At(text, 7);
    r.lon = c->lon;
    r.lat = c->lat;
    r.positionValid = 1;
    return true;
}

void ReadCourseSpeed(DecodedReport& r) {
    const std::string_view c = r.comment.View();
    if (c.size() > 6 && c[3] == '/' && Digits(c, 0, 3) && Digits(c, 4, 3)) {
        r.course = static_cast<int16_t>(Number(c, 0, 3));
        r.speedKnots = static_cast<int16_t>(Number(c, 4, 3));
        r.courseSpeedSet = 1;
    }
}

void ReadTimeStamp(std::string_view info, char type, const Clock& clock, DecodedReport& r) {
    if (!Digits(info, 1, 6)) return;
    const int a = Number(info, 1, 2), b = Number(info, 3, 2), c = Number(info, 5, 2);
    if (type == 'h') {
        if (a > 23 || b > 59 || c > 59) return;
        r.reportTime = HmsReportTime(a, b, c, clock);
        const LocalDateTime t = FromTimeStamp(r.reportTime);
        const int16_t parts[7] = {t.year, t.month, t.day, t.hour, t.minute, t.second, t.weekday};
        for (int i = 0; i < 7; ++i) r.timeParts[i] = parts[i];
        r.timeSet = 1;
        return;
    }
    // Day, hour, minute.
    if (b > 23 || c > 59) return;
    r.minuteOfDay = static_cast<uint32_t>(b * 60 + c);
}

}  // namespace

TimeStamp HmsReportTime(int hour, int minute, int second, const Clock& clock) {
    const int64_t offset = clock.UtcOffsetSeconds();
    const int64_t nowUtc = static_cast<int64_t>(clock.NowStamp()) - offset;
    const int64_t dayStart = nowUtc - nowUtc % 86400;
    int64_t stamp = dayStart + hour * 3600 + minute * 60 + second;
    if (stamp > nowUtc + 3600) stamp -= 86400;
    const int64_t local = stamp + offset;
    return local < 0 ? 0 : static_cast<TimeStamp>(local);
}

void DecodePlainPosition(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    DecodedReport& r = call.report;
    if (At(info, 1) == '!') {
        ctx.Count(call.kind, kStatRawWeather);
        DecodeRawWeather(ctx, call);
        return;
    }
    if (ValidPositionTriple(At(info, 8), At(info, 9), At(info, 18))) {
        ctx.Count(call.kind, kStatPlainPosition);
        SplitTextPosition(info, 0, r);
        r.textPosition = 1;
        r.reportType = '!';
        return;
    }
    if (ValidPositionTriple(At(info, 15), At(info, 16), At(info, 25))) {
        // A seven-character prefix that is not interpreted.
        SplitTextPosition(info.substr(7), 0, r);
        r.textPosition = 1;
        r.reportType = '!';
        return;
    }
    if (TryStandardCompressed(info.substr(1), r)) {
        ctx.Count(call.kind, kStatPlainPosition);
        r.reportType = '!';
        return;
    }
    if (At(info, 1) == '/') {
        ctx.Count(call.kind, kStatPlainPosition);
        if (TryShortCompressed(info.substr(1), r)) return;
    }
    ++ctx.st.table.At(call.index).badPlainCount;
}

void DecodeMessagingPosition(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    DecodedReport& r = call.report;
    ctx.Count(call.kind, kStatPlainPosition);
    if (ValidPositionTriple(At(info, 8), At(info, 9), At(info, 18))) {
        SplitTextPosition(info, 0, r);
        r.textPosition = 1;
        r.reportType = '=';
        // Course and speed stay 0: a "=" report clears them.
        r.courseSpeedSet = 1;
        return;
    }
    if (TryStandardCompressed(info.substr(1), r)) r.reportType = '=';
}

void DecodeTimedPosition(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    DecodedReport& r = call.report;
    ctx.Count(call.kind, kStatTimedPosition);
    const char type = At(info, 7);
    const bool timeType = type == '/' || type == 'z' || type == 'Z' || type == 'h';
    if (timeType && ValidPositionTriple(At(info, 15), At(info, 16), At(info, 25))) {
        SplitTextPosition(info, 7, r);
        r.textPosition = 1;
        r.reportType = type;
        ReadTimeStamp(info, type == 'Z' ? 'z' : type, ctx.st.clock, r);
        ReadCourseSpeed(r);
        return;
    }
    if (timeType && info.size() > 8 && TryStandardCompressed(info.substr(8), r)) {
        r.reportType = type;
        ReadTimeStamp(info, type == 'Z' ? 'z' : type, ctx.st.clock, r);
        return;
    }
    if (At(info, 8) == '/') TryShortCompressed(info.substr(8), r);
}

}  // namespace velmora
