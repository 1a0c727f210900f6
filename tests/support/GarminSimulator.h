#pragma once
// A Garmin receiver of our own for the link tests: it answers a product
// request, sends a track log of the length asked when told to transfer it,
// and takes an uploaded list of waypoints, acknowledging each.
#include <cmath>
#include <string>
#include <vector>

#include "gps/GarminLink.h"
#include "gps/GarminPacket.h"

namespace velmora::test {

class GarminSimulator {
public:
    explicit GarminSimulator(int trackPoints = 500) : points_(trackPoints) {}

    // Bytes from the host; returns the bytes the unit sends back.
    std::string Take(std::string_view bytes) {
        std::string out;
        for (const GarminPacket& p : assembler_.Feed(bytes)) {
            switch (p.id) {
                case 254: {  // product request
                    std::string d;
                    d.push_back(72), d.push_back(0);     // product 72
                    d.push_back(char(310 & 0xFF)), d.push_back(char(310 >> 8));  // version 3.10
                    d += "Velmora GPS simulator";
                    d.push_back('\0');
                    out += EncodeGarmin(255, d);
                    break;
                }
                case 10:
                    if (p.data.size() >= 1 && p.data[0] == 6) out += Track();
                    if (p.data.size() >= 1 && p.data[0] == 32) out += Screen();
                    break;
                case 27: out += Ack(27); break;
                case 35: {
                    GarminWaypoint w;
                    if (DecodeWaypoint(p.data, w)) uploaded.push_back(w);
                    rawWaypoints.push_back(p.data);
                    out += Ack(35);
                    break;
                }
                case 12: transferDone = true; out += Ack(12); break;
                case 6: ++acksReceived; break;
                default: break;
            }
        }
        return out;
    }

    std::vector<GarminWaypoint> uploaded;
    std::vector<std::string> rawWaypoints;
    int acksReceived = 0;
    bool transferDone = false;

private:
    static std::string Ack(uint8_t id) { return EncodeGarmin(6, std::string{char(id), 0}); }
    static void Put32(std::string& d, uint32_t v) {
        for (int i = 0; i < 4; ++i) d.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    // A track going north-east from 41.5 N, 72.5 W, in two pieces.
    std::string Track() const {
        std::string out = EncodeGarmin(27, std::string{char(points_ & 0xFF), char(points_ >> 8)});
        for (int i = 0; i < points_; ++i) {
            const double lat = 41.5 + 0.0005 * i, lon = -72.5 + 0.0005 * i;
            std::string d;
            Put32(d, static_cast<uint32_t>(static_cast<int32_t>(std::lround(lat / 8.381903671139698e-08))));
            Put32(d, static_cast<uint32_t>(static_cast<int32_t>(std::lround(lon / 8.381903671139698e-08))));
            Put32(d, 1'000'000'000u + static_cast<uint32_t>(i * 10));
            d.push_back(i == points_ / 2 ? 1 : 0);
            out += EncodeGarmin(34, d);
        }
        out += EncodeGarmin(12, std::string{6, 0});
        return out;
    }

    // An 8 x 4 screen: a black diagonal on white.
    static std::string Screen() {
        std::string first(18, '\0');
        first[14] = 8;
        first[16] = 4;
        std::string out = EncodeGarmin(69, first);
        for (int y = 0; y < 4; ++y) {
            std::string line(8, '\0');
            for (int x = 0; x < 8; ++x)
                if (x == 2 * y) line[6 + x / 4] = static_cast<char>(line[6 + x / 4] | (3 << (6 - 2 * (x % 4))));
            out += EncodeGarmin(69, line);
        }
        return out;
    }

    int points_;
    GarminAssembler assembler_;
};

}  // namespace velmora::test
