#include <gtest/gtest.h>

#include "decode/PositionText.h"
#include "geo/Position.h"

namespace velmora {
namespace {

TEST(ValidPositionTriple, HemispheresAndTableCharacters) {
    EXPECT_TRUE(ValidPositionTriple('N', '/', 'W'));
    EXPECT_TRUE(ValidPositionTriple('s', '\\', 'e'));
    EXPECT_TRUE(ValidPositionTriple('S', 'D', 'E'));
    EXPECT_TRUE(ValidPositionTriple('N', '9', 'W'));
    for (char t : {'!', '*', '+', '?'}) EXPECT_TRUE(ValidPositionTriple('N', t, 'W')) << t;
    EXPECT_FALSE(ValidPositionTriple('X', '/', 'W'));
    EXPECT_FALSE(ValidPositionTriple('N', '#', 'W'));
    EXPECT_FALSE(ValidPositionTriple('N', '/', 'N'));
    EXPECT_FALSE(ValidPositionTriple('\0', '\0', '\0'));
}

TEST(ConvertTextPosition, DegreesMinutesAndHundredthsKeptExactly) {
    const auto p = ConvertTextPosition("07201.75W", "4903.50N");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->lat, 32400000 - (49 * 360000 + 3 * 6000 + 50 * 60));
    EXPECT_EQ(p->lon, 64800000 - (72 * 360000 + 1 * 6000 + 75 * 60));
    EXPECT_EQ(p->ambiguity, 0);
    // A hundredth of a minute is 60 units: .99 is 5940, not whole seconds.
    const auto q = ConvertTextPosition("00000.99E", "0000.99S");
    ASSERT_TRUE(q);
    EXPECT_EQ(q->lon, 64800000 + 5940);
    EXPECT_EQ(q->lat, 32400000 + 5940);
    // "6028.51N" is 60 deg 28.51 min = 60.475167 deg, not 60.475000.
    const auto r = ConvertTextPosition("01000.00E", "6028.51N");
    ASSERT_TRUE(r);
    EXPECT_NEAR(LatDegreesFromUnits(r->lat), 60.475167, 0.0000005);
}

TEST(ConvertTextPosition, BlankedDigitsGiveAmbiguity) {
    const auto two = ConvertTextPosition("07201.  W", "4903.  N");
    ASSERT_TRUE(two);
    EXPECT_EQ(two->ambiguity, 2);
    EXPECT_EQ(two->lat, 32400000 - (49 * 360000 + 3 * 6000));
    const auto four = ConvertTextPosition("072  .  W", "49  .  N");
    ASSERT_TRUE(four);
    EXPECT_EQ(four->ambiguity, 4);
    EXPECT_EQ(four->lat, 32400000 - 49 * 360000);
    // The larger count of the two texts wins.
    const auto mixed = ConvertTextPosition("072  .  W", "4903.50N");
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->ambiguity, 4);
}

TEST(ConvertTextPosition, RejectsMalformedText) {
    for (auto [lon, lat] : std::initializer_list<std::pair<const char*, const char*>>{
             {"07201.75W", "4903,50N"},   // no dot
             {"07201.75X", "4903.50N"},   // hemisphere
             {"07201.75W", "4903.50Q"},
             {"0720.175W", "4903.50N"},
             {"07201.75W", "4903.5"},     // short
             {"", ""},
             {"07261.00W", "4903.50N"},   // 61 minutes
             {"18100.00W", "4903.50N"},   // beyond 180 degrees
             {"07201.75W", "9100.00N"},   // beyond the pole
             {"07 01.75W", "4903.50N"},   // a blank outside the blankable digits
         }) {
        EXPECT_FALSE(ConvertTextPosition(lon, lat)) << lon << " " << lat;
    }
}

TEST(SplitTextPosition, ShortTextGivesShortFieldsAndMasksTopBits) {
    DecodedReport r;
    SplitTextPosition("!4903.50N/07201.75W-comment", 0, r);
    EXPECT_EQ(r.latText.View(), "4903.50N");
    EXPECT_EQ(r.symbolTable, '/');
    EXPECT_EQ(r.lonText.View(), "07201.75W");
    EXPECT_EQ(r.symbolCode, '-');
    EXPECT_EQ(r.comment.View(), "comment");
    DecodedReport s;
    SplitTextPosition("!4903.5", 0, s);
    EXPECT_EQ(s.latText.View(), "4903.5");
    EXPECT_EQ(s.lonText.View(), "");
    EXPECT_EQ(s.symbolCode, 0);
    DecodedReport t;
    SplitTextPosition(std::string("!4903.50N\xAF" "07201.75W\xBE"), 0, t);
    EXPECT_EQ(t.symbolTable, '/');
    EXPECT_EQ(t.symbolCode, '>');
}

TEST(DecodeShortCompressed, UsesTheShortScale) {
    // v = 47 in every character: 47 * 8373 of 753,480 steps; "@" adds no eighths.
    const auto mid = DecodeShortCompressed("PPPPPP@");
    ASSERT_TRUE(mid);
    EXPECT_NEAR(LatDegreesFromUnits(mid->lat), 47.0 * 8373 * 180 / 753480 - 90, 1e-5);
    EXPECT_NEAR(LonDegreesFromUnits(mid->lon), 180 - 47.0 * 8373 * 360 / 753480, 1e-5);
    // The seventh character adds eighths of a step: bits 3-5 latitude, 0-2 longitude.
    const auto extra = DecodeShortCompressed("PPPPPP\x7F");
    ASSERT_TRUE(extra);
    EXPECT_NEAR(LatDegreesFromUnits(extra->lat) - LatDegreesFromUnits(mid->lat), 7.0 / 8 * 180 / 753480, 1e-5);
    // All zeros is 90 S, 180 E: still on the grid.
    EXPECT_TRUE(DecodeShortCompressed("!!!!!!!"));
    // The top of the scale lies past the pole and is refused.
    EXPECT_FALSE(DecodeShortCompressed("{{{!!!!"));
    EXPECT_FALSE(DecodeShortCompressed("abc"));
    EXPECT_FALSE(DecodeShortCompressed("ab c!!!"));  // a blank is not base-91
}

TEST(DecodeStandardCompressed, ReferencePacketFromTheProtocol) {
    const auto c = DecodeStandardCompressed("/5L!!<*e7>7P[");
    ASSERT_TRUE(c);
    EXPECT_NEAR(LatDegreesFromUnits(c->lat), 49.5, 1e-4);
    EXPECT_NEAR(LonDegreesFromUnits(c->lon), -72.75, 1e-4);
    EXPECT_EQ(c->code, '>');
    EXPECT_TRUE(c->courseSpeed);
    EXPECT_EQ(c->course, 88);
    EXPECT_EQ(c->speedKnots, 36);
    // Altitude form: compression type with GGA source.
    const auto alt = DecodeStandardCompressed("/5L!!<*e7OS]S");
    ASSERT_TRUE(alt);
    EXPECT_TRUE(alt->altitude);
    EXPECT_NEAR(alt->altitudeFeet, 10004, 2);
    EXPECT_FALSE(DecodeStandardCompressed("#5L!!<*e7>7P["));  // not a table
    EXPECT_FALSE(DecodeStandardCompressed("/5L!!<*e"));
}

TEST(DestinationSymbol, SuffixRules) {
    struct Case {
        const char* suffix;
        char table, code;
    } cases[] = {
        {"C43", '/', 'K'}, {"BB", '/', '!'}, {"PA", '/', 'A'}, {"LA", '/', 'a'},
        {"SA", '\\', 'a'}, {"AA", '\\', 'A'}, {"HS", '/', '['}, {"MV", '/', '>'},
        {"NV", '\\', '>'}, {"J1", '/', '{'}, {"Q1", '\\', '{'}, {"OB", '\\', '!'},
    };
    for (const auto& c : cases) {
        const auto s = DestinationSymbol(c.suffix);
        ASSERT_TRUE(s) << c.suffix;
        EXPECT_EQ(s->table, c.table) << c.suffix;
        EXPECT_EQ(s->code, c.code) << c.suffix;
    }
    EXPECT_FALSE(DestinationSymbol("X1"));
    EXPECT_FALSE(DestinationSymbol("B"));
    EXPECT_FALSE(DestinationSymbol("B!"));  // "!" - 33 is not a symbol
    EXPECT_FALSE(DestinationSymbol("CXY"));
}

}  // namespace
}  // namespace velmora
