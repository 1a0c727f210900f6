#include "ports/InternetHosts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(InternetHosts, HostListsWithProxiesCommentsAndShortLines) {
    HostLists lists;
    ReadHostList({"# the public list", "abc", "rotate.aprs2.net\t14580\tAny server\r", "first.example\t\tNo port"},
                 1, lists);
    ReadHostList({"PROXY\tproxy.example\t8080", "WINPROXY", "local.example\t2023\tAt home"}, 0, lists);
    ASSERT_EQ(lists.entries.size(), 3u);
    EXPECT_EQ(lists.entries[0].host, "rotate.aprs2.net");
    EXPECT_EQ(lists.entries[0].port, 14580);
    EXPECT_EQ(lists.entries[0].description, "Any server");
    EXPECT_EQ(lists.entries[0].kind, 1);
    EXPECT_EQ(lists.entries[1].port, 23);  // no port: telnet's
    EXPECT_EQ(lists.entries[2].kind, 0);
    EXPECT_TRUE(lists.proxy.inUse);
    EXPECT_EQ(lists.proxy.host, "proxy.example");
    EXPECT_EQ(lists.proxy.port, "8080");
    EXPECT_TRUE(lists.proxy.winProxy);
    EXPECT_FALSE(lists.proxy.manual);
    EXPECT_EQ(BuiltInServer().port, 14580);
}

TEST(InternetHosts, PasscodeAndLoginLine) {
    EXPECT_EQ(Passcode("N0CALL"), 13023);  // the value every APRS-IS server computes
    EXPECT_EQ(Passcode("W1AW-9"), Passcode("W1AW"));
    // Servers hash the call in capitals, so a call typed in lower case
    // still logs in verified.
    EXPECT_EQ(Passcode("w1aw"), Passcode("W1AW"));
    EXPECT_EQ(LoginLine("N0CALL-10", "r/41.50/-72.50/200"),
              "user N0CALL-10 pass 13023 vers Velmora 2.2.8 filter r/41.50/-72.50/200\r\n");
    EXPECT_EQ(LoginLine("N0CALL", ""), "user N0CALL pass 13023 vers Velmora 2.2.8\r\n");
    // A filter can never add a line of its own.
    EXPECT_EQ(LoginLine("N0CALL", "m/50\r\nuser EVIL"), "user N0CALL pass 13023 vers Velmora 2.2.8 filter m/50user EVIL\r\n");
    EXPECT_EQ(RangeFilter(41.5, -72.5, 200), "r/41.50/-72.50/200");
}

TEST(InternetHosts, ServerStreamLinesAndLoginResponses) {
    ServerLines cut;
    std::vector<std::string> lines;
    const auto take = [&](std::string_view l) { lines.emplace_back(l); };
    cut.Feed("W1AW>APRS:!4140.00N/07240.00W-\r\n# aprsc 2.1", take);
    cut.Feed(std::string("\x00\x07 more\xC1\n\n", 10), take);
    // The injection as found: "\xC4\x8D" is the UTF-8 letter c-caron, and its
    // second byte masked to 7 bits would have been a CR ending the line.
    cut.Feed("TE6T-2>APRS,TCPIP*:!4935.00N/07225.00W-Pe\xC4\x8DTE6X-9>APRS,WIDE1-1::TE5R-2   :spoofed{99\r\n", take);
    cut.Feed(std::string(300, 'x') + "FAKE2>APRS:!4100.00N/07300.00W-tail\r\n", take);   // 335 bytes: kept
    cut.Feed(std::string(600, 'x') + "FAKE3>APRS:!4100.00N/07300.00W-tail\r\n", take);   // too long: dropped whole
    cut.Feed("N0CALL>APRS:`\x7F\x1C\x1Dl\x1C\x1C>/\r\n", take);  // Mic-E data bytes stay
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "W1AW>APRS:!4140.00N/07240.00W-");
    EXPECT_EQ(lines[1], "# aprsc 2.1 more\xC1");  // NUL and BEL dropped, 8 bits kept
    EXPECT_EQ(lines[2], "TE6T-2>APRS,TCPIP*:!4935.00N/07225.00W-Pe\xC4\x8DTE6X-9>APRS,WIDE1-1::TE5R-2   :spoofed{99");
    EXPECT_EQ(lines[3].size(), 335u);
    EXPECT_EQ(lines[4], "N0CALL>APRS:`\x7F\x1C\x1Dl\x1C\x1C>/");
    EXPECT_EQ(cut.Dropped(), 1u);
    LoginResponse r;
    ASSERT_TRUE(ParseLoginResponse("# logresp N0CALL verified, server T2TEST", r));
    EXPECT_TRUE(r.verified);
    EXPECT_EQ(r.call, "N0CALL");
    EXPECT_EQ(r.server, "T2TEST");
    ASSERT_TRUE(ParseLoginResponse("# logresp N0CALL unverified, server T2TEST", r));
    EXPECT_FALSE(r.verified);
    EXPECT_FALSE(ParseLoginResponse("# logresp", r));
    EXPECT_FALSE(ParseLoginResponse("# logresp N0CALL maybe", r));
}

}  // namespace
}  // namespace velmora
