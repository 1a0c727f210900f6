#pragma once
// The destination callsign says what kind of packet a line carries and,
// for most APRS programs, which software sent it and its version.
#include <cstdint>
#include <string_view>

#include "stations/FourCC.h"

namespace velmora {

enum PacketClass : uint16_t {
    kClassNotAprs = 0,
    kClassAprs = 128,
    kClassBeacon = 129,
    kClassId = 131,
    kClassDfne = 132,
    kClassTime = 133,
    kClassMail = 134,
    kClassQst = 135,
    kClassDgps = 140,
    kClassMicE = 146,
    kClassDxSpot = 148,
    kClassWwv = 149,
    kClassOtherSpot = 150,
    kClassFixedColumnSpot = 151,
    kClassAprt = 157,
    kClassGridSquare = 159,
    kClassJava = 160,
};

struct DestinationClass {
    uint16_t packetClass = kClassNotAprs;
    FourCC software = 0;
    std::string_view version;  // points into the destination
};

DestinationClass ClassifyDestination(std::string_view destination, std::string_view info);

// Classes whose information field goes on to the data-type dispatch.
bool DispatchedClass(uint16_t packetClass);

}  // namespace velmora
