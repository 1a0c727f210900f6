#include "gps/GarminLink.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geo/Position.h"

namespace velmora {
namespace {

constexpr double kDegreesPerSemicircle = 8.381903671139698e-08;
constexpr uint8_t kAck = 6, kNak = 21, kRecords = 27, kCommand = 10, kWaypoint = 35, kComplete = 12;
constexpr uint8_t kProductRequest = 254;

uint32_t U32(std::string_view d, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= uint32_t(uint8_t(d[at + i])) << (8 * i);
    return v;
}
int16_t I16(std::string_view d, size_t at) { return static_cast<int16_t>(uint8_t(d[at]) | uint8_t(d[at + 1]) << 8); }
void PutU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
std::string Format(const char* f, long a, long b = 0) {
    char text[96];
    std::snprintf(text, sizeof text, f, a, b);
    return text;
}
// Text up to its NUL (or the end).
std::string CText(std::string_view d) { return std::string(d.substr(0, d.find('\0'))); }

}  // namespace

int32_t SemicirclesToLatUnits(int32_t s) {
    return kLatOrigin - static_cast<int32_t>(s * kDegreesPerSemicircle * kUnitsPerDegree);
}
int32_t SemicirclesToLonUnits(int32_t s) {
    return static_cast<int32_t>(s * kDegreesPerSemicircle * kUnitsPerDegree) + kLonOrigin;
}
int32_t LatUnitsToSemicircles(int32_t lat) {
    return static_cast<int32_t>(std::lround((kLatOrigin - lat) / double(kUnitsPerDegree) / kDegreesPerSemicircle));
}
int32_t LonUnitsToSemicircles(int32_t lon) {
    return static_cast<int32_t>(std::lround((lon - kLonOrigin) / double(kUnitsPerDegree) / kDegreesPerSemicircle));
}

std::string EncodeWaypoint(const GarminWaypoint& w) {
    std::string out = w.ident.substr(0, 6);
    out.resize(6, ' ');
    PutU32(out, static_cast<uint32_t>(LatUnitsToSemicircles(w.lat)));
    PutU32(out, static_cast<uint32_t>(LonUnitsToSemicircles(w.lon)));
    PutU32(out, 0);
    std::string comment = w.comment.substr(0, 40);
    comment.resize(40, ' ');
    return out + comment;
}

bool DecodeWaypoint(std::string_view d, GarminWaypoint& w) {
    if (d.size() < 58) return false;
    w.ident = std::string(d.substr(0, 6));
    while (!w.ident.empty() && (w.ident.back() == ' ' || w.ident.back() == '\0')) w.ident.pop_back();
    w.lat = SemicirclesToLatUnits(static_cast<int32_t>(U32(d, 6)));
    w.lon = SemicirclesToLonUnits(static_cast<int32_t>(U32(d, 10)));
    w.comment = CText(d.substr(18, 40));
    while (!w.comment.empty() && w.comment.back() == ' ') w.comment.pop_back();
    return true;
}

void GarminLink::SendPacket(uint8_t id, std::string_view data) {
    if (!open_) {
        beep();
        return;
    }
    send(EncodeGarmin(id, data));
}

void GarminLink::RequestProduct() { SendPacket(kProductRequest, {}); }

void GarminLink::SendCommand(uint8_t command) { SendPacket(kCommand, std::string{char(command), 0}); }

void GarminLink::DownloadWaypoints() {
    if (productId_ == 0) RequestProduct();
    SendCommand(kTransferWaypoints);
}

void GarminLink::UploadWaypoints() {
    if (!open_) {
        beep();
        return;
    }
    if (productId_ == 0) {
        beep();
        status("GPS Type not supported");
        return;
    }
    uploading_ = true;
    uploadIndex_ = 0;
    const auto n = static_cast<uint16_t>(waypoints_.size());
    SendPacket(kRecords, std::string{char(n & 0xFF), char(n >> 8)});
}

// Each of the unit's acks brings the next waypoint, then the end.
void GarminLink::SendNextWaypoint() {
    if (uploadIndex_ >= waypoints_.size()) {
        uploading_ = false;
        SendPacket(kComplete, std::string{char(kTransferWaypoints), 0});
        return;
    }
    const GarminWaypoint& w = waypoints_[uploadIndex_++];
    std::string data = EncodeWaypoint(w);
    if (productId_ == 72) data[0] = 88;
    status("Sending WPT " + w.ident + " - " + w.comment);
    SendPacket(kWaypoint, data);
}

void GarminLink::Input(std::string_view bytes) {
    for (const GarminPacket& p : assembler_.Feed(bytes)) Handle(p);
}

void GarminLink::Handle(const GarminPacket& p) {
    const std::string_view d = p.data;
    switch (p.id) {
        case kAck:
            status("ACK from GPS");
            if (uploading_) SendNextWaypoint();
            return;  // an ack is not acked
        case 9: {
            const int type = d.size() == 2 ? uint8_t(d[0]) | uint8_t(d[1]) << 8 : d.empty() ? 0 : uint8_t(d[0]);
            productName_ = type == 1 ? "Garmin 45" : type == 2 ? "GPS III" : "Garmin ???";
            status("Unit = " + productName_ + ", Ver = " + version_);
            break;
        }
        case kComplete:
            status(Format("Last Record %4ld out of %4ld received", received_, expected_));
            break;
        case 13:
            productId_ = 67;
            status("Street Pilot powered on");
            break;
        case kNak:
            ++naks_;
            status("NAK from GPS");
            return;
        case kRecords:
            expected_ = d.size() >= 2 ? uint16_t(I16(d, 0)) : 0;
            received_ = 0;
            trackText_.clear();
            trackText_.reserve(static_cast<size_t>(expected_) * 128);
            status(Format("Record count = %ld", expected_));
            break;
        case 29: ++received_; status("Route ID/Name Record"); break;
        case 30: ++received_; status("Route Waypoint Record"); break;
        case 31: ++received_; status("Almanac Record"); break;
        case 32:
            version_ = CText(d);
            status("Version " + version_);
            break;
        case 34:
            ++received_;
            TrackPoint(d);
            status(Format("Track Record %4ld of %4ld", received_, expected_));
            break;
        case kWaypoint: {
            ++received_;
            GarminWaypoint w;
            if (DecodeWaypoint(d, w)) {
                if (waypoints_.size() < kMaxWaypoints) waypoints_.push_back(w);
                status("Waypoint = " + w.ident + " - " + w.comment);
            } else {
                status("Unsupported waypoint type");
            }
            break;
        }
        case 39: status(Format("Pid_Unknown39, length = %d - d=%d", long(d.size()), d.empty() ? 0 : uint8_t(d[0]))); break;
        case 69: ScreenLine(d); break;
        case 253: status(Format("Protocol Array, length = %d", long(d.size()))); break;
        case 255:
            if (d.size() >= 4) {
                productId_ = I16(d, 0);
                char v[16];
                std::snprintf(v, sizeof v, "%.2f", I16(d, 2) / 100.0);
                version_ = v;
                productName_ = CText(d.substr(4));
                status(productName_);
            }
            break;
        default: status(Format("Unknown cmd %2d, length = %d", p.id, long(d.size()))); break;
    }
    // The unit's protocol: each record is acknowledged with its own id.
    SendPacket(kAck, std::string{char(p.id), 0});
}

void GarminLink::TrackPoint(std::string_view d) {
    if (d.size() < 13 || track_.size() >= kMaxTrackPoints) return;
    GarminTrackPoint t;
    const auto latS = static_cast<int32_t>(U32(d, 0)), lonS = static_cast<int32_t>(U32(d, 4));
    t.lat = SemicirclesToLatUnits(latS);
    t.lon = SemicirclesToLonUnits(lonS);
    t.time = U32(d, 8);
    t.newTrack = d[12] != 0;
    track_.push_back(t);
    const size_t capacity = static_cast<size_t>(expected_ > 0 ? expected_ : 1) * 128;
    if (capacity - std::min(capacity, trackText_.size()) > 80) {
        const auto part = [](int32_t units, long& deg, long& min, long& thousandths) {
            const int32_t a = units < 0 ? -units : units;
            deg = a / kUnitsPerDegree;
            min = (a % kUnitsPerDegree) / 6000;
            thousandths = (a % 6000) * 1000 / 6000;
        };
        const int32_t north = kLatOrigin - t.lat, east = t.lon - kLonOrigin;
        long ld, lm, lt, od, om, ot;
        part(north, ld, lm, lt);
        part(east, od, om, ot);
        // The unit's clock counts from 1989-12-31 00:00.
        const LocalDateTime when = FromTimeStamp(ToTimeStamp(MakeDateTime(1989, 12, 31, 0, 0, 0)) + t.time);
        char line[128];
        std::snprintf(line, sizeof line, "$GPGLL,%02ld%02ld.%03ld,%c,%03ld%02ld.%03ld,%c,%02d%02d%02d.00,A,\r\n", ld, lm,
                      lt, north < 0 ? 'S' : 'N', od, om, ot, east < 0 ? 'W' : 'E', when.hour, when.minute, when.second);
        trackText_ += line;
        if (t.newTrack) trackText_ += "\r\n";
    }
    if (received_ >= expected_) trackComplete();
}

void GarminLink::ScreenLine(std::string_view d) {
    if (d.size() == 18) {
        screenWidth_ = uint8_t(d[14]);
        screenHeight_ = uint8_t(d[16]);
        screenLine_ = 0;
        screen_.assign(static_cast<size_t>(screenWidth_) * static_cast<size_t>(screenHeight_), 0);
    } else if (screenLine_ < screenHeight_) {
        size_t x = 0;
        const size_t row = static_cast<size_t>(screenLine_) * static_cast<size_t>(screenWidth_);
        for (size_t i = 6; i < d.size() && x < static_cast<size_t>(screenWidth_); ++i)
            for (int k = 0; k < 4 && x < static_cast<size_t>(screenWidth_); ++k, ++x)
                screen_[row + x] = static_cast<uint8_t>((uint8_t(d[i]) >> (6 - 2 * k)) & 3);
        if (++screenLine_ == screenHeight_) screenComplete();
    }
    status(Format("Bitmap record, length = %d line = %3d", long(d.size()), screenLine_));
}

}  // namespace velmora
