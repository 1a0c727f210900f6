#include "gps/GpsdClient.h"

#include <algorithm>

#include <cmath>
#include <cstdlib>

#include "geo/Position.h"

namespace velmora {

std::optional<std::string> JsonField(std::string_view json, std::string_view key) {
    const std::string quoted = "\"" + std::string(key) + "\"";
    size_t at = 0;
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '{' || c == '[') ++depth;
        else if (c == '}' || c == ']') --depth;
        else if (c == '"') {
            // A key of the outer object?
            if (depth == 1 && json.compare(i, quoted.size(), quoted) == 0) {
                at = i + quoted.size();
                while (at < json.size() && (json[at] == ' ' || json[at] == ':')) ++at;
                if (at >= json.size()) return std::nullopt;
                if (json[at] == '"') {
                    const size_t end = json.find('"', at + 1);
                    if (end == std::string_view::npos) return std::nullopt;
                    return std::string(json.substr(at + 1, end - at - 1));
                }
                size_t end = at;
                while (end < json.size() && json[end] != ',' && json[end] != '}' && json[end] != ' ') ++end;
                return std::string(json.substr(at, end - at));
            }
            inString = true;
        }
    }
    return std::nullopt;
}

namespace {

std::optional<double> Number(std::string_view json, std::string_view key) {
    const auto v = JsonField(json, key);
    if (!v || v->empty()) return std::nullopt;
    char* end = nullptr;
    const double d = std::strtod(v->c_str(), &end);
    if (end == v->c_str() || !std::isfinite(d)) return std::nullopt;
    return d;
}

}  // namespace

std::optional<GpsFix> GpsdReportToFix(std::string_view json) {
    if (JsonField(json, "class") != std::optional<std::string>("TPV")) return std::nullopt;
    const auto mode = Number(json, "mode");
    if (!mode || *mode < 2) return std::nullopt;
    GpsFix fix;
    fix.kind = SentenceKind::kPosition;
    fix.positionSentence = true;
    const auto lat = Number(json, "lat"), lon = Number(json, "lon");
    if (lat && lon && std::fabs(*lat) <= 90 && std::fabs(*lon) <= 180 && (*lat != 0 || *lon != 0)) {
        fix.positionValid = fix.goodPosition = true;
        // Units of 0 mean "no position": the north pole is kept one unit
        // south of it, and 180 W is the same meridian as 180 E.
        fix.lat = std::max<int32_t>(1, LatUnitsFromDegrees(*lat));
        fix.lon = LonUnitsFromDegrees(*lon == -180 ? 180 : *lon);
    }
    fix.fixQuality = 1;
    fix.statusCode = 3100;
    auto alt = Number(json, "altMSL");
    if (!alt) alt = Number(json, "alt");
    if (alt && *mode >= 3 && std::fabs(*alt) < 1e6) {
        fix.altitudeValid = true;
        fix.altitudeFeet = static_cast<int32_t>(*alt * 3.2808398950131);
    }
    const auto track = Number(json, "track"), speed = Number(json, "speed");
    if (speed && *speed >= 0 && *speed < 1e4) {
        fix.courseSpeedValid = true;
        fix.speedMph = static_cast<int16_t>(*speed * 2.2369362920544);  // metres a second
        fix.course = static_cast<int16_t>(track && *track >= 0 && *track < 360 ? *track : 0);
        fix.moving = fix.speedMph > 10;
    }
    if (const auto time = JsonField(json, "time"); time && time->size() >= 19 && (*time)[10] == 'T') {
        const int h = std::atoi(time->substr(11, 2).c_str()), m = std::atoi(time->substr(14, 2).c_str()),
                  s = std::atoi(time->substr(17, 2).c_str());
        if (h < 24 && m < 60 && s < 61) {
            fix.timeValid = true;
            fix.time = static_cast<uint32_t>(h * 3600 + m * 60 + s);
        }
    }
    return fix;
}

void GpsdClient::Start(std::string host, uint16_t port) {
    host_ = std::move(host);
    port_ = port;
    running_ = true;
    pause_ = 2;
    reported_ = false;
    Open();
}

void GpsdClient::Stop() {
    running_ = connected_ = false;
    socket_.reset();
}

void GpsdClient::Open() {
    if (!network_) return;
    pending_.clear();
    socket_ = network_->Open(host_, port_, 5000);
    if (!socket_) {
        Lost("no network");
        return;
    }
    socket_->onConnected = [this] {
        connected_ = true;
        pause_ = 2;
        if (reported_) notices_.StatusText("gpsd at " + Where() + " is back");
        reported_ = false;
        socket_->Write("?WATCH={\"enable\":true,\"json\":true};\n");
    };
    socket_->onData = [this](std::string_view bytes) { Data(bytes); };
    socket_->onClosed = [this](std::string_view reason) { Lost(reason); };
}

void GpsdClient::Lost(std::string_view reason) {
    connected_ = false;
    if (!reported_) {
        notices_.StatusText("gpsd at " + Where() + " is not answering (" + std::string(reason) +
                            "); trying again");
        reported_ = true;
    }
    retryAt_ = clock_.NowStamp() + pause_;
    pause_ = pause_ * 2 > kLongestPause ? kLongestPause : pause_ * 2;
}

void GpsdClient::Poll() {
    if (!running_ || connected_ || retryAt_ == 0 || clock_.NowStamp() < retryAt_) return;
    retryAt_ = 0;
    // The old connection is closed in the callback's event; replace it here.
    socket_.reset();
    Open();
}

void GpsdClient::Data(std::string_view bytes) {
    pending_.append(bytes);
    size_t end;
    while ((end = pending_.find('\n')) != std::string::npos) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (auto fix = GpsdReportToFix(line)) onFix(*fix);
    }
    if (pending_.size() > 65536) pending_.clear();  // not gpsd
}

}  // namespace velmora
