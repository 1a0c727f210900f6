#pragma once
// Garmin's binary serial framing: DLE, id, size, data, checksum, DLE, ETX,
// with every DLE from the id to the checksum doubled on the wire; and the
// assembler that takes the bytes as they come.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

constexpr uint8_t kDle = 0x10, kEtx = 0x03;

struct GarminPacket {
    uint8_t id = 0;
    std::string data;
};

// The two's complement of the sum of id, size and data, low 8 bits.
uint8_t GarminChecksum(uint8_t id, std::string_view data);
// A packet on the wire, stuffed. Data longer than 255 bytes is cut.
std::string EncodeGarmin(uint8_t id, std::string_view data);

class GarminAssembler {
public:
    static constexpr size_t kBuffer = 2048;

    // Every packet these bytes complete, in order. Frames with a wrong
    // checksum or a size that does not fit are counted and dropped.
    std::vector<GarminPacket> Feed(std::string_view bytes);
    long BadChecksums() const { return badChecksums_; }
    long BadFrames() const { return badFrames_; }

private:
    void Complete(std::vector<GarminPacket>& out);

    std::string buffer_;
    bool lastWasDle_ = false;
    long badChecksums_ = 0, badFrames_ = 0;
};

}  // namespace velmora
