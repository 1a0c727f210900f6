#include <gtest/gtest.h>

#include "decode/MonitorLine.h"
#include "platform/fake/RecordingNotices.h"

namespace velmora {
namespace {

struct Cleaned {
    std::string line;
    char kind;
};

Cleaned Clean(std::string line, char kind, Liveness live = Liveness::kLive) {
    TncPortState ports;
    RecordingNotices notices;
    const char k = ToChar(CleanLine(line, live, SourceKindFromChar(kind), ports, notices));
    return {line, k};
}

TEST(CleanLine, StripsPromptsPrefixesAndTrailingControls) {
    using namespace std::string_literals;
    struct Case {
        std::string in;
        char kind;
        const char* out;
        char outKind;
    } cases[] = {
        {"cmd:cmd:N0CALL>APRS:>hi", '2', "N0CALL>APRS:>hi", '2'},
        {"p2 N0CALL>APRS:>hi", '1', "N0CALL>APRS:>hi", '2'},
        {"p2 N0CALL>APRS:>hi", 'T', "N0CALL>APRS:>hi", 'T'},
        {"p1 p2 N0CALL>APRS:>hi", '2', "N0CALL>APRS:>hi", '2'},
        {"::N0CALL>APRS:>hi", '2', "N0CALL>APRS:>hi", '2'},
        {":", '2', ":", '2'},  // a lone ":" stays
        {"|xN0CALL>APRS:>hi", '2', "N0CALL>APRS:>hi", '2'},
        {"}N0CALL>APRS:>hi", 'T', "N0CALL>APRS:>hi", 'T'},
        {"N0CALL>APRS:>hi \r\n\t", '2', "N0CALL>APRS:>hi", '2'},
        {"N0CALL>APRS:>hi\0after"s, '2', "N0CALL>APRS:>hi", '2'},
        {"|", '2', "", '2'},
    };
    for (const auto& c : cases) {
        const Cleaned got = Clean(c.in, c.kind);
        EXPECT_EQ(got.line, c.out) << c.in;
        EXPECT_EQ(got.kind, c.outKind) << c.in;
    }
}

TEST(CleanLine, CountsPromptsAndTracksConnectionText) {
    TncPortState ports;
    RecordingNotices notices;
    std::string a = "cmd:cmd:";
    CleanLine(a, Liveness::kLive, SourceKindFromChar('1'), ports, notices);
    std::string b = "cmd:x";
    CleanLine(b, Liveness::kReplay, SourceKindFromChar('1'), ports, notices);  // replay is not counted
    std::string c = "cmd:x";
    CleanLine(c, Liveness::kLive, SourceKindFromChar('T'), ports, notices);  // only TNC ports count
    EXPECT_EQ(ports.promptCount[0], 1);
    EXPECT_EQ(ports.promptCount[1], 0);

    std::string d = "*** CONNECTED to W1AW";
    EXPECT_EQ(CleanLine(d, Liveness::kLive, SourceKind::kVhf, ports, notices), SourceKind::kNone);
    EXPECT_TRUE(ports.connected[1]);
    std::string e = "*** DISCONNECTED";
    CleanLine(e, Liveness::kLive, SourceKindFromChar('2'), ports, notices);
    EXPECT_FALSE(ports.connected[1]);
    EXPECT_EQ(notices.CountSounds(kSoundTncConnected), 2);
}

MonitorLine Parse(std::string_view line) {
    MonitorLine m;
    ParseMonitorLine(line, m);
    return m;
}

TEST(ParseMonitorLine, SplitsSourceDestinationPathAndInfo) {
    const MonitorLine m = Parse("W1AW-9>APRS,WIDE1-1,WIDE2-2:!4903.50N/07201.75W-");
    EXPECT_TRUE(m.hasInfo);
    EXPECT_EQ(m.source.View(), "W1AW-9");
    EXPECT_EQ(m.ssid, 9);
    EXPECT_EQ(m.destination.View(), "APRS");
    ASSERT_EQ(m.pathCount, 2);
    EXPECT_EQ(m.path[1].View(), "WIDE2-2");
    EXPECT_EQ(m.hopCount, 2);
    EXPECT_EQ(m.wideCount, 2);
    EXPECT_EQ(m.direct, 1);
    EXPECT_EQ(m.local, 1);
    EXPECT_EQ(m.info.View(), "!4903.50N/07201.75W-");
}

TEST(ParseMonitorLine, DirectAndLocalFollowTheDigipeatedMark) {
    struct Case {
        const char* line;
        int direct, local;
    } cases[] = {
        {"N0CALL>APRS,RELAY*,WIDE:>x", 0, 1},
        {"N0CALL>APRS,A,B,C,D*:>x", 0, 0},   // digipeated at element 5
        {"N0CALL>APRS,A,B,C*,D:>x", 0, 1},   // element 4 is still local
        {"N0CALL*>APRS:>x", 1, 1},           // only the source carries "*"
        {"N0CALL>APRS,GATE,W1AW*:>x", 0, 0},  // digipeated after a GATE
        {"N0CALL>APRS,W1AW*,GATE:>x", 0, 1},
        {"N0CALL>APRS,TCPIP*:>x", 0, 0},
        {"N0CALL>APRS,TCPIP:>x", 1, 0},      // direct, but never local over the internet
    };
    for (const auto& c : cases) {
        const MonitorLine m = Parse(c.line);
        EXPECT_EQ(m.direct, c.direct) << c.line;
        EXPECT_EQ(m.local, c.local) << c.line;
    }
}

TEST(ParseMonitorLine, PortTagAndOddElements) {
    const MonitorLine tag = Parse("N0CALL>APRS,WIDE2-2/V:>x");
    ASSERT_EQ(tag.pathCount, 1);
    EXPECT_EQ(tag.path[0].View(), "WIDE2-2");
    EXPECT_EQ(tag.hopCount, 1);

    // Without a comma the destination is the last element.
    const MonitorLine tnc = Parse("N0CALL>W1AW APRS:>x");
    EXPECT_EQ(tnc.destination.View(), "APRS");
    ASSERT_EQ(tnc.pathCount, 1);
    EXPECT_EQ(tnc.path[0].View(), "W1AW");

    // Elements beginning with a non-alphanumeric are not kept.
    const MonitorLine odd = Parse("N0CALL>APRS,-X,WIDE:>x");
    ASSERT_EQ(odd.pathCount, 1);
    EXPECT_EQ(odd.path[0].View(), "WIDE");

    // Over-long elements are cut to nine characters.
    const MonitorLine longer = Parse("ABCDEFGHIJKL>APRS:>x");
    EXPECT_EQ(longer.source.View(), "ABCDEFGHI");

    const MonitorLine ids = Parse("N0CALL>ID,GATE1,GATE2:x");
    EXPECT_EQ(ids.idIndex, 1);
    EXPECT_EQ(ids.gateCount, 2);
    EXPECT_EQ(ids.firstGateIndex, 2);

    EXPECT_FALSE(ParseMonitorLine("N0CALL>APRS no colon", *std::make_unique<MonitorLine>()));
    EXPECT_EQ(Parse("N0CALL>APRS-0:>x").ssid, 0);
    EXPECT_EQ(Parse("N0CALL-16>APRS:>x").ssid, 0);
}

TEST(ParseMonitorLine, LongInternetPathsStillReachTheInformation) {
    const MonitorLine m = Parse("W1AW>APRS,A1,A2,A3,A4,A5,A6,A7,A8,qAR,IGATE:>status");
    EXPECT_TRUE(m.hasInfo);
    EXPECT_EQ(m.info.View(), ">status");
    EXPECT_EQ(m.pathCount, kMaxPathElements);
    EXPECT_EQ(m.hopCount, 8);
}

TEST(ParseMonitorLine, InformationIsCutAt255) {
    const std::string line = "W1AW>APRS:>" + std::string(400, 'x');
    const MonitorLine m = Parse(line);
    EXPECT_EQ(m.info.Size(), kMaxInfoLength);
}

}  // namespace
}  // namespace velmora
