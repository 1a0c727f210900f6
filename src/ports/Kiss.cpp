#include "ports/Kiss.h"

namespace velmora {

void KissDecoder::Reset() {
    frame_.clear();
    escape_ = overflow_ = bad_ = false;
}

void KissDecoder::Feed(std::string_view bytes, const std::function<void(std::string_view)>& onFrame) {
    for (const char ch : bytes) {
        const uint8_t c = static_cast<uint8_t>(ch);
        if (c == kFend) {
            const bool good = !overflow_ && !bad_ && !escape_ && !frame_.empty() &&
                              static_cast<uint8_t>(frame_[0]) == 0;
            if (good) onFrame(std::string_view(frame_).substr(1));
            Reset();
            continue;
        }
        if (bad_ || overflow_) continue;  // the rest of a dropped frame
        uint8_t data = c;
        if (escape_) {
            escape_ = false;
            if (c == kTfend) data = kFend;
            else if (c == kTfesc) data = kFesc;
            else {
                bad_ = true;
                continue;
            }
        } else if (c == kFesc) {
            escape_ = true;
            continue;
        }
        // 1500 bytes with the command byte; the 1501st is an overflow.
        if (frame_.size() >= kKissFrameLimit) {
            overflow_ = true;
            frame_.clear();
            continue;
        }
        frame_.push_back(static_cast<char>(data));
    }
}

std::string KissEncode(std::string_view frame) {
    std::string out;
    out.reserve(frame.size() + 8);
    out.push_back(static_cast<char>(kFend));
    out.push_back('\0');
    for (const char ch : frame) {
        const uint8_t c = static_cast<uint8_t>(ch);
        if (c == kFend) out.append({static_cast<char>(kFesc), static_cast<char>(kTfend)});
        else if (c == kFesc) out.append({static_cast<char>(kFesc), static_cast<char>(kTfesc)});
        else out.push_back(ch);
    }
    out.push_back(static_cast<char>(kFend));
    if (out.size() > kKissOutputLimit) return {};
    return out;
}

}  // namespace velmora
