#pragma once
// The console's words for own objects: "object add NAME LAT LON SYMBOL
// [COMMENT]" and "object move NAME LAT LON", the position in any form hams
// write it and the symbol as its two characters ("/o", "\k", "Sa").
#include <optional>
#include <string>
#include <string_view>

#include "geo/PositionInput.h"

namespace velmora {

struct ObjectWords {
    std::string name;
    TypedPosition position;
    char symbolTable = '/', symbolCode = '.';
    std::string comment;
};

struct ObjectWordsRead {
    std::optional<ObjectWords> words;
    std::string problem;
};

inline constexpr const char* kObjectAddUsage =
    "usage: object add NAME LAT LON SYMBOL [COMMENT], for example object add EOC 47 36.50N 122 20.00W /o Red Cross";
inline constexpr const char* kObjectMoveUsage =
    "usage: object move NAME LAT LON, for example object move EOC 47.61 -122.33";

// With symbol false the words are NAME and a position only (a move).
ObjectWordsRead ReadObjectWords(std::string_view args, bool symbol);

}  // namespace velmora
