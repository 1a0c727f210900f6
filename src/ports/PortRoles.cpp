#include "ports/PortRoles.h"

#include <cctype>

namespace velmora {
namespace {

bool ThreeDigits(std::string_view s) {
    return s.size() == 3 && std::isdigit(static_cast<unsigned char>(s[0])) &&
           std::isdigit(static_cast<unsigned char>(s[1])) && std::isdigit(static_cast<unsigned char>(s[2]));
}

}  // namespace

void PortRoles::Dispatch(int index, std::string_view data) {
    switch (index) {
        case kPortHfTnc:
        case kPortVhfTnc:
            if (settings_.For(index).kiss) {
                if (handOffs_.kissReceive) handOffs_.kissReceive(index, data);
            } else {
                TncLine(index, data);
            }
            break;
        case kPortGps: GpsLine(data); break;
        case kPortWeather:
            if (settings_.weatherType != 1 && handOffs_.weatherInput) handOffs_.weatherInput(data);
            break;
        case kPortRdf:
            if ((!data.empty() && data[0] == '%') || ThreeDigits(data)) RdfLine(data);
            else if (!data.empty() && data[0] == '$') GpsLine(data);
            else if (!data.empty()) PacketLine(data, SourceKind::kVhf);
            break;
        case kPortBinaryGps:
            if (handOffs_.binaryGps) handOffs_.binaryGps(data);
            break;
        default: break;  // port 6 has no role; 0 and 8 only show what they get
    }
}

void PortRoles::RawInput(int index, std::string_view block) {
    // The VHF TNC's input is copied to the auxiliary port as it came.
    if (index == kPortVhfTnc && !block.empty()) ports_.WritePort(kPortAux, block);
    if (index == terminalPort_ && handOffs_.terminal) handOffs_.terminal(block, 0);
}

void PortRoles::TncLine(int index, std::string_view line) {
    if (line.empty()) return;
    if (handOffs_.terminal) handOffs_.terminal(line, index == kPortHfTnc ? 3 : 6);
    if (line[0] == '$') {
        // NMEA from a GPS that shares the TNC's cable, only when allowed.
        if (settings_.For(index).allowGps) GpsLine(line);
        return;
    }
    if (index == kPortVhfTnc && line[0] == '%') {
        RdfLine(line);
        return;
    }
    PacketLine(line, index == kPortHfTnc ? SourceKind::kHf : SourceKind::kVhf);
}

void PortRoles::GpsLine(std::string_view line) {
    if (line.size() > 1 && line[0] == ' ' && line[1] == '$') line.remove_prefix(1);
    inbound_.Log(PortLog::kNmea, line);
    inbound_.Log(PortLog::kRdf, line);
    inbound_.NmeaSentence(line);
}

void PortRoles::RdfLine(std::string_view line) {
    inbound_.Log(PortLog::kRdf, line);
    inbound_.Bearing(line);
}

void PortRoles::PacketLine(std::string_view line, SourceKind kind) {
    inbound_.Log(PortLog::kAprs, line);
    inbound_.ReceivedLine(line, kind);
}

}  // namespace velmora
