#pragma once
// KISS framing: FEND-delimited frames with FESC escapes, both ways. The
// receive state lives between reads, so a frame may arrive in any number
// of pieces.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

constexpr uint8_t kFend = 0xC0, kFesc = 0xDB, kTfend = 0xDC, kTfesc = 0xDD;
constexpr size_t kKissFrameLimit = 1500;
constexpr size_t kKissOutputLimit = 4096;

class KissDecoder {
public:
    // Calls onFrame with the AX.25 bytes of every complete data frame (KISS
    // command 0); bad escapes, other commands and over-long frames are dropped.
    void Feed(std::string_view bytes, const std::function<void(std::string_view)>& onFrame);
    void Reset();

private:
    std::string frame_;
    bool escape_ = false;
    bool overflow_ = false;
    bool bad_ = false;  // a bad escape: the frame is dropped at its FEND
};

// FEND, command 0, the escaped frame, FEND; empty when it would not fit the
// output buffer.
std::string KissEncode(std::string_view frame);

}  // namespace velmora
