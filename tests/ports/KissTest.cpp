#include <gtest/gtest.h>

#include "ports/Ax25.h"
#include "ports/Kiss.h"
#include "ports/KissLink.h"
#include "ports/TncControl.h"

namespace velmora {
namespace {

Ax25Address A(const char* text, bool repeated = false) {
    Ax25Address a;
    EXPECT_TRUE(ParseAx25Address(text, a)) << text;
    a.repeated = repeated;
    return a;
}

std::string UiFrame(const char* src, const char* dst, std::vector<Ax25Address> digis, std::string info) {
    Ax25Frame f;
    f.source = A(src);
    f.destination = A(dst);
    f.digiCount = static_cast<uint8_t>(digis.size());
    for (size_t i = 0; i < digis.size(); ++i) f.digis[i] = digis[i];
    f.info = std::move(info);
    return EncodeAx25(f);
}

std::vector<std::string> Frames(KissDecoder& d, std::string_view bytes) {
    std::vector<std::string> out;
    d.Feed(bytes, [&](std::string_view f) { out.emplace_back(f); });
    return out;
}

TEST(Kiss, EscapesRoundTripAndAnEscapedFendIsData) {
    const std::string frame = std::string("ab\xC0" "c\xDB" "d", 6);
    const std::string wire = KissEncode(frame);
    EXPECT_EQ(wire, std::string("\xC0\x00" "ab\xDB\xDC" "c\xDB\xDD" "d\xC0", 11));
    KissDecoder d;
    EXPECT_EQ(Frames(d, wire), std::vector<std::string>{frame});
}

TEST(Kiss, AFrameSplitAtAnyByteDecodesTheSame) {
    const std::string wire = KissEncode(UiFrame("N0CALL", "APRS", {A("WIDE1-1")}, "!4140.00N/07240.00W-\xC0\xDB"));
    for (size_t cut = 0; cut <= wire.size(); ++cut) {
        KissDecoder d;
        auto a = Frames(d, wire.substr(0, cut));
        auto b = Frames(d, wire.substr(cut));
        a.insert(a.end(), b.begin(), b.end());
        ASSERT_EQ(a.size(), 1u) << cut;
    }
}

TEST(Kiss, BadFramesAreDroppedAndTheNextGoodOneStillDecodes) {
    KissDecoder d;
    const std::string good = KissEncode("hello");
    std::string wire;
    wire += std::string("\xC0\x00" "x\xDB" "Ay\xC0", 7);                 // bad escape
    wire += std::string("\xC0\x01" "data\xC0", 7);                       // command byte 1
    wire += "\xC0" + std::string(1, '\0') + std::string(1500, 'z') + "\xC0";  // over 1500 bytes
    wire += std::string("\xC0\xC0", 2);                                  // empty frames
    wire += good;
    EXPECT_EQ(Frames(d, wire), std::vector<std::string>{"hello"});
    // 1499 bytes of frame with the command byte make 1500: accepted.
    EXPECT_EQ(Frames(d, "\xC0" + std::string(1, '\0') + std::string(1499, 'z') + "\xC0").size(), 1u);
    EXPECT_TRUE(KissEncode(std::string(3000, '\xC0')).empty());  // would not fit the output buffer
}

TEST(Ax25, MonitorTextMarksTheLastRepeatedDigiAndKeepsTheCommaWithoutDigis) {
    Ax25Frame f;
    ASSERT_EQ(DecodeAx25(UiFrame("N0CALL", "APRS", {A("WIDE", true), A("RELAY")}, ">hi"), f), Ax25Status::kOk);
    EXPECT_EQ(MonitorText(f), "N0CALL>APRS,WIDE*,RELAY:>hi");
    ASSERT_EQ(DecodeAx25(UiFrame("K1ABC-7", "APZ228", {}, "!pos"), f), Ax25Status::kOk);
    EXPECT_EQ(MonitorText(f), "K1ABC-7>APZ228,:!pos");
}

TEST(Ax25, FramesWithLineEndsOrNulAreNotPassedOnAndControlBytesGo) {
    Ax25Frame f;
    const struct {
        std::string info, monitor;
    } cases[] = {
        {">one\rEVIL>APRS:injected\nmore", ""},                   // a second line: the frame is dropped
        {">radio ends with CR LF\r\n", "N0CALL>APRS,:>radio ends with CR LF"},
        {std::string(">nul\0after", 10), ""},                      // NUL would cut the line downstream
        {">esc\x1B[2Jclear\x03\x7F end", "N0CALL>APRS,:>esc[2Jclear end"},  // ESC, Ctrl-C, DEL go
        {">Caf\xC3\xA9 \xC2\xB0", "N0CALL>APRS,:>Caf\xC3\xA9 \xC2\xB0"},  // UTF-8 stays as it came
        // Mic-E carries the longitude and speed as byte + 28: 0x1C-0x1F and DEL are data there.
        {"`\x7F\x1C\x1Dl\x1C\x1C>/]", "N0CALL>APRS,:`\x7F\x1C\x1Dl\x1C\x1C>/]"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(DecodeAx25(UiFrame("N0CALL", "APRS", {}, c.info), f), Ax25Status::kOk);
        EXPECT_EQ(MonitorText(f), c.monitor) << c.info;
    }
}

TEST(Ax25, TruncatedAddressesAndTooManyDigisAreErrors) {
    Ax25Frame f;
    const std::string frame = UiFrame("N0CALL", "APRS", {A("WIDE")}, "x");
    EXPECT_EQ(DecodeAx25(frame.substr(0, 17), f), Ax25Status::kTruncatedAddress);
    std::vector<Ax25Address> nine(9, A("WIDE"));
    Ax25Frame big;
    big.source = A("N0CALL");
    big.destination = A("APRS");
    std::string bytes = UiFrame("N0CALL", "APRS", std::vector<Ax25Address>(8, A("WIDE")), "x");
    // A ninth digipeater: clear the last flag of the eighth and add one more.
    bytes[14 + 7 * 7 + 6] &= ~0x01;
    std::string ninth = UiFrame("N0CALL", "APRS", {A("WIDE")}, "").substr(14, 7);
    bytes.insert(14 + 8 * 7, ninth);
    EXPECT_EQ(DecodeAx25(bytes, f), Ax25Status::kTooManyDigis);
}

TEST(Digipeater, RepeatsViaAnAliasOnceAndNeverItsOwnFrames) {
    KissLink link;
    link.SetDigipeater("N0ME-1", true, "relay, wide");
    EXPECT_EQ(link.aliases, (std::vector<std::string>{"RELAY", "WIDE"}));
    auto got = KissReceive(link, KissEncode(UiFrame("K1ABC", "APRS", {A("RELAY")}, ">test")), 0);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].monitor, "K1ABC>APRS,RELAY:>test");  // the frame as received
    KissDecoder d;
    const auto repeated = Frames(d, got[0].repeat);
    ASSERT_EQ(repeated.size(), 1u);
    Ax25Frame f;
    ASSERT_EQ(DecodeAx25(repeated[0], f), Ax25Status::kOk);
    EXPECT_EQ(MonitorText(f), "K1ABC>APRS,N0ME-1*:>test");
    EXPECT_EQ(link.digipeated, 1);

    got = KissReceive(link, KissEncode(UiFrame("K1ABC", "APRS", {A("RELAY", true)}, ">test2")), 0);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(got[0].repeat.empty());  // already repeated
    got = KissReceive(link, KissEncode(UiFrame("N0ME-1", "APRS", {A("RELAY")}, ">mine")), 0);
    EXPECT_TRUE(got[0].repeat.empty());  // our own frame
    link.digipeat = false;
    got = KissReceive(link, KissEncode(UiFrame("K1ABC", "APRS", {A("RELAY")}, ">off")), 0);
    EXPECT_TRUE(got[0].repeat.empty());
}

// The path a frame leaves with, as monitor text, or "" when not repeated.
std::string Repeated(const KissLink& link, const char* src, std::vector<Ax25Address> digis) {
    Ax25Frame f;
    EXPECT_EQ(DecodeAx25(UiFrame(src, "APRS", std::move(digis), ">x"), f), Ax25Status::kOk);
    if (!DigipeatPath(link, f)) return "";
    Ax25Frame sent;  // as the next station hears it
    EXPECT_EQ(DecodeAx25(EncodeAx25(f), sent), Ax25Status::kOk);
    return MonitorText(sent);
}

TEST(Digipeater, FillInAndWideNNTheWayTodaysDigipeatersDo) {
    KissLink link;
    link.SetDigipeater("N0ME-1", true, "WIDE1-1");
    // The fill-in: WIDE1-1 is used up, our call in front of it.
    EXPECT_EQ(Repeated(link, "K1ABC", {A("WIDE1-1"), A("WIDE2-1")}), "K1ABC>APRS,N0ME-1,WIDE1*,WIDE2-1:>x");
    // Only WIDE1-1 is ours by default: a wide-area hop is not.
    EXPECT_EQ(Repeated(link, "K1ABC", {A("WIDE2-2")}), "");
    EXPECT_EQ(Repeated(link, "K1ABC", {A("N0ME-1")}), "K1ABC>APRS,N0ME-1*:>x");  // our own call
    // With the WIDE family: the hop count goes down, our call goes in front.
    link.SetDigipeater("N0ME-1", true, "WIDE1-1,WIDE");
    EXPECT_EQ(Repeated(link, "K1ABC", {A("WIDE2-2")}), "K1ABC>APRS,N0ME-1*,WIDE2-1:>x");
    EXPECT_EQ(Repeated(link, "K1ABC", {A("K9DIG", true), A("WIDE2-1")}), "K1ABC>APRS,K9DIG,N0ME-1,WIDE2*:>x");
    // A hop count of 0 is used up: nothing more to do.
    EXPECT_EQ(Repeated(link, "K1ABC", {A("WIDE2", true)}), "");
    EXPECT_EQ(Repeated(link, "K1ABC", {A("WIDE2")}), "");
    // No room for our call in a full path: the used-up hop becomes our call.
    std::vector<Ax25Address> full(7, A("K9DIG", true));
    full.push_back(A("WIDE2-1"));
    EXPECT_EQ(Repeated(link, "K1ABC", full),
              "K1ABC>APRS,K9DIG,K9DIG,K9DIG,K9DIG,K9DIG,K9DIG,K9DIG,N0ME-1*:>x");
}

TEST(Digipeater, TheSamePacketIsNotRepeatedTwiceWithinThirtySeconds) {
    KissLink link;
    link.SetDigipeater("N0ME-1", true, "WIDE1-1");
    const std::string heard = KissEncode(UiFrame("K1ABC", "APRS", {A("WIDE1-1"), A("WIDE2-1")}, ">same"));
    EXPECT_FALSE(KissReceive(link, heard, 1000)[0].repeat.empty());
    // Heard again through another digipeater: the same packet.
    const std::string again = KissEncode(UiFrame("K1ABC", "APRS", {A("K9DIG", true), A("WIDE1-1")}, ">same"));
    EXPECT_TRUE(KissReceive(link, again, 1029)[0].repeat.empty());
    EXPECT_EQ(link.duplicatesDropped, 1);
    EXPECT_FALSE(KissReceive(link, heard, 1030)[0].repeat.empty());  // thirty seconds on
    EXPECT_EQ(link.digipeated, 2);
}

TEST(KissLink, TemplateFromTheDigiPathAndOwnFrames) {
    KissLink link;
    ASSERT_TRUE(link.SetTemplate("N0ME-9", "APZ228", "WIDE1-1,WIDE2-2*x"));
    ASSERT_EQ(link.path.size(), 2u);  // "x" is too short
    const std::string wire = KissFrameFor(link, "!4140.00N/07240.00W-");
    KissDecoder d;
    Ax25Frame f;
    ASSERT_EQ(DecodeAx25(Frames(d, wire).at(0), f), Ax25Status::kOk);
    EXPECT_EQ(MonitorText(f), "N0ME-9>APZ228,WIDE1-1,WIDE2-2:!4140.00N/07240.00W-");
    EXPECT_TRUE(KissFrameFor(link, std::string(1500, 'x')).empty());
}

TEST(TncText, CaretsBecomeControlCharacters) {
    EXPECT_EQ(ExpandCarets("^C^CMON ON"), "\x03\x03MON ON");
    EXPECT_EQ(ExpandCarets("trailing^"), "trailing^");
}

}  // namespace
}  // namespace velmora
