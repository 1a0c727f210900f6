#include "stations/Track.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "geo/Position.h"

namespace velmora {
namespace {

constexpr FourCC kList = MakeFourCC("LIST");

// Not 0 or less, and not on the equator or the Greenwich meridian, where a
// receiver without a fix puts itself.
bool Recordable(int32_t lon, int32_t lat) {
    return lon > 0 && lat > 0 && lon != kLonOrigin && lat != kLatOrigin;
}

TrackPoint PointOf(const StationRecord& s, const TrackInput& in, TimeStamp now) {
    TrackPoint p;
    p.lat = in.lat;
    p.lon = in.lon;
    p.altitudeFeet = in.altitudeSet ? in.altitudeFeet : s.altitudeFeet;
    p.course = in.courseSpeedSet ? in.course : s.course;
    p.speed = in.courseSpeedSet ? in.speed : s.speedKnots;
    p.time = in.trackTime == 0xFFFFFFFFu ? now : in.trackTime;
    return p;
}

bool Moved(const StationRecord& s, const TrackInput& in, int32_t delta) {
    return std::abs(in.lon - s.lon) > delta || std::abs(in.lat - s.lat) > delta;
}

}  // namespace

bool MovingSymbol(char code) {
    return code != '\0' && std::strchr("'<=>@COPRSTUXY[^abfgjksuv", code) != nullptr;
}

void CreateTrack(StationContext& ctx, StationIndex index) {
    if (!ctx.table.ValidIndex(index)) return;
    StationRecord& s = ctx.table.At(index);
    if (s.trackCapacity > 0) return;
    const int16_t capacity = ctx.settings.trackPointsToSave > 0 ? ctx.settings.trackPointsToSave : 1;
    try {
        // The buffer grows with the points actually recorded, up to the
        // capacity: a day of internet traffic creates tracks for thousands
        // of mobiles that report once or twice.
        s.trackPoints.reserve(std::min<size_t>(static_cast<size_t>(capacity), 16));
        s.track = 'T';
        s.trackCount = 0;
        s.trackCapacity = capacity;
        s.trackPoints.clear();
        if (s.HasPosition()) {
            TrackPoint p;
            p.lat = s.lat;
            p.lon = s.lon;
            p.altitudeFeet = s.altitudeFeet;
            s.trackPoints.push_back(p);
            s.trackCount = 1;
        }
    } catch (const std::bad_alloc&) {
        s.track = 0;
        s.trackCount = s.trackCapacity = 0;
    }
    s.trackColour = ctx.table.TakeTrackColour();
}

void RecordTrackPoint(StationContext& ctx, StationIndex index, const TrackInput& in) {
    if (!ctx.table.ValidIndex(index)) return;
    StationRecord& s = ctx.table.At(index);
    const TimeStamp now = ctx.clock.NowStamp();
    if (s.track) {
        // A station flagged TRACK in the flags file gets its track here.
        if (s.trackCapacity == 0) {
            CreateTrack(ctx, index);
            ctx.events.InvalidateList(kList, MakeFourCC("TRKL"));
            if (s.trackCapacity == 0) return;
        }
        if (!Moved(s, in, ctx.settings.trackDeltaUnits) || s.trackCount >= s.trackCapacity ||
            !Recordable(in.lon, in.lat))
            return;
        if (s.trackCount > 0) {
            const TrackPoint& last = s.trackPoints.back();
            s.trackMiles += DistanceMiles(last.lon, last.lat, in.lon, in.lat);
        }
        s.trackPoints.push_back(PointOf(s, in, now));
        s.trackCount = static_cast<int16_t>(s.trackPoints.size());
        return;
    }
    if (!ctx.settings.autoTrackMovingStations || s.trackCapacity > 0 || !MovingSymbol(s.symbolCode)) return;
    CreateTrack(ctx, index);
    ctx.events.InvalidateList(kList, MakeFourCC("TRKL"));
    if (s.trackCapacity == 0 || !Recordable(in.lon, in.lat)) return;
    s.trackPoints.clear();
    s.trackPoints.push_back(PointOf(s, in, now));
    s.trackPoints.back().altitudeFeet = in.altitudeSet ? in.altitudeFeet : 0;
    s.trackCount = 1;
}

void LogWeatherSlot(StationContext& ctx, StationIndex index, int32_t minuteOfDay, bool utcCorrect,
                    int16_t utcOffsetHours) {
    if (!ctx.settings.weatherLog || !ctx.table.ValidIndex(index)) return;
    StationRecord& s = ctx.table.At(index);
    if (minuteOfDay < 0) {
        const LocalDateTime now = ctx.clock.Now();
        minuteOfDay = now.hour * 60 + now.minute;
    }
    if (utcCorrect) {
        minuteOfDay += utcOffsetHours * 60;
        if (minuteOfDay < 0) minuteOfDay += 1440;
    }
    if (minuteOfDay < 0 || minuteOfDay >= 1440) return;
    if (s.weatherDay.empty()) {
        try {
            s.weatherDay.assign(kWeatherSlots, WeatherSlot{});
        } catch (const std::bad_alloc&) {
            return;
        }
    }
    const int slot = minuteOfDay / 5;
    // Slots skipped since the last report hold nothing; across midnight
    // the new day's slot is written without clearing.
    for (int k = s.weatherSlot + 1; k < slot; ++k) s.weatherDay[static_cast<size_t>(k)] = WeatherSlot{};
    s.weatherSlot = static_cast<int16_t>(slot);
    s.weatherDay[static_cast<size_t>(slot)] = {s.temperatureF, s.rainHour,     s.rain24h,      s.rainHour,
                                               s.rainMidnight, s.rain24h,      s.windSpeedMph, s.windDirection,
                                               s.windGustMph,  0,              s.barometerTenthsMbar, s.humidity};
}

}  // namespace velmora
