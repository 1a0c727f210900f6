#include "gps/GarminPacket.h"

namespace velmora {

uint8_t GarminChecksum(uint8_t id, std::string_view data) {
    unsigned sum = id + static_cast<uint8_t>(data.size());
    for (const char c : data) sum += static_cast<uint8_t>(c);
    return static_cast<uint8_t>(-sum & 0xFF);
}

std::string EncodeGarmin(uint8_t id, std::string_view data) {
    if (data.size() > 255) data = data.substr(0, 255);
    std::string body;
    body.push_back(static_cast<char>(id));
    body.push_back(static_cast<char>(data.size()));
    body.append(data);
    body.push_back(static_cast<char>(GarminChecksum(id, data)));
    std::string out(1, static_cast<char>(kDle));
    for (const char c : body) {
        out.push_back(c);
        if (static_cast<uint8_t>(c) == kDle) out.push_back(c);
    }
    out.push_back(static_cast<char>(kDle));
    out.push_back(static_cast<char>(kEtx));
    return out;
}

std::vector<GarminPacket> GarminAssembler::Feed(std::string_view bytes) {
    std::vector<GarminPacket> out;
    for (const char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        if (lastWasDle_ && b == kDle) {
            lastWasDle_ = false;  // a doubled DLE stands for one
            continue;
        }
        if (lastWasDle_ && b == kEtx && buffer_.size() >= 2) {
            Complete(out);
            continue;
        }
        if (buffer_.size() >= kBuffer - 1) buffer_.clear();
        buffer_.push_back(c);
        if (static_cast<uint8_t>(buffer_[0]) != kDle) {
            buffer_.clear();
            lastWasDle_ = false;
            continue;
        }
        lastWasDle_ = b == kDle && buffer_.size() > 1;
    }
    return out;
}

void GarminAssembler::Complete(std::vector<GarminPacket>& out) {
    // DLE id size data... checksum DLE: the closing DLE is the last byte.
    const std::string frame = std::move(buffer_);
    buffer_.clear();
    lastWasDle_ = false;
    if (frame.size() < 5) {
        ++badFrames_;
        return;
    }
    const auto id = static_cast<uint8_t>(frame[1]);
    const size_t size = static_cast<uint8_t>(frame[2]);
    if (frame.size() != size + 5) {
        ++badFrames_;
        return;
    }
    const std::string_view data(frame.data() + 3, size);
    if (static_cast<uint8_t>(frame[3 + size]) != GarminChecksum(id, data)) {
        ++badChecksums_;
        return;
    }
    out.push_back({id, std::string(data)});
}

}  // namespace velmora
