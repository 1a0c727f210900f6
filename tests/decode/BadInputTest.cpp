// Lines as they arrive mangled off the air: every prefix of real packets,
// NULs, 8-bit bytes and over-long lines must decode as far as they go.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

#include "support/TestApp.h"

namespace velmora {
namespace {

using test::TestApp;

const char* const kPackets[] = {
    "W1AW-9>APRS,WIDE1-1,WIDE2-2:!4903.50N/07201.75W>088/036/A=001234 -KYWIN-228-<630>",
    "W1AW>APZ251,RELAY*,WIDE:@092345z4903.50N/07201.75W>088/036",
    "W1AW>APRS:=/5L!!<*e7>7P[ compressed",
    "W1AW>APRS:/092345h/5L!!<*e7OS]S",
    "W1AW>APRS:!/PPPPPP>",
    "W1AW>GPSC43:}K1ABC>APRS,TCPIP*:>inner",
    "W1AW>APRS::N0CALL   :message{1",
    "W1AW>S32U6T:`(_fn\"Oj/",
    "p2 cmd:W1AW>APRS,WIDE2-2/V:>tagged",
};

TEST(BadInput, EveryPrefixOfRealPacketsDecodesSafely) {
    TestApp t;
    t.app.SetHome(45, -75);
    for (const char* packet : kPackets) {
        const std::string full(packet);
        for (size_t n = 0; n <= full.size(); ++n) t.Live(full.substr(0, n));
    }
    // Truncation never invents a station beyond the sources in the list.
    EXPECT_LE(t.app.Stations().UsedCount(), 12);
    EXPECT_GE(t.Find("W1AW"), 0);
}

TEST(BadInput, NulEightBitAndOverlongLines) {
    TestApp t;
    t.Live(std::string("W1AW>APRS:!4903.50N/07201.75W-\0hidden", 38));
    EXPECT_EQ(t.Station("W1AW").lastInfo.View(), "!4903.50N/07201.75W-");
    // The symbol code may arrive with its top bit set.
    t.Live("W1AW>APRS:!4903.50N/07201.75W\xBE\xFF\xFE comment");
    EXPECT_EQ(t.Station("W1AW").symbolCode, '>');
    t.Live("W1AW>APRS:>" + std::string(5000, 'x'));
    EXPECT_EQ(t.Station("W1AW").status.Size(), 127u);  // status text is cut to 127
    const auto history = t.History();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.back().line.size(), kMaxLineLength);
    t.Live(std::string(5000, '>'));
    t.Live(std::string(5000, ','));
    t.Live(std::string(5000, '*') + ":x");
    t.Live("W\xFF>APRS:>x");
    ASSERT_FALSE(t.notices.status.empty());
    EXPECT_EQ(t.notices.status.back(), "Invalid callsign");
}

// Inputs the fuzzer found, kept so they stay fixed.
TEST(BadInput, FuzzerFindings) {
    TestApp t;
    t.Live("W>APRS:T#");  // telemetry with no digital bits: no copy from nowhere
    t.Live("W>APRS:$PMGLB,3,1\xd1" "3519,,,,,,," + std::string(66, '1') + "545,M");  // altitude overflow
    EXPECT_EQ(t.Station("W").specialIcon, 19);
}

TEST(BadInput, RandomBytesAroundAValidHeader) {
    TestApp t;
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 120);
    for (int i = 0; i < 20000; ++i) {
        std::string line = (i % 2) ? "W1AW>APRS:" : "W1AW>S32U6T:";
        const int n = length(rng);
        for (int k = 0; k < n; ++k) line.push_back(static_cast<char>(byte(rng)));
        t.Live(line);
    }
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.packets, 20000);
    // Whatever was stored is on the world grid.
    if (s.HasPosition()) {
        EXPECT_LE(s.lon, 129600000);
        EXPECT_LE(s.lat, 64800000);
    }
}

// Every report type in one replay, live and replayed, from radio and the
// internet: the sanitizers see every decoder.
TEST(BadInput, MixedFileOfEveryReportTypeReplaysClean) {
    std::FILE* f = std::fopen(VELMORA_SOURCE_DIR "/tests/data/every_type.txt", "rb");
    ASSERT_NE(f, nullptr);
    std::vector<std::string> lines;
    ForEachLine(f, [&](std::string_view l) { lines.emplace_back(l); });
    std::fclose(f);
    ASSERT_GT(lines.size(), 100u);
    TestApp t;
    t.app.SetHome(41.7, -72.7);
    t.app.DecodeOptions().igateOperation = true;
    t.app.DecodeOptions().weatherAlarmRangeMiles = 500;
    t.app.DecodeOptions().highWindMph = 1;
    for (SourceKind kind : {SourceKind::kVhf, SourceKind::kInternet, SourceKind::kOwn}) {
        for (const std::string& line : lines) t.app.ProcessReceivedLine(line, Liveness::kLive, kind);
    }
    EXPECT_GT(t.app.Stations().UsedCount(), 80);
    EXPECT_GE(t.Find("EOC"), 0);
    EXPECT_GE(t.Find("147.39-NY"), 0);
    EXPECT_TRUE(t.Station("WB1DEF").isWeatherStation);
    // Relayed packets count their inner lines too.
    EXPECT_GE(t.app.Statistics().Total(1, kStatEveryLine), lines.size());
}

}  // namespace
}  // namespace velmora
