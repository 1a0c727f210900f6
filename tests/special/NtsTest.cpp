// Radiograms: the check, the sections a radiogram goes out as, and
// collecting sections back in any order, repeated or missing.
#include <gtest/gtest.h>

#include "special/Nts.h"

namespace velmora {
namespace {

TEST(Radiogram, CheckCountsWords) {
    EXPECT_EQ(RadiogramCheck("HAPPY BIRTHDAY TO YOU, MOM."), 5);
    EXPECT_EQ(RadiogramCheck("HAPPY BIRTHDAY"), 2);
    EXPECT_EQ(RadiogramCheck(""), 0);
    EXPECT_EQ(RadiogramCheck("ONE\rTWO"), 2);
    EXPECT_EQ(RadiogramCheck("A  ,  B"), 2);
    EXPECT_EQ(RadiogramCheck(std::string(3000, 'X') + " Y"), 1);  // only the first 1024 characters
}

TEST(Radiogram, SentAsNumberedSections) {
    RadiogramStore store;
    Radiogram r = store.New("N0ME", "NEWINGTON, CT (HARTFORD)", MakeDateTime(2026, 12, 9, 14, 5, 0));
    EXPECT_EQ(r.group, "01");
    EXPECT_EQ(r.precedence, "R");
    EXPECT_EQ(r.date, "DEC 9");
    EXPECT_EQ(r.timeFiled, "1405");
    r.to = "W1AW";
    r.address = "JOHN SMITH\r12 MAIN ST\rHARTFORD CT";
    const std::string text = "ARRIVED SAFELY WEATHER FINE ALL WELL HERE LOVE ALL SEE YOU SOON";  // 12 words
    const auto s = RadiogramSections(r, text);
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[0].number, "01A");
    EXPECT_EQ(s[0].text, "N#\\01\\R\\\\\\12\\NEWINGTON, CT (HARTFORD)\\1405\\DEC 9");
    EXPECT_EQ(s[1].text, "NA\\JOHN SMITH\\12 MAIN ST\\HARTFORD CT\\");
    EXPECT_EQ(s[2].text, "NT\\ARRIVED SAFELY WEATHER FINE ALL ");
    EXPECT_EQ(s[3].text, "NT\\WELL HERE LOVE ALL SEE ");
    EXPECT_EQ(s[4].text, "NT\\YOU SOON");
    EXPECT_EQ(s[5].number, "01F");
    EXPECT_EQ(s[5].text, "NS\\N0ME");
    r.telephone = "860 555 1212";
    EXPECT_EQ(RadiogramSections(r, "HI")[2].text, "NP\\860 555 1212");
    for (int i = 0; i < 99; ++i) store.New("N0ME", "", MakeDateTime(2026, 12, 9, 14, 5, 0));
    EXPECT_EQ(store.New("N0ME", "", MakeDateTime(2026, 12, 9, 14, 5, 0)).group, "02");  // 99 wraps to 1
}

TEST(Radiogram, CollectedInAnyOrderWithGapsMarked) {
    RadiogramStore store;
    const TimeStamp now = 1000;
    EXPECT_TRUE(store.Receive("N0ME", "W1AW", "01C", "NT\\SEE YOU SOON", now));
    EXPECT_TRUE(store.Receive("N0ME", "W1AW", "01A", "N#\\01\\R\\\\N0ME\\12\\NEWINGTON CT\\1405\\DEC 9", now));
    // The preamble restarts the text counter: the next T is line 0.
    EXPECT_TRUE(store.Receive("N0ME", "W1AW", "01B", "NT\\ARRIVED SAFELY", now));
    EXPECT_TRUE(store.Receive("N0ME", "W1AW", "01D", "N2\\ALL WELL", now));
    ASSERT_EQ(store.All().size(), 1u);
    const Radiogram& r = store.All()[0];
    EXPECT_EQ(r.number, "01");
    EXPECT_EQ(r.check, "12");
    EXPECT_EQ(r.stationOfOrigin, "N0ME");
    EXPECT_EQ(r.wholeText, "ARRIVED SAFELY <Line 1 missing> ALL WELL");
    EXPECT_FALSE(r.complete);
    EXPECT_TRUE(store.Receive("N0ME", "W1AW", "01E", "NA\\JOHN\\HARTFORD", now));
    EXPECT_EQ(store.All()[0].address, "JOHN\rHARTFORD");
    EXPECT_TRUE(store.Receive("N0ME", "W1AW", "01F", "NS\\N0ME", now));
    EXPECT_TRUE(store.All()[0].complete);
    // Another group from the same sender is another radiogram.
    EXPECT_TRUE(store.Receive("N0ME", "W1AW", "02A", "NT\\OTHER", now));
    EXPECT_EQ(store.All().size(), 2u);
    // Eleven T sections: the eleventh is ignored; an unknown kind is the spare.
    for (int i = 0; i < 11; ++i) store.Receive("K1X", "W1AW", "03A", "NT\\W" + std::to_string(i), now);
    store.Receive("K1X", "W1AW", "03B", "NQ\\what", now);
    EXPECT_EQ(store.All()[2].textLines[9], "W9");
    EXPECT_EQ(store.All()[2].spare, "what");
    EXPECT_FALSE(store.Receive("K1X", "W1AW", "03C", "NX", now));  // not a section
    // The 101st radiogram is dropped.
    for (int i = 0; i < 97; ++i) EXPECT_TRUE(store.Receive("K" + std::to_string(i), "W1AW", "04A", "NS\\X", now));
    EXPECT_EQ(store.All().size(), 100u);
    EXPECT_FALSE(store.Receive("K999", "W1AW", "04A", "NS\\X", now));
    EXPECT_TRUE(store.Receive("N0ME", "W1AW", "02B", "NS\\X", now));  // an existing one still takes sections
}

}  // namespace
}  // namespace velmora
