#pragma once
// The text and compressed position forms shared by every position decoder.
#include <cstdint>
#include <optional>
#include <string_view>

#include "decode/DecodedReport.h"

namespace velmora {

// Latitude hemisphere, symbol table or overlay, longitude hemisphere.
bool ValidPositionTriple(char latHemisphere, char table, char lonHemisphere);

// latText = 8 characters at k+1, table at k+9, lonText = 9 characters at
// k+10, symbol code at k+19, comment from k+20; short text gives short fields.
void SplitTextPosition(std::string_view text, size_t k, DecodedReport& report);

struct ConvertedPosition {
    int32_t lon = 0;
    int32_t lat = 0;
    int16_t ambiguity = 0;
};
// Converts the text forms to position units with blanked-digit ambiguity;
// empty when a text is malformed or a hemisphere letter is unknown.
std::optional<ConvertedPosition> ConvertTextPosition(std::string_view lonText,
                                                     std::string_view latText);

struct CompressedPosition {
    int32_t lon = 0;
    int32_t lat = 0;
};
// The short compressed form: three base-91 characters of latitude, three of
// longitude and one of extra bits (which is also the symbol code). Empty
// when a character lies outside the base-91 alphabet.
std::optional<CompressedPosition> DecodeShortCompressed(std::string_view p);

// The 13-character compressed form of today's trackers: table, four
// characters each of latitude and longitude, symbol, two bytes of course and
// speed, altitude or range, and the compression type.
struct StandardCompressed {
    int32_t lon = 0;
    int32_t lat = 0;
    char table = 0;
    char code = 0;
    bool courseSpeed = false;
    int16_t course = 0;
    int16_t speedKnots = 0;
    bool altitude = false;
    int32_t altitudeFeet = 0;
};
std::optional<StandardCompressed> DecodeStandardCompressed(std::string_view p);
// Decodes the 13-character form into a report: symbol, position, and the
// course and speed or altitude it carries. False when it is not one.
bool FillStandardCompressed(std::string_view p, DecodedReport& r);

// The "!DAO!" extension of a comment: a datum letter and one more digit of
// each minute ("!W37!", thousandths) or two (base-91 "!w}b!", ten-
// thousandths), added away from the equator and the meridian. Returns the
// datum letter, 0 when the comment has none; lon and lat are moved in place.
char ApplyDao(std::string_view comment, int32_t& lon, int32_t& lat);

struct Symbol {
    char table;
    char code;
};
// The symbol named by the characters after a "GPS" or "SYM" destination.
std::optional<Symbol> DestinationSymbol(std::string_view suffix);

}  // namespace velmora
