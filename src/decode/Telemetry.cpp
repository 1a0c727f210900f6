// Telemetry reports ("T#") and the "+" shelter block.
#include <cstring>

#include "decode/MicE.h"
#include "decode/ReportDecoders.h"

namespace velmora {
namespace {

constexpr FourCC kList = MakeFourCC("LIST");
constexpr size_t kHalf = 256;  // records in each generation

void Put16(uint8_t* p, int16_t v) {
    p[0] = static_cast<uint8_t>(static_cast<uint16_t>(v));
    p[1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
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

}  // namespace

void DecodeTelemetry(DecodeContext& ctx, const ReportCall& call) {
    const std::string_view info = call.line.info.View();
    if (info.size() < 2 || info[1] != '#') return;
    StationRecord& s = ctx.st.table.At(call.index);
    s.specialIcon = 23;
    std::vector<uint8_t>& buffer = s.owned[kOwnedTelemetry];
    if (buffer.empty()) buffer.assign(kTelemetryBufferBytes, 0);
    const int16_t sequence = NumberAt(info, 2, 4).value_or(0);
    if (sequence == 0) {
        // A new series: the previous one becomes the older generation.
        std::memcpy(buffer.data(), buffer.data() + kHalf * kTelemetryRecordBytes, kHalf * kTelemetryRecordBytes);
        std::memset(buffer.data() + kHalf * kTelemetryRecordBytes, 0, kHalf * kTelemetryRecordBytes);
        ctx.st.events.InvalidateList(kList, MakeFourCC("TELM"));
    }
    const size_t slot = kHalf + static_cast<size_t>((sequence % 256 + 256) % 256);
    uint8_t* record = buffer.data() + slot * kTelemetryRecordBytes;
    std::memset(record, 0, kTelemetryRecordBytes);
    Put32(record, s.reportTime);
    Put32(record + 4, static_cast<uint32_t>(s.altitudeFeet));
    for (size_t i = 0; i < 6; ++i) Put16(record + 8 + 2 * i, NumberAt(info, 2 + 4 * i, 4).value_or(0));
    const std::string_view bits = info.size() > 26 ? info.substr(26, 8) : std::string_view{};
    if (!bits.empty()) std::memcpy(record + 27, bits.data(), bits.size());
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
