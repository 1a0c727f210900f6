// Objects (";"), objects without ";", and items (")"): reports about
// something other than the sender, kept in records of their own name.
#include <cstdio>

#include "decode/ApplyReport.h"
#include "decode/PositionText.h"
#include "decode/ReportDecoders.h"

namespace velmora {
namespace {

constexpr int8_t kObjectIcon = 30;

char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }

void MarkCreatedBy(const ReportCall& call, StationRecord& object, const char* what) {
    char status[64];
    std::snprintf(status, sizeof status, "%s created by %s", what, call.line.source.CStr());
    object.status = status;
    if (object.sourceKind == SourceKind::kNone || object.sourceKind == SourceKind::kInternet3) object.sourceKind = call.kind;
}

// Fills the report from the timed text position at offset k (time letter
// at k, time digits before it).
void TimedPosition(DecodeContext& ctx, std::string_view info, size_t k, DecodedReport& r) {
    SplitTextPosition(info, k, r);
    r.textPosition = 1;
    r.reportType = info[k];
    const std::string_view digits = info.substr(k - 6, 6);
    if (const auto t = DhmReportTime(digits, info[k], ctx.st.clock)) {
        r.reportTime = *t;
        r.timeSet = 1;
    }
    if (info[k] != 'h') {
        const int hour = (digits[2] - '0') * 10 + (digits[3] - '0');
        const int minute = (digits[4] - '0') * 10 + (digits[5] - '0');
        if (hour >= 0 && hour < 24 && minute >= 0 && minute < 60) r.minuteOfDay = static_cast<uint32_t>(hour * 60 + minute);
    }
}

// ApplyReport for the object, then a clean report so that the sender's own
// ApplyReport changes nothing.
void ApplyToObject(DecodeContext& ctx, const ReportCall& call, StationIndex object, DecodedReport& r) {
    ApplyReport(ctx, call.line.source.View(), object, r, call.line.info.View(), call.kind, call.live);
    r = DecodedReport{};
    ctx.counters.lastStation = object;
}

void SetObjectState(const ReportCall& call, StationRecord& object, char marker) {
    // A killed object stays where it was last, marked, until its owner
    // sends it alive again.
    object.killed = marker == '_';
    // The own objects' state belongs to the transmit side.
    if (!call.own) object.objectState = marker;
}

bool ObjectMarker(char c) { return c == '*' || c == '_' || c == '@'; }

}  // namespace

void DecodeObject(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    if (info.size() < 11) return;
    const char marker = info[10];
    const FindResult found = FindOrAddStation(ctx.st, info.substr(1, 9), call.live, call.kind, 0, NameRules::kObjectName);
    if (found.index < 0) return;
    DecodedReport& r = call.report;
    r = DecodedReport{};
    if (ObjectMarker(marker) && ValidPositionTriple(At(info, 25), At(info, 26), At(info, 35))) {
        TimedPosition(ctx, info, 17, r);
    } else if (ObjectMarker(marker) && info.size() > 18) {
        // Trackers send objects in the compressed form too.
        if (FillStandardCompressed(info.substr(18), r)) {
            r.comment = info.substr(31);
            r.compressedComment = 1;
            if (const auto t = DhmReportTime(info.substr(11, 6), info[17], ctx.st.clock)) {
                r.reportTime = *t;
                r.timeSet = 1;
            }
        }
    }
    StationRecord& object = ctx.st.table.At(found.index);
    object.specialIcon = kObjectIcon;
    SetObjectState(call, object, marker);
    MarkCreatedBy(call, object, "Object");
    ApplyToObject(ctx, call, found.index, r);
}

void DecodeOldObject(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    if (info.empty() || info[0] == '@' || info.size() < 10) return;
    std::string_view name = info.substr(0, 9);
    if (const size_t blank = name.find(' '); blank != std::string_view::npos) name = name.substr(0, blank);
    const char marker = info[9];
    const FindResult found = FindOrAddStation(ctx.st, name, call.live, call.kind, 0, NameRules::kObjectName);
    if (found.index < 0) return;
    StationRecord& object = ctx.st.table.At(found.index);
    MarkCreatedBy(call, object, "Object");
    MarkHeard(ctx.st, found.index);
    DecodedReport& r = call.report;
    r = DecodedReport{};
    const char type = At(info, 16);
    if ((type == '/' || type == 'z' || type == 'Z') && ValidPositionTriple(At(info, 24), At(info, 25), At(info, 34))) {
        TimedPosition(ctx, info, 16, r);
        object.specialIcon = kObjectIcon;
        SetObjectState(call, object, marker);
    }
    ApplyToObject(ctx, call, found.index, r);
}

// Items are kept like objects, so they show on the maps: ")NAME!pos" with
// a name of 3 to 9 characters ended by "!" (alive) or "_" (killed).
void DecodeItem(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    size_t end = 1;
    while (end < info.size() && end <= 10 && info[end] != '!' && info[end] != '_') ++end;
    if (end >= info.size() || end > 10 || end < 4) return;
    const char marker = info[end];
    const FindResult found =
        FindOrAddStation(ctx.st, info.substr(1, end - 1), call.live, call.kind, 0, NameRules::kObjectName);
    if (found.index < 0) return;
    DecodedReport& r = call.report;
    r = DecodedReport{};
    if (ValidPositionTriple(At(info, end + 8), At(info, end + 9), At(info, end + 18))) {
        SplitTextPosition(info, end, r);
        r.textPosition = 1;
        r.reportType = ')';
    } else if (info.size() > end + 1 && FillStandardCompressed(info.substr(end + 1), r)) {
        r.comment = info.substr(end + 14);
        r.compressedComment = 1;
    }
    StationRecord& item = ctx.st.table.At(found.index);
    item.specialIcon = kObjectIcon;
    SetObjectState(call, item, marker);
    MarkCreatedBy(call, item, "Item");
    ApplyToObject(ctx, call, found.index, r);
}

}  // namespace velmora
