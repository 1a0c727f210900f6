#include "stations/StationFlags.h"

#include <cctype>

namespace velmora {

int StationFlagsFile::Load(const FileAccess& files) {
    entries_.clear();
    files.ReadLines(kFileName, [this](std::string_view line) { AddLine(line); });
    return static_cast<int>(entries_.size());
}

bool StationFlagsFile::AddLine(std::string_view line) {
    if (line.size() <= 3 || line[0] == '#' || line[0] == '*') return false;
    // At most five tab-separated fields; the first is the callsign.
    int fields = 1;
    size_t firstTab = std::string_view::npos;
    for (size_t i = 0; i < line.size() && fields < 5; ++i) {
        if (line[i] != '\t') continue;
        if (firstTab == std::string_view::npos) firstTab = i;
        ++fields;
    }
    if (fields < 2 || firstTab <= 1) return false;
    std::string upper(line);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto has = [&upper](const char* word) { return upper.find(word) != std::string::npos; };
    StationFlags flags;
    flags.alarm = has("ALARM");
    flags.danger = has("DANGER");
    flags.flagged = has("FLAGGED");
    flags.igate = has("IGATE");
    flags.track = has("TRACK");
    flags.warning = has("WARNING");
    flags.lock = has("LOCK");
    // The callsign field is stored in 16 bytes.
    std::string call(line.substr(0, firstTab < 15 ? firstTab : 15));
    entries_.insert_or_assign(std::move(call), flags);
    return true;
}

StationFlags StationFlagsFile::For(std::string_view callsign) const {
    const auto it = entries_.find(std::string(callsign));
    return it == entries_.end() ? StationFlags{} : it->second;
}

}  // namespace velmora
