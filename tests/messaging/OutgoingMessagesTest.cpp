#include <gtest/gtest.h>

#include "messaging/NewMessageForm.h"
#include "support/MessagingFixture.h"

namespace velmora {
namespace {

using test::MessagingFixture;

TEST(MessageCounter, ThreeDigitsAndRoundAfter999) {
    MessageCounter c;
    EXPECT_EQ(c.Peek(), "000");
    EXPECT_EQ(c.Peek(), "000");  // looking does not advance
    EXPECT_EQ(c.Take(), "000");
    for (int i = 1; i < 999; ++i) c.Take();
    EXPECT_EQ(c.Take(), "999");
    EXPECT_EQ(c.Take(), "000");
}

TEST(OutgoingMessages, ThreeInARowAreHeldAndReleasedByTheirAcks) {
    MessagingFixture f;
    const StationIndex w1aw = f.Station("W1AW");
    const int32_t a = f.messaging.SendMessage("w1aw", "one", '2', -1);
    const int32_t b = f.messaging.SendMessage("W1AW", "two", '2', -1);
    const int32_t c = f.messaging.SendMessage("W1AW", "three", '2', -1);
    EXPECT_EQ(f.links.Lines(), std::vector<std::string>{":W1AW     :one{000\r"});
    EXPECT_FALSE(f.store.At(a).held);
    EXPECT_TRUE(f.store.At(b).held);
    EXPECT_TRUE(f.store.At(c).held);
    EXPECT_EQ(f.t.app.Stations().At(w1aw).pendingMessages, 3);
    f.messaging.RetryPass(1, 0);  // held ones wait through the retries
    EXPECT_EQ(f.links.Lines().back(), ":W1AW     :one{000\r");
    f.Hear("W1AW", "N0ME     :ack000");
    EXPECT_EQ(f.links.Lines().back(), ":W1AW     :two{001\r");
    EXPECT_TRUE(f.store.At(c).held);
    f.Hear("W1AW", "N0ME     :ack001");
    EXPECT_EQ(f.links.Lines().back(), ":W1AW     :three{002\r");
    EXPECT_FALSE(f.store.At(c).held);
}

TEST(OutgoingMessages, EmailIsNeverHeld) {
    MessagingFixture f;
    f.Station("EMAIL");
    f.messaging.SendMessage("EMAIL", "a@b.c one", '2', -1);
    const int32_t second = f.messaging.SendMessage("EMAIL", "a@b.c two", '2', -1);
    EXPECT_FALSE(f.store.At(second).held);
    EXPECT_EQ(f.links.sent.size(), 2u);
}

TEST(OutgoingMessages, RetriesByTheMinuteThenWhenHeard) {
    MessagingFixture f;
    const StationIndex w1aw = f.Station("W1AW");
    const int32_t e = f.messaging.SendMessage("W1AW", "hello", '2', -1);
    for (int minute = 1; minute <= 6; ++minute) f.messaging.RetryPass(minute, 59);
    EXPECT_EQ(f.store.At(e).transmitCount, 5);  // at creation and four minute steps
    f.Advance(60);
    f.messaging.RetryOnHeard(w1aw);
    EXPECT_EQ(f.store.At(e).transmitCount, 5);  // 120 s have not passed
    f.Advance(61);
    f.messaging.RetryOnHeard(w1aw);
    EXPECT_EQ(f.store.At(e).transmitCount, 6);
    for (int i = 0; i < 40; ++i) {
        f.Advance(121);
        f.messaging.RetryOnHeard(w1aw);
    }
    EXPECT_EQ(f.store.At(e).transmitCount, 25);
    EXPECT_EQ(f.store.At(e).seenCount, 25);
}

TEST(OutgoingMessages, TheKissPathGoesWithTheEntry) {
    MessagingFixture f;
    f.messaging.SendMessage("W1AW", "via", '2', -1, 0, std::nullopt, true, "WIDE2-2");
    f.messaging.SendMessage("K1ABC", "net", 'T', -1, 0, std::nullopt, true, "WIDE2-2");
    f.messaging.SendMessage("K2ABC", "short", '2', -1, 0, std::nullopt, true, "W");
    EXPECT_EQ(f.links.sent[0].path, "WIDE2-2");
    EXPECT_EQ(f.links.sent[1].path, "");  // no radio, no path
    EXPECT_EQ(f.links.sent[2].path, "");  // too short to be a path
}

TEST(OutgoingMessages, BulletinsAndAnnouncementsKeepTheirSchedules) {
    MessagingFixture f;
    const int32_t b = f.messaging.SendMessage("BLN1", "net at 8", '-', -1);
    const int32_t a = f.messaging.SendMessage("BLNA", "swap meet", '-', -1);
    EXPECT_EQ(f.store.At(b).kind, MessageKind::kBulletin);
    EXPECT_EQ(f.store.At(a).kind, MessageKind::kAnnouncement);
    EXPECT_FALSE(f.store.At(a).held);
    for (int m = 1; m <= 10; ++m) f.messaging.RetryPass(m, 30);  // the minute retries end at 5
    EXPECT_EQ(f.store.At(b).transmitCount, 5);
    f.messaging.RetryPass(20, 30);
    EXPECT_EQ(f.store.At(b).transmitCount, 6);
    EXPECT_EQ(f.store.At(a).transmitCount, 5);
    f.messaging.RetryPass(30, 30);
    EXPECT_EQ(f.store.At(a).transmitCount, 6);
    EXPECT_EQ(f.store.At(b).transmitCount, 6);
    f.store.At(b).transmitCount = 20;
    f.messaging.RetryPass(40, 30);
    EXPECT_EQ(f.store.At(b).transmitCount, 20);  // four hours of bulletins are enough
}

TEST(OutgoingMessages, NwsAddresseesNeedNwsSending) {
    MessagingFixture f;
    EXPECT_EQ(f.messaging.SendMessage("NWS-WARN", "x", '-', -1), -1);
    f.links.nwsSending = true;
    const int32_t e = f.messaging.SendMessage("NWS-WARN", "x", '-', -1, f.t.app.Now().NowStamp() + 3600);
    ASSERT_GE(e, 0);
    EXPECT_EQ(f.store.At(e).kind, MessageKind::kNwsBulletin);
    f.store.At(e).transmitCount = 10;
    f.messaging.RetryPass(18, 59);
    EXPECT_EQ(f.store.At(e).transmitCount, 11);
}

TEST(OutgoingMessages, EmptyAddresseeOrTextBeeps) {
    MessagingFixture f;
    EXPECT_EQ(f.messaging.SendMessage("", "x", '-', -1), -1);
    EXPECT_EQ(f.messaging.SendMessage("W1AW", "", '-', -1), -1);
    EXPECT_EQ(f.t.notices.beeps, 2);
    EXPECT_EQ(f.store.Count(), 0);
}

TEST(OutgoingMessages, AFullStoreDropsTheOldestFinishedFirst) {
    MessagingFixture f(8);
    for (int i = 0; i < 6; ++i) f.Hear("K" + std::to_string(i), "W1AW     :chat " + std::to_string(i));
    const int32_t mine = f.messaging.SendMessage("W1AW", "keep me", '2', -1);
    f.Hear("K9", "W1AW     :chat 9");
    ASSERT_TRUE(f.store.Full());
    EXPECT_GE(f.messaging.SendMessage("K1ABC", "new", '2', -1), 0);
    EXPECT_EQ(f.store.Count(), 5);
    EXPECT_EQ(f.store.At(0).text.View(), "chat 4");
    (void)mine;
    EXPECT_EQ(f.store.At(2).text.View(), "keep me");
}

TEST(SplitLongMessage, PartsAtSpacesAndBulletinAddresseesAdvance) {
    MessagingFixture f;
    std::string text;
    while (text.size() < 130) text += "word" + std::to_string(text.size() % 10) + " ";
    text.resize(130);
    EXPECT_EQ(f.messaging.SplitLongMessage("BLN1", text, '-', -1), "BLN4");
    ASSERT_EQ(f.store.Count(), 3);
    std::string joined;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f.store.At(i).to.View(), "BLN" + std::to_string(i + 1));
        EXPECT_LE(f.store.At(i).text.Size(), 64u);
        joined += std::string(f.store.At(i).text.View()) + (i < 2 ? " " : "");
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(f.messaging.SplitLongMessage("BLN9", "short", '-', -1), "BLN1");
    EXPECT_EQ(f.messaging.SplitLongMessage("BLNZ", "short", '-', -1), "BLNA");
}

TEST(SplitLongMessage, NoSpacesAndMicERadios) {
    MessagingFixture f;
    f.messaging.SplitLongMessage("W1AW", std::string(130, 'x'), '-', -1);
    ASSERT_EQ(f.store.Count(), 3);
    EXPECT_EQ(f.store.At(0).text.Size(), 64u);  // closes after more than 62, with the closing character
    EXPECT_EQ(f.store.At(1).text.Size(), 64u);
    EXPECT_EQ(f.store.At(2).text.Size(), 2u);
    f.t.Live("K1MIC>T2SP0W:`c51!f?>/]\"4W}");  // a Mic-E report
    const StationIndex mic = f.t.Find("K1MIC");
    ASSERT_GE(mic, 0);
    f.store.Clear();
    f.messaging.SplitLongMessage("K1MIC", std::string(60, 'y'), '-', mic);
    EXPECT_EQ(f.store.At(0).text.Size(), 45u);
}

TEST(NewMessageForm, FieldsBoxesAndOk) {
    MessagingFixture f;
    NewMessageContext c;
    c.open[kBoxVhf] = true;
    c.open[kBoxInternet] = true;
    NewMessageForm form(f.messaging, c);
    form.Open("n0me");
    EXPECT_EQ(form.To(), "");
    EXPECT_EQ(form.Status(), "Don't send messages to yourself");
    EXPECT_EQ(form.Number(), "000");
    EXPECT_FALSE(form.Enabled(kBoxHf));
    f.t.Live("K1ABC>APRS:;EOC      *081405z4130.00N/07230.00Wo Ops");
    form.EditTo("eoc");
    EXPECT_EQ(form.To(), "EOC");
    EXPECT_EQ(form.Status(), "Can't send Messages to OBJECTS");
    f.t.Live("W1AW>APRS:>on the net", 'T');
    form.EditTo("W1AW");  // two links in use: where it was last heard
    EXPECT_TRUE(form.Ticked(kBoxInternet));
    EXPECT_FALSE(form.Ticked(kBoxVhf));
    EXPECT_EQ(form.Port(), 'T');
    EXPECT_FALSE(form.OkEnabled());
    form.EditText("hello\r\n:N0ME     :forged");  // a pasted line end: never sent
    EXPECT_FALSE(form.OkEnabled());
    EXPECT_FALSE(form.Accept());
    EXPECT_EQ(form.Status(), "A message is one line: take out the line end or control character");
    form.EditText("hello\r");
    EXPECT_EQ(form.Text(), "hello");
    EXPECT_TRUE(form.OkEnabled());
    form.EditTo("W");
    EXPECT_FALSE(form.OkEnabled());
    form.EditText(std::string(300, 'a'));
    EXPECT_EQ(form.Text().size(), 254u);
    EXPECT_EQ(f.t.notices.beeps, 2);  // the refused OK, the cut text
}

TEST(NewMessageForm, OkSendsRemembersBoxesAndStopsTheAutoAnswer) {
    MessagingFixture f;
    NewMessageContext c;
    c.open[kBoxHf] = c.open[kBoxVhf] = true;
    f.messaging.Answer().on = true;
    NewMessageForm form(f.messaging, c);
    form.Open("W1AW", "hello");
    form.SetBox(kBoxVhf, false);
    form.SetBox(kBoxHf, true);
    ASSERT_TRUE(form.Accept());
    EXPECT_FALSE(f.messaging.Answer().on);
    EXPECT_EQ(f.links.sent.back().port, '1');
    EXPECT_EQ(f.t.Station("W1AW").addresseeMode & 0x70, 0x10);
    NewMessageForm again(f.messaging, c);
    again.Open("W1AW");  // the boxes of the last message
    EXPECT_TRUE(again.Ticked(kBoxHf));
    EXPECT_FALSE(again.Ticked(kBoxVhf));
    again.EditTo("NWS-WARN");
    again.EditText("x");
    EXPECT_FALSE(again.Accept());
    EXPECT_EQ(f.t.notices.beeps, 1);
}

TEST(NewMessageForm, BulletinButtonsCountAndLongTextsSplit) {
    MessagingFixture f;
    NewMessageForm form(f.messaging, {});
    form.Bulletin();
    EXPECT_EQ(form.To(), "BLN1");
    EXPECT_EQ(form.Status(), "Bulletins get sent every 20 min for 4 hours");
    form.Bulletin();
    EXPECT_EQ(form.To(), "BLN2");
    form.Announcement();
    EXPECT_EQ(form.To(), "BLNA");
    EXPECT_EQ(form.Status(), "Announcements get sent once an hour for 4 days");
    form.Bulletin();
    form.EditText(std::string(100, 'b') + " " + std::string(20, 'c'));
    ASSERT_TRUE(form.Accept());
    EXPECT_EQ(f.store.At(0).to.View(), "BLN3");
    EXPECT_EQ(f.store.At(1).to.View(), "BLN4");
    form.Bulletin();
    EXPECT_EQ(form.To(), "BLN5");  // the counter follows the parts
}

}  // namespace
}  // namespace velmora
