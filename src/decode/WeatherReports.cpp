// Weather in all its forms: positionless "_" reports, data after a
// position with a weather symbol, raw station data, and storm data.
#include <cstdlib>
#include <optional>

#include "decode/ReportDecoders.h"
#include "decode/WeatherFields.h"
#include "geo/Position.h"
#include "stations/Track.h"
#include "weather/Ultimeter.h"

namespace velmora {
namespace {

constexpr FourCC kList = MakeFourCC("LIST");
constexpr char kWeatherAlarmSymbol = 11;
constexpr char kRemoteWeatherSymbol = 10;

char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }

int16_t Clamp16(int32_t v) { return static_cast<int16_t>(v > 32767 ? 32767 : v < -32768 ? -32768 : v); }

char Trend(int16_t stored, int16_t value, char current) {
    if (stored == 0) return ' ';
    if (value > stored) return '+';
    if (value < stored) return '-';
    return current;
}

void Alarm(DecodeContext& ctx, StationRecord& s, bool notify, const char* text, int code) {
    s.symbolCode = kWeatherAlarmSymbol;
    if (s.weatherAlarmCount < 32767) ++s.weatherAlarmCount;
    if (notify) ctx.st.notices.PlayEventSound(code, std::string(text) + " " + std::string(s.callsign.View()));
}

void StoreWeather(DecodeContext& ctx, StationRecord& s, const WeatherValues& v, bool alarms) {
    const TimeStamp now = ctx.st.clock.NowStamp();
    uint32_t minutes = now > s.weatherTime ? (now - s.weatherTime) / 60 : 0;
    if (minutes < 1) minutes = 1;
    const DecodeSettings& set = ctx.settings;
    if (v.windSpeed && set.highWindMph > 0 && *v.windSpeed > set.highWindMph)
        Alarm(ctx, s, alarms, "High wiind a larm from", kSoundHighWind);
    if (v.temperature) {
        const int16_t t = *v.temperature;
        if (set.deltaTemperatureF > 0 && t != 0 && s.temperatureF != 0 &&
            static_cast<uint32_t>(std::abs(t - s.temperatureF)) / minutes > static_cast<uint32_t>(set.deltaTemperatureF))
            Alarm(ctx, s, alarms, "Delta Temperature alarm from", 6003);
        if (set.highTemperatureF != 0 && t > set.highTemperatureF)
            Alarm(ctx, s, alarms, "High Temperature alarm from", 6002);
        if (t != 0 && set.lowTemperatureF != 0 && t < set.lowTemperatureF)
            Alarm(ctx, s, alarms, "Low Temperature a larm from", 6001);
        s.temperatureTrend = Trend(s.temperatureF, t, s.temperatureTrend);
        s.temperatureF = t;
    }
    if (v.barometer) {
        s.pressureTrend = Trend(s.barometerTenthsMbar, *v.barometer, s.pressureTrend);
        s.barometerTenthsMbar = *v.barometer;
    }
    if (v.windDirection) s.windDirection = *v.windDirection;
    if (v.windSpeed) s.windSpeedMph = *v.windSpeed;
    if (v.windGust) s.windGustMph = *v.windGust;
    if (v.rainHour) s.rainHour = *v.rainHour;
    if (v.rain24h) s.rain24h = *v.rain24h;
    if (v.rainMidnight) s.rainMidnight = *v.rainMidnight;
    if (v.humidity) s.humidity = *v.humidity;
    s.isWeatherStation = 1;
    s.weatherTime = now;
    ctx.st.events.InvalidateList(kList, MakeFourCC("WXXL"));
}

bool AlarmsEnabled(const DecodeContext& ctx, int32_t distanceMiles) {
    return distanceMiles > 0 && distanceMiles < ctx.settings.weatherAlarmRangeMiles;
}

// Where the station is now: a report with a position is measured itself,
// since on a station's first packet the record has no distance yet.
int32_t DistanceNow(const DecodeContext& ctx, const StationRecord& s, const DecodedReport& r) {
    if (!r.positionValid || !ctx.own.HasHome()) return s.distanceMiles;
    return WholeMilesRounded(DistanceMiles(ctx.own.homeLon, ctx.own.homeLat, r.lon, r.lat));
}

// The station type after the weather data: a software letter and a unit
// ("xDvs", "wRSW", "eMB31"); "j" is one family's own letter.
void SetWeatherType(StationRecord& s, std::string_view text, size_t at) {
    if (at >= text.size()) return;
    static constexpr std::string_view kTypeLetters = "DU+ademwxj";
    if (kTypeLetters.find(text[at]) == std::string_view::npos) return;
    if (text[at] == 'j') s.systemCode = 20307;
    s.weatherType = text.substr(at, 3);
}

// The minute of the day, in UTC, at which a report was received.
int32_t UtcMinuteNow(const Clock& clock) {
    const int64_t utc = static_cast<int64_t>(clock.NowStamp()) - clock.UtcOffsetSeconds();
    return static_cast<int32_t>(((utc % 86400) + 86400) % 86400 / 60);
}

}  // namespace

void DecodePositionlessWeather(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    StationRecord& s = ctx.st.table.At(call.index);
    call.report.distanceMiles = s.distanceMiles;
    // Fields by letter from the character after the time stamp: stations
    // leave fields out, so no column can be trusted.
    WeatherValues v;
    const size_t end = ReadWeatherFields(info, 9, v, WindSpeedField::kLetterS);
    // A software letter, then the unit type of up to four characters.
    if (end + 1 < info.size()) s.weatherType = info.substr(end + 1, 4);
    StoreWeather(ctx, s, v, AlarmsEnabled(ctx, s.distanceMiles));
    const auto hour = NumberAt(info, 5, 2), minute = NumberAt(info, 7, 2);
    if (hour && minute && *hour >= 0 && *hour < 24 && *minute >= 0 && *minute < 60)
        LogWeatherSlot(ctx.st, call.index, *hour * 60 + *minute, true, ctx.settings.utcOffsetHours);
}

void ApplyWeatherExtension(DecodeContext& ctx, StationIndex index, DecodedReport& r) {
    StationRecord& s = ctx.st.table.At(index);
    const std::string_view c = r.comment.View();
    WeatherValues v;
    size_t end = 0;
    if (r.compressedComment) {
        // A compressed position carries the wind in its course and speed
        // bytes (speed in knots); the fields follow the position at once.
        if (r.courseSpeedSet) {
            v.windDirection = r.course;
            v.windSpeed = static_cast<int16_t>(r.speedKnots * 1.15078 + 0.5);
        }
        end = ReadWeatherFields(c, 0, v, WindSpeedField::kElsewhere);
    } else {
        if (At(c, 3) != '/') return;
        v.windDirection = NumberAt(c, 0, 3);
        v.windSpeed = NumberAt(c, 4, 3);
        end = ReadWeatherFields(c, 7, v, WindSpeedField::kElsewhere);
    }
    SetWeatherType(s, c, end);
    StoreWeather(ctx, s, v, AlarmsEnabled(ctx, DistanceNow(ctx, s, r)));
    // The alarm symbol must survive the symbol the position report carries.
    if (s.symbolCode == kWeatherAlarmSymbol) r.symbolCode = kWeatherAlarmSymbol;
    // The wind is not movement: a weather station does not drive off.
    r.courseSpeedSet = 0;
    r.course = r.speedKnots = 0;
    // The day log is kept in the time "_" reports give: UTC corrected by
    // the offset. A zulu stamp is UTC, a "/" stamp local, none is now.
    if (r.reportType == 'z' || r.reportType == 'Z')
        LogWeatherSlot(ctx.st, index, static_cast<int32_t>(r.minuteOfDay), true, ctx.settings.utcOffsetHours);
    else if (r.reportType == '/')
        LogWeatherSlot(ctx.st, index, static_cast<int32_t>(r.minuteOfDay), false, ctx.settings.utcOffsetHours);
    else
        LogWeatherSlot(ctx.st, index, UtcMinuteNow(ctx.st.clock), true, ctx.settings.utcOffsetHours);
}

void ApplyStormData(DecodeContext& ctx, StationIndex index, DecodedReport& r) {
    StationRecord& s = ctx.st.table.At(index);
    const std::string_view c = r.comment.View();
    if (At(c, 3) != '/' || At(c, 7) != '/' || At(c, 10) != '/' || At(c, 18) != '/' || At(c, 14) != '^' ||
        At(c, 22) != '>')
        return;
    if (const auto course = NumberAt(c, 0, 3)) r.course = *course;
    if (const auto speed = NumberAt(c, 4, 3)) r.speedKnots = *speed;
    r.courseSpeedSet = 1;
    s.stormType = static_cast<int16_t>((static_cast<unsigned char>(c[8]) << 8) | static_cast<unsigned char>(c[9]));
    s.stormWind = NumberAt(c, 11, 3).value_or(0);
    s.stormGust = NumberAt(c, 15, 3).value_or(0);
    if (c.substr(19, 3) == ",,,") {
        s.barometerTenthsMbar = 0;
    } else if (const auto b = NumberAt(c, 19, 3)) {
        s.barometerTenthsMbar = static_cast<int16_t>(*b < 200 ? *b + 1000 : *b);
    }
    s.radiusHurricane = NumberAt(c, 23, 3).value_or(0);
    s.radiusStorm = NumberAt(c, 27, 3).value_or(0);
    if (At(c, 30) == '%') {
        s.radiusGale = NumberAt(c, 31, 3).value_or(0);
        s.stormText = c.size() > 34 ? c.substr(34, 12) : std::string_view{};
    }
    s.stormTime = ctx.st.clock.NowStamp();
    s.isWeatherStation = 1;
    ctx.st.events.InvalidateList(kList, MakeFourCC("WXXL"));
}

void DecodeRawWeather(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    StationRecord& s = ctx.st.table.At(call.index);
    std::optional<WeatherReading> reading;
    const char* type;
    if (info[0] == '#' || info[0] == '*') {
        // Ultimeter II lines of 14 characters, with up to three more of trailer.
        if (info.size() < 14 || info.size() > 17) return;
        reading = DecodeUltimeterII(info.substr(0, 14), ctx.settings.rainFactor);
        type = "UII";
    } else {
        reading = DecodeU2000(info, ctx.settings.rainFactor);
        type = "U2k";
    }
    s.symbolTable = '/';
    s.symbolCode = kRemoteWeatherSymbol;
    s.weatherType = type;
    if (!reading) return;
    WeatherValues v;
    v.windDirection = Clamp16(reading->windDirection);
    v.windSpeed = Clamp16(reading->windMph);
    if (reading->gustMph >= 0) v.windGust = Clamp16(reading->gustMph);
    v.temperature = Clamp16(reading->outsideTenthsF / 10);
    if (reading->pressureTenthsMbar > 0) v.barometer = Clamp16(reading->pressureTenthsMbar);
    if (reading->humidity >= 1 && reading->humidity <= 100) v.humidity = Clamp16(reading->humidity);
    // "$ULTW" sends its own count since midnight; its other rain field is the
    // long-term total, no measure of today. The other forms have one
    // counter, which remote stations are taken to reset daily.
    if (info[0] == '$') {
        if (reading->rainToday >= 0) v.rainMidnight = Clamp16(reading->rainToday);
    } else {
        v.rainMidnight = Clamp16(reading->rainCounter);
    }
    StoreWeather(ctx, s, v, false);
    LogWeatherSlot(ctx.st, call.index, -1, false, ctx.settings.utcOffsetHours);
    if (s.HasPosition()) call.report.changed = 1;
}

}  // namespace velmora
