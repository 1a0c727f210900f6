// Telemetry reports ("T#") and the "+" shelter block.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "decode/MicE.h"
#include "decode/ReportDecoders.h"

namespace velmora {
namespace {

constexpr FourCC kList = MakeFourCC("LIST");

void Put16(uint8_t* p, int16_t v) {
    p[0] = static_cast<uint8_t>(static_cast<uint16_t>(v));
    p[1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}

int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Two hexadecimal digits; 0 when they are not hex.
int16_t Hex2(std::string_view s, size_t at) {
    if (at + 2 > s.size()) return 0;
    const int hi = Hex(s[at]), lo = Hex(s[at + 1]);
    return static_cast<int16_t>(hi < 0 || lo < 0 ? 0 : hi * 16 + lo);
}

// A decimal number of the whole field ("000", ".12", "-5", "1e2" is not one).
std::optional<double> Decimal(std::string_view f) {
    while (!f.empty() && f.front() == ' ') f.remove_prefix(1);
    while (!f.empty() && f.back() == ' ') f.remove_suffix(1);
    if (f.empty() || f.size() > 24) return std::nullopt;
    bool digit = false, dot = false;
    for (size_t i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (c >= '0' && c <= '9') digit = true;
        else if (c == '.' && !dot) dot = true;
        else if (!((c == '-' || c == '+') && i == 0)) return std::nullopt;
    }
    if (!digit) return std::nullopt;
    char buf[32];
    f.copy(buf, f.size());
    buf[f.size()] = '\0';
    return std::strtod(buf, nullptr);
}

// Up to eight "0"/"1" characters at the start of a field; the count read.
size_t ReadBits(std::string_view f, TelemetryRecord& r) {
    size_t n = 0;
    while (n < f.size() && n < 8 && (f[n] == '0' || f[n] == '1')) {
        if (f[n] == '1') r.bits |= static_cast<uint8_t>(0x80 >> n);
        ++n;
    }
    r.bitCount = static_cast<uint8_t>(n);
    return n;
}

std::vector<std::string_view> SplitCommas(std::string_view s, size_t limit) {
    std::vector<std::string_view> out;
    while (out.size() < limit) {
        const size_t comma = s.find(',');
        out.push_back(s.substr(0, comma));
        if (comma == std::string_view::npos) break;
        s.remove_prefix(comma + 1);
    }
    return out;
}

int Base91Pair(std::string_view p) { return (p[0] - 33) * 91 + (p[1] - 33); }

}  // namespace

std::optional<TelemetryRecord> ParseTelemetryReport(std::string_view info) {
    if (info.size() < 3 || info.substr(0, 2) != "T#") return std::nullopt;
    std::string_view rest = info.substr(2);
    TelemetryRecord r;
    if (rest.substr(0, 3) == "MIC") {
        // No sequence; some radios put the first value right after "MIC".
        rest.remove_prefix(3);
        if (!rest.empty() && rest.front() == ',') rest.remove_prefix(1);
    } else {
        const size_t comma = rest.find(',');
        if (const auto seq = Decimal(rest.substr(0, comma)); seq && *seq >= 0 && *seq < 1e9)
            r.sequence = static_cast<int32_t>(*seq);
        if (comma == std::string_view::npos) return r;
        rest.remove_prefix(comma + 1);
    }
    const std::vector<std::string_view> fields = SplitCommas(rest, 6);
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string_view f = fields[i];
        // Eight binary digits last are the bits, however many values came before.
        const bool last = i + 1 == fields.size();
        if (i == 5 || (last && f.size() >= 8 && f.find_first_not_of("01") >= 8)) {
            ReadBits(f, r);
            break;
        }
        const auto v = Decimal(f);
        if (!v) break;
        r.analog[r.analogCount++] = *v;
    }
    return r;
}

std::optional<TelemetryRecord> ParseCommentTelemetry(std::string_view comment, size_t* at, size_t* length) {
    for (size_t open = comment.find('|'); open != std::string_view::npos; open = comment.find('|', open + 1)) {
        const size_t close = comment.find('|', open + 1);
        if (close == std::string_view::npos) return std::nullopt;
        const std::string_view body = comment.substr(open + 1, close - open - 1);
        bool base91 = body.size() >= 4 && body.size() <= 14 && body.size() % 2 == 0;
        for (char c : body) base91 = base91 && c >= '!' && c <= '{';
        if (!base91) continue;
        TelemetryRecord r;
        r.sequence = Base91Pair(body);
        const size_t pairs = body.size() / 2 - 1;
        for (size_t i = 0; i < pairs && i < 5; ++i) r.analog[r.analogCount++] = Base91Pair(body.substr(2 + 2 * i));
        if (pairs == 6) {
            // The sixth pair holds the bits, B1 the lowest.
            const int bits = Base91Pair(body.substr(12));
            for (int b = 0; b < 8; ++b)
                if (bits & (1 << b)) r.bits |= static_cast<uint8_t>(0x80 >> b);
            r.bitCount = 8;
        }
        if (at) *at = open;
        if (length) *length = close - open + 1;
        return r;
    }
    return std::nullopt;
}

bool IsTelemetryDefinition(std::string_view text) {
    const std::string_view head = text.substr(0, 5);
    return head == "PARM." || head == "UNIT." || head == "EQNS." || head == "BITS.";
}

bool ApplyTelemetryDefinition(TelemetryDefinitions& d, std::string_view text) {
    if (!IsTelemetryDefinition(text)) return false;
    const std::string_view head = text.substr(0, 4);
    std::string_view body = text.substr(5);
    // A message may end in its number ("{12"): that is no label.
    if (const size_t brace = body.find('{'); brace != std::string_view::npos) body = body.substr(0, brace);
    const std::vector<std::string_view> fields = SplitCommas(body, head == "EQNS" ? 15 : 13);
    if (head == "PARM" || head == "UNIT") {
        auto& target = head == "PARM" ? d.names : d.units;
        for (size_t i = 0; i < target.size(); ++i) target[i] = i < fields.size() ? std::string(fields[i]) : std::string();
        return true;
    }
    if (head == "EQNS") {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (const auto v = Decimal(fields[i])) d.equations[i / 3][i % 3] = *v;
        }
        return true;
    }
    TelemetryRecord sense;
    ReadBits(fields.empty() ? std::string_view{} : fields[0], sense);
    d.bitSense = sense.bits;
    d.project = body.size() > 9 && body[8] == ',' ? std::string(body.substr(9)) : std::string();
    return true;
}

void AppendTelemetry(StationRecord& s, const TelemetryRecord& r) {
    if (s.telemetry.size() >= kTelemetryRecords) s.telemetry.erase(s.telemetry.begin());
    s.telemetry.push_back(r);
}

void TakeCommentTelemetry(DecodeContext& ctx, StationRecord& s, std::string_view comment) {
    std::optional<TelemetryRecord> record = ParseCommentTelemetry(comment);
    if (!record) return;
    record->time = ctx.st.clock.NowStamp();
    AppendTelemetry(s, *record);
    ctx.st.events.InvalidateList(kList, MakeFourCC("TELM"));
}

void DecodeTelemetry(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    std::optional<TelemetryRecord> record = ParseTelemetryReport(info);
    if (!record) return;
    StationRecord& s = ctx.st.table.At(call.index);
    s.specialIcon = 23;
    record->time = ctx.st.clock.NowStamp();
    AppendTelemetry(s, *record);
    ctx.st.events.InvalidateList(kList, MakeFourCC("TELM"));
}

void DecodePlusBlock(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View().substr(0, 127);
    StationRecord& s = ctx.st.table.At(call.index);
    if (s.plusBlock.empty()) s.plusBlock.assign(18, 0);
    s.plusTime = ctx.st.clock.NowStamp();
    int16_t values[9] = {};
    values[0] = NumberAt(info, 9, 4).value_or(0);
    values[1] = NumberAt(info, 13, 4).value_or(0);
    // The hex fields fill slots 3..9 in order, except that the fields at 37
    // and 33 take the sixth and seventh slots, which moves the one at 29 to
    // the eighth.
    static constexpr size_t kHexAt[7] = {17, 21, 25, 37, 33, 29, 41};
    for (size_t i = 0; i < 7; ++i) values[2 + i] = Hex2(info, kHexAt[i]);
    for (size_t i = 0; i < 9; ++i) Put16(s.plusBlock.data() + 2 * i, values[i]);
}

}  // namespace velmora
