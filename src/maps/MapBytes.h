#pragma once
// Big-endian fields of map files, read one at a time from a byte view;
// every read is checked against the end.
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

class BigEndianBytes {
public:
    explicit BigEndianBytes(std::string_view bytes) : bytes_(bytes) {}

    size_t Size() const { return bytes_.size(); }
    bool Has(size_t at, size_t width) const { return at <= bytes_.size() && width <= bytes_.size() - at; }

    uint8_t U8(size_t at) const { return Has(at, 1) ? static_cast<uint8_t>(bytes_[at]) : 0; }
    uint16_t U16(size_t at) const { return static_cast<uint16_t>(U8(at) << 8 | U8(at + 1)); }
    int16_t I16(size_t at) const { return static_cast<int16_t>(U16(at)); }
    uint32_t U32(size_t at) const {
        return uint32_t(U8(at)) << 24 | uint32_t(U8(at + 1)) << 16 | uint32_t(U8(at + 2)) << 8 | U8(at + 3);
    }
    int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }
    // A NUL-terminated text in a field of this width, cut at max characters.
    std::string Text(size_t at, size_t width, size_t max) const {
        std::string out;
        for (size_t i = 0; i < width && out.size() < max && Has(at + i, 1); ++i) {
            const char c = bytes_[at + i];
            if (c == '\0') break;
            out.push_back(c);
        }
        return out;
    }
    std::string_view View() const { return bytes_; }

private:
    std::string_view bytes_;
};

// Old map versions count tenths of a second; ten times a stored value that
// is out of any sane range saturates rather than overflows.
inline int32_t Saturated(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}
inline int32_t TimesTen(int32_t v) { return Saturated(int64_t(v) * 10); }

}  // namespace velmora
