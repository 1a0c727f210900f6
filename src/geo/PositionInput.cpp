#include "geo/PositionInput.h"

#include "geo/Position.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace velmora {
namespace {

struct Token {
    char hemisphere = 0;  // N, S, E or W; otherwise a number
    std::string number;
};

bool Digit(char c) { return c >= '0' && c <= '9'; }

char HemisphereLetter(char c) {
    switch (c) {
        case 'N': case 'n': return 'N';
        case 'S': case 's': return 'S';
        case 'E': case 'e': return 'E';
        case 'W': case 'w': return 'W';
        default: return 0;
    }
}

// Degree, minute and second marks (ASCII and UTF-8), commas and blanks all
// part numbers; letters N, S, E, W stand alone.
std::optional<std::vector<Token>> Tokens(std::string_view s, std::string& problem) {
    std::vector<Token> out;
    bool fresh = true;  // the next digit starts a new number
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (Digit(static_cast<char>(c)) || c == '.' || ((c == '-' || c == '+') && fresh)) {
            if (fresh) out.push_back({});
            fresh = false;
            out.back().number += static_cast<char>(c);
            ++i;
        } else if (const char h = HemisphereLetter(static_cast<char>(c))) {
            out.push_back({h, {}});
            fresh = true;
            ++i;
        } else if (c == ' ' || c == '\t' || c == ',' || c == ';' || c == '/' || c == '\'' || c == '"' || c == ':' || c == 'd' ||
                   c == 'D') {
            fresh = true;
            ++i;
        } else if (c == 0xC2 && i + 1 < s.size() && (static_cast<unsigned char>(s[i + 1]) == 0xB0 ||
                                                      static_cast<unsigned char>(s[i + 1]) == 0xBA)) {
            fresh = true;  // ° or º
            i += 2;
        } else if (c == 0xE2 && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0x80 &&
                   (static_cast<unsigned char>(s[i + 2]) == 0xB2 || static_cast<unsigned char>(s[i + 2]) == 0xB3 ||
                    static_cast<unsigned char>(s[i + 2]) == 0x99 || static_cast<unsigned char>(s[i + 2]) == 0x9D)) {
            fresh = true;  // ′ ″ ’ ”
            i += 3;
        } else {
            problem = "\"" + std::string(s) + "\" has a character a position does not use";
            return std::nullopt;
        }
    }
    return out;
}

bool WellFormed(const std::string& n, bool signAllowed, bool decimalsAllowed) {
    size_t i = 0;
    if (!n.empty() && (n[0] == '-' || n[0] == '+')) {
        if (!signAllowed) return false;
        i = 1;
    }
    int digits = 0, dots = 0;
    for (; i < n.size(); ++i) {
        if (Digit(n[i])) ++digits;
        else if (n[i] == '.') ++dots;
        else return false;
    }
    return digits > 0 && dots <= (decimalsAllowed ? 1 : 0);
}

std::string Example(Axis axis) {
    return axis == Axis::kLatitude ? kLatitudeExamples : kLongitudeExamples;
}

// One coordinate from its numbers and at most one hemisphere letter.
CoordinateRead FromTokens(const std::vector<Token>& tokens, Axis axis, std::string_view text) {
    const std::string name = axis == Axis::kLatitude ? "latitude" : "longitude";
    const std::string refusal = "\"" + std::string(text) + "\" is not a " + name + ": write it as " + Example(axis);
    std::vector<std::string> numbers;
    char letter = 0;
    for (const Token& t : tokens) {
        if (!t.hemisphere) {
            numbers.push_back(t.number);
        } else if (letter) {
            return {std::nullopt, refusal};
        } else {
            letter = t.hemisphere;
        }
    }
    if (numbers.empty() || numbers.size() > 3) return {std::nullopt, refusal};
    if (letter && (axis == Axis::kLatitude) != (letter == 'N' || letter == 'S'))
        return {std::nullopt, "\"" + std::string(text) + "\": " + std::string(1, letter) + " is no hemisphere of a " +
                                  name + "; write it as " + Example(axis)};
    for (size_t i = 0; i < numbers.size(); ++i)
        if (!WellFormed(numbers[i], i == 0 && !letter, i + 1 == numbers.size())) return {std::nullopt, refusal};
    const bool negative = numbers[0][0] == '-';
    const std::string first = numbers[0][0] == '-' || numbers[0][0] == '+' ? numbers[0].substr(1) : numbers[0];
    double degrees = std::strtod(first.c_str(), nullptr), minutes = 0, seconds = 0;
    const size_t whole = first.find('.') == std::string::npos ? first.size() : first.find('.');
    // The APRS form: DDMM.mm or DDDMM.mm with its hemisphere letter.
    if (numbers.size() == 1 && letter && whole >= 4 && whole <= 5) {
        degrees = std::floor(std::strtod(first.substr(0, whole - 2).c_str(), nullptr));
        minutes = std::strtod(first.substr(whole - 2).c_str(), nullptr);
    }
    if (numbers.size() >= 2) minutes = std::strtod(numbers[1].c_str(), nullptr);
    if (numbers.size() == 3) seconds = std::strtod(numbers[2].c_str(), nullptr);
    if (minutes >= 60 || seconds >= 60)
        return {std::nullopt, "\"" + std::string(text) + "\": minutes and seconds run from 0 to 59; write it as " +
                                  Example(axis)};
    double value = degrees + minutes / 60 + seconds / 3600;
    const double limit = axis == Axis::kLatitude ? 90 : 180;
    if (!(value <= limit))
        return {std::nullopt, "\"" + std::string(text) + "\": a " + name + " is at most " +
                                  std::to_string(static_cast<int>(limit)) + " degrees; write it as " + Example(axis)};
    if (negative || letter == 'S' || letter == 'W') value = -value;
    return {value, {}};
}

}  // namespace

CoordinateRead ReadCoordinate(std::string_view text, Axis axis) {
    std::string problem;
    const auto tokens = Tokens(text, problem);
    if (!tokens) return {std::nullopt, problem + "; write it as " + Example(axis)};
    return FromTokens(*tokens, axis, text);
}

PositionRead ReadPosition(std::string_view text) {
    const std::string refusal = "\"" + std::string(text) + "\" is not a position: write it as " + kPositionExamples;
    std::string problem;
    const auto tokens = Tokens(text, problem);
    if (!tokens) return {std::nullopt, problem + "; write it as " + kPositionExamples};
    std::vector<Token> first, second;
    size_t latLetters = 0, lonLetters = 0, numbers = 0;
    for (const Token& t : *tokens) {
        if (t.hemisphere == 'N' || t.hemisphere == 'S') ++latLetters;
        else if (t.hemisphere) ++lonLetters;
        else ++numbers;
    }
    if (latLetters + lonLetters == 0) {
        // Signed numbers only: the same count of parts on each side.
        if (numbers % 2 || numbers == 0 || numbers > 6) return {std::nullopt, refusal};
        first.assign(tokens->begin(), tokens->begin() + static_cast<std::ptrdiff_t>(numbers / 2));
        second.assign(tokens->begin() + static_cast<std::ptrdiff_t>(numbers / 2), tokens->end());
    } else if (latLetters == 1 && lonLetters == 1) {
        // Letters all before their numbers, or all after them.
        const bool before = tokens->front().hemisphere != 0;
        size_t split = 0;
        for (size_t i = 0; i < tokens->size(); ++i) {
            if (!(*tokens)[i].hemisphere) continue;
            if (before && i > 0) split = i;
            if (!before && split == 0) split = i + 1;
        }
        if (!before && tokens->back().hemisphere == 0) return {std::nullopt, refusal};
        first.assign(tokens->begin(), tokens->begin() + static_cast<std::ptrdiff_t>(split));
        second.assign(tokens->begin() + static_cast<std::ptrdiff_t>(split), tokens->end());
    } else {
        return {std::nullopt, refusal};
    }
    auto letterOf = [](const std::vector<Token>& part) {
        for (const Token& t : part)
            if (t.hemisphere) return t.hemisphere;
        return char(0);
    };
    // A longitude given first ("122 20W 47 36N") is taken as its letters say.
    if (letterOf(first) == 'E' || letterOf(first) == 'W') std::swap(first, second);
    const CoordinateRead lat = FromTokens(first, Axis::kLatitude, text);
    if (!lat.degrees) return {std::nullopt, lat.problem};
    const CoordinateRead lon = FromTokens(second, Axis::kLongitude, text);
    if (!lon.degrees) return {std::nullopt, lon.problem};
    return {TypedPosition{*lat.degrees, *lon.degrees}, {}};
}

int32_t TypedLonUnits(double degreesEast) {
    return kLonOrigin + static_cast<int32_t>(std::lround(std::clamp(degreesEast, -180.0, 180.0) * kUnitsPerDegree));
}

int32_t TypedLatUnits(double degreesNorth) {
    return kLatOrigin - static_cast<int32_t>(std::lround(std::clamp(degreesNorth, -90.0, 90.0) * kUnitsPerDegree));
}

std::string ShowCoordinate(double degrees, Axis axis) {
    const bool lat = axis == Axis::kLatitude;
    const char letter = degrees < 0 ? (lat ? 'S' : 'W') : (lat ? 'N' : 'E');
    const long hundredths = std::lround(std::fabs(degrees) * 6000);  // hundredths of a minute
    char text[40];
    std::snprintf(text, sizeof text, "%ld\u00b0%02ld.%02ld\u2032%c", hundredths / 6000, hundredths / 100 % 60,
                  hundredths % 100, letter);
    return text;
}

std::string ShowPosition(double lat, double lon) {
    return ShowCoordinate(lat, Axis::kLatitude) + " " + ShowCoordinate(lon, Axis::kLongitude);
}

}  // namespace velmora
