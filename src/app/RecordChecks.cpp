#include "app/RecordChecks.h"

#include <algorithm>
#include <cctype>

#include "app/PortSettingsForm.h"
#include "app/SettingsChecks.h"
#include "app/SettingsForms.h"
#include "app/TncSettingsForm.h"

namespace velmora {

std::string PositionProblem(const Preferences& p) {
    struct Axis {
        PrefKey degrees, minutes, seconds;
        int limit;
        const char* name;
    };
    for (const Axis& a : {Axis{pref::kOwnLatDegrees, pref::kOwnLatMinutes, pref::kOwnLatSeconds, 90, "Latitude"},
                          Axis{pref::kOwnLonDegrees, pref::kOwnLonMinutes, pref::kOwnLonSeconds, 180, "Longitude"}}) {
        const int64_t d = p.Number(a.degrees), m = p.Number(a.minutes), sec = p.Number(a.seconds);
        if (m < 0 || m > 59) return "Minutes must be between 0 and 59";
        if (sec < 0 || sec > 59) return "Seconds must be between 0 and 59";
        if (d < 0 || d > a.limit || (d == a.limit && (m > 0 || sec > 0)))
            return std::string(a.name) + " must be between 0 and " + std::to_string(a.limit) + " degrees";
    }
    return {};
}

std::string StationProblem(const Preferences& p) {
    if (std::string why = CallProblem(p.OwnCall()); !why.empty()) return "Call sign: " + why;
    if (std::string why = PositionProblem(p); !why.empty()) return why;
    const char table = p.Char(pref::kOwnSymbolTable);
    if (!(table == '/' || table == '\\' || std::isdigit(static_cast<unsigned char>(table)) ||
          std::isupper(static_cast<unsigned char>(table))))
        return "The symbol table is / or \\ (or an overlay letter or digit)";
    const char code = p.Char(pref::kOwnSymbolCode);
    if (code < '!' || code > '~') return "The symbol code is one character from ! to ~";
    const int64_t utc = p.Number(pref::kUtcOffset);
    if (utc < -12 || utc > 14) return "The UTC offset must be between -12 and 14 hours";
    return {};
}

namespace {

std::string KissProblem(const Preferences& p) {
    for (const char* radio : {"vhf", "hf"}) {
        const std::string digi = p.Get(std::string("kiss_digi_path_") + radio).value_or("");
        if (std::string why = PathProblem(digi, "The digi path"); !why.empty()) return why;
        const std::string aliases = p.Get(std::string("alias_list_") + radio).value_or("");
        if (std::string why = PathProblem(aliases, "The alias list"); !why.empty()) return why;
    }
    return {};
}

std::string WeatherProblem(const Preferences& p) {
    const int64_t low = p.Number(pref::kAlarmLowTemperature), high = p.Number(pref::kAlarmHighTemperature);
    if (low != 0 && high != 0 && low >= high) return "The low temperature alarm must be below the high one";
    return {};
}

}  // namespace

// A line end in a text that is sent (a comment, the status, a filter, a
// path) would make a line of its own on the air or on the server link. The
// KISS-on texts are the exception: control characters divide their commands.
std::string ControlByteProblem(const Preferences& p) {
    for (const PrefField& f : PreferenceFields()) {
        if (f.type != PrefType::kText || f.name.rfind("kiss_on_text", 0) == 0) continue;
        for (const char c : p.Text(f)) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x20 || b == 0x7F) return f.name + " holds a control character (a line end, tab or escape)";
        }
    }
    return {};
}

std::vector<std::string> RecordProblems(const Preferences& p) {
    return {ControlByteProblem(p),
            StationProblem(p),
            PortSettingsForm::From(p).FirstProblem(),
            TncSettingsForm::From(p).Problem(),
            KissProblem(p),
            MessageSettingsForm::From(p).Problem(),
            GpsSettingsForm::From(p).Problem(),
            WeatherProblem(p)};
}

std::string NewProblem(const Preferences& before, const Preferences& after) {
    const std::vector<std::string> old = RecordProblems(before);
    for (const std::string& why : RecordProblems(after))
        if (!why.empty() && std::find(old.begin(), old.end(), why) == old.end()) return why;
    return {};
}

}  // namespace velmora
