#pragma once
// The US zip-code database, "Data/Zipcode.dat": 8-byte big-endian records
// indexed by the zip code itself (longitude, latitude in tenths of the
// position unit; two zeros for a code not in use).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct ZipPosition {
    int32_t lon = 0, lat = 0;
    int code = 0;  // the number read
};

enum class ZipStatus { kFound, kNotLoaded, kInvalid, kUnused, kOutOfRange };

class ZipTable {
public:
    void Load(std::string_view bytes);
    bool Loaded() const { return loaded_; }
    size_t Records() const { return records_.size(); }
    // The position of a zip text: leading blanks skipped, up to seven
    // digits read; valid when 400 < n < 100000, within the file and in use.
    ZipStatus Lookup(std::string_view text, ZipPosition& out) const;
    // The look-up dialog's answer: "%s  %s" (the latitude and longitude
    // texts), or "Unused Zip Code", "Invalid Zip Code, Out of Range" or
    // "Zip Code Data Base not loaded".
    std::string DialogText(std::string_view text) const;

private:
    std::vector<std::pair<int32_t, int32_t>> records_;
    bool loaded_ = false;
};

// The six status lines of a found zip code: the text given, the latitude
// and longitude texts, an empty line, the locator and the digits read.
std::vector<std::string> ZipLines(std::string_view given, const ZipPosition& p);

}  // namespace velmora
