#include <gtest/gtest.h>

#include "geo/Position.h"
#include "geo/PositionInput.h"

namespace velmora {
namespace {

TEST(PositionInput, EveryFormHamsWriteReadsTheSame) {
    const char* forms[] = {
        "47.60833 -122.33333",       "47 36.50N 122 20.00W",  "4736.50N 12220.00W",   "47 36.50 N 122 20.00 W",
        "N47 36.50 W122 20.00",      "47 36 30 N 122 20 0 W", "47°36.50′N 122°20.00′W", "47° 36' 30\" N, 122° 20' W",
        "+47.60833, -122.33333",     "122 20.00W 47 36.50N",  "n47 36.5 w122 20",      "47d36.5N 122d20W",
        "4736.50N/12220.00W" /* pasted from a report */,
    };
    for (const char* text : forms) {
        SCOPED_TRACE(text);
        const PositionRead r = ReadPosition(text);
        ASSERT_TRUE(r.position) << r.problem;
        EXPECT_NEAR(r.position->lat, 47.608333, 1e-5);
        EXPECT_NEAR(r.position->lon, -122.333333, 1e-5);
        EXPECT_EQ(ShowPosition(r.position->lat, r.position->lon), "47°36.50′N 122°20.00′W");
    }
}

TEST(PositionInput, WhatCannotBeReadIsRefusedWithAnExample) {
    struct Case {
        const char* text;
        const char* says;
    };
    const Case cases[] = {
        {"47.6", "47.60833 -122.33333"},                 // one coordinate
        {"47 36.50 122", "47 36.50N 122 20.00W"},         // which is which?
        {"47 36.50N 122 20.00", "is not a position"},      // a letter on one side only
        {"47 60.00N 122 20.00W", "from 0 to 59"},
        {"95 00.00N 122 20.00W", "at most 90"},
        {"47 36.50N 190 20.00W", "at most 180"},
        {"-47 36.50N 122 20.00W", "is not a latitude"},    // a sign and a letter
        {"47.5 36N 122 20W", "is not a latitude"},         // decimals before the last part
        {"47 36.50X 122 20.00W", "a character a position does not use"},
        {"", "is not a position"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PositionRead r = ReadPosition(c.text);
        EXPECT_FALSE(r.position);
        EXPECT_NE(r.problem.find(c.says), std::string::npos) << r.problem;
    }
}

TEST(PositionInput, OneCoordinateKeepsItsAxis) {
    struct Case {
        const char* text;
        Axis axis;
        std::optional<double> degrees;
    };
    const Case cases[] = {
        {"47 36.50N", Axis::kLatitude, 47.608333},   {"47 36.50 N", Axis::kLatitude, 47.608333},
        {"122 20.00 W", Axis::kLongitude, -122.333333}, {"07201.75W", Axis::kLongitude, -72.029167},
        {"S33 52 0", Axis::kLatitude, -33.866667},   {"-0.5", Axis::kLatitude, -0.5},
        {"122 20.00W", Axis::kLatitude, std::nullopt},  // W is no latitude's hemisphere
        {"47 36.50N", Axis::kLongitude, std::nullopt},
        {"4736.50", Axis::kLatitude, std::nullopt},     // the APRS form needs its letter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const CoordinateRead r = ReadCoordinate(c.text, c.axis);
        ASSERT_EQ(r.degrees.has_value(), c.degrees.has_value()) << r.problem;
        if (c.degrees) EXPECT_NEAR(*r.degrees, *c.degrees, 1e-5);
        else EXPECT_NE(r.problem.find("write it as"), std::string::npos);
    }
    EXPECT_EQ(ShowCoordinate(-33.866667, Axis::kLatitude), "33°52.00′S");
    // Typed degrees land on the unit they name, not one short of it.
    EXPECT_EQ(TypedLonUnits(-72.6), kLonOrigin - 26136000);
    EXPECT_EQ(TypedLatUnits(41.6), kLatOrigin - 14976000);
    EXPECT_EQ(ShowCoordinate(0.999999, Axis::kLongitude), "1°00.00′E");
}

}  // namespace
}  // namespace velmora
