#include "decode/ReceivedLine.h"

#include <cstdio>

#include "decode/ApplyReport.h"
#include "decode/Destination.h"
#include "decode/HeaderCalls.h"
#include "decode/MicE.h"
#include "decode/ReportDecoders.h"
#include "decode/PositionReports.h"
#include "decode/PositionText.h"

namespace velmora {
namespace {

char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }

enum class Handler : uint8_t {
    kOther, kPlain, kMessaging, kTimed, kMessage, kReport, kSentence, kTelemetry, kRelayed,
};

struct DataType {
    Handler handler = Handler::kOther;
    ReportType type = ReportType::kOtherText;
    int8_t category = -1;  // counted here; -1 when the decoder counts, or nobody does
};

// Dispatch by the first character of the information field.
constexpr auto kDataTypes = [] {
    struct Table {
        DataType entry[128];
    } t{};
    for (DataType& e : t.entry) e = DataType{Handler::kOther, ReportType::kOtherText, -1};
    auto set = [&t](char c, Handler h, ReportType type, int category) {
        t.entry[static_cast<unsigned char>(c)] = {h, type, static_cast<int8_t>(category)};
    };
    set('!', Handler::kPlain, ReportType::kOtherText, -1);
    set('=', Handler::kMessaging, ReportType::kOtherText, -1);
    set('/', Handler::kTimed, ReportType::kOtherText, -1);
    set('@', Handler::kTimed, ReportType::kOtherText, -1);
    set(':', Handler::kMessage, ReportType::kOtherText, -1);
    set(';', Handler::kReport, ReportType::kObject, kStatObject);
    set(')', Handler::kReport, ReportType::kItem, -1);
    set('$', Handler::kSentence, ReportType::kSentence, -1);
    set('_', Handler::kReport, ReportType::kPositionlessWeather, kStatWeather);
    set('>', Handler::kReport, ReportType::kStatus, kStatStatus);
    set('<', Handler::kReport, ReportType::kCapabilities, kStatCapabilities);
    set('+', Handler::kReport, ReportType::kPlusBlock, kStatPlusReport);
    set('#', Handler::kReport, ReportType::kRawWeather, kStatRawWeather);
    set('*', Handler::kReport, ReportType::kRawWeather, kStatRawWeather);
    set('%', Handler::kReport, ReportType::kDirectionFinding, kStatDirectionFinding);
    set('[', Handler::kReport, ReportType::kGridBeacon, kStatGridLocator);
    set('?', Handler::kReport, ReportType::kGeneralQuery, -1);
    set('}', Handler::kRelayed, ReportType::kOtherText, -1);
    set('T', Handler::kTelemetry, ReportType::kTelemetry, kStatTelemetry);
    set('&', Handler::kReport, ReportType::kListPosition, -1);
    return t;
}();

DataType TypeOf(std::string_view info) {
    const unsigned char c = info.empty() ? 0 : static_cast<unsigned char>(info[0]);
    if (c < '!' || c > '}') return {};
    return kDataTypes.entry[c];
}

void DecodeRelayed(DecodeContext& ctx, const ReportCall& call) {
    StationRecord& s = ctx.st.table.At(call.index);
    s.relaysForOthers = 1;
    ++s.relayedCount;
    ctx.st.events.InvalidateList(MakeFourCC("LIST"), MakeFourCC("IGAT"));
    if (call.depth + 1 > kMaxRelayDepth) {
        ctx.counters.dropped.Count(DropReason::kTooDeep);
        return;
    }
    std::string inner(call.line.info.View().substr(1));
    ProcessReceivedLine(ctx, inner, call.live, call.kind, call.depth + 1);
}

void DecodeReportType(DecodeContext& ctx, ReportType type, const ReportCall& call) {
    switch (type) {
        case ReportType::kObject: DecodeObject(ctx, call); break;
        case ReportType::kOldObject: DecodeOldObject(ctx, call); break;
        case ReportType::kItem: DecodeItem(ctx, call); break;
        case ReportType::kStatus: DecodeStatus(ctx, call); break;
        case ReportType::kCapabilities: DecodeCapabilities(ctx, call); break;
        case ReportType::kPositionlessWeather: DecodePositionlessWeather(ctx, call); break;
        case ReportType::kRawWeather: DecodeRawWeather(ctx, call); break;
        case ReportType::kSentence: DecodeSentence(ctx, call); break;
        case ReportType::kDirectionFinding: DecodeDirectionFinding(ctx, call); break;
        case ReportType::kGridBeacon: DecodeGridBeacon(ctx, call); break;
        case ReportType::kTelemetry: DecodeTelemetry(ctx, call); break;
        case ReportType::kPlusBlock: DecodePlusBlock(ctx, call); break;
        case ReportType::kGeneralQuery: DecodeGeneralQuery(ctx, call); break;
        case ReportType::kOtherText: DecodeOtherText(ctx, call); break;
        case ReportType::kGridDestination: DecodeGridDestination(ctx, call); break;
        case ReportType::kListPosition: DecodeListPosition(ctx, call); break;
    }
}

// "PARM.", "UNIT.", "EQNS." and "BITS." are messages a station addresses
// to itself (or another sends for it): they name and scale its telemetry.
// True when it was one: a definition is no mail.
bool TakeTelemetryDefinition(DecodeContext& ctx, const ReportCall& call, std::string_view info) {
    if (info.size() < 16 || info[10] != ':' || !IsTelemetryDefinition(info.substr(11))) return false;
    std::string_view addressee = info.substr(1, 9);
    while (!addressee.empty() && addressee.back() == ' ') addressee.remove_suffix(1);
    const FindResult found = FindOrAddStation(ctx.st, addressee, call.live, SourceKind::kNone, 0);
    if (found.index < 0) return false;
    StationRecord& s = ctx.st.table.At(found.index);
    auto defs = s.telemetryDefinitions ? std::make_shared<TelemetryDefinitions>(*s.telemetryDefinitions)
                                       : std::make_shared<TelemetryDefinitions>();
    if (ApplyTelemetryDefinition(*defs, info.substr(11))) s.telemetryDefinitions = std::move(defs);
    ctx.st.events.InvalidateList(MakeFourCC("LIST"), MakeFourCC("TELM"));
    return true;
}

// Text whose first character names no data type.
void DecodeOther(DecodeContext& ctx, const ReportCall& call, uint16_t packetClass) {
    const std::string_view info = call.line.info.View();
    if (info.size() < 10) return;
    const char tenth = info[9];
    if (tenth == ':') {
        ++ctx.counters.otherFormMessages;
        ctx.seams.ReceiveMessage(call.line.source.View(), call.line.header.View(), info, call.live, call.kind);
        return;
    }
    if ((tenth == '-' || tenth == '+' || tenth == '*' || tenth == '@') &&
        ValidPositionTriple(At(info, 24), At(info, 25), At(info, 34))) {
        ctx.Count(call.kind, kStatObject);
        DecodeReportType(ctx, ReportType::kOldObject, call);
        return;
    }
    const int category = packetClass == kClassBeacon ? kStatBeaconText
                         : packetClass == kClassId   ? kStatIdText
                                                     : kStatOtherText;
    ctx.Count(call.kind, category);
    DecodeReportType(ctx, ReportType::kOtherText, call);
}

void DispatchByType(DecodeContext& ctx, const ReportCall& call, uint16_t packetClass) {
    const std::string_view info = call.line.info.View();
    DataType type = TypeOf(info);
    if (type.handler == Handler::kTelemetry && At(info, 1) != '#') type = {};
    if (type.category >= 0) ctx.Count(call.kind, type.category);
    switch (type.handler) {
        case Handler::kPlain: DecodePlainPosition(ctx, call); break;
        case Handler::kMessaging: DecodeMessagingPosition(ctx, call); break;
        case Handler::kTimed: DecodeTimedPosition(ctx, call); break;
        case Handler::kMessage:
            ++ctx.counters.messages;
            if (TakeTelemetryDefinition(ctx, call, info)) break;
            ctx.seams.ReceiveMessage(call.line.source.View(), call.line.header.View(), info.substr(1),
                                     call.live, call.kind);
            break;
        case Handler::kSentence: {
            const bool ultimeter = info.substr(0, 5) == "$ULTW";
            ctx.Count(call.kind, ultimeter ? kStatRawWeather : kStatSentence);
            DecodeReportType(ctx, ultimeter ? ReportType::kRawWeather : ReportType::kSentence, call);
            break;
        }
        case Handler::kReport:
        case Handler::kTelemetry: DecodeReportType(ctx, type.type, call); break;
        case Handler::kRelayed: DecodeRelayed(ctx, call); break;
        case Handler::kOther: DecodeOther(ctx, call, packetClass); break;
    }
}

void Dispatch(DecodeContext& ctx, const MonitorLine& line, const DestinationClass& dc,
              StationIndex index, Liveness live, SourceKind kind, int depth) {
    const bool own = line.source == ctx.own.call;
    ctx.counters.lastDecoded = ctx.st.clock.NowStamp();
    DecodedReport report;
    report.ssid = line.ssid;
    const std::string_view dest = line.destination.View();
    if (!dc.version.empty() && (dest.substr(0, 3) == "GPS" || dest.substr(0, 3) == "SYM")) {
        if (const auto symbol = DestinationSymbol(dc.version)) {
            report.symbolTable = symbol->table;
            report.symbolCode = symbol->code;
            report.destSymbol = 1;
        }
    }
    const ReportCall call{line, report, index, kind, live, own, depth};
    if (dc.packetClass == kClassMicE) {
        DecodeMicE(ctx, call);
    } else if (dc.packetClass == kClassGridSquare) {
        DecodeReportType(ctx, ReportType::kGridDestination, call);
    } else {
        DispatchByType(ctx, call, dc.packetClass);
    }
    ApplyReport(ctx, line.source.View(), index, report, line.info.View(), kind, live);
}

void GateToRadio(DecodeContext& ctx, const MonitorLine& line) {
    char text[kMaxLineLength + 64];
    std::snprintf(text, sizeof text, "}%s>%s,TCPIP,%s*:%s\r", line.source.CStr(),
                  line.destination.CStr(), ctx.own.call.CStr(), line.info.CStr());
    ctx.seams.QueueForRadio(text, Route::kVhfTag);
}

void UpdateStationKind(StationRecord& s, SourceKind kind) {
    if (kind == SourceKind::kNone || kind == s.sourceKind) return;
    // A station heard on radio stays a radio station when the internet echoes it.
    if (IsRadioPort(s.sourceKind) && IsInternet(kind)) return;
    s.sourceKind = kind;
}

void SetVersionNumber(StationRecord& s, std::string_view version, std::string_view destination) {
    if (version.size() < 3 || destination.substr(0, 2) != "AP") return;
    for (size_t i = 0; i < 3; ++i) {
        if (version[i] < '0' || version[i] > '9') return;
    }
    s.version = static_cast<int16_t>(100 * (version[0] - '0') + 10 * (version[1] - '0') + (version[2] - '0'));
}

void AppendHistory(DecodeContext& ctx, const MonitorLine& line, StationIndex index, uint16_t packetClass, SourceKind kind) {
    const auto appended =
        ctx.st.history.Append(line.rawLine.View(), index, packetClass, kind, ctx.st.clock.NowStamp());
    if (appended == HistoryBuffer::Appended::kNone) return;
    if (appended == HistoryBuffer::Appended::kTrimmedAndGrew) ctx.st.events.HistoryRebuilt();
    ctx.st.events.HistoryGrew(index, line.source.View());
}

// Today any destination may carry an APRS packet (a digipeater's alias, a
// software's own code, another station's call): what the information field
// begins with decides, except for Mic-E, whose position is in the destination.
bool BeginsWithDataType(std::string_view info) {
    const DataType type = TypeOf(info);
    if (type.handler == Handler::kOther) return false;
    return type.handler != Handler::kTelemetry || At(info, 1) == '#';
}

void RouteByType(DecodeContext& ctx, const MonitorLine& line, Liveness live, SourceKind kind, int depth) {
    if (!HeaderCallsReadable(line)) {
        ctx.counters.dropped.Count(DropReason::kBadHeaderCall);
        return;
    }
    DestinationClass dc = ClassifyDestination(line.destination.View(), line.info.View());
    if (dc.packetClass == kClassNotAprs && BeginsWithDataType(line.info.View())) dc.packetClass = kClassAprs;
    const FindResult found = FindOrAddStation(ctx.st, line.source.View(), live, kind, dc.software);
    const StationIndex index = found.index;
    if (depth == 0) {
        AppendHistory(ctx, line, index, dc.packetClass, kind);
        if (!IsInternet(kind) && !ctx.counters.lineCut) ctx.seams.RelayToServerClients(line.rawLine.View());
        if (live == Liveness::kLive && ctx.settings.gateInternetToRadio && kind == SourceKind::kInternet &&
            !ctx.counters.lineCut && ctx.st.flags.For(line.source.View()).igate)
            GateToRadio(ctx, line);
    } else {
        AppendHistory(ctx, line, index, dc.packetClass, SourceKind::kNone);
    }
    if (index == kTableFull) {
        ctx.st.notices.StatusText("Out of Memory in station list");
        ctx.counters.dropped.Count(DropReason::kTableFull);
        return;
    }
    if (index < 0) {
        ctx.st.notices.StatusText("Invalid callsign");
        ctx.counters.dropped.Count(DropReason::kInvalidCallsign);
        return;
    }
    ctx.counters.lastStation = index;
    MarkHeard(ctx.st, index);
    StationRecord& s = ctx.st.table.At(index);
    UpdatePathStatistics(s, line.Path(), kind, depth);
    const std::string_view header = line.header.View();
    if (header.find("TCPIP*") != std::string_view::npos || header.find("TCPXX*") != std::string_view::npos)
        s.viaInternet = 1;
    if (s.specialIcon == ' ') s.specialIcon = 0;
    if (depth == 0) UpdateStationKind(s, kind);
    if (!dc.version.empty()) SetVersionNumber(s, dc.version, line.destination.View());
    if (dc.software) SetStationSoftware(s, dc.software);

    if (DispatchedClass(dc.packetClass)) {
        Dispatch(ctx, line, dc, index, live, kind, depth);
        return;
    }
    const SpotClass spot = dc.packetClass == kClassDxSpot      ? SpotClass::kDxCluster
                           : dc.packetClass == kClassOtherSpot ? SpotClass::kOtherDe
                                                               : SpotClass::kFixedColumn;
    if (dc.packetClass == kClassDxSpot || dc.packetClass == kClassOtherSpot ||
        dc.packetClass == kClassFixedColumnSpot) {
        ctx.Count(kind, kStatDxSpot);
        DecodeDxSpot(ctx, spot, line.info.View(), live, kind);
    }
}

}  // namespace

void ProcessReceivedLine(DecodeContext& ctx, std::string& line, Liveness live, SourceKind kind, int depth) {
    if (depth == 0) {
        ctx.counters.lastStation = -1;
        ctx.counters.lineCut = false;
    }
    kind = CleanLine(line, live, kind, ctx.ports, ctx.st.notices);
    if (line.size() > kMaxLineLength) {
        line.resize(kMaxLineLength);
        ctx.counters.lineCut = true;
    }
    const LocalDateTime now = ctx.st.clock.Now();
    ctx.Count(kind, kStatEveryLine);
    ctx.stats.CountBytes(kind, static_cast<uint32_t>(line.size()), now.hour);
    if (live == Liveness::kLive && ctx.activity) ctx.activity->Count(kind, now);

    MonitorLine parsed;
    const bool hasInfo = ParseMonitorLine(line, parsed);
    if (parsed.infoCut) ctx.counters.lineCut = true;
    parsed.rawLine = line;
    parsed.header = std::string_view(line).substr(0, line.find(':'));
    const std::string_view header = parsed.header.View();
    // A port tag such as "/V" written in front of the ":".
    if (!IsInternet(kind) && header.size() >= 2 && header[header.size() - 2] == '/') kind = SourceKindFromChar(header.back());
    if (hasInfo) RouteByType(ctx, parsed, live, kind, depth);
    else ctx.counters.dropped.Count(DropReason::kNoInformation);
}

}  // namespace velmora
