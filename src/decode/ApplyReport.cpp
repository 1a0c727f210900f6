#include "decode/ApplyReport.h"

#include <cstdio>
#include <cstdlib>

#include "decode/CommentText.h"
#include "decode/PositionText.h"
#include "decode/ReportDecoders.h"
#include "decode/SoftwareTrailer.h"
#include "geo/Position.h"
#include "stations/Track.h"

namespace velmora {
namespace {

char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int16_t LeadingNumber(std::string_view s) {
    int v = 0;
    for (size_t i = 0; i < s.size() && IsDigit(s[i]) && v < 10000; ++i) v = v * 10 + (s[i] - '0');
    return static_cast<int16_t>(v);
}

bool PhgPrefix(std::string_view c) {
    const std::string_view p = c.substr(0, 3);
    return p == "PHG" || p == "Phg" || p == "phg" || p == "Pwr" || p == "DFS";
}

bool Symbol(char code, char plain) {
    return code == plain || static_cast<unsigned char>(code) == (static_cast<unsigned char>(plain) | 0x80);
}

void StoreAltitude(StationRecord& s, DecodedReport& r, std::optional<int32_t> feet) {
    if (!feet) return;
    r.altitudeFeet = *feet;
    r.altitudeSet = 1;
    s.altitudeFeet = *feet;
}

// Data extensions of a comment: PHG, storm and weather data, DF bearing,
// course/speed and altitude.
void ParseDataExtension(DecodeContext& ctx, StationIndex index, DecodedReport& r, SourceKind kind) {
    StationRecord& s = ctx.st.table.At(index);
    const std::string_view c = r.comment.View();
    r.extA = c.substr(0, 3);
    r.extB = c.size() > 4 ? c.substr(4, 3) : std::string_view{};
    // The altitude may stand anywhere in the comment, after any extension.
    StoreAltitude(s, r, FindAltitude(c));
    if (PhgPrefix(c)) {
        s.phg = c.substr(3, 4);
        return;
    }
    if (Symbol(r.symbolCode, '@')) {
        ctx.Count(kind, kStatWeather);
        ApplyStormData(ctx, index, r);
    } else if (Symbol(r.symbolCode, 'W') || Symbol(r.symbolCode, '_')) {
        ctx.Count(kind, kStatWeather);
        ApplyWeatherExtension(ctx, index, r);
    } else if (r.symbolCode == '\\') {
        ctx.Count(kind, kStatDirectionFinding);
        s.dfBearing = LeadingNumber(r.extA.View());
        s.dfQuality = LeadingNumber(r.extB.View());
    } else if (!r.compressedComment && At(c, 3) == '/' && IsDigit(At(c, 4)) && r.symbolCode != 'l') {
        // A compressed position brought its course and speed itself.
        r.course = LeadingNumber(r.extA.View());
        r.speedKnots = LeadingNumber(r.extB.View());
        r.courseSpeedSet = 1;
    }
}

void ApplySoftwareTrailer(StationRecord& s, std::string_view comment) {
    const SoftwareTrailer t = ParseSoftwareTrailer(comment);
    if (t.version) s.version = t.version;
    if (t.systemCode) s.systemCode = t.systemCode;
    if (!t.codeA.empty()) s.codeA = t.codeA;
    if (!t.codeB.empty()) s.codeB = t.codeB;
    if (!t.codeC.empty()) s.codeC = t.codeC;
}

void ConvertPosition(DecodeContext& ctx, StationIndex index, DecodedReport& r,
                     std::string_view info, SourceKind kind) {
    StationRecord& s = ctx.st.table.At(index);
    s.symbolTable = r.symbolTable;
    s.symbolCode = r.symbolCode;
    s.reportType = r.reportType;
    s.lastInfo = info;
    const auto p = ConvertTextPosition(r.lonText.View(), r.latText.View());
    if (!p) {
        r.positionValid = 0;
        return;
    }
    s.ambiguity = p->ambiguity;
    r.ambiguity = p->ambiguity;
    r.lon = p->lon;
    r.lat = p->lat;
    r.positionValid = 1;
    if (const char datum = ApplyDao(r.comment.View(), r.lon, r.lat)) s.daoDatum = datum;
    ParseDataExtension(ctx, index, r, kind);
    ApplySoftwareTrailer(s, r.comment.View());
}

void ProximityAlarms(DecodeContext& ctx, StationRecord& s, const DecodedReport& r) {
    const StationSettings& set = ctx.st.settings;
    const bool home = ctx.own.HasHome();
    const std::string caption = std::string(s.callsign.View());
    if (home && s.danger && set.dangerRadiusMiles > 0 && r.distanceMiles < set.dangerRadiusMiles) {
        ctx.st.notices.PlayEventSound(kSoundDangerRadius, "Danger " + caption);
    } else if (home && s.warning && set.warningRadiusMiles > 0 &&
               r.distanceMiles < set.warningRadiusMiles) {
        ctx.st.notices.PlayEventSound(kSoundWarningRadius, "Warning " + caption);
    } else if (s.alarm && s.HasPosition() &&
               (std::abs(r.lon - s.lon) > set.alarmDeltaUnits ||
                std::abs(r.lat - s.lat) > set.alarmDeltaUnits)) {
        // Only a station that had a position can have moved.
        ctx.st.notices.PlayEventSound(kSoundStationMoved, caption);
        s.alarm = '*';
    }
}

void EchoPosition(DecodeContext& ctx, const StationRecord& s, const DecodedReport& r) {
    const DegreesMinutesSeconds lon = LonToDms(r.lon);
    const DegreesMinutesSeconds lat = LatToDms(r.lat);
    char text[256];
    int n = std::snprintf(text, sizeof text, "%03d %02d' %02d\"%c  %02d %02d' %02d\"%c", lon.degrees,
                          lon.minutes, lon.seconds, lon.hemisphere, lat.degrees, lat.minutes,
                          lat.seconds, lat.hemisphere);
    auto append = [&](const char* fmt, auto... args) {
        if (n >= 0 && static_cast<size_t>(n) < sizeof text)
            n += std::snprintf(text + n, sizeof text - static_cast<size_t>(n), fmt, args...);
    };
    if (s.altitudeFeet) append("  Altitude %6ld", static_cast<long>(s.altitudeFeet));
    if (r.course || r.speedKnots) append("  Cse %3d  Spd %4d", r.course, r.speedKnots);
    if (ctx.own.HasHome()) {
        const double miles = DistanceMiles(ctx.own.homeLon, ctx.own.homeLat, r.lon, r.lat);
        const int bearing = BearingDegrees(ctx.own.homeLon, ctx.own.homeLat, r.lon, r.lat);
        append("  %s %8.2f Miles  %3d\u00b0 Bearing", s.callsign.CStr(), miles, bearing);
    }
    ctx.st.notices.StatusText(text);
}

void ApplyNumericPosition(DecodeContext& ctx, StationIndex index, DecodedReport& r) {
    StationRecord& s = ctx.st.table.At(index);
    if (r.symbolTable && r.symbolCode) {
        s.symbolTable = r.symbolTable;
        s.symbolCode = r.symbolCode;
    }
    if (ctx.own.HasHome()) {
        r.distanceMiles = WholeMilesRounded(DistanceMiles(ctx.own.homeLon, ctx.own.homeLat, r.lon, r.lat));
        s.distanceMiles = r.distanceMiles;
    }
    ProximityAlarms(ctx, s, r);
    RecordTrackPoint(ctx.st, index,
                     // Without a time of its own, a point is stamped when it was received.
                     TrackInput{r.lon, r.lat, r.altitudeSet != 0, r.altitudeFeet,
                                r.trackTime ? r.trackTime : kTrackTimeNow,
                                r.courseSpeedSet != 0, r.course, r.speedKnots});
    if (ctx.st.settings.positionEcho) EchoPosition(ctx, s, r);
    s.lon = r.lon;
    s.lat = r.lat;
    if (s.symbolCode == 0 || s.symbolCode == ' ') s.symbolCode = r.symbolCode;
    r.changed = 1;
}

// Some trackers send their comment only every few reports: the last words
// stay until new ones come.
void StoreComment(StationRecord& s, const DecodedReport& r) {
    const bool weather = Symbol(r.symbolCode, '_') || Symbol(r.symbolCode, 'W');
    const CommentKind kind = weather                   ? CommentKind::kWeather
                             : Symbol(r.symbolCode, '@') ? CommentKind::kStorm
                             : r.compressedComment       ? CommentKind::kCompressed
                                                         : CommentKind::kPosition;
    const std::string words = ReadableComment(r.comment.View(), kind);
    if (!words.empty()) s.comment = Utf8Prefix(words, decltype(s.comment)::kCapacity);
}

}  // namespace

std::optional<int32_t> AltitudeAt(std::string_view c, size_t at) {
    // Exactly six characters: six digits, or "-" and five. What follows
    // them is comment, even when it is more digits ("/A=000915145,275 mHz").
    if (at + 6 > c.size()) return std::nullopt;
    const std::string_view v = c.substr(at, 6);
    const bool negative = v[0] == '-';
    int32_t feet = 0;
    for (size_t i = negative ? 1 : 0; i < 6; ++i) {
        if (!IsDigit(v[i])) return std::nullopt;
        feet = feet * 10 + (v[i] - '0');
    }
    return negative ? -feet : feet;
}

std::optional<int32_t> FindAltitude(std::string_view c) {
    for (size_t at = c.find("/A="); at != std::string_view::npos; at = c.find("/A=", at + 1)) {
        if (const auto feet = AltitudeAt(c, at + 3)) return feet;
    }
    return std::nullopt;
}

void ApplyReport(DecodeContext& ctx, std::string_view /*source*/, StationIndex index,
                 DecodedReport& r, std::string_view info, SourceKind kind, Liveness live) {
    if (!ctx.st.table.ValidIndex(index)) return;
    StationRecord& s = ctx.st.table.At(index);
    if (r.timeSet) s.reportTime = r.reportTime;
    if (r.textPosition) {
        ConvertPosition(ctx, index, r, info, kind);
    } else if (r.positionValid && r.compressedComment) {
        s.lastInfo = info;
        s.reportType = r.reportType;
        if (PhgPrefix(r.comment.View()) || r.symbolCode) ParseDataExtension(ctx, index, r, kind);
        ApplySoftwareTrailer(s, r.comment.View());
    }
    if (r.textPosition || r.compressedComment) {
        TakeCommentTelemetry(ctx, s, r.comment.View());
        StoreComment(s, r);
    }
    if (r.positionValid) ApplyNumericPosition(ctx, index, r);
    if (r.courseSpeedSet) {
        s.course = r.course;
        s.speedKnots = r.speedKnots;
    }
    if (r.altitudeSet) s.altitudeFeet = r.altitudeFeet;
    if (r.changed) ctx.st.events.RedrawStation(index);
    if (live == Liveness::kLive && s.pendingMessages) ctx.seams.ResendPendingMessages(index);
}

}  // namespace velmora
