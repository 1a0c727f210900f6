#pragma once
// Weather alerts of the National Weather Service as APRS carries them:
// messages to "NWS-WARN", "NWS-WATCH" and the like whose text names an
// expiry, an event and the areas (counties and zones) it covers. The table
// of areas comes from outline files; a bulletin marks its areas with the
// alert's level until it expires or is cancelled.
//
// Two forms are understood. The older one: "DDHHMM,EVENT,ST_C027,ST_C029,".
// Today's gateways write "DDHHMMz,EVENT,STC027>029-035,STZ001{seq" with
// "NWS_" as well as "NWS-" addressees: times in UTC, codes without the
// underscore, and ranges (">") and lists ("-") of numbers after the first.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace velmora {

enum class NwsLevel : int16_t { kNone = 0, kAdvisory, kWatch, kWarning, kTesting, kDrill };

// "---", "Advisory", "Watch", "Warning", "Testing", "Drill"; "Error" else.
std::string_view NwsLevelName(int level);
// The level an addressee announces; nothing for other addressees.
std::optional<NwsLevel> NwsLevelOf(std::string_view addressee);
bool IsNwsAddressee(std::string_view addressee);
// An area code from an outline file's name ("CTC003.map" is "CT_C003").
std::string NwsAreaCode(std::string_view fileName);
// The event names offered when sending.
extern const std::vector<std::string_view> kNwsEvents;

struct NwsBounds {
    int32_t west = 0, east = 0, north = 0, south = 0;  // position units
    bool Empty() const { return east <= west || south <= north; }
};

struct NwsArea {
    std::string code;
    NwsBounds bounds;
    bool active = false;
    bool relay = false;
    int16_t level = 0;
    TimeStamp expires = 0;
    std::string timeText, event, issuer;
};

// What a received bulletin did.
struct NwsOutcome {
    bool changed = false;                // an area was set
    std::vector<std::string> relays;     // ":ADDRESSEE:text", once when any named area is relayed
    bool alarm = false;                  // a live alert near home (event 8003)
};

// What the sending of one level to chosen areas makes: messages of at most
// four codes each.
struct NwsMessage {
    std::string addressee, text;
};

class NwsAlerts {
public:
    static constexpr size_t kMaxTokens = 500;  // of one bulletin, ranges expanded

    void AddArea(std::string code, NwsBounds bounds);
    size_t AreaCount() const { return areas_.size(); }
    const std::vector<NwsArea>& Areas() const { return areas_; }
    int Find(std::string_view code) const;

    // "Counties.txt": the areas relayed from the internet to VHF.
    void SetRelayAreas(const std::vector<std::string>& codes);
    // "NWSrelay.txt": when given, only these senders are relayed.
    void SetRelaySenders(std::optional<std::vector<std::string>> senders);
    const std::map<std::string, int>& RelayCounts() const { return relayCounts_; }
    // "SkyWarn.txt": whether this station may send bulletins.
    void SetOriginator(bool on) { originator_ = on; }
    bool Originator() const { return originator_; }

    struct Context {
        TimeStamp now = 0;
        int utcOffsetHours = 0;     // local = UTC + offset, for "z" times
        bool live = false;
        char sourceKind = '2';      // 'T' for the internet
        int32_t homeLon = 0, homeLat = 0;
        int alarmRadiusMiles = 0;   // 0: no alarm
    };
    NwsOutcome Handle(std::string_view sender, std::string_view addressee, std::string_view text, const Context& c);
    // Every active area whose expiry is less than a minute ahead ends; true
    // when one did.
    bool Expire(TimeStamp now);

    // Sends a level (0 cancel .. 4 test; higher is a test that changes no
    // area) to the chosen areas; the expiry and event come from the
    // operator (ignored for a cancellation, which lasts an hour).
    std::vector<NwsMessage> Send(int level, const std::vector<int>& areas, TimeStamp expiry, std::string_view event,
                                 std::string_view ownCall, TimeStamp now);
    // The expiry offered when sending: two hours on, minutes up to a five.
    static LocalDateTime DefaultExpiry(TimeStamp now);

private:
    void SetArea(NwsArea& a, int level, std::string_view sender, std::optional<TimeStamp> expiry,
                 const std::string& dateText, const std::string& event, TimeStamp now);

    std::vector<NwsArea> areas_;
    std::map<std::string, int, std::less<>> index_;
    std::optional<std::vector<std::string>> senders_;
    std::map<std::string, int> relayCounts_;
    bool originator_ = false;
};

// The tokens of a bulletin text, as the handler reads them: split at ",",
// "." and blanks, today's compressed area lists expanded, each upper-cased
// and at most 32 characters of letters, digits, "_" and "-".
std::vector<std::string> NwsTokens(std::string_view text, size_t limit = NwsAlerts::kMaxTokens);

}  // namespace velmora
