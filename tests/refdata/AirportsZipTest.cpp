// The airport and zip-code databases: the record forms, the look-ups and
// their texts, bad files, and the demo folder's generated files against
// published positions.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "geo/Gridsquare.h"
#include "geo/Position.h"
#include "refdata/Airports.h"
#include "refdata/ZipCodes.h"

namespace velmora {
namespace {

std::string Be32(int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    return {char(u >> 24), char(u >> 16), char(u >> 8), char(u)};
}
std::string Be16(int v) { return {char((v >> 8) & 0xFF), char(v & 0xFF)}; }

std::string AirportRecord(std::string_view id, double lat, double lon, int elevation, std::string_view state,
                          std::string_view name) {
    std::string r = Be32(static_cast<int32_t>(AirportKey(id)));
    r += Be32(LonUnitsFromDegrees(lon) / 10) + Be32(LatUnitsFromDegrees(lat) / 10);
    r += Be16(elevation) + Be16((state[0] << 8) | state[1]);
    std::string n(18, '\0');
    n.replace(0, std::min<size_t>(17, name.size()), name.substr(0, 17));
    return r + n;
}

std::string ReadDemo(const char* name) {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/demo/Data/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

double Km(int32_t lon, int32_t lat, double refLat, double refLon) {
    return DistanceMiles(lon, lat, LonUnitsFromDegrees(refLon), LatUnitsFromDegrees(refLat)) * 1.609344;
}

TEST(Airports, RecordsKeysAndTexts) {
    EXPECT_EQ(AirportKey("jfk"), uint32_t('J') << 24 | uint32_t('F') << 16 | uint32_t('K') << 8 | ' ');
    EXPECT_EQ(AirportKey("KJFKX"), AirportKey("KJFK"));
    EXPECT_EQ(AirportIdentifier(AirportKey("jfk")), "JFK");
    AirportTable t;
    EXPECT_EQ(AirportDialogText(t, "JFK"), "Airport Data Base not loaded");
    const std::string bytes = AirportRecord("JFK", 40.6398, -73.7789, 13, "NY", "John F Kennedy International") +
                              AirportRecord("KBDL", 41.9389, -72.6832, 173, "CT", "Bradley") +
                              std::string(34, '\0') + AirportRecord("EGLL", 51.47, -0.4543, 83, "GB", "Heathrow") +
                              std::string(20, 'x');
    t.Load(bytes);
    ASSERT_EQ(t.Entries().size(), 2u);  // the zero identifier ends the table
    const auto jfk = t.Find("jfk");
    ASSERT_TRUE(jfk);
    const AirportEntry& a = t.Entries()[*jfk];
    EXPECT_EQ(a.name, "John F Kennedy In");  // 17 characters and the NUL
    EXPECT_EQ(a.elevation, 13);
    EXPECT_LT(Km(a.lon, a.lat, 40.6398, -73.7789), 0.01);
    EXPECT_FALSE(t.Find("EGLL"));
    EXPECT_FALSE(t.Find(""));
    EXPECT_EQ(AirportDialogText(t, "kbdl"), "KBDL  Bradley, CT");
    EXPECT_EQ(AirportDialogText(t, "XXX"), "No Airport by that name found");
    const auto lines = AirportLines(t.Entries()[*t.Find("KBDL")]);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "KBDL Bradley CT");
    EXPECT_EQ(lines[1], "Lat  41 56' 20\"N");
    EXPECT_EQ(lines[3], "Alt 173 ft");
    EXPECT_EQ(lines[4], "FN31PW");
    EXPECT_EQ(lines[5], lines[0]);
    t.MarkListed({"# mine", "JFK  ", "KBDL\t", "ZZZZ"});
    EXPECT_TRUE(t.Entries()[*t.Find("JFK")].marked);
    EXPECT_TRUE(t.Entries()[*t.Find("KBDL")].marked);
    // Junk and a cut file never read past the end.
    AirportTable junk;
    junk.Load(std::string(1000, '\xFF'));
    EXPECT_EQ(junk.Entries().size(), 29u);
    EXPECT_EQ(junk.Entries()[0].lon, 0);  // off the globe: no position, not a wrapped one
    // A longitude of -214748364 tenths once overflowed in the locator.
    std::string damaged = AirportRecord("BAD", 41.0, -72.0, 0, "CT", "Damaged");
    for (const size_t at : {size_t{4}, size_t{8}}) {
        damaged[at] = '\xF3', damaged[at + 1] = '\x33', damaged[at + 2] = '\x33', damaged[at + 3] = '\x34';
    }
    junk.Load(damaged);
    ASSERT_EQ(junk.Entries().size(), 1u);
    EXPECT_EQ(junk.Entries()[0].lat, 0);
    EXPECT_EQ(AirportLines(junk.Entries()[0]).size(), 6u);
    EXPECT_EQ(PositionToLocator(-2147483640, -2147483640).size(), 6u);
    junk.Load("");
    EXPECT_TRUE(junk.Entries().empty());
}

TEST(ZipCodes, TheTextsAndEveryEdge) {
    ZipTable z;
    ZipPosition p;
    EXPECT_EQ(z.Lookup("06111", p), ZipStatus::kNotLoaded);
    EXPECT_EQ(z.DialogText("06111"), "Zip Code Data Base not loaded");
    std::string bytes(8 * 7000, '\0');
    const auto put = [&](int code, double lat, double lon) {
        bytes.replace(size_t(8 * code), 8, Be32(LonUnitsFromDegrees(lon) / 10) + Be32(LatUnitsFromDegrees(lat) / 10));
    };
    put(6111, 41.686764, -72.730593);
    put(401, 40.0, -75.0);
    put(400, 40.0, -75.0);
    z.Load(bytes);
    ASSERT_EQ(z.Lookup("06111", p), ZipStatus::kFound);
    EXPECT_EQ(p.code, 6111);
    EXPECT_LT(Km(p.lon, p.lat, 41.686764, -72.730593), 0.01);
    EXPECT_EQ(z.Lookup("   06111", p), ZipStatus::kFound);  // leading blanks
    // Eight digits: the first seven are the number, far out of range.
    EXPECT_EQ(z.Lookup("  00061112", p), ZipStatus::kFound);
    EXPECT_EQ(p.code, 6111);
    EXPECT_EQ(z.Lookup("00400", p), ZipStatus::kInvalid);  // 400 and below
    EXPECT_EQ(z.Lookup("00401", p), ZipStatus::kFound);
    EXPECT_EQ(z.Lookup("100000", p), ZipStatus::kInvalid);
    EXPECT_EQ(z.Lookup("09999", p), ZipStatus::kInvalid);  // beyond the file's end
    EXPECT_EQ(z.Lookup("06112", p), ZipStatus::kUnused);
    EXPECT_EQ(z.Lookup("zip", p), ZipStatus::kInvalid);
    EXPECT_EQ(z.Lookup("", p), ZipStatus::kInvalid);
    EXPECT_EQ(z.DialogText("06111"), "Lat  41 41' 12\"N  Lon  72 43' 50\"W");
    EXPECT_EQ(z.DialogText("06112"), "Unused Zip Code");
    EXPECT_EQ(z.DialogText("123456"), "Invalid Zip Code, Out of Range");
    z.Lookup("06111", p);
    EXPECT_EQ(ZipLines(" 06111", p), (std::vector<std::string>{" 06111", "Lat  41 41' 12\"N", "Lon  72 43' 50\"W", "",
                                                                PositionToLocator(p.lon, p.lat), "06111"}));
    // A file cut mid-record, or values that are no position.
    ZipTable cut;
    cut.Load(bytes.substr(0, 8 * 6111 + 5));
    EXPECT_EQ(cut.Lookup("06111", p), ZipStatus::kInvalid);
    ZipTable bad;
    bad.Load(std::string(8 * 500, '\x7F'));
    EXPECT_EQ(bad.Lookup("00450", p), ZipStatus::kUnused);
}

TEST(RefData, TheDemoFilesFindKnownPlacesWithinAKilometre) {
    AirportTable airports;
    airports.Load(ReadDemo("airport.dat"));
    ASSERT_GT(airports.Entries().size(), 5000u);
    struct Known {
        const char* id;
        double lat, lon;
    };
    for (const Known& k : {Known{"jfk", 40.6398, -73.7789}, Known{"KJFK", 40.6398, -73.7789},
                           Known{"BDL", 41.9389, -72.6832}, Known{"LAX", 33.9425, -118.4081},
                           Known{"EGLL", 51.4700, -0.4543}, Known{"RJTT", 35.5523, 139.7800}}) {
        const auto i = airports.Find(k.id);
        ASSERT_TRUE(i) << k.id;
        const AirportEntry& a = airports.Entries()[*i];
        EXPECT_LT(Km(a.lon, a.lat, k.lat, k.lon), 1.0) << k.id;
    }
    ZipTable zips;
    zips.Load(ReadDemo("Zipcode.dat"));
    ZipPosition p;
    // Census centroids of ZIP code tabulation areas.
    for (const Known& k : {Known{"06111", 41.686764, -72.730593}, Known{"10001", 40.75065, -73.997293},
                           Known{"90210", 34.1030, -118.4105}, Known{"99501", 61.2218, -149.8590}}) {
        ASSERT_EQ(zips.Lookup(k.id, p), ZipStatus::kFound) << k.id;
        EXPECT_LT(Km(p.lon, p.lat, k.lat, k.lon), 1.0) << k.id;
    }
}

}  // namespace
}  // namespace velmora
