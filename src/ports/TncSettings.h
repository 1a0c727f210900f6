#pragma once
// The settings the ports and the TNCs run on, built once from the
// preferences record by the program and handed in whole.
#include <array>
#include <cstdint>
#include <string>

#include "ports/PortRole.h"

namespace velmora {

// One port's device and line settings.
struct PortConfig {
    int16_t deviceNumber = 1;  // 1 for the first serial device
    std::string devicePath;    // a path, or tcp:HOST:PORT; empty: from the number
    int32_t baud = 9600;
    uint8_t parity = 0;
    uint8_t stopBits = 0;
};

// The settings of one TNC radio port (HF or VHF).
struct TncRadioSettings {
    bool kiss = false;          // the TNC speaks KISS
    bool digipeat = true;       // KISS: repeat frames for our call and aliases
    std::string digiPath;       // KISS: the path of our own frames
    std::string aliases;        // KISS: the digipeater's aliases
    std::string kissOnText;     // what turns the TNC's KISS mode on
    bool allowGps = false;      // "$" lines on this TNC are NMEA
    bool hsp = false;           // HSP cable switching between TNC and GPS
    bool picoControlE = false;  // one ^E a second keeps a Pico awake
};

struct TncSettings {
    std::array<TncRadioSettings, 2> radio;  // HF, VHF
    std::array<std::string, 11> userCommands;  // sent at start-up, "^C" for Ctrl-C
    std::string unprotoPath;
    bool dualPort = false;        // one dual-port TNC on the HF TNC's cable serves both
    int weatherType = 0;

    TncRadioSettings& For(int port) { return radio[port == kPortHfTnc ? 0 : 1]; }
    const TncRadioSettings& For(int port) const { return radio[port == kPortHfTnc ? 0 : 1]; }
    // The KISS fields of both radio ports back to their defaults.
    void ResetKissDefaults();
    // The digi paths of both ports back to their defaults; the rest stays.
    void ResetKissPaths();
};

}  // namespace velmora
