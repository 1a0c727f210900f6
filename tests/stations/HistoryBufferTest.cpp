#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "stations/HistoryBuffer.h"

namespace velmora {
namespace {

std::string NumberedLine(int n) {
    char line[64];
    std::snprintf(line, sizeof line, "K%05d>APRS,WIDE2-2:>line number %05d", n % 50, n);
    return line;
}

TEST(HistoryBuffer, RecordLayout) {
    HistoryBuffer h(20000);
    EXPECT_EQ(h.Append("W1AW>APRS:>x", 258, 12, SourceKind::kVhf, 0x01020304), HistoryBuffer::Appended::kGrew);
    EXPECT_EQ(h.Length(), 8u + 12 + 1);
    std::vector<HistoryRecord> seen;
    h.ForEach([&](const HistoryRecord& r) { seen.push_back(r); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].packetClass, 128);  // classes below 128 are stored as 128
    EXPECT_EQ(ToChar(seen[0].kind), '2');
    EXPECT_EQ(seen[0].index, 258);
    EXPECT_EQ(seen[0].time, 0x01020304u);
    EXPECT_EQ(seen[0].line, "W1AW>APRS:>x");
    h.Append("NOBODY>APRS:>x", -1, 128, SourceKind::kNone, 0);
    EXPECT_EQ(h.LinesOf(-1).size(), 1u);
    h.Append("BIG>APRS:>x", 40000, 128, SourceKind::kInternet, 0);  // past 32,767 stations
    EXPECT_EQ(h.LinesOf(40000).size(), 1u);
}

TEST(HistoryBuffer, TrimsTheOlderHalfAtARecordBoundary) {
    HistoryBuffer h(20000);
    int n = 0;
    while (h.Length() <= 20000 - 1024) h.Append(NumberedLine(n), n % 50, 128, SourceKind::kVhf, static_cast<TimeStamp>(n)), ++n;
    const size_t before = h.Length();
    EXPECT_GT(before, 18976u);
    EXPECT_EQ(h.Append(NumberedLine(n), n % 50, 128, SourceKind::kVhf, static_cast<TimeStamp>(n)),
              HistoryBuffer::Appended::kTrimmedAndGrew);
    ++n;
    EXPECT_LT(h.Length(), before / 2 + 100);
    // Every remaining record is whole, in order, with its own index and time.
    int previous = -1, count = 0;
    bool allMatch = true;
    h.ForEach([&](const HistoryRecord& r) {
        const int number = static_cast<int>(r.time);
        allMatch = allMatch && r.line == NumberedLine(number) && r.index == number % 50 && number > previous;
        previous = number;
        ++count;
    });
    EXPECT_TRUE(allMatch);
    EXPECT_EQ(previous, n - 1);  // the newest record is the last one
    EXPECT_GT(count, 150);
    int last7 = previous;
    while (last7 % 50 != 7) --last7;
    EXPECT_EQ(h.LinesOf(7).back(), NumberedLine(last7));
}

TEST(HistoryBuffer, ListingNeverReadsPastTheLengthWhateverTheText) {
    HistoryBuffer h(12000);
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> byte(1, 255), length(0, 300);
    for (int i = 0; i < 2000; ++i) {
        std::string line(static_cast<size_t>(length(rng)), ' ');
        for (char& c : line) c = static_cast<char>(byte(rng));  // top bits everywhere
        h.Append(line, i, 128 + i % 40, SourceKind::kInternet, 0);
        size_t total = 0;
        h.ForEach([&](const HistoryRecord& r) { total += r.line.size(); });
        ASSERT_LE(total, h.Length());
        ASSERT_LE(h.Length(), h.Capacity());
    }
}

TEST(HistoryBuffer, AnAbsentBufferTakesNothing) {
    HistoryBuffer h(0);
    EXPECT_EQ(h.Append("W1AW>APRS:>x", 0, 128, SourceKind::kVhf, 0), HistoryBuffer::Appended::kNone);
    EXPECT_EQ(h.Length(), 0u);
}

}  // namespace
}  // namespace velmora
