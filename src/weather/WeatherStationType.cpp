#include "weather/WeatherStationType.h"

namespace velmora {
namespace {

// The dialog's entries are the station makers' own spellings as the
// operator has always seen them.
constexpr WeatherStationType kTypes[] = {
    {0, "None", "Unused", StationInput::kLines, ""},
    {1, "Manual Entry", "Manual", StationInput::kNone, ""},
    {2, "Peet Bros Ultimeter II", "Ultimeter II", StationInput::kLines, ""},
    {3, "Peet Bros U-2000", "U-2000", StationInput::kLines, ""},
    {4, "Heathkit 5001 / Questech", "HK 5001", StationInput::kLines, "ATXSA\r"},
    {5, "Davis Intsruments", "Davis", StationInput::kBytes, "LOOP  \r"},
    {6, "Texas Wx Station", "Texas", StationInput::kLines, ""},
    {7, "Maximum WeatherMAX", "WeatherMAX", StationInput::kLines, "DRTDA\r"},
    {8, "Capricorn II", "Capricorn II", StationInput::kLines, ""},
    {9, "Radio Shack WX-200", "RS WX-200", StationInput::kBytes, ""},
    {11, "Davis Intsruments (No Presssure)", "Unused", StationInput::kBytes, "LOOP  \r"},
    {12, "wxnow.txt file (WeeWX, Cumulus)", "wxnow.txt", StationInput::kFile, ""},
};

}  // namespace

std::span<const WeatherStationType> WeatherStationTypes() { return kTypes; }

const WeatherStationType& WeatherStationTypeOf(int code) {
    for (const WeatherStationType& t : kTypes)
        if (t.code == code) return t;
    return kTypes[0];
}

}  // namespace velmora
