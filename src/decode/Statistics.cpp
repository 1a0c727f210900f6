#include "decode/Statistics.h"

namespace velmora {

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
    const int five = now.hour * 12 + now.minute / 5;
    const int week = (now.weekday - 1) * 24 + now.hour;
    const int year = (now.month - 1) * 32 + now.day;
    if (five >= 0 && five < 288) ++fiveMinute_[g][five];
    if (week >= 0 && week < 168) ++hourOfWeek_[g][week];
    if (year >= 0 && year < 384) ++dayOfYear_[g][year];
}

}  // namespace velmora
