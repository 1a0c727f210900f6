#pragma once
// The first-start assistant as plain state: a new station's call, where it
// is, its symbol and how it reaches APRS, checked in the operator's words
// and written into the preferences in one go.
#include <string>
#include <string_view>

#include "app/Preferences.h"

namespace velmora {

enum class FirstConnection : unsigned char { kKissSerial, kKissNetwork, kTextSerial, kInternetOnly };

struct SymbolChoice {
    char table, code;
    const char* name;
};
// The symbols a new station most often wants.
inline constexpr SymbolChoice kFirstStartSymbols[] = {
    {'/', '-', "House"},   {'/', '>', "Car"},        {'/', '[', "Walker"},          {'/', 'b', "Bicycle"},
    {'/', 'k', "Truck"},   {'/', 'R', "Motor home"}, {'/', '_', "Weather station"}, {'/', '#', "Digipeater"},
    {'I', '&', "IGate"},   {'/', 'Y', "Boat"},
};

struct FirstStartForm {
    std::string call;
    double latitude = 0, longitude = 0;  // north and east positive
    bool positionFromGpsd = false;       // the position comes from gpsd instead
    std::string gpsDevice;               // or from a GPS on this serial port (4800 baud)
    size_t symbol = 0;                   // into kFirstStartSymbols
    FirstConnection connection = FirstConnection::kInternetOnly;
    std::string device;                  // the TNC's serial device, or tcp:HOST:PORT
    int baud = 9600;
    int rangeKm = 100;                   // the internet's stations round home

    // The position as typed (any form hams write) into latitude and
    // longitude; the problem, with an example, when it cannot be read. Both
    // empty means no typed position.
    std::string TakePosition(std::string_view latitudeText, std::string_view longitudeText);
    // The first thing wrong, as the assistant says it; empty when it may be written.
    std::string Problem() const;
    void Apply(Preferences& prefs, const LocalDateTime& now) const;
};

}  // namespace velmora
