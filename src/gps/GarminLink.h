#pragma once
// The "Garmin GPS Control" link in Garmin's binary protocol: identifying
// the unit, downloading its track log (kept as points, as NMEA GLL text and
// as a map overlay) and its waypoints, uploading waypoints, and fetching
// its screen. Every handled packet is acknowledged.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gps/GarminPacket.h"
#include "platform/Clock.h"

namespace velmora {

struct GarminTrackPoint {
    uint32_t time = 0;  // seconds since 1989-12-31 00:00
    bool newTrack = false;
    int32_t lat = 0, lon = 0;  // position units
};

struct GarminWaypoint {
    std::string ident;    // up to 6 characters
    std::string comment;  // up to 40
    int32_t lat = 0, lon = 0;
};

// Semicircles (2^31 to 180 degrees) to position units, and back.
int32_t SemicirclesToLatUnits(int32_t semicircles);
int32_t SemicirclesToLonUnits(int32_t semicircles);
int32_t LatUnitsToSemicircles(int32_t lat);
int32_t LonUnitsToSemicircles(int32_t lon);

// A waypoint in the unit's D100 form (58 bytes) and back.
std::string EncodeWaypoint(const GarminWaypoint& w);
bool DecodeWaypoint(std::string_view data, GarminWaypoint& out);

class GarminLink {
public:
    static constexpr size_t kMaxTrackPoints = 2048;
    static constexpr size_t kMaxWaypoints = 2048;  // more than any unit holds
    enum Command : uint8_t { kTransferTrack = 6, kTransferWaypoints = 7, kScreen = 32 };

    // Where the link's bytes go and what it says.
    std::function<void(std::string_view bytes)> send = [](std::string_view) {};
    std::function<void(std::string_view text)> status = [](std::string_view) {};
    std::function<void()> beep = [] {};

    void SetOpen(bool open) { open_ = open; }
    bool Open() const { return open_; }
    // Bytes from the port, as they came.
    void Input(std::string_view bytes);

    // The window's buttons.
    void RequestProduct();
    void SendCommand(uint8_t command);
    void DownloadWaypoints();
    void UploadWaypoints();

    int16_t ProductId() const { return productId_; }
    const std::string& ProductName() const { return productName_; }
    const std::string& Version() const { return version_; }
    const std::vector<GarminTrackPoint>& Track() const { return track_; }
    const std::string& TrackText() const { return trackText_; }
    std::vector<GarminWaypoint>& Waypoints() { return waypoints_; }
    const std::vector<GarminWaypoint>& Waypoints() const { return waypoints_; }
    long ExpectedRecords() const { return expected_; }
    long ReceivedRecords() const { return received_; }
    long NakCount() const { return naks_; }
    const GarminAssembler& Assembler() const { return assembler_; }
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }
    const std::vector<uint8_t>& ScreenPixels() const { return screen_; }  // 2-bit values, row by row
    // The screen image's last line arrived.
    std::function<void()> screenComplete = [] {};
    // The last announced track record arrived (the map's overlay follows).
    std::function<void()> trackComplete = [] {};

private:
    void Handle(const GarminPacket& p);
    void TrackPoint(std::string_view data);
    void ScreenLine(std::string_view data);
    void SendPacket(uint8_t id, std::string_view data);
    void SendNextWaypoint();

    bool open_ = false;
    GarminAssembler assembler_;
    int16_t productId_ = 0;
    std::string productName_, version_;
    long expected_ = 0, received_ = 0, naks_ = 0;
    std::vector<GarminTrackPoint> track_;
    std::string trackText_;
    std::vector<GarminWaypoint> waypoints_;
    bool uploading_ = false;
    size_t uploadIndex_ = 0;
    int screenWidth_ = 0, screenHeight_ = 0, screenLine_ = 0;
    std::vector<uint8_t> screen_;
};

}  // namespace velmora
