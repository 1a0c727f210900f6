#pragma once
// What the ports hand upward: received packet lines, NMEA sentences,
// direction-finding bearings and the lines the logs keep. The program
// implements it; the ports never see the decoder or the logs themselves.
#include <string_view>

#include "stations/SourceKind.h"

namespace velmora {

enum class PortLog : uint8_t { kAprs, kNmea, kRdf };

class PortInbound {
public:
    virtual ~PortInbound() = default;
    // A monitor line from a TNC, for the decoder.
    virtual void ReceivedLine(std::string_view line, SourceKind kind) = 0;
    // An NMEA sentence, for the GPS reader.
    virtual void NmeaSentence(std::string_view sentence) = 0;
    // A direction-finding report ("%" line or three digits).
    virtual void Bearing(std::string_view text) = 0;
    virtual void Log(PortLog log, std::string_view line) = 0;
};

}  // namespace velmora
