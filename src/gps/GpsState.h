#pragma once
// What the station knows from its own GPS: the last position, altitude,
// course and speed, the course while moving, the climb rate, how many
// position sentences were good, and how long no data has come.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gps/Nmea.h"
#include "platform/Clock.h"

namespace velmora {

// Where the fixes come from.
enum class GpsSource : uint8_t { kNone, kSerial, kTnc, kGpsd, kReplay };
const char* GpsSourceName(GpsSource s);

// What one fix changes of the own station; each part only when it does.
struct OwnGpsUpdate {
    std::optional<std::pair<int32_t, int32_t>> position;  // lon, lat
    std::optional<int32_t> altitudeFeet;
    std::optional<std::pair<int16_t, int16_t>> courseSpeed;  // degrees, mph (only while moving)
    bool markerMoved = false;  // a shown position, live or not
};

class GpsState {
public:
    // One fix. live: from the station's own GPS (a port or gpsd), not a
    // log; only live fixes change the own station.
    OwnGpsUpdate Publish(const GpsFix& fix, bool live, bool show, GpsSource source, TimeStamp now);
    // The GPS port was opened: its sentence counters start again.
    void PortOpened() { positionSentences_ = goodSentences_ = 0, noData_ = 0; }
    // Once a minute; true when the input just stopped (the alarm).
    bool MinutePassed();

    bool HasPosition() const { return hasPosition_; }
    int32_t Lon() const { return lon_; }
    int32_t Lat() const { return lat_; }
    int32_t AltitudeFeet() const { return altitude_; }
    int16_t Course() const { return course_; }
    int16_t SpeedMph() const { return speed_; }
    int16_t MovingCourse() const { return movingCourse_; }
    int32_t ClimbFeetPerMinute() const { return climb_; }
    long PercentGood() const { return positionSentences_ ? goodSentences_ * 100 / positionSentences_ : 0; }
    int NoDataMinutes() const { return noData_; }
    GpsSource Source() const { return source_; }
    TimeStamp LastFix() const { return lastFix_; }
    int16_t StatusCode() const { return status_; }
    const GpsFix& Last() const { return last_; }
    // The last waypoint sentence (RMB), for the display; empty before one.
    const NmeaFields& LastWaypoint() const { return lastRmb_; }
    // "GPS input OK" or "GPS input NOT WORKING", as the map windows show it.
    std::string InputText() const { return noData_ == 0 ? "GPS input OK" : "GPS input NOT WORKING"; }

private:
    bool hasPosition_ = false;
    int32_t lon_ = 0, lat_ = 0, altitude_ = 0, climb_ = 0;
    int16_t course_ = 0, speed_ = 0, movingCourse_ = 0, status_ = 0;
    std::optional<uint32_t> lastTime_, lastAltitudeTime_;
    long positionSentences_ = 0, goodSentences_ = 0;
    int noData_ = 0;
    bool everLive_ = false;
    GpsSource source_ = GpsSource::kNone;
    TimeStamp lastFix_ = 0;
    GpsFix last_;
    NmeaFields lastRmb_;
};

// The heads-up display's waypoint lines from an RMB sentence and the
// current course and speed: "Dist to %s  %ld mi  %03d", "Angle Err %d",
// "Time To Dest %3ld hr %2ld min", "ETA: %02d/%02d  %02d:%02d"; empty
// without a waypoint.
std::vector<std::string> WaypointLines(const NmeaFields& rmb, int course, int speedMph, const LocalDateTime& now);

// "$...*hh\r\n": a sentence completed with its checksum.
std::string WithChecksum(std::string_view sentence);

// What a receiver that announces itself "ASTRAL" is sent: the query, the
// initialisation with the own position and the UTC time, the logging
// orders; each with the pause after it in ticks of 1/60 s.
struct TimedText {
    std::string text;
    int pauseTicks;
};
std::vector<TimedText> AstralInitialisation(int32_t lon, int32_t lat, const LocalDateTime& utc);

}  // namespace velmora
