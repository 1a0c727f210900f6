#pragma once
// Map files for tests, written byte by byte: a 256-byte big-endian header,
// then records exactly as the map readers expect them.
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::test {

class MapFileBuilder {
public:
    explicit MapFileBuilder(std::string_view magic = "APRS", std::string_view version = "2.00") : bytes_(256, '\0') {
        Put(0, magic.substr(0, 4));
        Put(4, version.substr(0, 4));
    }
    MapFileBuilder& Title(std::string_view t) { return Put(40, t); }
    MapFileBuilder& Creator(std::string_view t) { return Put(72, t); }
    MapFileBuilder& Bounds(int32_t west, int32_t east, int32_t north, int32_t south) {
        I32At(84, west), I32At(88, east), I32At(92, north), I32At(96, south);
        return *this;
    }
    MapFileBuilder& Counts(int32_t points, int32_t labels) {
        I32At(108, points), I32At(112, labels);
        return *this;
    }
    MapFileBuilder& Utm(int32_t zone, int32_t eastingOrigin, int32_t northingOrigin) {
        I32At(116, zone), I32At(120, eastingOrigin), I32At(124, northingOrigin);
        return *this;
    }
    MapFileBuilder& Point(uint8_t pen, uint8_t attribute, int32_t lon, int32_t lat) {
        U8(pen), U8(attribute), I32(lon), I32(lat);
        return *this;
    }
    MapFileBuilder& CompactPoint(uint8_t pen, uint8_t attribute, uint16_t dLon, uint16_t dLat) {
        U8(pen), U8(attribute), U16(dLon), U16(dLat);
        return *this;
    }
    MapFileBuilder& Label(uint8_t code, int32_t lon, int32_t lat, int16_t scale, std::string_view text) {
        U8(code), U8(0), I32(lon), I32(lat), U16(static_cast<uint16_t>(scale));
        std::string field(32, '\0');
        field.replace(0, std::min<size_t>(text.size(), 32), text.substr(0, 32));
        bytes_ += field;
        return *this;
    }
    MapFileBuilder& Raw(std::string_view b) {
        bytes_ += b;
        return *this;
    }
    MapFileBuilder& U8(uint8_t v) {
        bytes_.push_back(static_cast<char>(v));
        return *this;
    }
    MapFileBuilder& U16(uint16_t v) { return U8(uint8_t(v >> 8)).U8(uint8_t(v)); }
    MapFileBuilder& I32(int32_t v) {
        const uint32_t u = static_cast<uint32_t>(v);
        return U8(uint8_t(u >> 24)).U8(uint8_t(u >> 16)).U8(uint8_t(u >> 8)).U8(uint8_t(u));
    }
    const std::string& Bytes() const { return bytes_; }

private:
    MapFileBuilder& Put(size_t at, std::string_view text) {
        bytes_.replace(at, text.size(), text);
        return *this;
    }
    void I32At(size_t at, int32_t v) {
        const uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i) bytes_[at + size_t(i)] = static_cast<char>(u >> (24 - 8 * i));
    }
    std::string bytes_;
};

}  // namespace velmora::test
