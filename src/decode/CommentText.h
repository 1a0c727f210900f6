#pragma once
// What an operator wrote in a report's comment, without the data the
// comment also carried (course and speed, PHG, weather fields, altitude,
// !DAO!, base-91 telemetry), for lists and information windows.
#include <string>
#include <string_view>

namespace velmora {

enum class CommentKind {
    kPosition,    // after a text position: a leading seven-byte extension may stand first
    kCompressed,  // after a compressed position: course, speed and range were in the position
    kWeather,     // after a weather station's position: wind, then weather fields
    kStorm,       // after a storm's position: motion, then type, winds, pressure and radii
    kMicE,        // after the fixed bytes of a Mic-E report, device codes already removed
};

std::string ReadableComment(std::string_view comment, CommentKind kind);

// The longest prefix of text, no longer than limit bytes, that does not cut
// a UTF-8 character in two.
std::string_view Utf8Prefix(std::string_view text, size_t limit);

}  // namespace velmora
