#include "app/FirstStartForm.h"

#include <cctype>
#include <cmath>

#include "app/PortSettingsForm.h"
#include "app/SettingsChecks.h"
#include "geo/PositionInput.h"
#include "ports/TcpDevice.h"

namespace velmora {

std::string FirstStartForm::TakePosition(std::string_view latitudeText, std::string_view longitudeText) {
    const auto blank = [](std::string_view t) { return t.find_first_not_of(" \t") == std::string_view::npos; };
    if (blank(latitudeText) && blank(longitudeText)) {
        latitude = longitude = 0;
        return {};
    }
    const CoordinateRead lat = ReadCoordinate(latitudeText, Axis::kLatitude);
    if (!lat.degrees) return "Latitude: " + lat.problem;
    const CoordinateRead lon = ReadCoordinate(longitudeText, Axis::kLongitude);
    if (!lon.degrees) return "Longitude: " + lon.problem;
    latitude = *lat.degrees;
    longitude = *lon.degrees;
    return {};
}

std::string FirstStartForm::Problem() const {
    if (call.empty() || call == "N0CALL") return "Please enter your own call sign";
    if (std::string why = CallProblem(call); !why.empty()) return "Call sign: " + why;
    if (!std::isfinite(latitude) || latitude < -90 || latitude > 90) return "Latitude must be between -90 and 90 degrees";
    if (!std::isfinite(longitude) || longitude < -180 || longitude > 180)
        return "Longitude must be between -180 and 180 degrees";
    if (!gpsDevice.empty()) {
        if (positionFromGpsd) return "Take the position from gpsd or from a serial GPS, not both";
        if (IsTcpDevice(gpsDevice)) return "A serial GPS is a device such as /dev/ttyACM0; gpsd is the other choice";
        if (std::string why = DeviceProblem(gpsDevice); !why.empty()) return "GPS: " + why;
        if (connection != FirstConnection::kInternetOnly && connection != FirstConnection::kKissNetwork &&
            gpsDevice == device)
            return "The GPS and the TNC cannot share " + device;
    } else if (!positionFromGpsd && latitude == 0 && longitude == 0) {
        return "Please enter your position (or take it from a GPS)";
    }
    if (symbol >= std::size(kFirstStartSymbols)) return "Please choose a symbol";
    switch (connection) {
        case FirstConnection::kKissSerial:
        case FirstConnection::kTextSerial:
            if (device.empty()) return "Please choose the TNC's serial device";
            if (IsTcpDevice(device)) return "A TNC on the network is the third choice, KISS over TCP";
            return DeviceProblem(device);
        case FirstConnection::kKissNetwork:
            if (!IsTcpDevice(device)) return "A network TNC is written tcp:HOST:PORT, such as tcp:localhost:8001";
            return DeviceProblem(device);
        case FirstConnection::kInternetOnly:
            if (rangeKm < 1 || rangeKm > 5000) return "The range round home must be between 1 and 5000 km";
            return {};
    }
    return {};
}

void FirstStartForm::Apply(Preferences& p, const LocalDateTime& now) const {
    std::string upper = call;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    (void)p.SetText(pref::kOwnCall, upper);
    const bool serialGps = !gpsDevice.empty();
    // A typed position is where the station is until a GPS says otherwise.
    if (latitude != 0 || longitude != 0) {
        p.SetOwnLatitude(latitude);
        p.SetOwnLongitude(longitude);
    }
    (void)p.SetNumber(pref::kGpsSource, positionFromGpsd ? 1 : 0);
    if (serialGps) {
        // NMEA receivers speak at 4800 baud unless set otherwise.
        (void)p.Set(PortFieldName(kPortGps, PortField::kDevice), gpsDevice);
        (void)p.Set(PortFieldName(kPortGps, PortField::kBaud), "4800");
    }
    (void)p.SetNumber(pref::kAutoInputGps, serialGps ? 1 : 0);
    const SymbolChoice& s = kFirstStartSymbols[symbol < std::size(kFirstStartSymbols) ? symbol : 0];
    (void)p.SetNumber(pref::kOwnSymbolTable, s.table);
    (void)p.SetNumber(pref::kOwnSymbolCode, s.code);
    const bool tnc = connection != FirstConnection::kInternetOnly;
    if (tnc) {
        (void)p.Set("port2_device", device);
        (void)p.Set("port2_baud", std::to_string(baud));
        (void)p.SetNumber(pref::kKissEnabledVhf, connection == FirstConnection::kTextSerial ? 0 : 1);
    }
    // The chosen way in opens by itself from now on.
    (void)p.SetNumber(pref::kAutoInputVhfTnc, tnc ? 1 : 0);
    (void)p.SetNumber(pref::kAutostartTcp, tnc ? 0 : 1);
    (void)p.SetNumber(pref::kInternetRangeKm, rangeKm);
    p.RegenerateReportTexts(now);
}

}  // namespace velmora
