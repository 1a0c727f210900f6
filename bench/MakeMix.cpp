// velmora-benchmix LINES STATIONS: writes a traffic mix to standard output.
#include <cstdio>
#include <cstdlib>

#include "TrafficMix.h"

int main(int argc, char** argv) {
    const size_t lines = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200000;
    const int stations = argc > 2 ? std::atoi(argv[2]) : 2000;
    if (lines == 0 || stations < 1) {
        std::fprintf(stderr, "usage: velmora-benchmix LINES STATIONS\n");
        return 2;
    }
    for (const auto& line : velmora::bench::MakeTrafficMix(lines, stations)) std::printf("%s\r\n", line.c_str());
    return 0;
}
