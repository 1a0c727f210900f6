#pragma once
// The airport database, "Data/airport.dat": 34-byte big-endian records of
// a packed identifier, a position in tenths of the position unit, the
// elevation, the state and the name; and the look-ups by identifier.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct AirportEntry {
    uint32_t identifier = 0;  // four characters, the first in the top byte
    int32_t lon = 0, lat = 0; // position units
    int16_t elevation = 0;    // feet
    uint16_t state = 0;       // two characters, the first in the top byte
    bool marked = false;
    std::string name;
};

class AirportTable {
public:
    static constexpr size_t kRecordSize = 34;
    static constexpr size_t kMaxEntries = 30000;

    // The entries of a file's bytes, up to the first zero identifier; a
    // cut last record is left out.
    void Load(std::string_view bytes);
    bool Loaded() const { return loaded_; }
    const std::vector<AirportEntry>& Entries() const { return entries_; }
    // "airports.txt": each listed identifier found is marked; "#" lines are
    // comments.
    void MarkListed(const std::vector<std::string>& lines);
    std::optional<size_t> Find(std::string_view text) const;
    void Unload() { entries_.clear(), loaded_ = false; }

private:
    std::vector<AirportEntry> entries_;
    bool loaded_ = false;
};

// The key of an identifier text: its first four characters upper-cased,
// packed high byte first; a three-character text gets a blank fourth.
uint32_t AirportKey(std::string_view text);
// The identifier as text: four characters, or three when the fourth is a
// blank, each with its top bit cleared.
std::string AirportIdentifier(uint32_t key);
std::string AirportState(uint16_t state);

// The six status lines of a found airport: "ID NAME ST", the latitude and
// longitude texts, "Alt %d ft", the locator, and the first line again.
std::vector<std::string> AirportLines(const AirportEntry& a);
// The look-up dialog's answer: "%s  %s, %s" (identifier, name, state), or
// "No Airport by that name found", or "Airport Data Base not loaded".
std::string AirportDialogText(const AirportTable& table, std::string_view text);

}  // namespace velmora
