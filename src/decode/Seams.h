#pragma once
// The places where received-line processing hands work to other parts of
// the program. Each does nothing until the part that owns the work is
// connected; the App replaces them as those parts are built.
#include <cstdint>
#include <string_view>

#include "decode/DecodedReport.h"
#include "decode/MonitorLine.h"
#include "stations/StationTable.h"

namespace velmora {

// Report types decoded outside the position decoders.
enum class ReportType : uint8_t {
    kObject,              // ";"
    kOldObject,           // object without ";"
    kItem,                // ")"
    kStatus,              // ">"
    kCapabilities,        // "<"
    kPositionlessWeather, // "_"
    kRawWeather,          // "!!", "#", "*", "$ULTW"
    kSentence,            // "$" other than "$ULTW"
    kDirectionFinding,    // "%"
    kGridBeacon,          // "["
    kTelemetry,           // "T#"
    kPlusBlock,           // "+"
    kGeneralQuery,        // "?"
    kOtherText,           // beacon and other text
    kGridDestination,     // grid locator destination, or "]"
    kListPosition,        // "&"
};

enum class SpotClass : uint8_t { kDxCluster, kOtherDe, kFixedColumn };

struct ReportCall {
    const MonitorLine& line;
    DecodedReport& report;
    StationIndex index;
    SourceKind kind;
    Liveness live;
    bool own;
    int depth;
};

// Where DX spots heard on the air are kept (the message list).
class SpotSink {
public:
    virtual ~SpotSink() = default;
    virtual void AddDxSpot(std::string_view firstWord, std::string_view spotter, std::string_view text,
                           TimeStamp now) = 0;
};

// Own reports a query asks for, sent out of turn on the asker's port group.
class ReportRequests {
public:
    virtual ~ReportRequests() = default;
    virtual void PositionDue(int portGroup) = 0;
    virtual void WeatherDue(int portGroup) = 0;
};

class DecodeSeams {
public:
    virtual ~DecodeSeams() = default;
    // Clients of the TCP server (ports 14439 and 23).
    virtual void RelayToServerClients(std::string_view /*rawLine*/) {}
    // Transmit queue of a radio port ("V" for VHF).
    virtual void QueueForRadio(std::string_view /*text*/, Route /*route*/) {}
    // Message reception: source, header, message text.
    virtual void ReceiveMessage(std::string_view /*source*/, std::string_view /*header*/,
                                std::string_view /*text*/, Liveness, SourceKind /*kind*/) {}
    // Outgoing messages waiting for this station's acknowledgement.
    virtual void ResendPendingMessages(StationIndex) {}
    // A line for the internet server link.
    virtual void SendToInternet(std::string_view /*text*/) {}
    // The IGate report on a port, sent at once.
    virtual void SendIgateReport(SourceKind /*port*/) {}
    // A query's footprint circle for the map windows (degrees, miles).
    virtual void ShowFootprint(double /*lat*/, double /*lon*/, double /*radiusMiles*/) {}
};

}  // namespace velmora
