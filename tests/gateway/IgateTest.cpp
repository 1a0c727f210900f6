#include <gtest/gtest.h>

#include "ports/UplinkDupes.h"

#include "gateway/Igate.h"
#include "support/MessagingFixture.h"

namespace velmora {
namespace {

TEST(IgateRules, RadioToInternetAddsTheQConstructAndNothingElse) {
    EXPECT_EQ(RfToInternet("W1AW>APRS,WIDE1-1*,WIDE2-1:!4140.00N/07240.00W-hi\r", "N0ME").line,
              "W1AW>APRS,WIDE1-1*,WIDE2-1,qAR,N0ME:!4140.00N/07240.00W-hi");
    // 8-bit bytes, case and spacing pass as they are.
    const std::string odd = "w1aw-9>APRS:>caf\xC3\xA9  \xFF end ";
    EXPECT_EQ(RfToInternet(odd, "N0ME").line, "w1aw-9>APRS,qAR,N0ME:>caf\xC3\xA9  \xFF end ");
    for (const char* path : {"NOGATE", "RFONLY", "TCPIP*", "TCPXX"})
        EXPECT_EQ(RfToInternet(std::string("W1AW>APRS,") + path + ":>x", "N0ME").refusal, RfGateRefusal::kNoGatePath)
            << path;
    EXPECT_EQ(RfToInternet("W1AW>APRS:?APRS?", "N0ME").refusal, RfGateRefusal::kQuery);
    EXPECT_EQ(RfToInternet("N0ME>APRS,W1AW*:>mine", "N0ME").refusal, RfGateRefusal::kOwnPacket);
    EXPECT_EQ(RfToInternet("no header", "N0ME").refusal, RfGateRefusal::kNotAPacket);
    EXPECT_EQ(RfToInternet("W1AW>APRS:", "N0ME").refusal, RfGateRefusal::kNotAPacket);
    // A frame without digipeaters, as a TNC prints it: no empty path element.
    EXPECT_EQ(RfToInternet("W2NOP>APRS,:!4140.00N/07240.00W-", "N0ME").line, "W2NOP>APRS,qAR,N0ME:!4140.00N/07240.00W-");
    EXPECT_EQ(RfToInternet("W2NOP>APRS,WIDE1-1,,WIDE2-1:>x", "N0ME").line, "W2NOP>APRS,WIDE1-1,WIDE2-1,qAR,N0ME:>x");
    // Control bytes from the air do not go up; a NUL refuses the packet.
    EXPECT_EQ(RfToInternet("W1AW>APRS:>esc\x1B[2J\x03" "end", "N0ME").line, "W1AW>APRS,qAR,N0ME:>esc[2Jend");
    EXPECT_EQ(RfToInternet(std::string("W1AW>APRS:>nul\0x", 17), "N0ME").refusal, RfGateRefusal::kNotAPacket);
}

TEST(UplinkDupes, TheSamePacketGoesUpOnceIn30Seconds) {
    UplinkDupes d;
    EXPECT_EQ(d.Check("N0ME>APZ228,TCPIP*:>status", 1000), UplinkVerdict::kSend);
    EXPECT_EQ(d.Check("N0ME>APZ228,WIDE1-1,qAR,N0ME:>status", 1010), UplinkVerdict::kDuplicate);  // path differs
    EXPECT_EQ(d.Check("N0ME>APZ228,TCPIP*:>status 2", 1010), UplinkVerdict::kSend);
    EXPECT_EQ(d.Check("N0ME>APRS,TCPIP*:>status", 1010), UplinkVerdict::kSend);  // another destination
    EXPECT_EQ(d.Check("N0ME>APZ228,TCPIP*:>status", 1030), UplinkVerdict::kSend);
    EXPECT_EQ(d.Check("N0ME>APZ228:>a\r\n#filter r/0/0/1", 1100), UplinkVerdict::kNotOneLine);
}

TEST(IgateRules, ThirdPartyPacketsGateOnlyTheirRadioInnerPacket) {
    EXPECT_EQ(RfToInternet("K1GW>APRS,WIDE2-1:}W1AW>APRS,RFGATE,K1GW*:>inner", "N0ME").line,
              "W1AW>APRS,RFGATE,K1GW*,qAR,N0ME:>inner");
    EXPECT_EQ(RfToInternet("K1GW>APRS:}W1AW>APRS,TCPIP,K1GW*:>from the net", "N0ME").refusal,
              RfGateRefusal::kFromInternet);
    EXPECT_EQ(RfToInternet("K1GW>APRS:}garbage", "N0ME").refusal, RfGateRefusal::kNotAPacket);
    EXPECT_EQ(RelayLine("W1AW", "APRS", "N0ME", ":K1ABC    :hi{1"), "}W1AW>APRS,TCPIP,N0ME*::K1ABC    :hi{1\r");
}

class FakeIgateLinks : public IgateLinks {
public:
    bool InternetOpen() const override { return internet; }
    bool VhfOpen() const override { return vhf; }
    bool ReceiveOnly() const override { return receiveOnly; }
    void SendToInternet(std::string_view line) override { up.emplace_back(line); }
    void Transmit(char port, std::string_view text) override { down.push_back(std::string(1, port) + std::string(text)); }
    bool internet = true, vhf = true, receiveOnly = false;
    std::vector<std::string> up, down;
};

struct IgateFixture : test::MessagingFixture {
    IgateFixture() : gate(t.app.StationUpdates(), igateLinks) {
        IgateSettings s;
        s.ownCall = "N0ME";
        s.toRf = s.toInternet = true;
        gate.Configure(s);
        t.Live("K1LOC>APRS:!4130.00N/07230.00W-local", '2');  // heard direct on VHF
        t.Live("W1NET>APRS,TCPIP*:!4000.00N/07400.00W-far away", 'T');
        t.app.RefreshClock();
    }
    void Later(int seconds) { Advance(seconds); }
    FakeIgateLinks igateLinks;
    Igate gate;
};

TEST(Igate, MessagesToLocalStationsGoDownWithThePositionFirst) {
    IgateFixture f;
    ASSERT_TRUE(f.t.Station("K1LOC").heardLocal);
    EXPECT_TRUE(f.gate.GateMessageToRf("W1NET", "APRS,TCPIP*,qAC,T2", "K1LOC    :hello{12"));
    ASSERT_EQ(f.igateLinks.down.size(), 3u);
    EXPECT_EQ(f.igateLinks.down[0], "V}W1NET>APRS,TCPIP,N0ME*:!4000.00N/07400.00W-far away\r");
    EXPECT_EQ(f.igateLinks.down[1], "V}W1NET>APRS,TCPIP,N0ME*::K1LOC    :hello{12\r");
    EXPECT_EQ(f.igateLinks.down[2], "T<IGATE MSG_CNT=1\r");
    f.Later(60);
    EXPECT_TRUE(f.gate.GateMessageToRf("W1NET", "APRS,TCPIP*", "K1LOC    :again{13"));
    EXPECT_EQ(f.igateLinks.down.size(), 4u);  // no position within ten minutes, no report within 30
    EXPECT_EQ(f.t.Station("K1LOC").messagesGatedTo, 2);
    EXPECT_EQ(f.t.Station("W1NET").messagesGatedFrom, 2);
    EXPECT_EQ(f.gate.MessageCount(), 2);
}

TEST(Igate, RefusesWhatMustNotGoDown) {
    IgateFixture f;
    f.t.Live("K2FAR>APRS,TCPIP*:!4130.00N/07230.00W-gated to our radio", '2');  // on VHF, not local
    EXPECT_FALSE(f.gate.GateMessageToRf("W1NET", "APRS,TCPXX*", "K1LOC    :no"));
    EXPECT_FALSE(f.gate.GateMessageToRf("W1NET", "APRS", "K2FAR    :not local"));
    EXPECT_FALSE(f.gate.GateMessageToRf("K1LOC", "APRS", "K1LOC    :sender on radio"));
    EXPECT_FALSE(f.gate.GateMessageToRf("NOBODY", "APRS", "K1LOC    :unknown sender"));
    EXPECT_FALSE(f.gate.GateMessageToRf("W1NET", "APRS", "N0ME     :to us"));
    f.igateLinks.receiveOnly = true;
    EXPECT_FALSE(f.gate.GateMessageToRf("W1NET", "APRS", "K1LOC    :receive only"));
    EXPECT_EQ(f.gate.Refused(RelayRefusal::kReceiveOnly), 2);  // the position and the message
    for (const std::string& d : f.igateLinks.down) EXPECT_EQ(d[0], 'T') << d;  // only reports
}

TEST(Igate, RepeatsLineBreaksAndTheRate) {
    IgateFixture f;
    const auto relayOf = [](const std::string& text) { return RelayLine("W1NET", "APRS", "N0ME", ">" + text); };
    const std::string relay = relayOf("status");
    EXPECT_EQ(f.gate.RelayToRf(relay), RelayRefusal::kNone);
    EXPECT_EQ(f.gate.RelayToRf(relay), RelayRefusal::kRepeat);
    f.Later(30);
    EXPECT_EQ(f.gate.RelayToRf(relay), RelayRefusal::kNone);
    EXPECT_EQ(f.gate.RelayToRf("}W1NET>APRS,TCPIP,N0ME*:>two\rlines\r"), RelayRefusal::kLineBreak);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.gate.RelayToRf(relayOf(std::to_string(i))), RelayRefusal::kNone);
    EXPECT_EQ(f.gate.RelayToRf(relayOf("x")), RelayRefusal::kRate);  // six in a minute
    f.Later(61);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.gate.RelayToRf(relayOf("y" + std::to_string(i))), RelayRefusal::kNone);
    EXPECT_EQ(f.gate.RelayToRf(relayOf("z")), RelayRefusal::kRate);  // ten in five minutes
    f.Later(300);
    EXPECT_EQ(f.gate.RelayToRf(relayOf("z")), RelayRefusal::kNone);
    EXPECT_EQ(f.gate.Gated(), 11);
}

TEST(Igate, ReportsAndTheListAnswer) {
    IgateFixture f;
    f.Later(2000);
    f.gate.SendReport('T', true);
    f.gate.SendReport('T', true);  // "?IGATE?" twice within a minute: one report
    EXPECT_EQ(f.igateLinks.down.size(), 1u);
    f.Later(61);
    f.gate.SendReport('V', true);
    EXPECT_EQ(f.igateLinks.down.back(), "V<IGATE MSG_CNT=0\r");
    for (int i = 0; i < 8; ++i) f.t.Live("L" + std::to_string(i) + "LOC>APRS:!4130.00N/07230.00W-", '2');
    f.gate.AnswerList("W1NET", f.messaging);
    ASSERT_EQ(f.store.Count(), 2);  // nine local stations: eight, then one
    EXPECT_EQ(f.store.At(0).text.View(), "K1LOC L0LOC L1LOC L2LOC L3LOC L4LOC L5LOC L6LOC ");
    EXPECT_EQ(f.store.At(0).port, 'T');
    EXPECT_EQ(f.store.At(1).text.View(), "L7LOC ");
    f.igateLinks.vhf = false;
    f.gate.AnswerList("W1NET", f.messaging);
    EXPECT_EQ(f.store.At(2).text.View(), "This station is not an IGate");
}

TEST(Igate, TheFeedGoesUpOnlyWhenOnAndConnected) {
    IgateFixture f;
    f.gate.HeardOnRadio("K1LOC>APRS,WIDE1-1:>up");
    f.gate.HeardOnRadio("K1LOC>APRS,NOGATE:>stays");
    f.igateLinks.internet = false;
    f.gate.HeardOnRadio("K1LOC>APRS:>no link");
    EXPECT_EQ(f.igateLinks.up, std::vector<std::string>{"K1LOC>APRS,WIDE1-1,qAR,N0ME:>up"});
}

}  // namespace
}  // namespace velmora
