#pragma once
// The texts of the own station's reports that the TNC control and start-up
// need: the destination call, the position texts, the time text, the fixed
// position report and the QRT report.
#include <cstdint>
#include <string>

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

}  // namespace velmora
