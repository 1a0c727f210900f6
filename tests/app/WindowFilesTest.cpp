#include <gtest/gtest.h>

#include "app/ListWindowState.h"
#include "app/WindowFiles.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

std::vector<WindowRecord> Desktop() {
    WindowRecord map;
    map.windowClass = kClassMap;
    map.mapKind = kMapWindowWithMap;
    map.mapFile = "europe.map";
    map.viewLeft = 64000000, map.viewRight = 65500000, map.viewTop = 14000000, map.viewBottom = 15000000;
    map.rect = {0, 0, 400, 600};
    map.movingMap = true;
    map.followedCall = "N0CALL-9";
    WindowRecord list;
    list.windowClass = kClassList;
    list.list = MakeFourCC("STAL");
    list.rect = {10, 610, 300, 1000};
    WindowRecord chart;
    chart.windowClass = kClassGraph;
    chart.list = MakeFourCC("WXCG");
    chart.rect = {300, 610, 700, 1000};
    return {map, list, chart};
}

TEST(WindowConfig, RoundTripByteForByteWithTheHeaderAndFieldsInPlace) {
    const std::vector<WindowRecord> records = Desktop();
    const std::string bytes = WindowConfigBytes(records);
    ASSERT_EQ(bytes.size(), 512u + 3 * 1024u);
    EXPECT_EQ(bytes.substr(0, 4), "FNOC");
    EXPECT_EQ(bytes[4], 4);
    EXPECT_EQ(bytes[8], 2);
    EXPECT_EQ(bytes[16], 8);
    EXPECT_EQ(static_cast<uint8_t>(bytes[24]), 0x00);
    EXPECT_EQ(static_cast<uint8_t>(bytes[25]), 0x04);  // 1024
    EXPECT_EQ(bytes.substr(512, 4), "MAPW");
    EXPECT_EQ(bytes[516], 1);
    EXPECT_EQ(bytes.substr(520, 10), "europe.map");
    EXPECT_EQ(bytes[512 + 424], 1);
    EXPECT_EQ(bytes.substr(512 + 426, 8), "N0CALL-9");
    EXPECT_EQ(bytes.substr(1536, 8), "LISTSTAL");
    EXPECT_EQ(static_cast<uint8_t>(bytes[1536 + 152 + 2]), 610 & 0xFF);  // left
    const WindowConfig back = ParseWindowConfig(bytes);
    ASSERT_EQ(back.status, WindowConfig::Status::kRead);
    EXPECT_EQ(back.records, records);
    EXPECT_EQ(WindowConfigBytes(back.records), bytes);
}

TEST(WindowConfig, HeaderRulesAndTheKindsThatComeBack) {
    std::string bytes = WindowConfigBytes(Desktop());
    // Record size 768 is read as 1024.
    bytes[24] = 0x00, bytes[25] = 0x03;
    EXPECT_EQ(ParseWindowConfig(bytes).records.size(), 3u);
    // Exactly the header: nothing, and nothing to say.
    const WindowConfig empty = ParseWindowConfig(bytes.substr(0, 512));
    EXPECT_EQ(empty.status, WindowConfig::Status::kRead);
    EXPECT_TRUE(empty.records.empty());
    std::string wrong = bytes;
    wrong[0] = 'X';
    EXPECT_EQ(ParseWindowConfig(wrong).status, WindowConfig::Status::kInvalid);
    EXPECT_EQ(ParseWindowConfig("FNOC").status, WindowConfig::Status::kInvalid);  // shorter than a header
    std::string old = bytes;
    old[4] = 5;
    EXPECT_EQ(ParseWindowConfig(old).status, WindowConfig::Status::kIncompatible);
    old[4] = 3;
    EXPECT_EQ(ParseWindowConfig(old).status, WindowConfig::Status::kRead);
    // A file of junk after a good header restores what it can and never reads past its end.
    std::string junk = bytes.substr(0, 512) + std::string(1500, '\xEE');
    EXPECT_EQ(ParseWindowConfig(junk).records.size(), 1u);
    WindowRecord r;
    r.windowClass = kClassMap;
    for (auto [kind, expected] : {std::pair{2, RestoredWindow::kEmptyMap}, {3, RestoredWindow::kImageMap},
                                  {5, RestoredWindow::kNone}, {1, RestoredWindow::kMap}, {4, RestoredWindow::kMap},
                                  {kMapWindowPolar, RestoredWindow::kPolarMap}}) {
        r.mapKind = kind;
        EXPECT_EQ(RestoredKind(r), expected) << kind;
    }
    r = {};
    r.windowClass = kClassGraph;
    r.list = MakeFourCC("WXCG");
    EXPECT_EQ(RestoredKind(r), RestoredWindow::kWeatherChart);
    r.list = MakeFourCC("NMEA");
    EXPECT_EQ(RestoredKind(r), RestoredWindow::kGpsDisplay);
    r.windowClass = MakeFourCC("TERM");
    EXPECT_EQ(RestoredKind(r), RestoredWindow::kNone);
    r.windowClass = MakeFourCC("ZZZZ");
    EXPECT_EQ(RestoredKind(r), RestoredWindow::kUnknown);
}

TEST(WindowLocations, EntriesUpToTheFirstFreeOneAndTheFullFile) {
    WindowLocations w;
    for (int i = 0; i < 7; ++i) {
        const int e = w.Find(kClassList, MakeFourCC("AAA0") + static_cast<FourCC>(i), true);
        ASSERT_EQ(e, i);
        w.SetRect(e, {int16_t(i), int16_t(2 * i), int16_t(100 + i), int16_t(200 + i)});
    }
    const std::vector<uint8_t> block = {1, 2, 3};
    w.SetPrivate(3, block);
    EXPECT_EQ(w.Private(3)[2], 3);
    EXPECT_EQ(w.Private(3)[3], 0);
    EXPECT_EQ(w.Bytes().size(), 7 * 528u);
    // Entry 5 freed: the file ends at entry 5, with entries 0 to 4.
    std::string bytes = w.Bytes();
    std::fill(bytes.begin() + 5 * 528, bytes.begin() + 6 * 528, '\0');
    WindowLocations again;
    again.LoadBytes(bytes);
    EXPECT_EQ(again.Bytes().size(), 5 * 528u);
    EXPECT_EQ(again.Bytes(), bytes.substr(0, 5 * 528));
    EXPECT_EQ(again.Rect(4), (WindowRect{4, 8, 104, 204}));
    EXPECT_EQ(again.Find(kClassList, MakeFourCC("AAA6"), false), 6);  // kept in memory, not in the file
    EXPECT_EQ(again.Find(kClassList, MakeFourCC("NEW0"), false), -1);
    EXPECT_FALSE(again.Changed());
    // A full file takes no new kind.
    WindowLocations full;
    for (int i = 0; i < 100; ++i) ASSERT_GE(full.Find(kClassMap, FourCC(i + 1), true), 0);
    EXPECT_EQ(full.Find(kClassMap, FourCC(1000), true), -1);
    EXPECT_EQ(full.Bytes().size(), 52800u);
}

TEST(WindowLocations, SavedOnlyWhenChangedAndByteForByte) {
    test::TestApp t;
    WindowLocations w;
    EXPECT_TRUE(w.Save(t.files));
    EXPECT_FALSE(t.files.Exists(WindowLocations::kFileName));  // nothing changed, nothing written
    w.SetRect(w.Find(kClassMap, 0, true), {1, 2, 3, 4});
    ASSERT_TRUE(w.Save(t.files));
    WindowLocations back;
    ASSERT_TRUE(back.Load(t.files));
    EXPECT_EQ(back.Bytes(), w.Bytes());
    EXPECT_EQ(back.Rect(0), (WindowRect{1, 2, 3, 4}));
}

TEST(ListWindowState, KeptInThePrivateBlockAndReadBackThroughTheFile) {
    // A block never written is the list as it comes.
    const std::array<uint8_t, WindowLocations::kPrivateSize> zeros{};
    EXPECT_EQ(ListWindowState::Parse(zeros), ListWindowState{});
    EXPECT_EQ(ListWindowState::Parse({}), ListWindowState{});
    ListWindowState s;
    s.sortColumn = 4, s.ascending = false, s.hiddenColumns = 0x80000005u;
    s.widths[0] = 120, s.widths[31] = 45;
    const auto bytes = s.Bytes();
    EXPECT_EQ(bytes[0], 5);  // column + 1, little-endian
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[7], 0x80);
    EXPECT_EQ(bytes[8], 120);
    WindowLocations w;
    const int index = w.Find(MakeFourCC("LIST"), MakeFourCC("STAL"), true);
    w.SetPrivate(index, bytes);
    WindowLocations back;
    back.LoadBytes(w.Bytes());
    EXPECT_EQ(ListWindowState::Parse(back.Private(back.Find(MakeFourCC("LIST"), MakeFourCC("STAL"), false))), s);
    // Junk: a sort column past the last, widths off any screen.
    std::array<uint8_t, WindowLocations::kPrivateSize> junk;
    junk.fill(0xFF);
    const ListWindowState j = ListWindowState::Parse(junk);
    EXPECT_EQ(j.sortColumn, -1);
    EXPECT_EQ(j.widths[3], 0);
}

}  // namespace
}  // namespace velmora
