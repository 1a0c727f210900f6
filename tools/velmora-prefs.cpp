// velmora-prefs [--data DIR]                    prints every field, "name value" a line
// velmora-prefs [--data DIR] get NAME           prints one field's value
// velmora-prefs [--data DIR] set NAME VALUE     sets one field and saves
// own_lat and own_lon give decimal degrees (north, east positive) and take
// any form a ham writes ("47 36.50N", "-122.33333"); own_position takes
// both at once ("47 36.50N 122 20.00W") and shows back what it read. The
// hemisphere fields print as their letters.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/RecordChecks.h"
#include "app/Preferences.h"
#include "app/SettingsChecks.h"
#include "geo/PositionInput.h"
#include "platform/Clock.h"

using namespace velmora;

namespace {

int Usage() {
    std::fprintf(stderr, "usage: velmora-prefs [--data DIR] [get NAME | set NAME VALUE]\n");
    return 2;
}

// What a field takes, said with its refusal.
std::string Takes(const PrefField& f) {
    if (f.flag) return "0 off or 1 on";
    switch (f.type) {
        case PrefType::kText: return "text of at most " + std::to_string(f.size - 1) + " characters";
        case PrefType::kChar: return "one character, for example /";
        case PrefType::kByte: return "a whole number from 0 to 255";
        case PrefType::kI16: return "a whole number from -32768 to 32767";
        case PrefType::kI32: return "a whole number, for example 9600";
    }
    return {};
}

bool IsPositionName(const std::string& name) { return name == "own_lat" || name == "own_lon" || name == "own_position"; }

// Reads the typed position, sets it and says what was read; the problem otherwise.
std::string SetPosition(Preferences& p, const std::string& name, const std::string& value) {
    if (name == "own_position") {
        const PositionRead r = ReadPosition(value);
        if (!r.position) return r.problem;
        p.SetOwnLatitude(r.position->lat);
        p.SetOwnLongitude(r.position->lon);
        std::printf("own_position = %s\n", ShowPosition(r.position->lat, r.position->lon).c_str());
        return {};
    }
    const Axis axis = name == "own_lat" ? Axis::kLatitude : Axis::kLongitude;
    const CoordinateRead r = ReadCoordinate(value, axis);
    if (!r.degrees) return r.problem;
    if (axis == Axis::kLatitude) p.SetOwnLatitude(*r.degrees);
    else p.SetOwnLongitude(*r.degrees);
    std::printf("%s = %s\n", name.c_str(), ShowCoordinate(*r.degrees, axis).c_str());
    return {};
}

double Degrees(const Preferences& p, Axis axis) {
    const double units = static_cast<double>(axis == Axis::kLatitude ? p.OwnLatUnits() : p.OwnLonUnits());
    return axis == Axis::kLatitude ? (32400000 - units) / 360000 : (units - 64800000) / 360000;
}

// A field as people read it: hemispheres as letters, the rest as stored.
std::string Shown(const Preferences& p, const std::string& name) {
    std::string value = p.Get(name).value_or("");
    if (name.ends_with("_hemisphere")) {
        const int code = std::atoi(value.c_str());
        if (code > ' ' && code < 127) value = std::string(1, static_cast<char>(code));
    }
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    std::string data = ".";
    int i = 1;
    if (i + 1 < argc && std::string(argv[i]) == "--data") {
        data = argv[i + 1];
        i += 2;
    }
    DiskFiles files(data);
    Preferences prefs;
    prefs.Load(files);
    if (i == argc) {
        for (const PrefField& f : PreferenceFields()) std::printf("%s %s\n", f.name.c_str(), Shown(prefs, f.name).c_str());
        return 0;
    }
    if (argc - i == 2 && std::string(argv[i]) == "get") {
        const std::string name = argv[i + 1];
        if (name == "own_position") {
            std::printf("%.6f %.6f\n", Degrees(prefs, Axis::kLatitude), Degrees(prefs, Axis::kLongitude));
            return 0;
        }
        if (name == "own_lat" || name == "own_lon") {
            std::printf("%.6f\n", Degrees(prefs, name == "own_lat" ? Axis::kLatitude : Axis::kLongitude));
            return 0;
        }
        if (!FindPreferenceField(name)) {
            std::fprintf(stderr, "velmora-prefs: no setting named %s\n", name.c_str());
            return 1;
        }
        std::printf("%s\n", Shown(prefs, name).c_str());
        return 0;
    }
    if (argc - i != 3 || std::string(argv[i]) != "set") return Usage();
    const std::string name = argv[i + 1];
    // A path is kept as the dialogs keep it, and shown back when tidied.
    const std::string value = IsPathSetting(name) ? TidyPath(argv[i + 2]) : std::string(argv[i + 2]);
    if (value != argv[i + 2]) std::printf("%s = %s\n", name.c_str(), value.c_str());
    const bool position = IsPositionName(name);
    if (!position && !FindPreferenceField(name)) {
        std::fprintf(stderr, "velmora-prefs: no setting named %s\n", name.c_str());
        return 1;
    }
    const Preferences before = prefs;
    if (position) {
        if (const std::string why = SetPosition(prefs, name, value); !why.empty()) {
            std::fprintf(stderr, "velmora-prefs: %s: %s\n", name.c_str(), why.c_str());
            return 1;
        }
    } else if (!prefs.Set(name, value)) {
        std::fprintf(stderr, "velmora-prefs: %s does not take the value \"%s\" (%s)\n", name.c_str(), value.c_str(),
                     Takes(*FindPreferenceField(name)).c_str());
        return 1;
    }
    // What a settings dialog would refuse is refused here too, in its words.
    if (const std::string why = NewProblem(before, prefs); !why.empty()) {
        std::fprintf(stderr, "velmora-prefs: %s: %s\n", name.c_str(), why.c_str());
        return 1;
    }
    // The position as report text and the status report as sent follow
    // the settings they are made from.
    if (position || name.rfind("own_l", 0) == 0 || name == "status_text") {
        SystemClock clock;
        prefs.RegenerateReportTexts(clock.Now());
    }
    if (!prefs.Save(files)) {
        std::fprintf(stderr, "velmora-prefs: cannot write %s\n", files.RealPath(Preferences::kFileName).c_str());
        return 1;
    }
    return 0;
}
