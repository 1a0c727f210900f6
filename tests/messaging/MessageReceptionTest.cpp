#include <gtest/gtest.h>

#include "messaging/MessageText.h"
#include "support/MessagingFixture.h"

namespace velmora {
namespace {

using test::MessagingFixture;

TEST(MessageText, NumbersBracesCaseAndLength) {
    ParsedMessage m = ParseMessageField("N0ME     :hello{12345678");
    EXPECT_EQ(m.addressee, "N0ME");
    EXPECT_EQ(m.text, "hello");
    EXPECT_EQ(m.number, "123456");

    m = ParseMessageField("N0ME     :{5");  // a brace in the first place is text
    EXPECT_EQ(m.text, "{5");
    EXPECT_EQ(m.number, "");

    for (const char* ack : {"ack7", "Ack7", "ACK7"}) {
        m = ParseMessageField(std::string("N0ME     :") + ack);
        EXPECT_TRUE(m.ack) << ack;
        EXPECT_EQ(m.number, "7");
    }
    EXPECT_TRUE(ParseMessageField("N0ME     :rej12").reject);
    EXPECT_TRUE(ParseMessageField("N0ME     :REJ12").reject);

    std::string text(200, 'x');
    text[3] = '\x07';
    text[4] = '\xC3';
    text[5] = '\xA9';
    m = ParseMessageField("N0ME     :" + text);
    EXPECT_EQ(m.text.size(), 126u);  // 127 bytes, less the control byte
    EXPECT_EQ(m.text.substr(0, 6), "xxx\xC3\xA9x");  // UTF-8 kept, BEL dropped

    m = ParseMessageField("N0ME     :a{b}c{d");  // the last brace counts
    EXPECT_EQ(m.text, "a{b}c");
    EXPECT_EQ(m.number, "d");
    EXPECT_EQ(ParseMessageField("AB*      :x").addressee, "AB");
    EXPECT_EQ(ParseMessageField("").text, "");
    EXPECT_EQ(ParseMessageField("N0ME     :").text, "");
}

TEST(MessageText, ReplyAcksSplitTheirTwoNumbers) {
    ParsedMessage m = ParseMessageField("N0ME     :Hi there{AB}07");
    EXPECT_EQ(m.text, "Hi there");
    EXPECT_EQ(m.number, "AB");
    EXPECT_EQ(m.replyAck, "07");
    m = ParseMessageField("N0ME     :Hi{AB}");
    EXPECT_EQ(m.number, "AB");
    EXPECT_EQ(m.replyAck, "");
    m = ParseMessageField("N0ME     :ackAB}07");
    EXPECT_TRUE(m.ack);
    EXPECT_EQ(m.number, "AB");
}

TEST(MessageText, LinesOnTheAir) {
    EXPECT_EQ(MessageLine("W1AW", "Hello", "7"), ":W1AW     :Hello{7\r");
    EXPECT_EQ(MessageLine("W1AW", "Hello", ""), ":W1AW     :Hello\r");
    EXPECT_EQ(AckLine("W1AW", "12"), ":W1AW     :ack12\r");
}

TEST(MessageReception, AcknowledgementsFindTheOwnEntryOnce) {
    MessagingFixture f;
    const StationIndex w1aw = f.Station("W1AW");
    const int32_t sent = f.messaging.SendMessage("W1AW", "hello", '2', -1, 0, std::string_view("7"));
    const int32_t email = f.messaging.SendMessage("EMAIL", "x@y.z hi", '2', -1, 0, std::string_view("8"));
    EXPECT_EQ(f.t.app.Stations().At(w1aw).pendingMessages, 1);
    f.Advance(42);
    f.Hear("W1AW", "N0ME     :ack7");
    EXPECT_EQ(f.store.At(sent).ackState, MessageEntry::kAcked);
    EXPECT_EQ(f.store.At(sent).roundTrip, 42);
    EXPECT_EQ(f.t.app.Stations().At(w1aw).pendingMessages, 0);
    f.Advance(10);
    f.Hear("W1AW", "N0ME     :ACK7");  // the same again changes nothing
    EXPECT_EQ(f.store.At(sent).roundTrip, 42);
    f.Hear("K1ABC", "N0ME     :ack8");  // anyone may answer for the mail gateway
    EXPECT_EQ(f.store.At(email).ackState, MessageEntry::kAcked);
    f.Hear("W1AW", "K2XYZ    :ack3");  // someone else's ack is not stored
    EXPECT_EQ(f.store.Count(), 2);
    f.Hear("W1AW", "N0ME     :rej9");
    EXPECT_EQ(f.store.Count(), 2);
}

TEST(MessageReception, AReplyAckAcknowledgesAndIsAcknowledged) {
    MessagingFixture f;
    f.Station("W1AW");
    const int32_t sent = f.messaging.SendMessage("W1AW", "hello", '2', -1, 0, std::string_view("012"));
    f.links.sent.clear();
    f.Hear("W1AW", "N0ME     :fine thanks{AB}012");
    EXPECT_EQ(f.store.At(sent).ackState, MessageEntry::kAcked);
    ASSERT_EQ(f.links.sent.size(), 1u);
    EXPECT_EQ(f.links.sent[0].line, ":W1AW     :ackAB\r");
    EXPECT_EQ(f.store.At(1).text.View(), "fine thanks");
}

TEST(MessageReception, DuplicatesAreAckedEachTimeAndOnceMoreAtTheMinute) {
    MessagingFixture f;
    for (int i = 0; i < 3; ++i) f.Hear("W1AW", "N0ME     :hello{5");
    ASSERT_EQ(f.store.Count(), 1);
    EXPECT_EQ(f.store.At(0).seenCount, 3);
    EXPECT_EQ(f.links.Lines(), std::vector<std::string>(3, ":W1AW     :ack5\r"));
    EXPECT_EQ(f.links.sent[0].port, '2');
    f.messaging.RetryPass(1, 0);
    EXPECT_EQ(f.links.sent.size(), 4u);
    f.messaging.RetryPass(2, 0);
    EXPECT_EQ(f.links.sent.size(), 4u);
    EXPECT_EQ(f.links.log.size(), 1u);  // a new message is logged once
    EXPECT_NE(f.links.log[0].find("\tW1AW\tN0ME     :hello{5"), std::string::npos);
}

TEST(MessageReception, MailNotifiesAndAutoAnswersOnce) {
    MessagingFixture f;
    f.messaging.Answer() = {true, "away from the radio"};
    f.Hear("W1AW", "N0ME     :are you there{1");
    EXPECT_EQ(f.t.notices.CountSounds(kSoundNewMessage), 1);
    EXPECT_EQ(f.links.listShown, 1);
    ASSERT_EQ(f.links.sent.size(), 2u);
    EXPECT_EQ(f.links.sent[1].line, ":W1AW     :AA:away from the radio\r");  // unnumbered
    f.Hear("W1AW", "N0ME     :aa:me too");
    f.Hear("W1AW", "N0ME     :AUTOREPLY gone");
    EXPECT_EQ(f.links.sent.size(), 2u);
    f.messaging.Answer().text = std::string(80, 'z');
    f.Hear("K1ABC", "N0ME     :hi");
    EXPECT_EQ(f.links.sent.back().line.size(), 1 + 9 + 1 + 63 + 1u);
    // Unnumbered replies never come back.
    const size_t before = f.links.sent.size();
    f.messaging.RetryPass(1, 0);
    EXPECT_EQ(f.links.sent.size(), before);
}

TEST(MessageReception, MailWithoutTheSoundBeepsAtMostEvery30Seconds) {
    MessagingFixture f;
    MessagingSettings s = f.messaging.Settings();
    s.notifyMail = false;
    f.messaging.Configure(s);
    f.Hear("W1AW", "N0ME     :one");
    f.Hear("W1AW", "N0ME     :two");
    EXPECT_EQ(f.t.notices.beeps, 1);
    f.Advance(31);
    f.Hear("W1AW", "N0ME     :three");
    EXPECT_EQ(f.t.notices.beeps, 2);
    EXPECT_EQ(f.t.notices.CountSounds(kSoundNewMessage), 0);
}

TEST(MessageReception, QueriesAreAnsweredOnTheirPort) {
    MessagingFixture f;
    f.Hear("W1AW", "N0ME     :?aprs?", 'T');  // lower case is the same query
    EXPECT_EQ(f.links.positionDue, std::vector<char>{'T'});
    EXPECT_EQ(f.links.status, std::vector<char>{'T'});
    EXPECT_EQ(f.links.objects, std::vector<char>{'T'});
    f.Hear("W1AW", "N0ME     :?APRSS", '1');
    EXPECT_EQ(f.links.status.back(), '1');
    f.Hear("W1AW", "N0ME     :?APRSL", '2');  // the IGate list only on the internet
    EXPECT_TRUE(f.links.igateLists.empty());
    f.Hear("W1AW", "N0ME     :?aprsl", 'T');
    EXPECT_EQ(f.links.igateLists, std::vector<std::string>{"W1AW"});
    f.links.sent.clear();
    f.Hear("W1AW", "N0ME     :?PING?");
    f.Hear("W1AW", "N0ME     :?VER?");
    EXPECT_EQ(f.links.Lines(), (std::vector<std::string>{":W1AW     :PATH= APRS,WIDE1-1\r",
                                                          ":W1AW     :Velmora V2.2.8 Compiled May 12 1999\r"}));
    EXPECT_EQ(f.t.notices.CountSounds(kSoundNewMessage), 0);  // queries are no mail
    // The same unnumbered query: a repeat within 30 seconds, asked again after.
    const size_t answered = f.links.status.size();
    f.Hear("W1AW", "N0ME     :?APRSS", '1');
    EXPECT_EQ(f.links.status.size(), answered);
    f.t.clock.Advance(60);
    f.t.app.RefreshClock();
    f.Hear("W1AW", "N0ME     :?APRSS", '1');
    EXPECT_EQ(f.links.status.size(), answered + 1);
}

TEST(MessageReception, ReplayedLinesAreOnlyStored) {
    MessagingFixture f;
    f.Hear("W1AW", "N0ME     :?PING?{3", '0', false);
    f.Hear("W1AW", "N0ME     :hello{4", '0', false);
    EXPECT_EQ(f.store.Count(), 2);
    EXPECT_TRUE(f.links.sent.empty());
    EXPECT_TRUE(f.links.log.empty());
    EXPECT_TRUE(f.t.notices.sounds.empty());
    f.messaging.RetryPass(1, 0);
    EXPECT_TRUE(f.links.sent.empty());
}

TEST(MessageReception, KindsAndHandOffs) {
    MessagingFixture f;
    f.Hear("W1AW", "BLN1     :net tonight");
    f.Hear("W1AW", "BLNA     :club meeting");
    f.Hear("W1AW", "NWS-WARN :tornado");
    f.Hear("W1AW", "K1ABC    :NA\\ radiogram");
    f.Hear("W1AW", "RCM-1    :relay");
    EXPECT_EQ(f.store.At(0).kind, MessageKind::kBulletin);
    EXPECT_EQ(f.store.At(1).kind, MessageKind::kAnnouncement);
    EXPECT_EQ(f.store.At(2).kind, MessageKind::kNwsBulletin);
    EXPECT_EQ(f.store.At(3).kind, MessageKind::kNtsTraffic);
    EXPECT_EQ(f.store.At(4).kind, MessageKind::kRcmTraffic);
    EXPECT_EQ(f.links.nws, std::vector<std::string>{"NWS-WARN"});
    EXPECT_EQ(f.links.nts.size(), 1u);
    EXPECT_EQ(f.t.notices.CountSounds(kSoundNewBulletin), 2);
    EXPECT_EQ(f.t.Station("W1AW").messagesSent, 5);
}

TEST(MessageReception, OwnMessagesHeardBackAndGatedCounts) {
    MessagingFixture f;
    f.links.igate = true;
    f.Hear("W1AW", "K1ABC    :via the net", 'T');
    EXPECT_EQ(f.store.At(0).gatedCount, 1);
    f.Hear("N0ME", "K1ABC    :digipeated back", '2');
    EXPECT_EQ(f.store.At(1).seenCount, 0);  // our own heard back is not counted
}

TEST(MessageReception, AFloodKeepsTheOwnQueue) {
    MessagingFixture f(16);
    f.Station("W1AW");
    for (int i = 0; i < 3; ++i) f.messaging.SendMessage("W1AW", "mine " + std::to_string(i), '2', -1);
    for (int i = 0; i < 200; ++i) {
        f.Hear("K" + std::to_string(i), "BLN" + std::to_string(i % 10) + "     :flood " + std::to_string(i));
        ASSERT_LE(f.store.Count(), f.store.Capacity());
    }
    int mine = 0;
    for (int32_t i = 0; i < f.store.Count(); ++i) {
        ASSERT_TRUE(f.store.At(i).InUse());
        mine += f.store.At(i).outgoing;
    }
    EXPECT_EQ(mine, 3);
    EXPECT_NE(std::find(f.t.notices.status.begin(), f.t.notices.status.end(),
                        "Message Buffer Overflow, Deleting first half of the Message Buffer"),
              f.t.notices.status.end());
    // Messages for us survive the flood too, while there is room.
    f.Hear("W1AW", "N0ME     :still here");
    EXPECT_EQ(f.store.At(f.store.Count() - 1).text.View(), "still here");
}

TEST(MessageStore, CompactKeepsOwnTrafficAndDropsTheOlderHalf) {
    MessageStore store(8);
    for (int i = 0; i < 8; ++i) {
        const int32_t e = store.Add();
        store.At(e).from = i % 2 ? "N0ME" : "K1ABC";
        store.At(e).to = "W1AW";
        store.At(e).text = std::to_string(i);
    }
    EXPECT_EQ(store.Compact("N0ME"), 4);  // four kept: exactly half, all stay
    EXPECT_EQ(store.At(0).text.View(), "1");
    EXPECT_FALSE(store.At(4).InUse());
    for (int i = 0; i < 4; ++i) store.At(store.Add()).to = "N0ME";
    EXPECT_EQ(store.Compact("N0ME"), 4);  // eight kept: the older four go
    EXPECT_EQ(store.At(0).to.View(), "N0ME");
    EXPECT_EQ(store.Find("K1ABC", "N0ME", "", ""), 4);
}

}  // namespace
}  // namespace velmora
