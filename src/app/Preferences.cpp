#include "app/Preferences.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "geo/Position.h"
#include "transmit/OwnReports.h"

namespace velmora {
namespace {

size_t Width(const PrefField& f) {
    switch (f.type) {
        case PrefType::kI16: return 2;
        case PrefType::kI32: return 4;
        case PrefType::kByte: case PrefType::kChar: return 1;
        case PrefType::kText: return f.size;
    }
    return 0;
}

}  // namespace

int64_t Preferences::Number(PrefKey key) const {
    const PrefField* f = FindPreferenceField(key.name);
    return f ? Number(*f) : 0;
}

std::string Preferences::Text(PrefKey key) const {
    const PrefField* f = FindPreferenceField(key.name);
    return f ? Text(*f) : std::string();
}

bool Preferences::SetNumber(PrefKey key, int64_t value) {
    const PrefField* f = FindPreferenceField(key.name);
    if (!f || f->type == PrefType::kText) return false;
    SetNumber(*f, value);
    return true;
}

bool Preferences::SetText(PrefKey key, std::string_view value) {
    const PrefField* f = FindPreferenceField(key.name);
    if (!f || f->type != PrefType::kText) return false;
    SetText(*f, value);
    return true;
}

void Preferences::SetDefaults() {
    bytes_.fill(0);
    for (const PrefField& f : PreferenceFields()) {
        if (f.type == PrefType::kText) SetText(f, f.defaultText);
        else SetNumber(f, f.defaultNumber);
    }
    RecomputeOwnPosition();
}

int64_t Preferences::Number(const PrefField& f) const {
    const uint8_t* p = bytes_.data() + f.offset;
    switch (f.type) {
        case PrefType::kI16: return static_cast<int16_t>(p[0] | p[1] << 8);
        case PrefType::kI32:
            return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                        static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
        case PrefType::kByte: return p[0];
        case PrefType::kChar: return static_cast<unsigned char>(p[0]);
        case PrefType::kText: return 0;
    }
    return 0;
}

void Preferences::SetNumber(const PrefField& f, int64_t v) {
    uint8_t* p = bytes_.data() + f.offset;
    const size_t width = Width(f);
    for (size_t i = 0; i < width && f.type != PrefType::kText; ++i) p[i] = static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i));
}

std::string Preferences::Text(const PrefField& f) const {
    const char* p = reinterpret_cast<const char*>(bytes_.data() + f.offset);
    size_t n = 0;
    while (n < f.size && p[n] != '\0') ++n;
    return std::string(p, n);
}

void Preferences::SetText(const PrefField& f, std::string_view v) {
    uint8_t* p = bytes_.data() + f.offset;
    std::fill(p, p + f.size, 0);
    // A field the full width of its slot has no NUL, as a fixed table of
    // symbols does; other texts always end with one.
    const size_t n = std::min<size_t>(v.size(), f.name == "ssid_symbols" ? f.size : f.size - 1u);
    std::copy(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n), p);
}

std::optional<std::string> Preferences::Get(std::string_view name) const {
    const PrefField* f = FindPreferenceField(name);
    if (!f) return std::nullopt;
    if (f->type == PrefType::kText) return Text(*f);
    if (f->type == PrefType::kChar) return std::string(1, static_cast<char>(Number(*f)));
    return std::to_string(Number(*f));
}

bool Preferences::Set(std::string_view name, std::string_view value) {
    const PrefField* f = FindPreferenceField(name);
    if (!f) return false;
    if (f->type == PrefType::kText) {
        if (value.size() >= f->size) return false;
        SetText(*f, value);
        return true;
    }
    if (f->type == PrefType::kChar) {
        if (value.size() != 1) return false;
        SetNumber(*f, static_cast<unsigned char>(value[0]));
        return true;
    }
    const std::string s(value);
    char* end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (s.empty() || *end) return false;
    const bool fits = f->type == PrefType::kI16 ? (v >= -32768 && v <= 32767)
                      : f->type == PrefType::kByte ? (v >= 0 && v <= 255)
                                                   : (v >= INT32_MIN && v <= INT32_MAX);
    if (!fits || (f->flag && v != 0 && v != 1)) return false;
    SetNumber(*f, v);
    return true;
}

namespace {
// The degree, minute, second, hundredth and hemisphere fields of one axis.
struct AxisKeys {
    PrefKey degrees, minutes, seconds, hundredths, hemisphere;
};
constexpr AxisKeys kLatKeys{pref::kOwnLatDegrees, pref::kOwnLatMinutes, pref::kOwnLatSeconds, pref::kOwnLatHundredths,
                            pref::kOwnLatHemisphere};
constexpr AxisKeys kLonKeys{pref::kOwnLonDegrees, pref::kOwnLonMinutes, pref::kOwnLonSeconds, pref::kOwnLonHundredths,
                            pref::kOwnLonHemisphere};

void SplitDegrees(Preferences& p, const AxisKeys& k, double degrees, char positive, char negative) {
    const int64_t hundredthsOfSeconds = std::llround(std::fabs(degrees) * 360000);
    (void)p.SetNumber(k.degrees, hundredthsOfSeconds / 360000);
    (void)p.SetNumber(k.minutes, hundredthsOfSeconds / 6000 % 60);
    (void)p.SetNumber(k.seconds, hundredthsOfSeconds / 100 % 60);
    (void)p.SetNumber(k.hundredths, hundredthsOfSeconds % 100);
    (void)p.SetNumber(k.hemisphere, degrees < 0 ? negative : positive);
}
}  // namespace

void Preferences::RecomputeOwnPosition() {
    auto units = [this](const AxisKeys& k) {
        return Number(k.degrees) * kUnitsPerDegree + Number(k.minutes) * 6000 + Number(k.seconds) * 100 +
               Number(k.hundredths);
    };
    // A field out of its range (a damaged file) gives no position rather
    // than one that overflows or lies across the globe.
    auto fits = [this](const AxisKeys& k, int64_t maxDegrees) {
        const int64_t d = Number(k.degrees), m = Number(k.minutes), s = Number(k.seconds), h = Number(k.hundredths);
        return d >= 0 && d <= maxDegrees && m >= 0 && m < 60 && s >= 0 && s < 60 && h >= 0 && h < 100;
    };
    const int64_t lat = units(kLatKeys), lon = units(kLonKeys);
    if (!fits(kLatKeys, 90) || !fits(kLonKeys, 180) || lat > 90 * kUnitsPerDegree || lon > 180 * kUnitsPerDegree) {
        (void)SetNumber(pref::kOwnLatUnits, 0);
        (void)SetNumber(pref::kOwnLonUnits, 0);
        return;
    }
    // Files written elsewhere have the letters in lower case too.
    const bool south = Number(pref::kOwnLatHemisphere) == 'S' || Number(pref::kOwnLatHemisphere) == 's';
    const bool east = Number(pref::kOwnLonHemisphere) == 'E' || Number(pref::kOwnLonHemisphere) == 'e';
    (void)SetNumber(pref::kOwnLatUnits, south ? kLatOrigin + lat : kLatOrigin - lat);
    (void)SetNumber(pref::kOwnLonUnits, east ? kLonOrigin + lon : kLonOrigin - lon);
}

void Preferences::SetOwnLatitude(double degrees) {
    SplitDegrees(*this, kLatKeys, degrees, 'N', 'S');
    RecomputeOwnPosition();
}

void Preferences::SetOwnLongitude(double degrees) {
    SplitDegrees(*this, kLonKeys, degrees, 'E', 'W');
    RecomputeOwnPosition();
}

Preferences::LoadResult Preferences::LoadBytes(std::string_view bytes) {
    const size_t n = std::min(bytes.size(), kSize);
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), bytes_.begin());
    // Every record this program (or its predecessors) wrote carries a
    // program version 2.x; bytes without one are some other file.
    const int64_t major = Number(pref::kVersionMajor), minor = Number(pref::kVersionMinor);
    if (n > 2114 && (major < 1 || major > 9 || minor < 0 || minor > 99)) {
        SetDefaults();
        return LoadResult::kJunk;
    }
    for (const PrefField& f : PreferenceFields()) {
        if (f.flag && f.offset < n && Number(f) != 0 && Number(f) != 1) SetNumber(f, f.defaultNumber);
    }
    // The position numbers always follow the degrees, minutes and seconds
    // the operator set, whatever version wrote the file.
    const int32_t storedLat = OwnLatUnits(), storedLon = OwnLonUnits();
    RecomputeOwnPosition();
    textsStale_ = Number(pref::kPreferencesVersion) != kVersion || storedLat != OwnLatUnits() ||
                  storedLon != OwnLonUnits();
    return n < kSize ? LoadResult::kShort : LoadResult::kLoaded;
}

Preferences::LoadResult Preferences::Load(const FileAccess& files, size_t* bytesRead) {
    const std::optional<std::string> bytes = files.ReadWhole(files.RealPath(kFileName), kSize);
    if (!bytes) return LoadResult::kMissing;
    if (bytesRead) *bytesRead = bytes->size();
    const LoadResult result = LoadBytes(*bytes);
    onDiskKnown_ = bytes->size() == kSize && result == LoadResult::kLoaded;
    if (onDiskKnown_) std::copy(bytes->begin(), bytes->end(), onDisk_.begin());
    return result;
}

void Preferences::MergeChangedOnDisk(const std::string& file) {
    if (!onDiskKnown_ || file.size() != kSize) return;
    const auto* now = reinterpret_cast<const uint8_t*>(file.data());
    for (const PrefField& f : PreferenceFields()) {
        const size_t from = f.offset, to = std::min(kSize, from + Width(f));
        const bool changedThere = !std::equal(now + from, now + to, onDisk_.begin() + static_cast<std::ptrdiff_t>(from));
        const bool changedHere = !std::equal(bytes_.begin() + static_cast<std::ptrdiff_t>(from),
                                             bytes_.begin() + static_cast<std::ptrdiff_t>(to),
                                             onDisk_.begin() + static_cast<std::ptrdiff_t>(from));
        if (changedThere && !changedHere) std::copy(now + from, now + to, bytes_.begin() + static_cast<std::ptrdiff_t>(from));
    }
}

std::string Preferences::LoadText(LoadResult result, size_t bytesRead) {
    switch (result) {
        case LoadResult::kShort:
            return "Velmora.prf is shorter than it should be: the settings after byte " + std::to_string(bytesRead) +
                   " are the defaults";
        case LoadResult::kJunk: return "Velmora.prf is not a settings file: the defaults are used";
        default: return {};
    }
}

bool Preferences::Save(const FileAccess& files) {
    if (onDiskKnown_) {
        if (const std::optional<std::string> file = files.ReadWhole(files.RealPath(kFileName), kSize))
            MergeChangedOnDisk(*file);
    }
    (void)SetNumber(pref::kVersionMajor, 2);
    (void)SetNumber(pref::kVersionMinor, 2);
    (void)SetNumber(pref::kVersionBuild, 8);
    (void)SetNumber(pref::kPreferencesVersion, kVersion);
    // Written to a new file and renamed, so a failed write keeps the old one.
    if (!files.WriteWhole(files.RealPath(kFileName),
                          std::string_view(reinterpret_cast<const char*>(bytes_.data()), kSize)))
        return false;
    onDisk_ = bytes_;
    onDiskKnown_ = true;
    return true;
}

void Preferences::RegenerateReportTexts(const LocalDateTime& now) {
    textsStale_ = false;
    (void)SetText(pref::kOwnLonText, LongitudeText(OwnLonUnits()));
    (void)SetText(pref::kOwnLatText, LatitudeText(OwnLatUnits()));
    const std::string status = Text(pref::kStatusText);
    char sent[160] = "";
    if (!status.empty()) std::snprintf(sent, sizeof sent, ">%02d%02d%02d %s", now.day, now.hour, now.minute, status.c_str());
    (void)SetText(pref::kStatusTextSent, sent);
}

}  // namespace velmora
