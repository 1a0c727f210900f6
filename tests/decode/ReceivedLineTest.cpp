#include <gtest/gtest.h>

#include "decode/Destination.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using test::TestApp;

// The public parser suites' reject cases that used to give a position here,
// each beside the same packet made whole, so a refusal is the header's or
// the table byte's doing and nothing else.
TEST(ReceivedLine, PacketsTheParserSuitesRejectGiveNoPosition) {
    struct Case {
        const char* bad;
        const char* good;
    };
    const Case cases[] = {
        // A path call with "_" (a broken gateway).
        {"SV2BRF-6>APU25N,TCPXX*,qAX,SZ8L_GREE:=/:$U#T<:G- BVagelis",
         "SV2BRF-7>APU25N,TCPXX*,qAX,SZ8LGREE:=/:$U#T<:G- BVagelis"},
        // Destinations that are no AX.25 call: lower case, too long, SSID 16.
        {"N1NON>None,qAR,TACO:!3751.90NS12213.23W#PHG7500", "N1NOO>APRS,qAR,TACO:!3751.90NS12213.23W#PHG7500"},
        {"BH8SEL-3>Office,qAS,BG6CQ:=2503.22N/10130.90E_000/000g000t057r000p000h48b08209",
         "BH8SEL-4>APRS,qAS,BG6CQ:=2503.22N/10130.90E_000/000g000t057r000p000h48b08209"},
        {"K1LNG>APRSXYZ:!4903.50N/07201.75W-", "K1LNH>APRS-15:!4903.50N/07201.75W-"},
        {"K1SSI>APRS-16:!4903.50N/07201.75W-", "K1SSJ>APRS-9:!4903.50N/07201.75W-"},
        // A Mic-E table byte that is neither "/", "\" nor an overlay.
        {"OZ2BRN-4>5U2V08,OZ3RIN-3,WIDE2-1,qAR,DB0KUE:`'O<l!{,,\"4R}",
         "OZ2BRN-5>5U2V08,OZ3RIN-3,WIDE2-1,qAR,DB0KUE:`'O<l!{,/\"4R}"},
    };
    for (const Case& c : cases) {
        TestApp t;
        t.Live(c.bad, 'T');
        t.Live(c.good, 'T');
        const std::string bad = std::string(c.bad).substr(0, std::string(c.bad).find('>'));
        const std::string good = std::string(c.good).substr(0, std::string(c.good).find('>'));
        EXPECT_TRUE(t.Find(bad) < 0 || t.Station(bad).lat == 0) << c.bad;
        ASSERT_GE(t.Find(good), 0) << c.good;
        EXPECT_GT(t.Station(good).lat, 0) << c.good;
    }
}

TEST(ReceivedLine, PromptsArePeeledBeforeDecoding) {
    TestApp t;
    t.Live("cmd:cmd:N0CALL>APRS:>hi", '1');
    ASSERT_GE(t.Find("N0CALL"), 0);
    EXPECT_EQ(t.app.TncPorts().promptCount[0], 1);
    EXPECT_EQ(t.Station("N0CALL").status.View(), ">hi");
}

TEST(ReceivedLine, SourceKindFromPrefixesAndPortTags) {
    TestApp t;
    t.Live("p2 A1>APRS:>x", '1');
    EXPECT_EQ(ToChar(t.Station("A1").sourceKind), '2');
    t.Live("p2 A2>APRS:>x", 'T');
    EXPECT_EQ(ToChar(t.Station("A2").sourceKind), 'T');
    t.Live("A3>APRS,WIDE2-2/V:>x", '1');
    EXPECT_EQ(ToChar(t.Station("A3").sourceKind), 'V');
    EXPECT_EQ(t.Station("A3").bestPath[1].View(), "WIDE2-2");
    EXPECT_EQ(t.Station("A3").bestPath[2].View(), "");
    t.Live("A4>APRS,WIDE2-2/V:>x", 'T');  // internet lines keep their kind
    EXPECT_EQ(ToChar(t.Station("A4").sourceKind), 'T');
}

TEST(ReceivedLine, RadioStationsKeepTheirKindWhenTheInternetEchoesThem) {
    TestApp t;
    t.Live("W1AW>APRS:>x", '2');
    t.Live("W1AW>APRS,TCPIP*:>x", 'T');
    EXPECT_EQ(ToChar(t.Station("W1AW").sourceKind), '2');
    EXPECT_EQ(t.Station("W1AW").viaInternet, 1);
    t.Live("W1AW>APRS:>x", '1');
    EXPECT_EQ(ToChar(t.Station("W1AW").sourceKind), '1');
    t.Live("K1ABC>APRS:>x", 'T');
    t.Live("K1ABC>APRS:>x", '2');
    EXPECT_EQ(ToChar(t.Station("K1ABC").sourceKind), '2');
}

TEST(ReceivedLine, HistoryServerRelayAndGate) {
    TestApp t;
    t.app.DecodeOptions().gateInternetToRadio = true;
    t.app.SetOwnCall("N0GATE");
    t.app.Flags().AddLine("W1AW\tIGATE");
    t.Live("W1AW>APRS,TCPIP*:>from the net", 'T');
    t.Live("K1ABC>APRS,WIDE1-1:>from radio", '2');
    t.Replay("W1AW>APRS,TCPIP*:>replayed", 'T');
    const auto history = t.History();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0].line, "W1AW>APRS,TCPIP*:>from the net");
    EXPECT_EQ(history[0].packetClass, kClassAprs);
    EXPECT_EQ(history[0].kind, SourceKind::kInternet);
    EXPECT_EQ(history[0].time, t.clock.NowStamp());
    // Internet lines are not offered back to the server's clients.
    ASSERT_EQ(t.seams.relayed.size(), 1u);
    EXPECT_EQ(t.seams.relayed[0], "K1ABC>APRS,WIDE1-1:>from radio");
    // Only the live internet line from an IGATE-flagged source is gated.
    ASSERT_EQ(t.seams.radio.size(), 1u);
    EXPECT_EQ(t.seams.radio[0], "}W1AW>APRS,TCPIP,N0GATE*:>from the net\r");
    EXPECT_EQ(t.seams.radioPort, 'V');
}

TEST(ReceivedLine, RelayedPacketIsDecodedOneLevelDown) {
    TestApp t;
    t.Live("W1AW>APRS:>x", '2');
    t.Live("K1ABC>APRS,WIDE2-1:}W1AW>APRS,TCPIP*:>text", '2');
    const auto history = t.History();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[2].line, "W1AW>APRS,TCPIP*:>text");
    EXPECT_EQ(history[2].kind, SourceKind::kNone);
    EXPECT_EQ(history[2].index, t.Find("W1AW"));
    EXPECT_EQ(ToChar(t.Station("W1AW").sourceKind), '2');
    EXPECT_EQ(t.Station("W1AW").packets, 2);
    EXPECT_EQ(t.Station("K1ABC").relaysForOthers, 1);
    EXPECT_EQ(t.Station("K1ABC").relayedCount, 1);
    // The inner line is not offered to the server's clients a second time.
    EXPECT_EQ(t.seams.relayed.size(), 2u);
}

TEST(ReceivedLine, RelayedPacketsNestOnlyToTheLimit) {
    TestApp t;
    std::string line = "Z>APRS:>deep";
    for (int i = 0; i < 20; ++i) line = "R" + std::to_string(i) + ">APRS:}" + line;
    t.Live(line, '2');
    EXPECT_GT(t.app.Counters().dropped[DropReason::kTooDeep], 0u);
    EXPECT_EQ(t.Find("Z"), -1);
    EXPECT_GE(t.Find("R19"), 0);
}

TEST(ReceivedLine, FailuresAreShownAfterTheHistoryAppend) {
    TestApp t(AppOptions{2, 2});
    t.Live("A>APRS:>x");
    t.Live("B>APRS:>x");
    t.Live("C>APRS:>x");
    EXPECT_EQ(t.notices.status.back(), "Out of Memory in station list");
    t.Live("A>APRS:>x");  // a known station is still processed
    EXPECT_EQ(t.Station("A").packets, 2);
    t.Live("W1.AW>APRS:>x");
    EXPECT_EQ(t.notices.status.back(), "Invalid callsign");
    t.Live("no header at all");
    const DropCounters& dropped = t.app.Counters().dropped;
    EXPECT_EQ(dropped[DropReason::kTableFull], 1u);
    EXPECT_EQ(dropped[DropReason::kInvalidCallsign], 1u);
    EXPECT_EQ(dropped[DropReason::kNoInformation], 1u);
    EXPECT_EQ(DropReasonLabel(DropReason::kTableFull), "station table full");
    const auto history = t.History();
    EXPECT_EQ(history.size(), 5u);
    EXPECT_EQ(history[2].index, -1);
}

TEST(ReceivedLine, ShortUnknownInformationIsNotDecodedButHeard) {
    TestApp t;
    t.Live("W1AW>APRS:xxxxxxxxx");
    EXPECT_EQ(t.Station("W1AW").packets, 1);
    EXPECT_EQ(t.app.Statistics().Total(1, kStatOtherText), 0u);
    t.Live("W1AW>APRS:xxxxxxxxxx");
    EXPECT_EQ(t.app.Statistics().Total(1, kStatOtherText), 1u);
}

TEST(ReceivedLine, DispatchByDataType) {
    TestApp t;
    // The statistics category each type is counted in tells which decoder ran.
    struct Case {
        const char* info;
        int category;
    } cases[] = {
        {";OBJECT   *092345z4903.50N/07201.75W>", kStatObject},
        {">status", kStatStatus},
        {"<IGATE,MSG_CNT=10", kStatCapabilities},
        {"_10090556c220s004g005t077", kStatWeather},
        {"!!0000005B00E8", kStatRawWeather},
        {"#W1...", kStatRawWeather},
        {"*W1...", kStatRawWeather},
        {"$ULTW0031003702CE0069----000086A0000", kStatRawWeather},
        {"$GPGGA,1", kStatSentence},
        {"%350/8", kStatDirectionFinding},
        {"[FN20xr]", kStatGridLocator},
        {"T#005,199,000,255,073,123,01101001", kStatTelemetry},
        {"+block", kStatPlusReport},
        {"Telemetry?", kStatOtherText},                     // "T" without "#"
        {"xyzzy text here", kStatOtherText},                // a letter names no type
        {"OBJNAME  *092345z4903.50N/07201.75W>", kStatObject},  // object without ";"
        {"\x7F" "abcdefghijk", kStatOtherText},             // outside "!".."}"
    };
    for (const auto& c : cases) {
        const uint32_t before = t.app.Statistics().Total(1, c.category);
        t.Live(std::string("W1AW>APRS:") + c.info);
        EXPECT_EQ(t.app.Statistics().Total(1, c.category), before + 1) << c.info;
    }
    EXPECT_EQ(t.app.Statistics().Total(1, kStatEveryLine), std::size(cases));
    // Items, queries and list positions have no category of their own.
    t.Live("W1AW>APRS:)AID#2!4903.50N/07201.75W!");
    EXPECT_GE(t.Find("AID#2"), 0);
    t.Live("W1AW>APRS:?APRS?");
    EXPECT_TRUE(t.app.Schedule().positionNow[kGroupVhf]);
}

TEST(ReceivedLine, MessagesInBothForms) {
    TestApp t;
    t.Live("W1AW>APRS,WIDE:\x3aN0CALL   :hello{001");
    t.Live("W1AW>APRS:N0CALL   :old form");
    ASSERT_EQ(t.seams.messages.size(), 2u);
    EXPECT_EQ(t.seams.messages[0].text, "N0CALL   :hello{001");
    EXPECT_EQ(t.seams.messages[0].header, "W1AW>APRS,WIDE");
    EXPECT_EQ(t.seams.messages[1].text, "N0CALL   :old form");
    EXPECT_EQ(t.app.Counters().messages, 1u);
    EXPECT_EQ(t.app.Counters().otherFormMessages, 1u);
}

TEST(ReceivedLine, ClassesThatStopOrGoToSpotsAndMicE) {
    TestApp t;
    t.Live("W1AW>MAIL:>x");
    EXPECT_EQ(t.Station("W1AW").status.View(), "");  // not decoded
    t.Live("W1AW>XYZZY:DX de K1ABC:     14025.0  K2DX         599 CT                1203Z");
    EXPECT_GE(t.Find("K2DX"), 0);
    t.Live("W1AW>XYZZY:a spot de K1ABC");
    EXPECT_EQ(t.app.Messages().Count(), 1);
    t.Live("W1AW>S32U6T:`(_fn\"Oj/");
    t.Live("W1AW>FN20XR:hello");
    EXPECT_EQ(t.Station("W1AW").symbolCode, 'G');
    EXPECT_EQ(t.app.Statistics().Total(1, kStatDxSpot), 2u);
    EXPECT_EQ(t.Station("W1AW").packets, 5);
    EXPECT_EQ(t.Station("W1AW").specialIcon, 26);
}

TEST(ReceivedLine, VersionNumberAndSoftwareFromTheDestination) {
    TestApp t;
    t.Live("W1AW>APZ251:>x");
    EXPECT_EQ(t.Station("W1AW").version, 251);
    EXPECT_EQ(t.Station("W1AW").software, MakeFourCC("WIN "));
    EXPECT_EQ(t.Station("W1AW").specialIcon, 90);
    t.Live("K1ABC>APZVM:>x");
    EXPECT_EQ(t.Station("K1ABC").version, 0);
    t.Live("K2ABC>AP0ABC:>x");
    EXPECT_EQ(t.Station("K2ABC").software, MakeFourCC("StAt"));
    t.Live("K3ABC>GPS123:>x");  // not an "AP" destination: no version number
    EXPECT_EQ(t.Station("K3ABC").version, 0);
}

TEST(ReceivedLine, StatisticsAndActivityCounting) {
    TestApp t;
    t.clock.Set(2026, 12, 8, 13, 27, 0);  // a Tuesday
    t.Live("W1AW>APRS:>x", 'V');
    t.Live("W1AW>APRS:>x", 'T');
    t.Replay("W1AW>APRS:>x", '2');
    const PacketStatistics& st = t.app.Statistics();
    EXPECT_EQ(st.Slot(1, kStatEveryLine, 13), 2u);
    EXPECT_EQ(st.Slot(2, kStatEveryLine, 13), 1u);
    EXPECT_EQ(st.Bytes(1, 13), 24u);
    const ActivityTable& a = t.app.Activity();
    EXPECT_EQ(a.FiveMinute(ActivityTable::kVhf, 13 * 12 + 5), 1u);  // replay is not live
    EXPECT_EQ(a.HourOfWeek(ActivityTable::kVhf, 2 * 24 + 13), 1u);
    EXPECT_EQ(a.DayOfYear(ActivityTable::kInternet, 11 * 32 + 8), 1u);
    EXPECT_EQ(t.app.Counters().lastDecoded, t.clock.NowStamp());
}

TEST(ReceivedLine, ConnectionTextIsParsedWithNoKind) {
    TestApp t;
    t.Live("*** CONNECTED to W1AW", '2');
    EXPECT_TRUE(t.app.TncPorts().connected[1]);
    EXPECT_EQ(t.app.Stations().UsedCount(), 0);
    EXPECT_EQ(t.app.Statistics().Total(0, kStatEveryLine), 1u);
}

}  // namespace
}  // namespace velmora
