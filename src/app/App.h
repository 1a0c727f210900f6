#pragma once
// The one object that owns the program's state: tables, settings, counters
// and the connections to the platform. Tests build as many as they like.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/Logs.h"
#include "app/MemoryClass.h"
#include "gps/GpsState.h"
#include "decode/DecodeContext.h"
#include "lists/StatusLog.h"
#include "messaging/MessageStore.h"
#include "transmit/ScheduleCounters.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Notices.h"

namespace velmora {

struct Platform {
    const Clock& clock;
    NoticeSink& notices;
    const FileAccess& files;
};

struct AppOptions {
    int memoryClass = 2;
    // Station-table capacity; the memory class's value when not given.
    std::optional<int32_t> stationCapacity;
};

class App final : private SpotSink, private ReportRequests {
public:
    App(Platform platform, AppOptions options = {});
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The received-line entry for lines from outside (depth 0).
    // gating: kNever for a line that must not reach a radio port whatever it
    // holds (an unverified link or client, a client not allowed to RF).
    void ProcessReceivedLine(std::string line, Liveness live, SourceKind kind, Gating gating = Gating::kAllowed);
    // Whether the line being decoded may be passed on to radio: it was not
    // cut and its source may reach the air.
    bool MayGateCurrentLine() const { return gating_ == Gating::kAllowed && !counters_.lineCut; }

    // Releases every station and feeds the own position again, so the own
    // station is index 0.
    void ClearStations();
    // Removes every station not heard for this many hours (the own station
    // and locked ones stay), closing the gaps; every index held anywhere
    // follows. Returns how many went.
    int RemoveStationsNotHeardFor(int hours);
    // Reads "Stations.txt" from the data folder.
    int LoadStationFlags();
    // Reads the DX prefix table ("DXlist.dat"); the file is optional.
    int LoadDxPrefixes();

    void SetOwnCall(std::string_view call) { own_.call = call; }
    // Home position in degrees, north and east positive.
    void SetHome(double latDegrees, double lonDegrees);
    // The stored units as they are: through degrees and back they can move
    // by a unit, and a second on the air.
    void SetHomeUnits(int32_t lat, int32_t lon) {
        own_.homeLat = lat;
        own_.homeLon = lon;
    }
    void ClearHome() { own_.homeLon = own_.homeLat = 0; }

    // Replaces the do-nothing hand-offs; the object must outlive the App.
    void UseSeams(DecodeSeams& seams) { seams_ = &seams; }

    const MemoryCapacities& Capacities() const { return capacities_; }
    const OwnStation& Own() const { return own_; }
    StationTable& Stations() { return *table_; }
    const StationTable& Stations() const { return *table_; }
    StationFlagsFile& Flags() { return flags_; }
    StationSettings& StationOptions() { return stationSettings_; }
    DecodeSettings& DecodeOptions() { return decodeSettings_; }
    const PacketStatistics& Statistics() const { return stats_; }
    const ActivityTable& Activity() const { return *activity_; }
    const TncPortState& TncPorts() const { return ports_; }
    TncPortState& TncPorts() { return ports_; }
    const DecodeCounters& Counters() const { return counters_; }
    const RecordedStationEvents& Events() const { return events_; }
    // A listener to every station event, for as long as it lives.
    void ListenToStations(StationEvents& listener) { events_.listeners.push_back(&listener); }
    const HistoryBuffer& History() const { return history_; }
    // A station-exchange line from a server (":CALLSIGN_00...").
    bool ReadStationExchange(std::string_view line);
    // A line the station sent, into the history under the own station.
    void RecordTransmitted(std::string_view line);
    MessageStore& Messages() { return messages_; }
    // What finds, adds and announces stations, for the parts outside decoding.
    StationContext& StationUpdates() { return stationContext_; }
    const WaypointTable& Waypoints() const { return waypoints_; }
    DxPrefixTable& DxPrefixes() { return dxPrefixes_; }
    ScheduleCounters& Schedule() { return schedule_; }
    const DfLine& LastDfLine() const { return dfLine_; }
    DfLine& DfLines() { return dfLine_; }
    // The platform as the core uses it: its notices go through the status log.
    const Platform& PlatformLayer() const { return platform_; }
    StatusLog& Status() { return status_; }

    // An NMEA sentence from a port or a log. The GPS reader takes the
    // position; a speed of 11 or more makes the course the one bearings are
    // taken against. show: the sentence is shown where a GPS window exists.
    void TakeNmea(std::string_view sentence, bool show, Liveness live, GpsSource source = GpsSource::kSerial);
    // A fix from elsewhere (gpsd), on the same path.
    void TakeGpsFix(const GpsFix& fix, bool show, Liveness live, GpsSource source);
    const GpsState& Gps() const { return gps_; }
    GpsState& Gps() { return gps_; }
    long GpsBadSentences() const { return gpsBadSentences_; }
    // A direction-finding report, against the last GPS position and course.
    void TakeBearing(std::string_view text);
    int32_t GpsLon() const { return gpsLon_; }
    int32_t GpsLat() const { return gpsLat_; }
    int16_t BearingCourse() const { return bearingCourse_; }

    LogSet& Logs() { return logs_; }
    const LogSet& Logs() const { return logs_; }

    // The hour's slot of the packet statistics, cleared as the hour begins.
    void ClearStatisticsHour(int hour) { stats_.ClearHourSlot(hour); }
    ActivityTable& MutableActivity() { return *activity_; }
    // The statistics kept across a restart.
    std::string StatisticsBytes() { return StatisticsFileBytes(stats_, *activity_); }
    bool LoadStatistics(std::string_view bytes) { return ReadStatisticsFile(bytes, stats_, *activity_); }

    // The clock every part reads: refreshed for each received line.
    const CachedClock& Now() const { return clock_; }
    void RefreshClock() { clock_.Refresh(); }

    // The own position line fed at start-up and by Clear Stations; empty
    // (nothing fed) until the own report formats exist, except for a plain
    // position of the home when one is set.
    std::string OwnPositionLine() const;
    // The own position line as the own report formats build it.
    void SetOwnPositionLine(std::string line) { ownLine_ = std::move(line); }

private:
    DecodeContext Context();
    void AddDxSpot(std::string_view firstWord, std::string_view spotter, std::string_view text,
                   TimeStamp now) override {
        messages_.AddDxSpot(firstWord, spotter, text, now);
    }
    void PositionDue(int group) override { schedule_.positionNow[group] = true; }
    void WeatherDue(int group) override { schedule_.weatherNow[group] = true; }

    StatusLog status_;     // before platform_, whose notices it is
    Platform platform_;
    CachedClock clock_;
    MemoryCapacities capacities_;
    OwnStation own_;
    StationSettings stationSettings_;
    DecodeSettings decodeSettings_;
    std::unique_ptr<StationTable> table_;
    HistoryBuffer history_;
    StationFlagsFile flags_;
    PacketStatistics stats_;
    std::unique_ptr<ActivityTable> activity_;
    TncPortState ports_;
    DecodeCounters counters_;
    Gating gating_ = Gating::kAllowed;
    RecordedStationEvents events_;
    MessageStore messages_;
    WaypointTable waypoints_;
    DxPrefixTable dxPrefixes_;
    ScheduleCounters schedule_;
    DfLine dfLine_;
    int32_t gpsLon_ = 0, gpsLat_ = 0;
    GpsState gps_;
    long gpsBadSentences_ = 0;
    int16_t bearingCourse_ = 0;
    LogSet logs_;
    std::string ownLine_;
    DecodeTables tables_;
    DecodeSeams noSeams_;
    DecodeSeams* seams_ = &noSeams_;
    StationContext stationContext_;
};

}  // namespace velmora
