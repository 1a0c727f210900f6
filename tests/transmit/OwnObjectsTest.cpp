#include <gtest/gtest.h>

#include "geo/Position.h"
#include "transmit/OwnObjects.h"

namespace velmora {
namespace {

constexpr TimeStamp kSet = 3879720000;  // some local midday

OwnObjectEntry Eoc() {
    OwnObjectEntry e;
    e.name = "EOC";
    e.symbolTable = '/', e.symbolCode = 'o';
    e.lat = LatUnitsFromDegrees(49 + 3.5 / 60), e.lon = LonUnitsFromDegrees(-(72 + 1.75 / 60));
    e.comment = "Red Cross";
    e.setAt = kSet;
    return e;
}

TEST(OwnObjects, ReportsForStandingMovingKilledAndItemObjects) {
    const std::string set = DayHourMinuteText(FromTimeStamp(kSet), 0);
    const std::string later = DayHourMinuteText(FromTimeStamp(kSet + 3600), 0);
    OwnObjectStore store;
    ASSERT_EQ(store.Put(Eoc()), "");
    OwnObjectEntry boat = Eoc();
    boat.name = "BOAT", boat.symbolCode = 's', boat.course = 90, boat.speed = 6, boat.comment = "race";
    ASSERT_EQ(store.Put(boat), "");
    OwnObjectEntry aid = Eoc();
    aid.name = "AID2", aid.item = true, aid.symbolCode = '+', aid.comment = "first aid", aid.routes = kObjectRouteVhf;
    ASSERT_EQ(store.Put(aid), "");
    const auto reports = store.Reports('V', kSet + 3600, 0);
    ASSERT_EQ(reports.size(), 3u);
    // A standing object keeps its own time; a moving one is reckoned to now:
    // six knots east for an hour at 49°N is 9.153 minutes of longitude
    // (hundredths are cut, as every position text cuts them).
    EXPECT_EQ(reports[0], ";EOC      *" + set + "4903.50N/07201.75Wo Red Cross\r");
    EXPECT_EQ(reports[1], ";BOAT     *" + later + "4903.50N/07152.58Ws090/006 race DR\r");
    EXPECT_EQ(reports[2], ")AID2!4903.50N/07201.75W+ first aid\r");
    EXPECT_EQ(store.Reports('H', kSet, 0).size(), 2u);  // the item goes on VHF only
    // Killed: "_" three rounds (one a minute, whatever the routes), then gone.
    ASSERT_EQ(store.Kill("EOC"), "");
    ASSERT_EQ(store.Kill("AID2"), "");
    for (int round = 0; round < 3; ++round) {
        const TimeStamp now = kSet + 600 * round;
        EXPECT_EQ(store.TakeSpent(now).size(), 0u);
        const auto v = store.Reports('V', now, 0), h = store.Reports('H', now, 0);
        ASSERT_EQ(v.size(), 3u) << round;
        EXPECT_EQ(v[0].substr(0, 11), ";EOC      _");
        EXPECT_EQ(v[2], ")AID2_4903.50N/07201.75W+ first aid\r");
        EXPECT_EQ(h.size(), 2u);
    }
    EXPECT_EQ(store.TakeSpent(kSet + 1800), (std::vector<std::string>{"EOC", "AID2"}));
    ASSERT_EQ(store.Entries().size(), 1u);
    EXPECT_EQ(store.Kill("EOC"), "No own object named EOC");
}

TEST(OwnObjects, WhatCannotBeSentIsRefused) {
    struct Case {
        void (*edit)(OwnObjectEntry&);
        const char* says;
    };
    const Case cases[] = {
        {[](OwnObjectEntry& e) { e.name = "TENLETTERS"; }, "1 to 9 characters"},
        {[](OwnObjectEntry& e) { e.name = ""; }, "1 to 9 characters"},
        {[](OwnObjectEntry& e) { e.name = "A B"; }, "no blank"},
        {[](OwnObjectEntry& e) { e.name = "AB", e.item = true; }, "3 to 9 characters"},
        {[](OwnObjectEntry& e) { e.name = "AID!", e.item = true; }, "no blank"},
        {[](OwnObjectEntry& e) { e.symbolTable = 'x'; }, "A symbol is its table"},
        {[](OwnObjectEntry& e) { e.comment = std::string(44, 'c'); }, "at most 43 characters"},
        {[](OwnObjectEntry& e) { e.comment = "a|b"; }, "| or ~"},
        {[](OwnObjectEntry& e) { e.lat = 0; }, "needs a position"},
        {[](OwnObjectEntry& e) { e.speed = 1000; }, "speed from 0 to 999"},
        {[](OwnObjectEntry& e) { e.routes = 0; }, "at least one route"},
    };
    for (const Case& c : cases) {
        OwnObjectStore store;
        OwnObjectEntry e = Eoc();
        c.edit(e);
        const std::string why = store.Put(e);
        EXPECT_NE(why.find(c.says), std::string::npos) << why;
        EXPECT_TRUE(store.Entries().empty());
    }
}

TEST(OwnObjects, TheFileKeepsEveryFieldAndSkipsLinesItCannotRead) {
    OwnObjectStore store;
    OwnObjectEntry boat = Eoc();
    boat.name = "147.39-NY", boat.symbolTable = 'S', boat.symbolCode = '#', boat.course = 271, boat.speed = 12;
    boat.altitudeFeet = 1200, boat.routes = kObjectRouteHf | kObjectRouteInternet, boat.comment = "T100 -060 Kraków";
    ASSERT_EQ(store.Put(Eoc()), "");
    ASSERT_EQ(store.Put(boat), "");
    ASSERT_EQ(store.Kill("EOC"), "");
    (void)store.Reports('-', kSet, 0);  // one killed report spent
    OwnObjectStore back;
    EXPECT_EQ(back.ReadFile(store.FileText() + "O\tBROKEN\t/\n\nO\tFAR\t/\to\t99999999\t1\t0\t0\t0\t7\t0\t-1\tx\n"), 2);
    ASSERT_EQ(back.Entries().size(), 2u);
    EXPECT_EQ(back.FileText(), store.FileText());
    EXPECT_EQ(back.Entries()[0].killedSends, 2);
    const OwnObjectEntry& b = back.Entries()[1];
    EXPECT_EQ(b.comment, "T100 -060 Kraków");
    EXPECT_EQ(b.lat, boat.lat);
    EXPECT_EQ(b.lon, boat.lon);
    EXPECT_EQ(b.routes, kObjectRouteHf | kObjectRouteInternet);
}

}  // namespace
}  // namespace velmora
