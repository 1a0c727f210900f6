#pragma once
// The texts of the own station's reports that the TNC control and start-up
// need: the destination call, the position texts, the time text, the fixed
// position report and the QRT report.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace velmora {

struct OwnReportSettings {
    std::string call = "N0CALL";
    int32_t lon = 0, lat = 0;  // position units; 0 when not set
    char symbolTable = '/', symbolCode = 'Z';
    std::string phg;  // four characters; empty or a NUL first means none
    std::string comment;
    std::string state, county, city;
    int machineCode = 0x630;
    int utcOffsetHours = 0;
    bool spaceMode = false;
};

// "APZ228" (the six-character grid locator in Space Mode with a valid position).
std::string DestinationCall(const OwnReportSettings& s);
// "DDMM.hhN" and "DDDMM.hhW".
std::string LatitudeText(int32_t lat);
std::string LongitudeText(int32_t lon);
// Local time less the UTC offset: "DDHHMMz".
std::string DayHourMinuteText(const LocalDateTime& now, int utcOffsetHours);
// "=lat/lon- comment location version\r", with PHG when set.
std::string FixedPositionReport(const OwnReportSettings& s);
// "!lat/lon- Velmora QRT @DDHHMMz\r": the beacon left in a TNC that is closed.
std::string QrtReport(const OwnReportSettings& s, const LocalDateTime& now);
// Local time less the UTC offset: "MMDDHHMM".
std::string MonthDayHourMinuteText(const LocalDateTime& now, int utcOffsetHours);

// A moving station's report: "@DDHHMMzlat/lon>CCC/SSS/ version\r", the
// speed in knots from miles an hour, truncated.
struct OwnMotion {
    int32_t lon = 0, lat = 0;
    int course = 0;
    double speedMph = 0;
};
std::string MovingPositionReport(const OwnReportSettings& s, const OwnMotion& gps, const LocalDateTime& now);
// ">DDHHMM text" as saved; empty for an empty status text. Sent only when
// at least 9 characters long.
std::string StatusReport(const LocalDateTime& saved, std::string_view text);
// "[GRID6]\r".
std::string GridSquareReport(const OwnReportSettings& s);
// "@DDHHMMzlat/lon\BBB/QQQ/\r": the last RDF bearing and quality.
std::string RdfReport(const OwnReportSettings& s, const LocalDateTime& now, int bearing, int quality);

// Own objects.
struct OwnObject {
    std::string name;
    char symbolTable = '/', symbolCode = '.';
    int32_t lon = 0, lat = 0;
    int course = 0, speed = 0;
    int32_t altitudeFeet = 0;
    std::string comment;
    std::string timeText;  // its own "DDHHMMz"
    bool deadReckoned = false;
    bool killed = false;   // "_" after the name (and after an item's name)
    bool item = false;     // ")NAME!" with no time
};
// ";NAME_____*DDHHMMzlat/lon... comment\r"; a dead-reckoned object carries
// now as its time, the position given, and " DR".
std::string ObjectReport(const OwnObject& o, const std::string& nowText);

std::string QueryAll();      // "?APRS?\r"
std::string QueryWeather();  // "?WX?\r"
std::string QueryIGates();   // "?IGATE?\r"
// "?APRS?LAT.mm,LON.mm,RAD\r" (degrees negative south and west).
std::string QueryArea(int32_t lon, int32_t lat, long radius);
// "CALL>DEST,TCPIP*:report".
std::string InternetForm(const OwnReportSettings& s, std::string_view report);

}  // namespace velmora
