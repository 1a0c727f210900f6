#include "decode/Statistics.h"

namespace velmora {

namespace {
int FiveMinuteSlot(const LocalDateTime& t) { return t.hour * 12 + t.minute / 5; }
int HourOfWeekSlot(const LocalDateTime& t) { return (t.weekday - 1) * 24 + t.hour; }
int DayOfYearSlot(const LocalDateTime& t) { return (t.month - 1) * 32 + t.day; }
constexpr char kStatsMagic[4] = {'V', 'S', 'T', 'A'};
constexpr uint32_t kStatsVersion = 1;

void PutU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}
uint32_t GetU32(std::string_view b, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
    return v;
}
}  // namespace

int PacketStatistics::GroupOf(SourceKind kind) {
    if (kind == SourceKind::kVhf || kind == SourceKind::kVhfTag) return 1;
    if (kind == SourceKind::kInternet3 || kind == SourceKind::kInternet) return 2;
    return 0;
}

bool PacketStatistics::Count(SourceKind kind, int category, int hour) {
    if (category < 0 || category >= kStatCategoryCount) return false;
    if (hour < 0 || hour >= kStatSlots) hour = kStatSlots - 1;
    const int g = GroupOf(kind);
    ++counts_[g][category][hour];
    ++totals_[g][category];
    return true;
}

void PacketStatistics::CountBytes(SourceKind kind, uint32_t bytes, int hour) {
    if (hour < 0 || hour >= kStatSlots) hour = kStatSlots - 1;
    const int g = GroupOf(kind);
    bytes_[g][hour] += bytes;
    byteTotals_[g] += bytes;
}

void PacketStatistics::ClearHourSlot(int hour) {
    if (hour < 0 || hour >= kStatSlots) return;
    for (auto& group : counts_)
        for (auto& category : group) category[hour] = 0;
    for (auto& group : bytes_) group[hour] = 0;
}

ActivityTable::Group ActivityTable::GroupOf(SourceKind kind) {
    switch (kind) {
        case SourceKind::kHf: case SourceKind::kHfTag: return kHf;
        case SourceKind::kVhf: case SourceKind::kVhfTag: case SourceKind::kOtherVhf: return kVhf;
        case SourceKind::kInternet3: case SourceKind::kInternet: return kInternet;
        default: return kNone;
    }
}

void ActivityTable::Count(SourceKind kind, const LocalDateTime& now) {
    const Group g = GroupOf(kind);
    if (g == kNone) return;
    const int five = FiveMinuteSlot(now), week = HourOfWeekSlot(now), year = DayOfYearSlot(now);
    if (five >= 0 && five < 288) ++fiveMinute_[g][five];
    if (week >= 0 && week < 168) ++hourOfWeek_[g][week];
    if (year >= 0 && year < 384) ++dayOfYear_[g][year];
}


void ActivityTable::NewFiveMinutes(const LocalDateTime& now) {
    const int s = FiveMinuteSlot(now);
    if (s >= 0 && s < 288) for (auto& g : fiveMinute_) g[s] = 0;
}

void ActivityTable::NewHour(const LocalDateTime& now) {
    const int s = HourOfWeekSlot(now);
    if (s >= 0 && s < 168) for (auto& g : hourOfWeek_) g[s] = 0;
}

void ActivityTable::NewDay(const LocalDateTime& now) {
    const int s = DayOfYearSlot(now);
    if (s >= 0 && s < 384) for (auto& g : dayOfYear_) g[s] = 0;
}

std::string StatisticsFileBytes(PacketStatistics& stats, ActivityTable& activity) {
    std::string counters;
    stats.ForEachCounter([&](uint32_t& v) { PutU32(counters, v); });
    activity.ForEachCounter([&](uint32_t& v) { PutU32(counters, v); });
    std::string out(kStatsMagic, 4);
    PutU32(out, kStatsVersion);
    PutU32(out, static_cast<uint32_t>(counters.size() / 4));
    return out + counters;
}

bool ReadStatisticsFile(std::string_view bytes, PacketStatistics& stats, ActivityTable& activity) {
    size_t count = 0;
    stats.ForEachCounter([&](uint32_t&) { ++count; });
    activity.ForEachCounter([&](uint32_t&) { ++count; });
    if (bytes.size() != 12 + 4 * count || bytes.substr(0, 4) != std::string_view(kStatsMagic, 4) ||
        GetU32(bytes, 4) != kStatsVersion || GetU32(bytes, 8) != count)
        return false;
    size_t at = 12;
    const auto take = [&](uint32_t& v) {
        v = GetU32(bytes, at);
        at += 4;
    };
    stats.ForEachCounter(take);
    activity.ForEachCounter(take);
    return true;
}

}  // namespace velmora
