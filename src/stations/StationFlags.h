#pragma once
// "Stations.txt": per-callsign flags the operator keeps in a text file.
// Each usable line is a callsign, a tab and further fields; a flag is set
// when its word appears anywhere in the upper-cased line.
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/Files.h"

namespace velmora {

struct StationFlags {
    bool alarm = false;
    bool danger = false;
    bool flagged = false;
    bool igate = false;
    bool track = false;
    bool warning = false;
    bool lock = false;
};

class StationFlagsFile {
public:
    static constexpr const char* kFileName = "Stations.txt";

    // Replaces the table with the file's entries; a missing file leaves the
    // table empty (every station unflagged). Returns the entry count.
    int Load(const FileAccess& files);
    // Parses one line; false when the line is a comment or too short.
    bool AddLine(std::string_view line);
    void Clear() { entries_.clear(); }

    // Flags of an exact callsign; all false when not listed.
    StationFlags For(std::string_view callsign) const;
    size_t Size() const { return entries_.size(); }

private:
    std::unordered_map<std::string, StationFlags> entries_;
};

}  // namespace velmora
