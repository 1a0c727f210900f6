// Cross-checks decoded positions with Dire Wolf's decode_aprs, a peer
// decoder, over a file of hand-written packets in every position form.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <cctype>
#include <unistd.h>

#include "geo/Position.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

const char* kDecodeAprs = "/usr/bin/decode_aprs";
std::string Corpus(const char* name) { return std::string(VELMORA_SOURCE_DIR) + "/tests/data/" + name; }

struct PeerPosition {
    double lat, lon;
};

// Drops terminal colour escapes ("ESC [ ... letter").
std::string StripEscapes(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '\x1b' && p[1] == '[') {
            p += 2;
            while (*p && !std::isalpha(static_cast<unsigned char>(*p))) ++p;
            if (!*p) break;
            continue;
        }
        out.push_back(*p);
    }
    return out;
}

// "N 49 03.5000, W 072 01.7500, ..." to signed degrees.
std::optional<PeerPosition> ParsePeerPosition(const std::string& line) {
    char ns, ew;
    int latDeg, lonDeg;
    double latMin, lonMin;
    if (std::sscanf(line.c_str(), "%c %d %lf, %c %d %lf", &ns, &latDeg, &latMin, &ew, &lonDeg, &lonMin) != 6)
        return std::nullopt;
    if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W')) return std::nullopt;
    PeerPosition p{latDeg + latMin / 60, lonDeg + lonMin / 60};
    if (ns == 'S') p.lat = -p.lat;
    if (ew == 'W') p.lon = -p.lon;
    return p;
}

// decode_aprs prints each packet, a description line and then the
// position line.
std::map<std::string, PeerPosition> RunPeer(const std::string& corpus) {
    std::map<std::string, PeerPosition> out;
    const std::string cmd = std::string(kDecodeAprs) + " < " + corpus + " 2>/dev/null";
    std::FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    std::string current;
    char buf[4096];
    while (std::fgets(buf, sizeof buf, p)) {
        const std::string line = StripEscapes(buf);
        const size_t arrow = line.find('>');
        if (arrow != std::string::npos && arrow > 0 && line.find(':') != std::string::npos &&
            std::isalnum(static_cast<unsigned char>(line[0]))) {
            current = line.substr(0, arrow);
        } else if (!current.empty()) {
            if (const auto pos = ParsePeerPosition(line)) {
                out[current] = *pos;
                current.clear();
            }
        }
    }
    pclose(p);
    return out;
}

// Decodes a corpus and compares every station the peer placed. The
// tolerance says how far apart, in minutes of arc, the two may be.
void CrossCheck(const char* name, double (*toleranceMinutes)(const StationRecord&)) {
    const std::string corpus = Corpus(name);
    const auto peer = RunPeer(corpus);
    ASSERT_GE(peer.size(), 50u);
    test::TestApp t;
    std::ifstream in(corpus, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) t.Live(line, '2');
    for (const auto& [call, p] : peer) {
        const StationIndex i = t.Find(call);
        ASSERT_GE(i, 0) << call;
        const StationRecord& s = t.app.Stations().At(i);
        ASSERT_TRUE(s.HasPosition()) << call;
        const double tolerance = toleranceMinutes(s);
        EXPECT_NEAR(LatDegreesFromUnits(s.lat) * 60, p.lat * 60, tolerance) << call;
        EXPECT_NEAR(LonDegreesFromUnits(s.lon) * 60, p.lon * 60, tolerance) << call;
    }
}

TEST(DirewolfCrossCheck, PositionsAgreeWithDecodeAprs) {
    if (access(kDecodeAprs, X_OK) != 0) GTEST_SKIP() << "direwolf's decode_aprs is not installed";
    // Text positions are kept to the whole second (1/60 of a minute);
    // compressed ones to the hundredth of a minute.
    CrossCheck("positions.txt", [](const StationRecord& s) {
        return s.lastInfo.View().find(" comp ") == std::string_view::npos ? 1.0 / 60 + 1e-6 : 0.01;
    });
}

TEST(DirewolfCrossCheck, MicEPositionsAgreeToTheHundredthOfAMinute) {
    if (access(kDecodeAprs, X_OK) != 0) GTEST_SKIP() << "direwolf's decode_aprs is not installed";
    CrossCheck("mice.txt", [](const StationRecord&) { return 0.001; });
}

}  // namespace
}  // namespace velmora
