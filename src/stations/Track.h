#pragma once
// Tracks of moving stations and the five-minute weather day log.
#include <cstdint>

#include "stations/StationContext.h"

namespace velmora {

// The new position of a report, as track recording needs it.
struct TrackInput {
    int32_t lon = 0, lat = 0;
    bool altitudeSet = false;
    int32_t altitudeFeet = 0;
    uint32_t trackTime = 0;  // 0 none, all ones "now"
    // The course and speed the same report carries: the station's stored
    // values are still those of the previous report when the point is made.
    bool courseSpeedSet = false;
    int16_t course = 0, speed = 0;
};

// Allocates a track of the configured capacity; the station's stored
// position becomes point 0. Nothing when it has one.
void CreateTrack(StationContext& ctx, StationIndex index);

// Called before the new position is stored, so "moved" compares with the
// previous one.
void RecordTrackPoint(StationContext& ctx, StationIndex index, const TrackInput& in);

// Symbols of things that move (cars, boats, aircraft, people...).
bool MovingSymbol(char code);

// minuteOfDay -1 means now; utcCorrect turns a UTC minute into local time.
void LogWeatherSlot(StationContext& ctx, StationIndex index, int32_t minuteOfDay, bool utcCorrect,
                    int16_t utcOffsetHours);

}  // namespace velmora
