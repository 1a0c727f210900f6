#include "app/App.h"

#include "transmit/OwnReports.h"
#include "gateway/StationExchange.h"

#include <cstdio>

#include "decode/ReceivedLine.h"
#include "gps/Nmea.h"
#include "special/RDF.h"
#include "geo/Position.h"

namespace velmora {

App::App(Platform platform, AppOptions options)
    : status_(platform.notices, platform.clock),
      platform_{platform.clock, status_, platform.files},
      clock_(platform.clock),
      capacities_(CapacitiesFor(options.memoryClass)),
      table_(std::make_unique<StationTable>(options.stationCapacity.value_or(capacities_.stationTable))),
      history_(capacities_.historyBytes),
      activity_(std::make_unique<ActivityTable>()),
      messages_(capacities_.messageStore),
      waypoints_(capacities_.waypointTable),
      logs_(platform.files, platform.clock, platform.notices),
      tables_{*this, waypoints_, dxPrefixes_, *this, dfLine_},
      stationContext_{*table_, flags_, stationSettings_, clock_, platform_.notices, events_, history_} {
    capacities_.stationTable = table_->Capacity();
    events_.onLogLine = [this](std::string_view line) { logs_.WriteLine(LogKind::kStation, line); };
    decodeSettings_.utcOffsetHours = static_cast<int16_t>(platform_.clock.UtcOffsetSeconds() / 3600);
}

DecodeContext App::Context() {
    return DecodeContext{stationContext_, tables_, stats_,           activity_.get(), ports_,
                         *seams_,         own_,    decodeSettings_, counters_};
}

void App::ProcessReceivedLine(std::string line, Liveness live, SourceKind kind, Gating gating) {
    clock_.Refresh();
    const Gating outer = gating_;
    gating_ = gating;
    DecodeContext ctx = Context();
    velmora::ProcessReceivedLine(ctx, line, live, kind, 0);
    gating_ = outer;
    // What a seam asks after this line is about the next one.
    counters_.lineCut = false;
}

namespace {
// A sentence that carries a checksum must match it: a receiver unplugged
// mid-sentence or a noisy cable must never move the station.
bool ChecksumHolds(std::string_view s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.remove_suffix(1);
    if (s.size() < 4 || s[s.size() - 3] != '*') return true;
    const auto hex = [](char c) { return c >= '0' && c <= '9' ? c - '0' : (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10 : -1; };
    const int hi = hex(s[s.size() - 2]), lo = hex(s[s.size() - 1]);
    return hi >= 0 && lo >= 0 && NmeaChecksum(s) == hi * 16 + lo;
}
}  // namespace

void App::TakeNmea(std::string_view sentence, bool show, Liveness live, GpsSource source) {
    if (live == Liveness::kLive && !ChecksumHolds(sentence)) {
        ++gpsBadSentences_;
        return;
    }
    const std::optional<GpsFix> fix = ParseNmeaSentence(sentence);
    if (!fix) return;
    TakeGpsFix(*fix, show, live, live == Liveness::kLive ? source : GpsSource::kReplay);
}

void App::TakeGpsFix(const GpsFix& fix, bool show, Liveness live, GpsSource source) {
    // Bearings are taken from the last position and course, replayed ones too.
    if (fix.positionValid && fix.goodPosition) {
        gpsLon_ = fix.lon;
        gpsLat_ = fix.lat;
    }
    if (fix.courseSpeedValid && fix.speedMph >= 11) bearingCourse_ = fix.course;
    const OwnGpsUpdate u = gps_.Publish(fix, live == Liveness::kLive, show, source, clock_.NowStamp());
    if (!table_->ValidIndex(0) || table_->At(0).callsign != own_.call) return;  // the own station is index 0
    StationRecord& me = table_->At(0);
    if (u.position) {
        me.lon = u.position->first;
        me.lat = u.position->second;
    }
    if (u.altitudeFeet) me.altitudeFeet = *u.altitudeFeet;
    if (u.courseSpeed) {
        me.course = u.courseSpeed->first;
        me.speedKnots = static_cast<int16_t>(u.courseSpeed->second * 0.8689762419);
    }
    if (u.position || u.courseSpeed || u.markerMoved) events_.RedrawStation(0);
}

void App::TakeBearing(std::string_view text) {
    // A fixed station with no GPS takes its bearings where it stands.
    const bool gps = gpsLon_ != 0 && gpsLat_ != 0;
    const int32_t lon = gps ? gpsLon_ : own_.homeLon, lat = gps ? gpsLat_ : own_.homeLat;
    if (DecodeDfLine(dfLine_, text, lon, lat, gps ? bearingCourse_ : 0)) events_.RedrawStation(0);  // the maps draw the line
}

void App::SetHome(double latDegrees, double lonDegrees) {
    own_.homeLat = LatUnitsFromDegrees(latDegrees);
    own_.homeLon = LonUnitsFromDegrees(lonDegrees);
}

int App::LoadStationFlags() { return flags_.Load(platform_.files); }

int App::LoadDxPrefixes() { return dxPrefixes_.Load(platform_.files); }

bool App::ReadStationExchange(std::string_view line) { return ReadStationExchangeLine(stationContext_, line); }

void App::RecordTransmitted(std::string_view line) {
    (void)history_.Append(line, 0, 0, SourceKind::kOwn, clock_.NowStamp());
}

std::string App::OwnPositionLine() const {
    if (!own_.HasHome()) return {};
    if (!ownLine_.empty()) return ownLine_;
    // One position formatter for the whole program: the transmit side's.
    return std::string(own_.call.View()) + ">APRS:!" + LatitudeText(own_.homeLat) + "/" + LongitudeText(own_.homeLon) +
           "-";
}

int App::RemoveStationsNotHeardFor(int hours) {
    if (hours <= 0) return 0;
    const TimeStamp now = clock_.NowStamp();
    const TimeStamp limit = static_cast<TimeStamp>(hours) * 3600u;
    const std::vector<StationIndex> remap = table_->Compact([&](const StationRecord& r, StationIndex i) {
        if (i == 0 || r.state == kStateLocked) return true;
        return now < r.lastHeard || now - r.lastHeard <= limit;
    });
    int removed = 0;
    for (StationIndex to : remap) removed += to < 0;
    if (removed == 0) return 0;
    history_.Renumber(remap);
    messages_.Renumber(remap);
    if (counters_.lastStation >= 0 && static_cast<size_t>(counters_.lastStation) < remap.size())
        counters_.lastStation = remap[static_cast<size_t>(counters_.lastStation)];
    events_.StationsRenumbered(remap);
    events_.InvalidateList(MakeFourCC("LIST"), MakeFourCC("STAL"));
    return removed;
}

void App::ClearStations() {
    table_->Clear();
    history_.Clear();
    waypoints_.Clear();
    messages_.Renumber({});  // every station index the messages held is gone
    const std::string own = OwnPositionLine();
    if (!own.empty()) ProcessReceivedLine(own, Liveness::kReplay, SourceKind::kOwn);
}

}  // namespace velmora
