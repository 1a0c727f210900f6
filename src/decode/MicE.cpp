#include "decode/MicE.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "decode/CommentText.h"
#include "decode/PositionText.h"
#include "decode/ReportDecoders.h"
#include "geo/Position.h"
#include "stations/Track.h"

namespace velmora {
namespace {

constexpr FourCC kList = MakeFourCC("LIST");

const char* const kMessages[8] = {"Off duty", "Enroute",  "In Service", "Returning",
                                  "Committed", "Special", "PRIORITY",   "EMERGENCY!"};

// Digit of one destination character: -1 outside the alphabet, 10 for a
// blanked digit.
int DestinationDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'J') return c - 'A';
    if (c >= 'P' && c <= 'Y') return c - 'P';
    if (c == 'K' || c == 'L' || c == 'Z') return 10;
    return -1;
}

// The flag a destination character carries. Its three ranges are 0-9,
// A-J and P-Y, each with a space character (L, K and Z) that carries its
// range's flag: L is 0-9's, so "L" means south, no offset and east.
bool Flagged(char c) { return (c >= 'A' && c <= 'K') || (c >= 'P' && c <= 'Z'); }

int Offset28(std::string_view info, size_t i) { return static_cast<unsigned char>(info[i]) - 28; }

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Telemetry as hexadecimal pairs after the symbol table: "`" two channels
// (the first and third), "'" five. Anything that is not hex is the comment
// of a radio that uses those characters for other things, and no telemetry.
void ParseHexTelemetry(std::string_view info, MicEFields& f) {
    if (info.size() < 10) return;
    const char flag = info[9];
    const int count = flag == '`' ? 2 : flag == '\'' ? 5 : 0;
    if (count == 0 || info.size() < 10 + 2 * static_cast<size_t>(count)) return;
    int16_t values[5];
    for (int i = 0; i < count; ++i) {
        const int hi = Hex(info[10 + 2 * static_cast<size_t>(i)]);
        const int lo = Hex(info[11 + 2 * static_cast<size_t>(i)]);
        if (hi < 0 || lo < 0) return;
        values[i] = static_cast<int16_t>(hi * 16 + lo);
    }
    f.channels = count;
    for (int i = 0; i < count; ++i) {
        f.channelValue[i] = values[i];
        f.channelSlot[i] = count == 2 ? i * 2 : i;
    }
}

void ParseOlderTelemetry(std::string_view info, MicEFields& f) {
    if (info.size() < 15 || static_cast<unsigned char>(info[8]) != 0x1D) return;
    f.channels = 6;
    for (int i = 0; i < 6; ++i) {
        f.channelValue[i] = static_cast<int16_t>(Offset28(info, 9 + static_cast<size_t>(i)));
        f.channelSlot[i] = i;
    }
}

}  // namespace

const char* MicEMessageText(int code) { return code >= 0 && code < 8 ? kMessages[code] : ""; }

namespace {

struct DeviceCode {
    char prefix;
    std::string_view suffix;
    const char* name;
};

// Longer suffixes first, so a two-character code wins over one of its ends.
constexpr DeviceCode kDevices[] = {
    {'`', "_ ", "Yaesu VX-8"},       {'`', "_\"", "Yaesu FTM-350"},  {'`', "_#", "Yaesu VX-8G"},
    {'`', "_$", "Yaesu FT1D"},       {'`', "_%", "Yaesu FTM-400DR"}, {'`', "_)", "Yaesu FTM-100D"},
    {'`', "_(", "Yaesu FT2D"},       {'`', "_0", "Yaesu FT3D"},      {'`', "_1", "Yaesu FTM-300D"},
    {'`', "_3", "Yaesu FT5D"},       {'`', "_4", "Yaesu FTM-500D"},  {'`', " X", "SainSonic AP510"},
    {'`', "(5", "Anytone D578UV"},   {'`', "(8", "Anytone D878UV"},
    {'\'', "|3", "Byonics TinyTrack3"}, {'\'', "|4", "Byonics TinyTrack4"},
    {'\'', ":4", "SCS P4dragon DR-7400"}, {'\'', ":8", "SCS P4dragon DR-7800"},
    {'>', "=", "Kenwood TH-D72"},    {'>', "^", "Kenwood TH-D74"},   {'>', "&", "Kenwood TH-D75"},
    {']', "=", "Kenwood TM-D710"},
    {'>', "", "Kenwood TH-D7A"},     {']', "", "Kenwood TM-D700"},
};

}  // namespace

std::optional<MicEDevice> IdentifyMicEDevice(std::string_view comment) {
    if (comment.empty()) return std::nullopt;
    for (const DeviceCode& d : kDevices) {
        if (comment[0] != d.prefix || comment.size() < 1 + d.suffix.size()) continue;
        if (comment.substr(comment.size() - d.suffix.size()) != d.suffix) continue;
        return MicEDevice{d.name, 1, d.suffix.size()};
    }
    return std::nullopt;
}

std::optional<MicEDestination> ParseMicEDestination(std::string_view d) {
    if (d.size() < 6) return std::nullopt;
    int digits[6];
    MicEDestination out;
    for (size_t i = 0; i < 6; ++i) {
        digits[i] = DestinationDigit(d[i]);
        if (digits[i] < 0) return std::nullopt;
        if (digits[i] == 10) {
            digits[i] = 0;
            ++out.blanked;
        }
    }
    out.latDegrees = digits[0] * 10 + digits[1];
    out.latMinutes = digits[2] * 10 + digits[3];
    out.latHundredths = digits[4] * 10 + digits[5];
    if (out.latDegrees > 90 || out.latMinutes >= 60) return std::nullopt;
    out.messageCode = 4 * !Flagged(d[0]) + 2 * !Flagged(d[1]) + !Flagged(d[2]);
    out.north = Flagged(d[3]);
    out.longitudeOffset = Flagged(d[4]);
    out.west = Flagged(d[5]);
    return out;
}

std::optional<int32_t> MicEAltitudeFeet(std::string_view info) {
    // Three base-91 characters and "}" at the start of the comment, or
    // after the one type character some radios put first.
    for (size_t at = 9; at <= 10; ++at) {
        if (info.size() < at + 4 || info[at + 3] != '}') continue;
        int32_t v = 0;
        bool ok = true;
        for (size_t i = at; i < at + 3; ++i) {
            const int c = static_cast<unsigned char>(info[i]);
            if (c < '!' || c > '{') ok = false;
            v = v * 91 + (c - 33);
        }
        if (ok) return static_cast<int32_t>(std::lround((v - 10000) * 3.28084));
    }
    return std::nullopt;
}

MicEFields ParseMicEInformation(std::string_view info, bool longitudeOffset) {
    MicEFields f;
    if (info.empty()) return f;
    const bool older = static_cast<unsigned char>(info[0]) == 0x1C;
    if (info.size() >= 4) {
        int d = Offset28(info, 1), m = Offset28(info, 2);
        const int h = Offset28(info, 3);
        if (longitudeOffset) d += 100;
        if (!older) {
            if (d >= 190 && d < 200) d -= 190;
            else if (d >= 180 && d < 190) d -= 80;
            if (m >= 60) m -= 60;
        }
        // Bytes mangled on the air give values no encoder sends.
        if (d >= 0 && d <= 180 && m >= 0 && m < 60 && h >= 0 && h < 100) {
            f.hasLongitude = true;
            f.lonDegrees = d;
            f.lonMinutes = m;
            f.lonHundredths = h;
        }
    }
    if (info.size() >= 7) {
        const int sp = Offset28(info, 4), dc = Offset28(info, 5), se = Offset28(info, 6);
        int speed = 10 * sp + dc / 10;
        int course = 100 * (dc % 10) + se;
        if (!older && speed >= 800) speed -= 800;
        if (!older && course >= 400) course -= 400;
        if (sp >= 0 && dc >= 0 && se >= 0) {
            f.hasCourseSpeed = true;
            f.course = static_cast<int16_t>(course);
            f.speedKnots = static_cast<int16_t>(speed);
        }
    }
    if (info.size() >= 8) f.symbolCode = info[7];
    if (!older && info.size() >= 9) f.symbolTable = info[8];
    if (older) {
        ParseOlderTelemetry(info, f);
    } else {
        ParseHexTelemetry(info, f);
    }
    return f;
}

namespace {

void StoreTelemetry(DecodeContext& ctx, StationRecord& s, const MicEFields& f) {
    TelemetryRecord r;
    r.time = ctx.st.clock.NowStamp();
    for (int i = 0; i < f.channels; ++i) {
        const size_t slot = static_cast<size_t>(f.channelSlot[i]);
        if (slot >= r.analog.size()) continue;  // the older form's sixth channel has no place
        r.analog[slot] = f.channelValue[i];
        r.analogCount = static_cast<uint8_t>(std::max<size_t>(r.analogCount, slot + 1));
    }
    AppendTelemetry(s, r);
    ctx.st.events.InvalidateList(kList, MakeFourCC("TELM"));
}

// The status text is what follows the last ">" after the fixed bytes; a
// ">" among the position bytes (the car symbol) is not one.
std::string_view MicEStatus(std::string_view info) {
    for (size_t i = info.size(); i-- > 9;) {
        if (info[i] == '>') return info.substr(i);
    }
    return {};
}

void WriteLastInfo(DecodeContext& ctx, const ReportCall& call, StationRecord& s,
                   const MicEDestination& dest, const MicEFields& f, std::string_view status) {
    const int64_t utc = static_cast<int64_t>(ctx.st.clock.NowStamp()) - ctx.settings.utcOffsetHours * 3600;
    const LocalDateTime t = FromTimeStamp(static_cast<TimeStamp>(utc < 0 ? 0 : utc));
    char text[256];
    std::snprintf(text, sizeof text, "@%02d%02d%02dz%02d%02d.%02d%c%c%03d%02d.%02d%c%c%03d/%03d/%s/M%d/%s%.*s",
                  t.day, t.hour, t.minute, dest.latDegrees, dest.latMinutes, dest.latHundredths,
                  dest.north ? 'N' : 'S', s.symbolTable ? s.symbolTable : '/',
                  f.lonDegrees, f.lonMinutes, f.lonHundredths, dest.west ? 'W' : 'E', f.symbolCode,
                  f.course, f.speedKnots, "Mic-E", dest.messageCode, MicEMessageText(dest.messageCode),
                  static_cast<int>(status.size()), status.data());
    s.lastInfo = text;
    if (ctx.settings.forwardMicEToInternet && call.kind != SourceKind::kInternet) {
        char line[400];
        std::snprintf(line, sizeof line, "%s>APRS,TCPIP,%s*:%s\r", call.line.source.CStr(), ctx.own.call.CStr(), text);
        ctx.seams.SendToInternet(line);
    }
}

// Mic-E carries hundredths of a minute, which the position units hold
// exactly (60 units each); nothing is rounded away.
void SetPosition(DecodedReport& r, const MicEDestination& dest, const MicEFields& f) {
    const int32_t latUnits = dest.latDegrees * kUnitsPerDegree + dest.latMinutes * 6000 + dest.latHundredths * 60;
    const int32_t lonUnits = f.lonDegrees * kUnitsPerDegree + f.lonMinutes * 6000 + f.lonHundredths * 60;
    r.lat = dest.north ? kLatOrigin - latUnits : kLatOrigin + latUnits;
    r.lon = dest.west ? kLonOrigin - lonUnits : kLonOrigin + lonUnits;
    if (r.lon > 0 && r.lat > 0) r.positionValid = 1;
}

}  // namespace

void DecodeMicE(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    if (!ctx.st.table.ValidIndex(call.index) || info.empty()) return;
    StationRecord& s = ctx.st.table.At(call.index);
    const int16_t previousMessage = s.micMessage;
    if (ctx.st.settings.autoTrackMovingStations && s.trackCapacity == 0) {
        CreateTrack(ctx.st, call.index);
        ctx.st.events.InvalidateList(kList, MakeFourCC("TRKL"));
    }
    const auto dest = ParseMicEDestination(call.line.destination.View());
    // Fewer than 9 bytes cannot hold longitude, speed, course and symbol:
    // such a packet is cut short, and its fragments are no position.
    const bool older = static_cast<unsigned char>(info[0]) == 0x1C || static_cast<unsigned char>(info[0]) == 0x1D;
    // The comment follows the fixed bytes (one fewer in the older form).
    const size_t commentAt = kMicEMinimumInfo - (older ? 1 : 0);
    if (info.size() < commentAt) return;
    const MicEFields f = ParseMicEInformation(info, dest && dest->longitudeOffset);
    // The table byte is "/", "\\" or an overlay; anything else means the
    // bytes before it are not a Mic-E position either.
    const char t = f.symbolTable;
    if (t && !(t == '/' || t == '\\' || (t >= 'A' && t <= 'Z') || (t >= '0' && t <= '9'))) return;
    DecodedReport& r = call.report;
    if (f.symbolCode) r.symbolCode = f.symbolCode;
    if (f.symbolTable) r.symbolTable = f.symbolTable;
    if (f.hasCourseSpeed) {
        r.course = f.course;
        r.speedKnots = f.speedKnots;
        s.course = f.course;
        s.speedKnots = f.speedKnots;
    }
    if (dest && f.hasLongitude) {
        SetPosition(r, *dest, f);
        if (const char datum = ApplyDao(info.substr(commentAt), r.lon, r.lat)) s.daoDatum = datum;
    }
    if (const auto feet = MicEAltitudeFeet(info)) {
        r.altitudeFeet = *feet;
        r.altitudeSet = 1;
    }

    std::string_view status = MicEStatus(info);
    std::string_view words = info.substr(commentAt);
    // The radio's own code is no part of what its operator wrote.
    if (const auto device = IdentifyMicEDevice(info.substr(commentAt))) {
        s.device = device->name;
        words.remove_prefix(std::min(device->prefixLength, words.size()));
        words.remove_suffix(std::min(device->suffixLength, words.size()));
        if (status.size() >= device->suffixLength) status.remove_suffix(device->suffixLength);
        // A Kenwood's ">" is its type, not a status mark.
        if (!status.empty() && status.data() == info.data() + commentAt) status.remove_prefix(device->prefixLength);
    }
    if (!status.empty()) s.status = status;
    if (const std::string text = ReadableComment(words, CommentKind::kMicE); !text.empty())
        s.comment = Utf8Prefix(text, decltype(s.comment)::kCapacity);
    s.extraText = info;
    if (f.symbolCode) s.symbolCode = f.symbolCode;
    if (f.symbolTable) s.symbolTable = f.symbolTable;
    s.specialIcon = 26;
    s.reportType = info[0];  // a Mic-E radio: messages to it are split shorter
    if (dest) s.micMessage = static_cast<int16_t>(dest->messageCode);
    if (dest && dest->messageCode == 7 && previousMessage != 7) ctx.st.events.CentreMapOn(call.index);
    if (f.channels > 0) StoreTelemetry(ctx, s, f);
    TakeCommentTelemetry(ctx, s, info.substr(commentAt));
    if (r.positionValid) {
        s.ambiguity = static_cast<int16_t>(dest->blanked);
        WriteLastInfo(ctx, call, s, *dest, f, status);
    }
    ctx.st.events.InvalidateList(kList, MakeFourCC("MICL"));
}

}  // namespace velmora
