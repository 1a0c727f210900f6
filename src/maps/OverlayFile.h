#pragma once
// Overlays: named positions from a ".POS" text file, one a line
// ("NAME!4903.50N/07201.75W#comment"), drawn over the map windows. One
// overlay is loaded at a time.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/MapWindow.h"

namespace velmora {

struct OverlayEntry {
    std::string name;      // up to 9 characters, trailing blanks removed
    char symbolTable = '/';
    char symbolCode = ' ';
    int16_t overlayNumber = 0;
    int32_t lon = 0, lat = 0;
    std::string comment;   // up to 31 characters
    bool operator==(const OverlayEntry&) const = default;
};

// One line of a ".POS" file; nothing for comments, short lines and lines
// whose position is not a position.
std::optional<OverlayEntry> ParseOverlayLine(std::string_view line, int16_t number);
// Every entry of a file's text (lines end at CR or LF).
std::vector<OverlayEntry> ParseOverlay(std::string_view text, int16_t number);

// The label of an entry at a window's scale value: the name with " - " and
// the comment below 75, the name alone below 400, nothing above (unless
// forced, as Shift does).
std::string OverlayLabel(const OverlayEntry& e, int32_t scale, bool forced);

class OverlayLayer final : public MapLayer {
public:
    void Set(std::vector<OverlayEntry> entries) { entries_ = std::move(entries); }
    const std::vector<OverlayEntry>& Entries() const { return entries_; }
    bool Loaded() const { return !entries_.empty(); }
    void SetForceLabels(bool on) { forceLabels_ = on; }
    void DrawOver(Surface& s, const MapWindow& window) override;

private:
    std::vector<OverlayEntry> entries_;
    bool forceLabels_ = false;
};

}  // namespace velmora
