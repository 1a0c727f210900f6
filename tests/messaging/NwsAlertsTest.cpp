// Weather bulletins: both forms of text, levels, expiry across a month's
// end, relaying, the alarm, expiring, sending, and bad input.
#include <gtest/gtest.h>

#include "geo/Position.h"
#include "messaging/NwsAlerts.h"

namespace velmora {
namespace {

NwsBounds Box(double west, double east, double north, double south) {
    return {LonUnitsFromDegrees(west), LonUnitsFromDegrees(east), LatUnitsFromDegrees(north), LatUnitsFromDegrees(south)};
}

struct Alerts : NwsAlerts {
    Alerts() {
        AddArea("OK_C027", Box(-97.7, -97.1, 35.3, 35.0));
        AddArea("OK_C028", Box(-97.1, -96.6, 35.3, 35.0));
        AddArea("OK_C029", Box(-96.6, -96.1, 35.3, 35.0));
        AddArea("OK_C035", Box(-95.0, -94.5, 36.9, 36.5));
        AddArea("TX_C001", Box(-95.9, -95.4, 32.0, 31.6));
        AddArea("CT_C003", Box(-73.0, -72.4, 42.0, 41.5));
    }
    const NwsArea& Area(std::string_view code) const { return Areas()[size_t(Find(code))]; }
};

NwsAlerts::Context At(int year, int month, int day, int hour, int minute, bool live = true) {
    NwsAlerts::Context c;
    c.now = ToTimeStamp(MakeDateTime(year, month, day, hour, minute, 0));
    c.live = live;
    return c;
}

TEST(NwsAlerts, AddresseesLevelsNamesAndCodes) {
    EXPECT_EQ(NwsLevelOf("NWS-WARN"), NwsLevel::kWarning);
    EXPECT_EQ(NwsLevelOf("NWS_WARN"), NwsLevel::kWarning);  // today's compressed form
    EXPECT_EQ(NwsLevelOf("NWS-SKYWN"), NwsLevel::kAdvisory);
    EXPECT_EQ(NwsLevelOf("NWS-ADVIS"), NwsLevel::kAdvisory);
    EXPECT_EQ(NwsLevelOf("NWS-CANCL"), NwsLevel::kNone);
    EXPECT_EQ(NwsLevelOf("NWS-DRILL"), NwsLevel::kDrill);
    EXPECT_FALSE(NwsLevelOf("NWS-OTHER"));
    EXPECT_FALSE(NwsLevelOf("BLN1"));
    EXPECT_EQ(NwsLevelName(3), "Warning");
    EXPECT_EQ(NwsLevelName(0), "---");
    EXPECT_EQ(NwsLevelName(9), "Error");
    EXPECT_EQ(NwsAreaCode("OKC027.map"), "OK_C027");
    EXPECT_EQ(NwsAreaCode("ok_c027.RGN"), "OK_C027");
    EXPECT_EQ(NwsAreaCode("ME z 01.cln"), "ME__Z_01");
    EXPECT_EQ(NwsAreaCode("ABCDEFGHIJKL.MAP"), "AB_CDEFGH");
}

TEST(NwsAlerts, TokensOfBothFormsAndTheirLimits) {
    EXPECT_EQ(NwsTokens("091230,TORNADO,OK_C027,OK_C028,"),
              (std::vector<std::string>{"091230", "TORNADO", "OK_C027", "OK_C028"}));
    EXPECT_EQ(NwsTokens("092300z,SVRTSM,OKC027>029-035,TXZ001{A8B01"),
              (std::vector<std::string>{"092300Z", "SVRTSM", "OK_C027", "OK_C028", "OK_C029", "OK_C035", "TX_Z001"}));
    EXPECT_EQ(NwsTokens("a.b c\td"), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(NwsTokens("okc029>027"), (std::vector<std::string>{"OK_C029"}));  // a range backwards is no range
    EXPECT_EQ(NwsTokens(std::string(100, 'x')).front().size(), 32u);
    EXPECT_EQ(NwsTokens("OKC001>999").size(), 500u);  // at most a bulletin's worth
    std::string many;
    for (int i = 0; i < 200; ++i) many += "OK_C" + std::to_string(100 + i) + ",";
    EXPECT_EQ(NwsTokens(many).size(), 200u);
    EXPECT_TRUE(NwsTokens(",,, ...").empty());
}

TEST(NwsAlerts, TheOlderFormSetsItsAreasWithExpiryAcrossTheMonthsEnd) {
    Alerts a;
    // Day 02 heard on the 28th of December: the 2nd of January, a year on.
    NwsAlerts::Context c = At(2026, 12, 28, 14, 0);
    const NwsOutcome o = a.Handle("KOUN", "NWS-WARN", "021230,TORNADO,OK_C027,OK_C028,", c);
    EXPECT_TRUE(o.changed);
    const NwsArea& area = a.Area("OK_C027");
    EXPECT_TRUE(area.active);
    EXPECT_EQ(area.level, 3);
    EXPECT_EQ(area.event, "TORNADO");
    EXPECT_EQ(area.issuer, "KOUN");
    EXPECT_EQ(area.timeText, "02/12:30");
    EXPECT_EQ(area.expires, ToTimeStamp(MakeDateTime(2027, 1, 2, 12, 30, 0)));
    EXPECT_FALSE(a.Area("OK_C029").active);
    // A cancellation without a time: "Canceled".
    a.Handle("KOUN", "NWS-CANCL", "OK_C027,", c);
    EXPECT_FALSE(a.Area("OK_C027").active);
    EXPECT_EQ(a.Area("OK_C027").level, 0);
    EXPECT_EQ(a.Area("OK_C027").timeText, "Canceled");
    // SKYWN is an advisory; a whole state by "ST_STATE".
    a.Handle("KOUN", "NWS-SKYWN", "281800,WIND,OK_STATE,", c);
    for (const char* code : {"OK_C027", "OK_C028", "OK_C029", "OK_C035"}) EXPECT_EQ(a.Area(code).level, 1) << code;
    EXPECT_EQ(a.Area("TX_C001").level, 0);
}

TEST(NwsAlerts, TodaysFormInUtcWithRangesLightsTheNamedCountiesOnly) {
    Alerts a;
    NwsAlerts::Context c = At(2026, 12, 9, 10, 0);
    c.utcOffsetHours = -6;  // local is UTC less six hours
    a.Handle("OUNSVR", "NWS_WARN", "091700z,SVRTSM,OKC027>028-035{A8B0A", c);
    EXPECT_TRUE(a.Area("OK_C027").active);
    EXPECT_TRUE(a.Area("OK_C028").active);
    EXPECT_FALSE(a.Area("OK_C029").active);
    EXPECT_TRUE(a.Area("OK_C035").active);
    EXPECT_EQ(a.Area("OK_C035").event, "SVRTSM");
    // 17:00 UTC is 11:00 here.
    EXPECT_EQ(a.Area("OK_C027").expires, ToTimeStamp(MakeDateTime(2026, 12, 9, 11, 0, 0)));
    EXPECT_EQ(a.Area("OK_C027").timeText, "09/11:00");
}

TEST(NwsAlerts, BadBulletinsSetNothingTheyDidNotName) {
    Alerts a;
    const NwsAlerts::Context c = At(2026, 12, 9, 10, 0);
    for (const char* text : {"", ",,,,", "991299,X,OK_C999,", "OK_C02,OK_C0277,OKC02,OK-C027,0KC027", "OK_", "3",
                             "321299,FLOOD,ZZ_STATE,", "OKC027>", "OKC027-", "OKCXYZ>029"}) {
        a.Handle("X", "NWS-WARN", text, c);
        for (const NwsArea& area : a.Areas()) EXPECT_FALSE(area.active) << text << " " << area.code;
    }
    // Two hundred tokens, dates past a month's end, the same area twice.
    std::string long_text = "311230,FLOOD,";
    for (int i = 0; i < 200; ++i) long_text += "OK_C027,";
    a.Handle("X", "NWS-WARN", long_text, At(2026, 11, 30, 10, 0));
    EXPECT_TRUE(a.Area("OK_C027").active);  // the 31st of November is the 1st of December
    EXPECT_EQ(a.Area("OK_C027").expires, ToTimeStamp(MakeDateTime(2026, 12, 1, 12, 30, 0)));
    EXPECT_FALSE(a.Area("OK_C028").active);
    EXPECT_FALSE(a.Handle("X", "NWS-OTHER", "OK_C028,", c).changed);
}

TEST(NwsAlerts, RelayedOnceFromTheInternetForListedAreasAndSenders) {
    Alerts a;
    a.SetRelayAreas({"ok_c027", "OK_C028", "NOPE"});
    NwsAlerts::Context c = At(2026, 12, 9, 10, 0);
    c.sourceKind = 'T';
    const std::string text = "091700,TORNADO,OK_C027,OK_C028,OK_C029,";
    EXPECT_EQ(a.Handle("KOUN-1", "NWS-WARN", text, c).relays,
              (std::vector<std::string>{":NWS-WARN :" + text}));  // two relayed areas, one packet
    c.sourceKind = '2';  // heard on radio: not back to radio
    EXPECT_TRUE(a.Handle("KOUN", "NWS-WARN", text, c).relays.empty());
    c.sourceKind = 'T';
    c.live = false;  // a replay relays nothing
    EXPECT_TRUE(a.Handle("KOUN", "NWS-WARN", text, c).relays.empty());
    c.live = true;
    a.SetRelaySenders(std::vector<std::string>{"koun-5"});
    EXPECT_EQ(a.Handle("KOUN-9", "NWS-WARN", text, c).relays.size(), 1u);
    EXPECT_TRUE(a.Handle("KTLX", "NWS-WARN", text, c).relays.empty());
    EXPECT_EQ(a.RelayCounts().at("KOUN"), 2);
}

TEST(NwsAlerts, TheAlarmNearHomeAndTheQuarterHourExpiry) {
    Alerts a;
    NwsAlerts::Context c = At(2026, 12, 9, 10, 0);
    c.homeLon = LonUnitsFromDegrees(-72.7), c.homeLat = LatUnitsFromDegrees(41.7);
    c.alarmRadiusMiles = 30;
    EXPECT_TRUE(a.Handle("KBOX", "NWS-WARN", "091100,FLOOD,CT_C003,", c).alarm);
    EXPECT_FALSE(a.Handle("KOUN", "NWS-WARN", "091100,FLOOD,OK_C027,", c).alarm);  // far away
    c.live = false;
    EXPECT_FALSE(a.Handle("KBOX", "NWS-WARN", "091100,FLOOD,CT_C003,", c).alarm);
    c.live = true;
    EXPECT_FALSE(a.Handle("KBOX", "NWS-CANCL", "CT_C003,", c).alarm);
    // 59 seconds before the expiry it ends; 60 seconds before it holds.
    a.Handle("KBOX", "NWS-WARN", "091100,FLOOD,CT_C003,", c);
    const TimeStamp expiry = a.Area("CT_C003").expires;
    EXPECT_FALSE(a.Expire(expiry - 60));
    EXPECT_TRUE(a.Area("CT_C003").active);
    EXPECT_TRUE(a.Expire(expiry - 59));
    EXPECT_FALSE(a.Area("CT_C003").active);
    EXPECT_EQ(a.Area("CT_C003").level, 0);
    EXPECT_FALSE(a.Expire(expiry + 100));
}

TEST(NwsAlerts, SendingFourCodesAMessageAndTheDefaultExpiry) {
    Alerts a;
    for (int i = 0; i < 3; ++i) a.AddArea("KS_C00" + std::to_string(i), Box(-98, -97, 38, 37));
    const TimeStamp now = ToTimeStamp(MakeDateTime(2026, 12, 9, 10, 3, 0));
    const TimeStamp expiry = ToTimeStamp(NwsAlerts::DefaultExpiry(now));
    EXPECT_EQ(FromTimeStamp(expiry).hour, 12);
    EXPECT_EQ(FromTimeStamp(expiry).minute, 15);  // (3 + 14) / 5 * 5
    std::vector<int> nine;
    for (int i = 0; i < 9; ++i) nine.push_back(i);
    const auto sent = a.Send(3, nine, expiry, "TORNADO", "N0ME", now);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].addressee, "NWS-WARN");
    EXPECT_EQ(sent[0].text, "091215,TORNADO,OK_C027,OK_C028,OK_C029,OK_C035,");
    EXPECT_EQ(sent[2].text, "091215,TORNADO,KS_C002,");
    EXPECT_EQ(a.Area("KS_C002").issuer, "N0ME");
    EXPECT_TRUE(a.Area("OK_C027").active);
    const auto cancel = a.Send(0, {0, 1}, 0, "", "N0ME", now);
    ASSERT_EQ(cancel.size(), 1u);
    EXPECT_EQ(cancel[0].addressee, "NWS-CANCL");
    EXPECT_EQ(cancel[0].text, "OK_C027,OK_C028,");
    EXPECT_FALSE(a.Area("OK_C027").active);
    const auto test = a.Send(7, {2}, expiry, "general", "N0ME", now);
    EXPECT_EQ(test[0].addressee, "NWS-TEST");
    EXPECT_EQ(a.Area("OK_C029").level, 3);  // a test beyond the levels changes nothing
}

}  // namespace
}  // namespace velmora
