#include <gtest/gtest.h>

#include <string>

#include "refdata/DxTables.h"

namespace velmora {
namespace {

std::string Record(const std::string& prefix, const std::string& country, int32_t lon, int32_t lat) {
    std::string r(54, '\0');
    r.replace(0, prefix.size(), prefix);
    r.replace(10, country.size(), country);
    const int32_t values[2] = {lon * 10, lat * 10};
    for (int v = 0; v < 2; ++v)
        for (int b = 0; b < 4; ++b) r[46 + 4 * v + b] = static_cast<char>(static_cast<uint32_t>(values[v]) >> (24 - 8 * b));
    return r;
}

TEST(DxPrefixTable, ReadsBigEndianRecordsAndMatchesTheLongestPrefix) {
    DxPrefixTable t;
    EXPECT_EQ(t.LoadBytes(Record("K", "United States", 40000000, 20000000) + Record("KH6", "Hawaii", 10000000, 25000000) +
                          std::string(30, 'x')),  // a cut-off record at the end is ignored
              2);
    EXPECT_EQ(t.Lookup("KH6ABC")->country, "Hawaii");
    EXPECT_EQ(t.Lookup("KH6ABC")->lon, 10000000);
    EXPECT_EQ(t.Lookup("K1ABC")->prefix, "K");
    EXPECT_EQ(t.Lookup("G4XYZ"), nullptr);
}

TEST(WaypointTable, NewKeysOnlyUpToCapacity) {
    WaypointTable t(2);
    EXPECT_TRUE(t.AddIfNew(14025, " 14025.0 first"));
    EXPECT_FALSE(t.AddIfNew(14025, " 14025.0 second"));
    EXPECT_EQ(t.Find(14025)->line.View(), " 14025.0 first");
    EXPECT_TRUE(t.AddIfNew(7025, "x"));
    EXPECT_FALSE(t.AddIfNew(3525, "full"));
    EXPECT_EQ(t.Count(), 2);
}

}  // namespace
}  // namespace velmora
