#pragma once
// AX.25 frames as KISS carries them: the address fields, the control and
// protocol bytes, and the information field; and the monitor text a TNC
// would print for a UI frame.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

struct Ax25Address {
    std::string call;  // up to 6 characters, no padding
    uint8_t ssid = 0;  // 0-15
    bool repeated = false;  // the H bit of a digipeater ("*")
    bool last = false;      // the extension bit: the last address

    // "CALL" or "CALL-SSID".
    std::string Text() const;
};

enum class FrameKind : uint8_t { kI, kS, kU, kUi };

enum class Ax25Status : uint8_t {
    kOk,
    kTruncatedAddress,  // the frame ends inside the address fields
    kTooManyDigis,      // more than 8 digipeaters
    kNoControl,         // no control byte after the addresses
    kBadCall,           // a call character that is not a letter, digit or blank
};

struct Ax25Frame {
    static constexpr size_t kMaxDigis = 8;
    static constexpr size_t kMaxInfo = 1500;

    Ax25Address destination, source;
    std::array<Ax25Address, kMaxDigis> digis{};
    uint8_t digiCount = 0;
    uint8_t lastRepeated = 0;  // index of the last repeated digipeater plus 1; 0 none
    uint8_t control = 0x03;
    uint8_t pid = 0xF0;
    FrameKind kind = FrameKind::kUi;
    std::string info;
};

Ax25Status DecodeAx25(std::string_view bytes, Ax25Frame& frame);
// The frame's bytes (addresses with their extension bit set on the last).
std::string EncodeAx25(const Ax25Frame& frame);

// "SRC>DEST,DIGI1,DIGI2*:info": the last repeated digipeater carries "*".
// Empty for a frame whose information holds NUL, CR or LF (nothing heard on
// the air can put a second line into a feed); other control bytes are
// taken out (PacketText), 8-bit bytes kept.
std::string MonitorText(const Ax25Frame& frame);

// A call with an optional SSID ("WIDE2-1") as an address; false when it
// does not fit (more than 6 characters, SSID above 15).
bool ParseAx25Address(std::string_view text, Ax25Address& out);

}  // namespace velmora
