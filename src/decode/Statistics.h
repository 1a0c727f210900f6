#pragma once
// Packet counters by source group, category and hour, the byte counts, and
// the activity table of live traffic at three resolutions.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "stations/SourceKind.h"

namespace velmora {

enum StatCategory : int {
    kStatEveryLine = 0,
    kStatPlainPosition = 1,
    kStatTimedPosition = 2,
    kStatObject = 3,
    kStatStatus = 4,
    kStatBeaconText = 5,
    kStatIdText = 6,
    kStatWeather = 8,
    kStatRawWeather = 9,
    kStatPlusReport = 10,
    kStatCapabilities = 11,
    kStatSentence = 12,
    kStatDirectionFinding = 14,
    kStatGridLocator = 15,
    kStatTelemetry = 17,
    kStatDxSpot = 18,
    kStatOtherText = 19,
    kStatCategoryCount = 21,
};

constexpr int kStatGroups = 3;   // other, VHF, internet
constexpr int kStatSlots = 25;   // the local hour 0..23 (one spare)

class PacketStatistics {
public:
    // Counter group of a source kind: "2"/"V" VHF, "3"/"T" internet, else other.
    static int GroupOf(SourceKind kind);

    // False (and nothing counted) for a category outside 0..20; the caller beeps.
    [[nodiscard]] bool Count(SourceKind kind, int category, int hour);
    void CountBytes(SourceKind kind, uint32_t bytes, int hour);

    uint32_t Slot(int group, int category, int hour) const { return counts_[group][category][hour]; }
    uint32_t Total(int group, int category) const { return totals_[group][category]; }
    uint32_t Bytes(int group, int hour) const { return bytes_[group][hour]; }
    uint32_t ByteTotal(int group) const { return byteTotals_[group]; }

    void ClearHourSlot(int hour);
    // Every counter in one fixed order (the statistics file's).
    template <typename F> void ForEachCounter(F&& f) {
        for (auto& g : counts_) for (auto& c : g) for (uint32_t& v : c) f(v);
        for (auto& g : totals_) for (uint32_t& v : g) f(v);
        for (auto& g : bytes_) for (uint32_t& v : g) f(v);
        for (uint32_t& v : byteTotals_) f(v);
    }

private:
    uint32_t counts_[kStatGroups][kStatCategoryCount][kStatSlots] = {};
    uint32_t totals_[kStatGroups][kStatCategoryCount] = {};
    uint32_t bytes_[kStatGroups][kStatSlots] = {};
    uint32_t byteTotals_[kStatGroups] = {};
};

// Live lines per activity group (HF, VHF, internet) by five minutes of the
// day, hour of the week and day of the year.
class ActivityTable {
public:
    enum Group : int { kHf = 0, kVhf = 1, kInternet = 2, kNone = -1 };
    static Group GroupOf(SourceKind kind);

    void Count(SourceKind kind, const LocalDateTime& now);

    uint32_t FiveMinute(int group, int slot) const { return fiveMinute_[group][slot]; }
    uint32_t HourOfWeek(int group, int slot) const { return hourOfWeek_[group][slot]; }
    uint32_t DayOfYear(int group, int slot) const { return dayOfYear_[group][slot]; }

    // A slot that begins again holds what it counted a day, a week or a
    // year ago: it starts from 0.
    void NewFiveMinutes(const LocalDateTime& now);
    void NewHour(const LocalDateTime& now);
    void NewDay(const LocalDateTime& now);
    template <typename F> void ForEachCounter(F&& f) {
        for (auto& g : fiveMinute_) for (uint32_t& v : g) f(v);
        for (auto& g : hourOfWeek_) for (uint32_t& v : g) f(v);
        for (auto& g : dayOfYear_) for (uint32_t& v : g) f(v);
    }

private:
    uint32_t fiveMinute_[3][288] = {};
    uint32_t hourOfWeek_[3][168] = {};
    uint32_t dayOfYear_[3][384] = {};
};

// The statistics kept across a restart ("PacketStats.bin"): "VSTA", a
// version and the number of counters (u32 little-endian), then every
// counter of both tables as u32 little-endian.
std::string StatisticsFileBytes(PacketStatistics& stats, ActivityTable& activity);
// False (and nothing changed) when the bytes are not such a file.
bool ReadStatisticsFile(std::string_view bytes, PacketStatistics& stats, ActivityTable& activity);

}  // namespace velmora
