#include "maps/MapFiles.h"
#include "maps/MapPainter.h"

#include <gtest/gtest.h>

#include "geo/Position.h"
#include "geo/Utm.h"
#include "support/MapFileBuilder.h"

namespace velmora {
namespace {

using test::MapFileBuilder;

struct Read {
    MapLoadStatus status;
    MapDescriptor d;
    LoadedMap map;
    MapNotices notices;
};

Read ReadBinary(const std::string& bytes) {
    Read r{MapLoadStatus::kNotAMap, {}, {}, {}};
    auto d = ReadBinaryHeader(bytes);
    if (!d) return r;
    r.d = *d;
    r.status = ReadBinaryMap(bytes, r.d, r.map, r.notices);
    return r;
}

Read ReadText(const std::string& bytes, TextMapCapacity capacity = {}) {
    Read r{MapLoadStatus::kNotAMap, {}, {}, {}};
    auto d = ReadTextHeader(bytes, "TEST.MAP");
    if (!d) return r;
    r.d = *d;
    r.status = ReadTextMap(bytes, r.d, capacity, r.map, r.notices);
    return r;
}

TEST(BinaryMap, HeaderPointsAndLabelsReadFieldByFieldBigEndian) {
    MapFileBuilder b;
    b.Title("Test Map").Creator("Tester").Bounds(37000000, 38000000, 17000000, 18000000).Counts(4, 3);
    b.Point(255, 1, 37100000, 17100000).Point(9, 0, 37200000, 17250000).Point(12, 0, -5, 0x12345678);
    b.Point(0, 0, 0, 0);
    b.Label(0x81, 37150000, 17150000, 300, "Hartford").Label(1, 37160000, 17160000, 0, "#045Route 9");
    b.Label(0, 0, 0, 0, "");
    const Read r = ReadBinary(b.Bytes());
    ASSERT_EQ(r.status, MapLoadStatus::kLoaded);
    EXPECT_EQ(r.d.title, "Test Map");
    EXPECT_EQ(r.d.creator, "Tester");
    EXPECT_TRUE(r.d.IsType("APRS"));
    EXPECT_EQ(r.d.west, 37000000);
    EXPECT_EQ(r.d.south, 18000000);
    ASSERT_EQ(r.map.points.size(), 4u);
    EXPECT_EQ(r.map.points[0], (MapPoint{255, 1, 37100000, 17100000}));
    EXPECT_EQ(r.map.points[2], (MapPoint{12, 0, -5, 0x12345678}));
    ASSERT_EQ(r.map.labels.size(), 2u);  // the code-0 record ends the list
    EXPECT_EQ(r.map.labels[0], (MapLabel{0x81, 37150000, 17150000, 300, "Hartford"}));
    EXPECT_EQ(r.map.labels[1].text, "#045Route 9");
    EXPECT_TRUE(r.notices.messages.empty());
}

TEST(BinaryMap, OldVersionsCountTenthsButUpperCaseBetaOnlyInItsHeader) {
    for (const char* version : {"1.00", "Beta", "BETA", "2.00"}) {
        MapFileBuilder b("APRS", version);
        b.Bounds(3700000, 3800000, 1700000, 1800000).Counts(1, 1);
        b.Point(255, 0, 3710000, 1710000).Label(1, 3720000, 1720000, 0, "X");
        const Read r = ReadBinary(b.Bytes());
        ASSERT_EQ(r.status, MapLoadStatus::kLoaded) << version;
        const bool header = std::string(version) != "2.00";
        const bool records = std::string(version) == "1.00" || std::string(version) == "Beta";
        EXPECT_EQ(r.d.west, header ? 37000000 : 3700000) << version;
        EXPECT_EQ(r.d.south, header ? 18000000 : 1800000) << version;
        EXPECT_EQ(r.map.points[0].lon, records ? 37100000 : 3710000) << version;
        EXPECT_EQ(r.map.labels[0].lat, records ? 17200000 : 1720000) << version;
    }
}

TEST(BinaryMap, CompactMapsCountFromWholeMinutesInsideTheCorner) {
    // West bound 75 30' 12" W, north bound 40 20' 30" N: the base is
    // 75 31' W, 40 21' N.
    const int32_t west = kLonOrigin - (75 * 360000 + 30 * 6000 + 1200);
    const int32_t north = kLatOrigin - (40 * 360000 + 20 * 6000 + 3000);
    MapFileBuilder b("COMP");
    b.Bounds(west, west + 360000, north, north + 360000).Counts(2, 2);
    b.CompactPoint(255, 0, 100, 200).CompactPoint(9, 1, 0, 65535);
    // Variable-length labels: a 12-byte head in tenths of a second, the text,
    // then a run of NULs; trailing blanks go.
    b.U8(0x81).U8(0).I32(3761500).I32(1787600).U16(25).Raw(std::string("Town  ") + std::string(3, '\0'));
    b.U8(1).U8(0).I32(3761600).I32(1787700).U16(0).Raw(std::string("Village") + '\0');
    b.Raw(std::string(88, '\0'));
    const Read r = ReadBinary(b.Bytes());
    ASSERT_EQ(r.status, MapLoadStatus::kLoaded);
    const int32_t baseLon = kLonOrigin - (75 * 360000 + 31 * 6000);
    const int32_t baseLat = kLatOrigin - (40 * 360000 + 21 * 6000);
    ASSERT_EQ(r.map.points.size(), 2u);
    EXPECT_EQ(r.map.points[0], (MapPoint{255, 0, baseLon + 1000, baseLat + 2000}));
    EXPECT_EQ(r.map.points[1].lat, baseLat + 655350);
    ASSERT_EQ(r.map.labels.size(), 2u);
    EXPECT_EQ(r.map.labels[0], (MapLabel{0x81, 37615000, 17876000, 25, "Town"}));
    EXPECT_EQ(r.map.labels[1].text, "Village");
}

TEST(BinaryMap, AShortFileKeepsMoreThanAHundredRecordsAndFailsWithFewer) {
    for (const int records : {150, 101, 100, 50}) {
        MapFileBuilder b;
        b.Bounds(37000000, 38000000, 17000000, 18000000).Counts(200, 5);
        for (int i = 0; i < records; ++i) b.Point(i == 0 ? 255 : 9, 0, 37000000 + i, 17000000 + i);
        const Read r = ReadBinary(b.Bytes());
        ASSERT_EQ(r.notices.messages.size(), 1u) << records;
        EXPECT_EQ(r.notices.messages[0], "End of File before end of data " + std::to_string(records * 10) +
                                             " bytes read, should have been 2000");
        if (records > 100) {
            ASSERT_EQ(r.status, MapLoadStatus::kLoaded) << records;
            EXPECT_EQ(r.map.points.size(), size_t(records));
            EXPECT_TRUE(r.map.labels.empty());
            EXPECT_EQ(r.notices.beeps, 1);  // the first label read failed
        } else {
            EXPECT_EQ(r.status, MapLoadStatus::kShortFile) << records;
        }
    }
}

TEST(BinaryMap, BrokenFilesAreRefusedWithoutReadingPastTheirEnd) {
    EXPECT_FALSE(ReadBinaryHeader(""));
    EXPECT_FALSE(ReadBinaryHeader("A"));
    EXPECT_FALSE(ReadBinaryHeader(MapFileBuilder().Bytes().substr(0, 255)));
    EXPECT_FALSE(ReadBinaryHeader(MapFileBuilder("NOPE").Bytes()));
    // Counts far beyond the file, and negative counts.
    MapFileBuilder huge;
    huge.Counts(0x7FFFFFFF, 0x7FFFFFFF).Point(255, 0, 1, 1);
    EXPECT_EQ(ReadBinary(huge.Bytes()).status, MapLoadStatus::kShortFile);
    MapFileBuilder negative;
    negative.Counts(-1, 3);
    const Read r = ReadBinary(negative.Bytes());
    EXPECT_EQ(r.status, MapLoadStatus::kOutOfMemory);
    EXPECT_EQ(r.notices.messages, std::vector<std::string>{"Out of memory"});
    // Found by fuzzing: a compact map with its corner at the end of the
    // units once overflowed them.
    MapFileBuilder corner("COMP");
    corner.Bounds(2147478000, 2147483647, -2147483647, 0).Counts(1, 0).CompactPoint(255, 0, 65535, 65535);
    const Read c = ReadBinary(corner.Bytes());
    ASSERT_EQ(c.status, MapLoadStatus::kLoaded);
    EXPECT_EQ(c.map.points[0].lon, INT32_MAX);
    // Labels beyond the end beep once and end the list.
    MapFileBuilder labels;
    labels.Counts(1, 4).Point(255, 0, 5, 5).Label(1, 6, 6, 0, "one");
    const Read l = ReadBinary(labels.Bytes() + std::string(20, 'x'));
    ASSERT_EQ(l.status, MapLoadStatus::kLoaded);
    EXPECT_EQ(l.map.labels.size(), 1u);
    EXPECT_EQ(l.notices.beeps, 1);
}

TEST(BinaryMap, UtmMapsAreConvertedAndSaySoButTheirLabelsAreNot) {
    MapFileBuilder b("UTM ");
    // Zone 18's central meridian is 75 W; the origins are subtracted first.
    // Corner 1 (offsets 84 and 92) is the south-west one, corner 2 the north-east.
    b.Utm(18, 1000, 2000).Bounds(499000 + 1000, 501000 + 1000, 4427236 + 2000, 4429236 + 2000).Counts(1, 1);
    b.Point(255, 0, 500000 + 1000, 4428236 + 2000).Label(1, 42, 43, 0, "raw");
    const Read r = ReadBinary(b.Bytes());
    ASSERT_EQ(r.status, MapLoadStatus::kLoaded);
    EXPECT_EQ(std::string(r.d.version.data(), 4), "2.00");
    EXPECT_EQ(r.notices.messages, std::vector<std::string>{"UTM support not finished"});
    EXPECT_NEAR(LonDegreesFromUnits(r.map.points[0].lon), -75.0, 1e-6);
    EXPECT_NEAR(LatDegreesFromUnits(r.map.points[0].lat), 40.0, 0.01);
    EXPECT_LT(r.d.west, r.map.points[0].lon);
    EXPECT_GT(r.d.east, r.map.points[0].lon);
    EXPECT_EQ(r.map.labels[0].lon, 42);
    EXPECT_LT(r.d.north, r.map.points[0].lat);
    EXPECT_GT(r.d.south, r.map.points[0].lat);
}

const char* kTextHeader = "45.0\r\n75.0\r\n100\r\n44.5\r\n74.5\r\n0\r\n0\r\n";

int32_t TextLon(long x) { return static_cast<int32_t>(64800000.0 - (360000.0 * 75 - double(x * 360000 / 100))); }
int32_t TextLat(long y) { return static_cast<int32_t>(32400000.0 - (360000.0 * 45 - double(y * 360000 / 100))); }

TEST(TextMap, PlainPairsCompressedTripletsColoursAndLabels) {
    const std::string file = std::string(kTextHeader) +
                             "Compressed\r\n* a comment\r\n1,2\r\n\r\nABC\r\n0,0\r\n9\r\n13 14\r\n5,6\r\n"
                             "what is this\r\n0,-1\r\nskipped\r\nTown,44.6,74.6,10\r\nab\r\n#090Road, 44.55, 74.55\r\n";
    const Read r = ReadText(file);
    ASSERT_EQ(r.status, MapLoadStatus::kLoaded);
    EXPECT_TRUE(r.d.IsType("DOS "));
    EXPECT_EQ(r.d.creator, "<DOS>");
    EXPECT_EQ(r.d.title, "TEST.MAP");
    // "1,2" is a plain point; "ABC" a compressed one: x 16*38+40/8, y 8*39+40%8.
    ASSERT_EQ(r.map.points.size(), 4u);
    EXPECT_EQ(r.map.points[0], (MapPoint{255, 0, TextLon(1), TextLat(2)}));
    EXPECT_EQ(r.map.points[1], (MapPoint{16, 0, TextLon(613), TextLat(312)}));  // colour 0 draws black
    EXPECT_EQ(r.map.points[2], (MapPoint{255, 0, TextLon(13), TextLat(14)}));  // a blank between
    EXPECT_EQ(r.map.points[3], (MapPoint{9, 0, TextLon(5), TextLat(6)}));
    ASSERT_EQ(r.map.labels.size(), 2u);
    EXPECT_EQ(r.map.labels[0].text, "Town");
    EXPECT_EQ(r.map.labels[0].code, 1);
    EXPECT_EQ(r.map.labels[0].scaleLimit, 10);
    EXPECT_EQ(r.map.labels[0].lon, static_cast<int32_t>(64800000 - 360000 * 74.6));
    EXPECT_EQ(r.map.labels[1].text, "#090Road");
    // Bounds come from the points read.
    EXPECT_EQ(r.d.west, TextLon(1));
    EXPECT_EQ(r.d.east, TextLon(613));
    EXPECT_EQ(r.d.north, TextLat(2));
    EXPECT_EQ(r.d.south, TextLat(312));
    EXPECT_EQ(r.d.pointCount, 4);
}

TEST(TextMap, LineFormatTakesWholeTripletsAndStopsAtABadLine) {
    const Read r = ReadText(std::string(kTextHeader) + "LineFormat\n5,ABCDEFG\n*note\n12,HIJ\nnonsense\nskipped\nT,44.6,74.6,0\n");
    ASSERT_EQ(r.status, MapLoadStatus::kLoaded);
    ASSERT_EQ(r.map.points.size(), 3u);  // the seventh letter is ignored
    EXPECT_EQ(r.map.points[0].pen, 255);
    EXPECT_EQ(r.map.points[1].pen, 5);
    const MapUnitsXy def = ExpandCompressedPoint('D', 'E', 'F');
    EXPECT_EQ(r.map.points[1].lon, TextLon(def.x));
    EXPECT_EQ(r.map.points[2].pen, 255);
    EXPECT_EQ(r.notices.messages, std::vector<std::string>{"Invalid Compressed line format"});
    EXPECT_EQ(r.map.labels.size(), 1u);
    // A line beginning with "-" ends the section quietly.
    EXPECT_TRUE(ReadText(std::string(kTextHeader) + "LineFormat\n5,ABC\n-1\nx\n").notices.messages.empty());
}

TEST(TextMap, AnEndMarkFirstGivesNoPointsButTheLabelsAndKeepsTheHeaderBounds) {
    const Read r = ReadText(std::string(kTextHeader) + "Other\n0,-1\nskip\nA place,44.6,74.6,5\n");
    ASSERT_EQ(r.status, MapLoadStatus::kLoaded);
    EXPECT_TRUE(r.map.points.empty());
    ASSERT_EQ(r.map.labels.size(), 1u);
    EXPECT_EQ(r.map.labels[0].text, "A place");
    // Centre 74.5 W with 1024/100 degrees either way.
    EXPECT_EQ(r.d.west, LonUnitsFromDegrees(-(74.5 + 10.24)));
    EXPECT_EQ(r.d.north, LatUnitsFromDegrees(44.5 + 5.12));
}

TEST(TextMap, CapacitiesDropWhatDoesNotFitAndBadFilesAreNoMaps) {
    TextMapCapacity small;
    small.points = 2;
    small.labels = 1;
    const Read r = ReadText(std::string(kTextHeader) + "x\n1,1\n2,2\n3,3\n0,-1\n\nA1234,44,74,0\nB1234,44,74,0\n", small);
    EXPECT_EQ(r.map.points.size(), 2u);
    EXPECT_EQ(r.map.labels.size(), 1u);
    EXPECT_FALSE(ReadTextHeader("", "EMPTY.MAP"));
    EXPECT_FALSE(ReadTextHeader("4", "ONE.MAP"));
    EXPECT_FALSE(ReadTextHeader(kTextHeader, "NOT-A-MAP.TXT"));
    EXPECT_FALSE(ReadTextHeader("1\n2\n0\n", "ZERO.MAP"));  // scale 0 places nothing
    EXPECT_TRUE(HasTextMapName("lower.map"));
    // Found by fuzzing: a centre far off the earth once overflowed the units.
    const auto huge = ReadTextHeader("1\n1\n1\n1e12\n-1e300\n0\n0\nx\n", "HUGE.MAP");
    ASSERT_TRUE(huge);
    EXPECT_LT(huge->north, 0);
}

TEST(MapLabels, Latin1TextBecomesUtf8AndUtf8StaysAsItIs) {
    EXPECT_EQ(LabelTextAsUtf8("Montr\xe9"
                              "al"),
              "Montr\xc3\xa9"
              "al");
    EXPECT_EQ(LabelTextAsUtf8("\xe2\x80\xa2 S\xc3\xa3o Paulo"), "\xe2\x80\xa2 S\xc3\xa3o Paulo");
}

}  // namespace
}  // namespace velmora
