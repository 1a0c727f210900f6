// Weather-station lines: the Ultimeter II's short lines and the U-2000's
// three forms, with a rain factor from the first byte. Nothing may crash,
// and a reading's temperature must stay inside the station's range.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "weather/Ultimeter.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int factor = (data[0] & 1) ? 10 : 1;
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    for (const auto& reading : {DecodeUltimeterII(line, factor), DecodeU2000(line, factor)}) {
        if (reading && (reading->outsideTenthsF < kMinTenthsF || reading->outsideTenthsF > kMaxTenthsF)) std::abort();
    }
    return 0;
}
