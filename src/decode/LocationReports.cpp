// Positions from GPS sentences, direction-finding bearings and grid
// locators.
#include "decode/ReportDecoders.h"
#include "stations/Track.h"
#include "gps/Nmea.h"
#include "geo/Gridsquare.h"

namespace velmora {
namespace {

constexpr FourCC kList = MakeFourCC("LIST");

bool Letter(char c, char last) { return (c >= 'A' && c <= last) || (c >= 'a' && c <= last + 32); }
bool Digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool LocatorToReport(std::string_view locator, DecodedReport& r) {
    const auto b = LocatorToBounds(locator);
    if (!b) return false;
    r.lon = b->centreLon;
    r.lat = b->centreLat;
    r.symbolTable = '/';
    r.symbolCode = 'G';
    r.positionValid = 1;
    return true;
}

void DecodeSentence(DecodeContext& ctx, const ReportCall& call) {
    const auto fix = ParseNmeaSentence(call.line.info.View());
    if (!fix) return;
    StationRecord& s = ctx.st.table.At(call.index);
    DecodedReport& r = call.report;
    if (fix->kind == SentenceKind::kProprietary) s.specialIcon = 19;
    if (fix->kind == SentenceKind::kUnknown || fix->kind == SentenceKind::kRmc ||
        fix->kind == SentenceKind::kPosition)
        s.specialIcon = 24;
    if (fix->timeValid) r.trackTime = fix->time;
    if (fix->courseSpeedValid && fix->course > 0 && fix->speedMph > 0) {
        r.course = fix->course;
        r.speedKnots = fix->speedMph;
        r.courseSpeedSet = 1;
    }
    if (fix->altitudeValid && fix->altitudeFeet != 0) {
        r.altitudeFeet = fix->altitudeFeet;
        r.altitudeSet = 1;
    }
    if (fix->positionValid && fix->lon != 0 && fix->lat != 0) {
        r.lon = fix->lon;
        r.lat = fix->lat;
        r.positionValid = 1;
    }
    if (!r.destSymbol) {
        const size_t ssid = call.line.ssid >= 0 && call.line.ssid < 16 ? static_cast<size_t>(call.line.ssid) : 0;
        r.symbolTable = '/';
        r.symbolCode = ctx.settings.ssidSymbols[ssid];
        if (s.symbolCode == 0 || s.symbolCode == ' ') {
            s.symbolTable = r.symbolTable;
            s.symbolCode = r.symbolCode;
        }
    }
    if (ctx.st.settings.autoTrackMovingStations && s.trackCapacity == 0) {
        CreateTrack(ctx.st, call.index);
        ctx.st.events.InvalidateList(kList, MakeFourCC("TRKL"));
    }
}

void DecodeDirectionFinding(DecodeContext& ctx, const ReportCall& call) {
    StationRecord& s = ctx.st.table.At(call.index);
    const auto b = DecodeDfLine(ctx.tables.dfLine, call.line.info.View(), s.lon, s.lat, s.course);
    if (!b) return;
    s.dfBearing = static_cast<int16_t>(b->bearing);
    s.dfQuality = static_cast<int16_t>(b->quality > 32767 ? 32767 : b->quality);
    s.dfTime = ctx.st.clock.NowStamp();
}

void DecodeGridBeacon(DecodeContext&, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    const std::string_view head = info.substr(0, 8);
    size_t close = std::string_view::npos;
    for (size_t at : {3, 5, 7}) {
        if (at < head.size() && head[at] == ']') {
            close = at;
            break;
        }
    }
    if (close == std::string_view::npos) return;
    const std::string_view locator = info.substr(1, close - 1);
    if (!Letter(locator[0], 'R') || !Letter(locator[1], 'R')) return;
    if (locator.size() >= 4 && (!Digit(locator[2]) || !Digit(locator[3]))) return;
    if (locator.size() == 6 && (!Letter(locator[4], 'X') || !Letter(locator[5], 'X'))) return;
    LocatorToReport(locator, call.report);
}

void DecodeGridDestination(DecodeContext&, const ReportCall& call) {
    const std::string_view d = call.line.destination.View();
    if (d.size() < 6 || !Letter(d[0], 'Z') || !Letter(d[1], 'Z') || !Digit(d[2]) || !Digit(d[3]) ||
        !Letter(d[4], 'Z') || !Letter(d[5], 'Z'))
        return;
    LocatorToReport(d.substr(0, 6), call.report);
}

}  // namespace velmora
