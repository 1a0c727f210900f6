#pragma once
// The operator's own objects and items: what each one is, where it was put
// and how it moves, which routes it goes on, and the last few reports of a
// killed one. Kept as text in "Objects.txt" so they outlive a restart.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "transmit/OwnReports.h"

namespace velmora {

enum ObjectRoute : uint8_t { kObjectRouteHf = 1, kObjectRouteVhf = 2, kObjectRouteInternet = 4, kObjectRoutesAll = 7 };

struct OwnObjectEntry {
    std::string name;                   // 1-9 characters (an item's 3-9)
    bool item = false;
    char symbolTable = '/', symbolCode = '.';
    int32_t lon = 0, lat = 0;           // position units, where it was put
    int course = 0, speed = 0;          // degrees and knots; moving when speed > 0
    int32_t altitudeFeet = 0;
    std::string comment;                // at most 43 characters
    uint8_t routes = kObjectRoutesAll;
    TimeStamp setAt = 0;                // when it was made or last moved
    int killedSends = -1;               // killed: reports still to go; -1 while alive
    int64_t lastRound = -1;             // the minute a killed report was last counted

    bool Killed() const { return killedSends >= 0; }
};

class OwnObjectStore {
public:
    static constexpr int kKilledSends = 3;
    static constexpr size_t kMaxComment = 43;
    static constexpr std::string_view kFileName = "Objects.txt";

    // Why a name, symbol or comment cannot be sent; empty when it can.
    static std::string NameProblem(std::string_view name, bool item);
    static std::string SymbolProblem(char table, char code);
    static std::string CommentProblem(std::string_view comment);

    // A new object, or a new life for one of the same name; the problem otherwise.
    std::string Put(OwnObjectEntry entry);
    std::string Move(std::string_view name, int32_t lon, int32_t lat, TimeStamp now);
    std::string Kill(std::string_view name);
    const OwnObjectEntry* Find(std::string_view name) const;
    const std::vector<OwnObjectEntry>& Entries() const { return entries_; }

    // The reports for one route ('H', 'V', 'T', or '-' for any), moving ones
    // dead reckoned to now. A killed one is counted once a minute however
    // many routes it goes on, and dropped when its reports are spent.
    std::vector<std::string> Reports(char route, TimeStamp now, int utcOffsetHours);
    // One object's report, counted the same way.
    std::optional<std::string> Report(std::string_view name, TimeStamp now, int utcOffsetHours);
    // Killed objects whose reports are spent, named before they are dropped.
    std::vector<std::string> TakeSpent(TimeStamp now);

    std::string FileText() const;
    // Reads what it can; the count of lines that could not be read.
    int ReadFile(std::string_view text);

private:
    static std::optional<std::string> ReportOf(OwnObjectEntry& e, TimeStamp now, int utcOffsetHours);
    std::vector<OwnObjectEntry> entries_;
};

// Where a moving object is after the time since it was put, in position units.
std::pair<int32_t, int32_t> DeadReckoned(const OwnObjectEntry& o, TimeStamp now);

}  // namespace velmora
