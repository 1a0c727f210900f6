// Messaging inside the whole program: from the decoder to the TNC and back,
// the minute's retries, a station heard again, and the menu switches.
#include <gtest/gtest.h>

#include "app/MessagingModule.h"
#include "platform/fake/FakeSerial.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

using MessageProgram = test::VhfTncProgram;

TEST(MessagingModule, AcksRetriesAndRetryWhenHeardThroughTheTnc) {
    MessageProgram t;
    Program& p = t.Open();
    t.Hear("W1AW>APRS,WIDE2-1::N0ME     :Hello there{42");
    EXPECT_EQ(t.Sent(), ":W1AW     :ack42\r");
    ASSERT_TRUE(p.Messages().SendAsDialog("W1AW", "Hi back"));
    t.RunSingleShots();
    EXPECT_EQ(t.Sent(), ":W1AW     :Hi back{000\r");
    // The minute's retry, and the re-ack of a message heard twice.
    t.Hear("W1AW>APRS,WIDE2-1::N0ME     :Hello there{42");
    EXPECT_EQ(t.Sent(), ":W1AW     :ack42\r");
    p.Messages().MinuteChanged(MakeDateTime(2026, 12, 8, 12, 1, 0));
    t.RunSingleShots();
    EXPECT_EQ(t.Sent(), ":W1AW     :ack42\r:W1AW     :Hi back{000\r");  // in store order
    // Past the minute retries, hearing the station sends it again.
    for (int m = 2; m < 8; ++m) p.Messages().MinuteChanged(MakeDateTime(2026, 12, 8, 12, m, 0));
    t.RunSingleShots();
    const std::string again = ":W1AW     :Hi back{000\r";
    EXPECT_EQ(t.Sent(), again + again + again);  // up to five in all, then no more by the minute
    t.clock.Advance(125);
    t.Hear("W1AW>APRS:!4140.00N/07240.00W-back again");
    EXPECT_EQ(t.Sent(), ":W1AW     :Hi back{000\r");
    t.Hear("W1AW>APRS::N0ME     :ack000");
    EXPECT_EQ(p.Core().Messages().At(1).ackState, MessageEntry::kAcked);
    EXPECT_EQ(p.Core().Stations().At(p.Core().Stations().Lookup("W1AW")).pendingMessages, 0);
}

TEST(MessagingModule, QueriesMarkTheReportDueAndTheMenuSwitches) {
    MessageProgram t;
    Program& p = t.Open();
    t.Hear("W1AW>APRS::N0ME     :?APRSP");
    EXPECT_TRUE(p.Core().Schedule().positionNow[kGroupVhf]);
    EXPECT_FALSE(p.Core().Schedule().positionNow[kGroupHf]);
    EXPECT_TRUE(p.IsChecked(kCmdEnableSound));
    p.Command(kCmdEnableSound);
    EXPECT_FALSE(p.IsChecked(kCmdEnableSound));
    EXPECT_FALSE(t.notices.soundOn);
    Preferences saved;
    saved.Load(t.files);
    EXPECT_EQ(saved.Number(pref::kSoundOn), 0);  // kept for the next start
    p.Command(kCmdNotifyMail);
    t.Hear("W1AW>APRS::N0ME     :no sound for this");
    EXPECT_EQ(t.notices.CountSounds(kSoundNewMessage), 0);
    EXPECT_EQ(t.notices.beeps, 1);
    ASSERT_NE(p.Lists().Find("MSGL"), nullptr);  // the list is among the lists
    p.Command(kCmdClearMessages);
    EXPECT_EQ(p.Core().Messages().Count(), 0);
}

TEST(MessagingModule, TheConsoleRefusesWhatTheDialogWouldWarnAbout) {
    MessageProgram t;
    Program& p = t.Open();
    std::string status;
    EXPECT_FALSE(p.Messages().SendAsDialog("N0ME", "to myself", &status));
    EXPECT_EQ(status, "Don't send messages to yourself");
    EXPECT_FALSE(p.Messages().SendAsDialog("W", "too short", &status));
    EXPECT_FALSE(p.Messages().SendAsDialog("NWS-WARN", "x", &status));
    EXPECT_TRUE(p.Messages().SendAsDialog("W1AW", "fine", &status));
    EXPECT_EQ(status, "Sent to W1AW on VHF");
    EXPECT_EQ(p.Core().Messages().Count(), 1);
    // Never cut to another station's call, never a marker in the text.
    const std::pair<std::pair<const char*, const char*>, const char*> kRefused[] = {
        {{"ABCDEFGHIJ", "hi"}, "The addressee has at most 9 characters (W1AW-15, BLN1); ABCDEFGHIJ has 10"},
        {{"W1AW-16", "hi"}, "The addressee's SSID after \"-\" is a number from 0 to 15, such as W1AW-9"},
        {{"W1AW-X", "hi"}, "The addressee's SSID after \"-\" is a number from 0 to 15, such as W1AW-9"},
        {{"W1AW/P", "hi"}, "The addressee holds letters, digits and one \"-\" only, such as W1AW-9"},
        {{"W1AW", "see you {soon}"}, "A message may not hold {, | or ~: receivers take them for a message number or telemetry"},
        {{"W1AW", "a|b"}, "A message may not hold {, | or ~: receivers take them for a message number or telemetry"},
        {{"W1AW", "~"}, "A message may not hold {, | or ~: receivers take them for a message number or telemetry"},
    };
    for (const auto& [message, why] : kRefused) {
        EXPECT_FALSE(p.Messages().SendAsDialog(message.first, message.second, &status)) << message.first;
        EXPECT_EQ(status, why);
    }
    EXPECT_EQ(p.Core().Messages().Count(), 1);
    EXPECT_TRUE(p.Messages().SendAsDialog("W1AW-15", "the highest SSID", &status)) << status;
    const std::string longer(80, 'x');
    EXPECT_TRUE(p.Messages().SendAsDialog("W1AW", longer, &status));
    EXPECT_EQ(status, "Sent to W1AW on VHF (80 of 67 characters; it goes out in 2 parts)");
    p.Command(kCmdCloseTnc);
    t.RunSingleShots();
    EXPECT_TRUE(p.Messages().SendAsDialog("W1AW", "later", &status));
    EXPECT_EQ(status, "Queued for W1AW: no TNC is open and no internet link is up; it goes out when one is");
    p.Command(kCmdClearMessages);
}

TEST(MessagingModule, TheConversationShowsAnOwnMessageWaiting) {
    MessageProgram t;
    Program& p = t.Open();
    ASSERT_TRUE(p.Messages().SendAsDialog("W1AW", "fine"));
    const auto chat = p.Messages().Conversation("W1AW");
    ASSERT_EQ(chat.size(), 1u);
    EXPECT_TRUE(chat[0].mine);
    EXPECT_EQ(chat[0].status, "Q");
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Found as: two messages queued to a station that had not answered, an
// ordinary quit and start, and the list was empty; the counter began at 000
// again, so the station took the next message for a repeat.
TEST(MessagingModule, WaitingMessagesAndTheCounterOutliveARestart) {
    MessageProgram t;
    {
        Program& p = t.Open();
        ASSERT_TRUE(p.Messages().SendAsDialog("W1AW", "first"));
        ASSERT_TRUE(p.Messages().SendAsDialog("W1AW", "second"));  // held behind the first
        ASSERT_TRUE(p.Messages().SendAsDialog("K1ABC", "acked one"));
        t.RunSingleShots();
        t.Hear("K1ABC>APRS::N0ME     :ack002");
        p.Stop();
    }
    t.program.reset();
    Program& p = t.Open();
    const MessageStore& store = p.Core().Messages();
    ASSERT_EQ(store.Count(), 2);  // the acked one stays behind
    EXPECT_EQ(store.At(0).to.View(), "W1AW");
    EXPECT_EQ(store.At(0).number.View(), "000");
    EXPECT_EQ(store.At(0).transmitCount, 1);
    EXPECT_EQ(store.At(1).text.View(), "second");
    EXPECT_EQ(store.At(1).held, 1);
    p.Messages().MinuteChanged(MakeDateTime(2026, 12, 8, 12, 1, 0));
    t.RunSingleShots();
    EXPECT_EQ(t.Sent(), ":W1AW     :first{000\r");  // the second still waits for it
    t.Hear("W1AW>APRS::N0ME     :ack000");
    EXPECT_EQ(t.Sent(), ":W1AW     :second{001\r");
    ASSERT_TRUE(p.Messages().SendAsDialog("K1ABC", "after the restart"));
    t.RunSingleShots();
    EXPECT_EQ(t.Sent(), ":K1ABC    :after the restart{003\r");
}

TEST(MessagingModule, AnOutboxThatCannotBeReadBringsBackWhatItCan) {
    MessageProgram t;
    t.Write("Outbox.txt",
            "counter 998\n"
            "msg\tW1AW\t017\t2\t0\t3\t0\t\tgood one\n"
            "msg\tW1AW\t018\t2\tx\t3\t0\t\tbad held flag\n"
            "msg\t\t019\t2\t0\t0\t0\t\tno addressee\n"
            "msg\tW1AW\t020\t2\t0\t0\t0\n"
            "counter 5000\n"
            "garbage\n");
    Program& p = t.Open();
    ASSERT_EQ(p.Core().Messages().Count(), 1);
    EXPECT_EQ(p.Core().Messages().At(0).number.View(), "017");
    EXPECT_EQ(p.Core().Messages().At(0).transmitCount, 3);
    EXPECT_EQ(p.Messages().Core().Counter().Peek(), "998");
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

struct ComposeRecorder : MessageWindows {
    bool ComposeMessage(NewMessageForm& form) override {
        (void)form;
        forms.push_back("composed");
        return false;
    }
    bool EditAutoAnswer(AutoAnswer&) override { return false; }
    void ShowConversation(const std::string&) override {}
    std::vector<std::string> forms;
};

TEST(MessagingModule, F7OpensTheNewMessageDialog) {
    ComposeRecorder windows;  // outlives the program
    MessageProgram t;
    t.opts.messages = &windows;
    Program& p = t.Open();
    p.FunctionKey(118, false);
    EXPECT_EQ(windows.forms.size(), 1u);
}

}  // namespace
}  // namespace velmora
