#pragma once
// The last check on a packet before it goes up to the internet servers:
// one line, with no line end or NUL inside it, and not the same packet
// (source, destination and information; the path may differ) as one sent in
// the last 30 seconds, which the servers would drop as a duplicate anyway.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Clock.h"

namespace velmora {

enum class UplinkVerdict : uint8_t { kSend, kDuplicate, kNotOneLine };

class UplinkDupes {
public:
    static constexpr TimeStamp kWindow = 30;
    // The packet without its line end; kSend remembers it.
    UplinkVerdict Check(std::string_view packet, TimeStamp now);

private:
    std::deque<std::pair<TimeStamp, std::string>> recent_;
};

// "SRC>DEST,PATH:INFO" as "SRC>DEST:INFO": what makes two packets the same.
std::string DupeKey(std::string_view packet);

}  // namespace velmora
