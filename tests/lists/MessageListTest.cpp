#include <gtest/gtest.h>

#include "lists/MessageList.h"
#include "support/MessagingFixture.h"

namespace velmora {
namespace {

using test::MessagingFixture;

TEST(MessageList, StatusCodesRoundTripAndColours) {
    MessagingFixture f;
    f.Station("W1AW");
    MessageListModel list(f.messaging);
    f.messaging.SendMessage("W1AW", "one", '2', -1);
    f.messaging.SendMessage("W1AW", "two", '2', -1);
    f.messaging.SendMessage("W1AW", "?PING? answer", '2', -1, 0, std::string_view{});
    f.Advance(17);
    f.Hear("K1ABC", "N0ME     :for me");
    f.Hear("K1ABC", "BLN1     :bulletin");
    list.RefreshIfDirty();
    list.Invalidate();
    list.RefreshIfDirty();
    ASSERT_EQ(list.RowCount(), 5u);
    EXPECT_EQ(list.Cell(0, 5).text, "Q");
    EXPECT_EQ(list.Cell(1, 5).text, "QB");
    EXPECT_EQ(list.Cell(2, 5).text, "-");
    EXPECT_EQ(list.Cell(3, 5).text, "");
    f.Hear("W1AW", "N0ME     :ack000");
    EXPECT_EQ(list.Cell(0, 5).text, "A 17");
    list.SetRoundTrip(false);
    EXPECT_EQ(list.Cell(0, 5).text, "A");
    EXPECT_EQ(list.Cell(0, 3).text, " 1");
    EXPECT_EQ(list.Cell(0, 4).text, "12/08 12:00");
    EXPECT_EQ(list.Colour(3)->r, 200);  // for me
    EXPECT_EQ(list.Colour(4)->b, 200);  // a bulletin
    EXPECT_EQ(list.Colour(1)->r, 160);  // waiting
    EXPECT_EQ(list.Colour(0)->g, 128);  // acknowledged
    EXPECT_EQ(list.Summary(), "Auto Answer disabled");
    f.messaging.Answer() = {true, "out"};
    EXPECT_EQ(list.Summary(), "Auto Answer enabled:out");
}

TEST(MessageList, KeysActOnOwnEntriesOnly) {
    MessagingFixture f;
    f.Station("W1AW");
    MessageListModel list(f.messaging);
    std::string composedTo = "-";
    list.compose = [&](const std::string& to, const std::string&) { composedTo = to; };
    f.messaging.SendMessage("W1AW", "one", '2', -1);
    f.messaging.SendMessage("W1AW", "two", '2', -1);
    f.Hear("K1ABC", "N0ME     :hi");
    list.RefreshIfDirty();
    EXPECT_FALSE(list.RowKey(2, 'X'));  // not ours: the window beeps
    EXPECT_FALSE(list.RowKey(9, 'X'));
    EXPECT_TRUE(list.RowKey(2, 'R'));
    EXPECT_EQ(composedTo, "K1ABC");
    EXPECT_TRUE(list.RowKey(0, 0x7F));  // cancelled: the held one goes
    EXPECT_EQ(list.Cell(0, 5).text, "D");
    EXPECT_EQ(f.links.Lines().back(), ":W1AW     :two{001\r");
    EXPECT_EQ(list.Cell(1, 5).text, "Q");
    EXPECT_TRUE(list.RowKey(1, '='));
    EXPECT_EQ(list.Cell(1, 5).text, "A");
    EXPECT_TRUE(list.RowKey(1, 'X'));
    EXPECT_EQ(list.Cell(1, 5).text, "Q");
    EXPECT_EQ(f.store.At(1).transmitCount, 0);
    const size_t before = f.links.sent.size();
    EXPECT_TRUE(list.RowKey(1, 'N'));
    EXPECT_EQ(f.links.sent.size(), before + 1);
}

}  // namespace
}  // namespace velmora
