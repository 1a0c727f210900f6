#pragma once
// Numbers as weather stations print them: leading blanks, an optional sign,
// digits with an optional fraction. Anything else ends the number; no
// digits at all is no number.
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace velmora {

inline std::optional<double> DecimalAt(std::string_view text, size_t at) {
    if (at >= text.size()) return std::nullopt;
    std::string_view s = text.substr(at);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    // No station prints a value near 100000; a bigger one is noise, and would
    // overflow the conversions to tenths.
    if (ec != std::errc() || end == s.data() || !std::isfinite(v) || std::fabs(v) > 1e5) return std::nullopt;
    return v;
}

inline std::optional<int> IntegerAt(std::string_view text, size_t at) {
    const std::optional<double> v = DecimalAt(text, at);
    if (!v) return std::nullopt;
    return static_cast<int>(*v);
}

inline int Rounded(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace velmora
