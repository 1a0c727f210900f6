#pragma once
// TNC port state learned from the text around the packets: the decoder
// counts the prompts and connections it sees, and TNC control answers
// them. A plain value shared by both.
#include <cstdint>

namespace velmora {

struct TncPortState {
    int32_t promptCount[2] = {0, 0};  // "cmd:" prompts seen on ports "1" and "2"
    bool connected[2] = {false, false};
};

}  // namespace velmora
