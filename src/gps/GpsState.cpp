#include "gps/GpsState.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "geo/Position.h"

namespace velmora {

const char* GpsSourceName(GpsSource s) {
    switch (s) {
        case GpsSource::kSerial: return "GPS port";
        case GpsSource::kTnc: return "TNC cable";
        case GpsSource::kGpsd: return "gpsd";
        case GpsSource::kReplay: return "log";
        default: return "none";
    }
}

OwnGpsUpdate GpsState::Publish(const GpsFix& fix, bool live, bool show, GpsSource source, TimeStamp now) {
    OwnGpsUpdate u;
    if (live) {
        noData_ = 0;
        everLive_ = true;
        source_ = source;
        lastFix_ = now;
    }
    last_ = fix;
    if (fix.fields[0].size() >= 6 && fix.fields[0].substr(3, 3) == "RMB") lastRmb_ = fix.fields;
    if (fix.statusCode) status_ = fix.statusCode;
    if (fix.positionSentence) {
        ++positionSentences_;
        if (fix.goodPosition) ++goodSentences_;
    }
    std::optional<uint32_t> seconds;  // since the previous time sentence
    if (fix.timeValid) {
        if (lastTime_ && fix.time >= *lastTime_) seconds = fix.time - *lastTime_;
        lastTime_ = fix.time;
    }
    if (fix.positionValid && live) {
        hasPosition_ = true;
        lon_ = fix.lon;
        lat_ = fix.lat;
        u.position = std::make_pair(fix.lon, fix.lat);
    }
    if (fix.altitudeValid && live) {
        const int32_t change = fix.altitudeFeet - altitude_;
        climb_ = seconds && *seconds > 0 ? static_cast<int32_t>(change * 60 / static_cast<int64_t>(*seconds)) : change * 60;
        altitude_ = fix.altitudeFeet;
        u.altitudeFeet = fix.altitudeFeet;
    }
    if (fix.courseSpeedValid) {
        course_ = fix.course;
        speed_ = fix.speedMph;
        // Standing still, a receiver's course wanders: only moving counts.
        if (fix.moving && live) {
            movingCourse_ = fix.course;
            u.courseSpeed = std::make_pair(fix.course, fix.speedMph);
        }
    }
    u.markerMoved = show && fix.positionValid;
    return u;
}

bool GpsState::MinutePassed() {
    if (noData_ < 1000) ++noData_;
    return everLive_ && noData_ == 2;  // two minutes without a sentence
}

std::vector<std::string> WaypointLines(const NmeaFields& rmb, int course, int speedMph, const LocalDateTime& now) {
    if (rmb.count < 12 || rmb[5].empty()) return {};
    const double miles = std::strtod(std::string(rmb[10]).c_str(), nullptr) * 1.1507771827;
    const int bearing = std::atoi(std::string(rmb[11]).c_str());
    char text[96];
    std::vector<std::string> out;
    std::snprintf(text, sizeof text, "Dist to %s  %ld mi  %03d", std::string(rmb[5]).c_str(), long(miles), bearing);
    out.emplace_back(text);
    int error = bearing - course;
    while (error > 180) error -= 360;
    while (error < -180) error += 360;
    std::snprintf(text, sizeof text, "Angle Err %d", error);
    out.emplace_back(text);
    if (speedMph > 0) {
        const long minutes = static_cast<long>(miles * 60 / speedMph);
        std::snprintf(text, sizeof text, "Time To Dest %3ld hr %2ld min", minutes / 60, minutes % 60);
        out.emplace_back(text);
        const LocalDateTime eta = FromTimeStamp(ToTimeStamp(now) + static_cast<TimeStamp>(minutes * 60));
        std::snprintf(text, sizeof text, "ETA: %02d/%02d  %02d:%02d", eta.month, eta.day, eta.hour, eta.minute);
        out.emplace_back(text);
    }
    return out;
}

std::string WithChecksum(std::string_view sentence) {
    char sum[8];
    std::snprintf(sum, sizeof sum, "*%02X\r\n", NmeaChecksum(sentence));
    return std::string(sentence) + sum;
}

std::vector<TimedText> AstralInitialisation(int32_t lon, int32_t lat, const LocalDateTime& utc) {
    const auto part = [](int32_t units, int& deg, int& min, int& hundredths) {
        const int32_t a = units < 0 ? -units : units;
        deg = a / kUnitsPerDegree;
        const int32_t rest = a % kUnitsPerDegree;  // 6000 units a minute
        min = rest / 6000;
        hundredths = (rest % 6000) / 60;  // seconds × 100 / 60
    };
    // Stored positions count from 180 W and 90 N.
    const int32_t north = kLatOrigin - lat, east = lon - kLonOrigin;
    int latDeg, latMin, latHun, lonDeg, lonMin, lonHun;
    part(north, latDeg, latMin, latHun);
    part(east, lonDeg, lonMin, lonHun);
    char init[160];
    std::snprintf(init, sizeof init,
                  "$PRWIINIT,V,,,%02d%02d.%02d,%c,%03d%02d.%02d,%c,100.0,0.0,M,0.0,T,%02d%02d%02d,%02d%02d%02d", latDeg,
                  latMin, latHun, north < 0 ? 'S' : 'N', lonDeg, lonMin, lonHun, east < 0 ? 'W' : 'E', utc.hour, utc.minute,
                  utc.second, utc.day, utc.month, utc.year % 100);
    return {
        {"$IIGPQ,ASTRAL\r\n", 100},
        {WithChecksum(init), 0},
        {"$PWRIILOG,GGA,A,T,2,0\r\n", 0},
        {"$PWRIILOG,VTG,A,T,10,0\r\n", 0},
        {"$PWRIILOG,GSA,A,T,60,0\r\n", 0},
        {"$PWRIILOG,GSV,A,T,60,0\r\n", 0},
        {"$PWRIILOG,RMC,V,,,\r\n", 0},
    };
}

}  // namespace velmora
