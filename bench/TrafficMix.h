#pragma once
// A realistic mix of received lines from a given number of stations:
// plain, compressed and time-stamped positions, Mic-E, status and
// messages, with the paths radio and internet traffic carry.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "MicEEncoder.h"

namespace velmora::bench {

inline std::string Base91(long value, int digits) {
    std::string out(static_cast<size_t>(digits), '!');
    for (int i = digits - 1; i >= 0; --i) {
        out[static_cast<size_t>(i)] = static_cast<char>(33 + value % 91);
        value /= 91;
    }
    return out;
}

inline std::vector<std::string> MakeTrafficMix(size_t lines, int stations, unsigned seed = 1) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, stations - 1), kind(0, 11), minute(0, 59000);
    std::uniform_real_distribution<double> lat(25.0, 49.0), lon(-124.0, -67.0);
    static const char* const kPaths[] = {"WIDE1-1,WIDE2-2", "W1XYZ-1*,WIDE2-1", "TCPIP*,qAC,T2BOSTON",
                                         "RELAY,WIDE*", "WIDE2-2"};
    static const char* const kDests[] = {"APRS", "APZ251", "APDW16", "APX200", "APK102", "APN391"};
    std::vector<std::string> out;
    out.reserve(lines);
    char buf[256];
    for (size_t i = 0; i < lines; ++i) {
        const int s = pick(rng);
        char call[16];
        // At most nine characters, so every station keeps its own record.
        std::snprintf(call, sizeof call, "%c%05d-%d", "KWNA"[s % 4], s, s % 15 + 1);
        const double la = lat(rng), lo = lon(rng);
        const double laM = (la - static_cast<int>(la)) * 60, loM = (-lo - static_cast<int>(-lo)) * 60;
        const char* path = kPaths[s % 5];
        const char* dest = kDests[s % 6];
        switch (kind(rng)) {
            case 0: case 1: case 2:
                std::snprintf(buf, sizeof buf, "%s>%s,%s:!%02d%05.2fN/%03d%05.2fW-PHG5360 home", call, dest,
                              path, static_cast<int>(la), laM, static_cast<int>(-lo), loM);
                break;
            case 3: case 4: {
                const long y = static_cast<long>(380926 * (90 - la)), x = static_cast<long>(190463 * (180 + lo));
                std::snprintf(buf, sizeof buf, "%s>%s,%s:=/%s%s>7P[ tracker", call, dest, path,
                              Base91(y, 4).c_str(), Base91(x, 4).c_str());
                break;
            }
            case 5: case 6:
                std::snprintf(buf, sizeof buf, "%s>%s,%s:@%06dz%02d%05.2fN/%03d%05.2fW>%03d/%03d/A=%06d",
                              call, dest, path, 81200 + minute(rng) % 1000, static_cast<int>(la), laM,
                              static_cast<int>(-lo), loM, s % 360, s % 80, s % 5000);
                break;
            case 9: case 10: {
                const MicEPacket p = EncodeMicE(la, lo, s % 120, s % 360, '/', '>', s % 8, "]=mobile");
                std::snprintf(buf, sizeof buf, "%s>%s,%s:%s", call, p.destination.c_str(), path, p.info.c_str());
                break;
            }
            case 7: case 8:
                std::snprintf(buf, sizeof buf, "%s>%s,%s:>Monitoring 146.52 since %d", call, dest, path, s);
                break;
            default:
                std::snprintf(buf, sizeof buf, "%s>%s,%s::K%dXYZ    :Hello number %d{%d", call, dest, path,
                              s % 97, s, s % 1000);
                break;
        }
        out.emplace_back(buf);
    }
    return out;
}

}  // namespace velmora::bench
