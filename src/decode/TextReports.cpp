// Status, capabilities, beacon and other text, list positions and general
// queries.
#include <cstdlib>
#include <string>

#include "decode/PositionText.h"
#include "decode/ReportDecoders.h"
#include "geo/Position.h"

namespace velmora {
namespace {

constexpr FourCC kList = MakeFourCC("LIST");
constexpr size_t kTextField = 127;

bool Letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool Digit(char c) { return c >= '0' && c <= '9'; }
char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }

double DecimalAt(std::string_view s, size_t at, size_t width) {
    if (at >= s.size()) return 0;
    const std::string text(s.substr(at, width));
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

void DecodeStatus(DecodeContext& ctx, const ReportCall& call) {
    ctx.st.table.At(call.index).status = call.line.info.View().substr(0, kTextField);
}

void DecodeCapabilities(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    StationRecord& s = ctx.st.table.At(call.index);
    if (info.substr(0, 6) == "<IGATE") {
        s.igateCapable = 1;
        if (const size_t at = info.find("MSG_CNT"); at != std::string_view::npos) {
            size_t k = at + 7;
            if (k < info.size() && (info[k] == '=' || info[k] == ':')) ++k;
            int64_t n = 0;
            for (; k < info.size() && Digit(info[k]) && n < 2000000000; ++k) n = n * 10 + (info[k] - '0');
            s.messageCount = static_cast<int32_t>(n);
        }
        ctx.st.events.InvalidateList(kList, MakeFourCC("IGAT"));
    }
    s.extraText = info.substr(0, kTextField);
}

void DecodeOtherText(DecodeContext&, const ReportCall& call) {
    std::string_view field = call.line.info.View();
    DecodedReport& r = call.report;
    for (size_t at = field.find('['); at != std::string_view::npos; at = field.find('[', at + 1)) {
        if (!Letter(At(field, at + 1)) || !Letter(At(field, at + 2)) || !Digit(At(field, at + 3)) ||
            !Digit(At(field, at + 4)))
            continue;
        if ((At(field, at + 5) == ']' || At(field, at + 7) == ']') && LocatorToReport(field.substr(at), r)) break;
    }
    // A position is looked for near the start only: further on, a "!" is
    // punctuation in the text.
    if (const size_t bang = field.find('!'); bang != std::string_view::npos && bang < 40) {
        field = field.substr(bang);
        if (ValidPositionTriple(At(field, 8), At(field, 9), At(field, 18))) {
            r.positionValid = 0;
            SplitTextPosition(field, 0, r);
            r.textPosition = 1;
            r.reportType = '!';
        }
    }
}

void DecodeListPosition(DecodeContext&, const ReportCall& call) {
    // Parsed to check the form only; nothing of a list position is kept.
    const std::string_view info = call.line.info.View();
    if (info.size() > 10) (void)DecodeShortCompressed(info.substr(1, 7));
}

void DecodeGeneralQuery(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    bool footprint = false, inRange = false;
    if (At(info, 12) == ',' && At(info, 20) == ',') {
        footprint = true;
        const double lat = DecimalAt(info, 6, 6), lon = DecimalAt(info, 13, 7);
        const double radius = DecimalAt(info, 21, 8);
        ctx.seams.ShowFootprint(lat, lon, radius);
        if (radius > 0 && ctx.own.HasHome() && lat >= -90 && lat <= 90 && lon >= -180 && lon <= 180) {
            const double miles = DistanceMiles(ctx.own.homeLon, ctx.own.homeLat, LonUnitsFromDegrees(lon),
                                               LatUnitsFromDegrees(lat));
            inRange = WholeMilesRounded(miles) < radius;
        }
    }
    char key[5] = {At(info, 1), At(info, 2), At(info, 3), At(info, 4), '\0'};
    if (info.substr(0, 4) == "?WX?") key[2] = key[3] = ' ';
    const std::string_view k(key, 4);
    const int group = PortGroupOf(call.kind);
    const bool live = call.live == Liveness::kLive;
    if (k == "APRS") {
        if (call.own || group < 0) return;
        if (!footprint) {
            ctx.tables.requests.PositionDue(group);
        } else if (inRange && live) {
            ctx.tables.requests.PositionDue(group);
            ctx.st.notices.PlayEventSound(kSoundSelectiveQuery, call.line.source.View());
        }
    } else if (k == "WX  ") {
        if (!call.own && group >= 0) ctx.tables.requests.WeatherDue(group);
    } else if (k == "IGAT") {
        if (ctx.settings.igateOperation && live && !call.own) ctx.seams.SendIgateReport(call.kind);
    }
}

}  // namespace velmora
