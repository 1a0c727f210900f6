#include "lists/ListModel.h"

#include <gtest/gtest.h>

#include "app/ListsModule.h"
#include "lists/StationLists.h"
#include "lists/StatusLog.h"
#include "MicEEncoder.h"

#include <algorithm>
#include "lists/SymbolNames.h"
#include "support/TestApp.h"
#include "support/TestProgram.h"

namespace velmora {
namespace {

using test::TestApp;

ListSources Sources(TestApp& t) { return {t.app.Stations(), t.app.Own(), t.app.Now(), t.app.History()}; }

size_t Column(const ListModel& m, const std::string& title) {
    for (size_t c = 0; c < m.Columns().size(); ++c)
        if (m.Columns()[c].title == title) return c;
    ADD_FAILURE() << "no column " << title;
    return 0;
}

std::vector<std::string> Calls(const ListModel& m, const std::vector<size_t>& rows) {
    std::vector<std::string> out;
    for (size_t r : rows) out.push_back(m.Cell(r, 0).text);
    return out;
}

TEST(StationList, RowsColumnsAndMeanings) {
    TestApp t;
    t.app.SetHome(41.7, -72.7);
    t.Live("W1AW>APRS:!4140.35N/07243.55W-PHG5360 home");
    t.Live("K1CAR>APRS:!4200.00N/07200.00W>090/045/A=000300");
    t.Live("N0WX>APRS:!4100.00N/07300.00W_220/004g005t077");
    StationListModel m(Sources(t));
    m.RefreshIfDirty();
    ASSERT_EQ(m.RowCount(), 3u);
    EXPECT_EQ(m.Cell(1, Column(m, "Meaning")).text, "Car");
    EXPECT_EQ(m.Cell(2, Column(m, "Meaning")).text, "Weather station");
    EXPECT_EQ(m.Cell(1, Column(m, "Course")).number, 90);
    EXPECT_EQ(m.Cell(1, Column(m, "Altitude ft")).text, "300");
    EXPECT_EQ(m.Cell(1, Column(m, "Source")).text, "RF VHF");
    EXPECT_TRUE(m.Cell(0, Column(m, "Course")).empty);  // a house does not move
    EXPECT_GT(m.Cell(1, Column(m, "Miles")).number, 10);
    EXPECT_EQ(SymbolMeaning('\\', '!'), "Emergency");
    EXPECT_EQ(SymbolMeaning('3', '#'), "Digipeater");  // an overlay is the alternate table
    EXPECT_EQ(SymbolMeaning('/', 0), "");
}

TEST(StationList, SortsByNumberOrTextWithEmptyCellsLastAndFilters) {
    TestApp t;
    t.Live("B>APRS:!4100.00N/07200.00W>090/010");
    t.Live("A>APRS:!4100.00N/07200.00W>270/050");
    t.Live("C>APRS:>no position, no course");
    t.Live("D>APRS:!4100.00N/07200.00W>180/005");
    StationListModel m(Sources(t));
    m.RefreshIfDirty();
    const int speed = static_cast<int>(Column(m, "Speed kn"));
    EXPECT_EQ(Calls(m, ViewRows(m, "", speed, true)), (std::vector<std::string>{"D", "B", "A", "C"}));
    EXPECT_EQ(Calls(m, ViewRows(m, "", speed, false)), (std::vector<std::string>{"A", "B", "D", "C"}));
    EXPECT_EQ(Calls(m, ViewRows(m, "", 0, false)), (std::vector<std::string>{"D", "C", "B", "A"}));
    EXPECT_EQ(Calls(m, ViewRows(m, "", -1, true)), (std::vector<std::string>{"B", "A", "C", "D"}));
    // The filter looks in every column, without regard to case.
    EXPECT_EQ(Calls(m, ViewRows(m, "NO POSITION", -1, true)), (std::vector<std::string>{"C"}));
    EXPECT_EQ(Calls(m, ViewRows(m, "car", speed, true)), (std::vector<std::string>{"D", "B", "A"}));
    EXPECT_TRUE(ViewRows(m, "nothing like this", -1, true).empty());
    // Digits alone look in the number columns too; a letter in the filter
    // means a text is wanted.
    EXPECT_EQ(Calls(m, ViewRows(m, "270", -1, true)), (std::vector<std::string>{"A"}));
    EXPECT_TRUE(ViewRows(m, "270x", -1, true).empty());
}

TEST(Lists, InvalidatedByNewStationsAndChangesAndRefreshedOnce) {
    test::TestProgram t;
    Program& p = t.Started();
    ListModel* stations = p.Lists().Find("STAL");
    ListModel* weather = p.Lists().Find("WXXL");
    ListModel* history = p.Lists().Find("HISL");
    ASSERT_TRUE(stations && weather && history);
    stations->RefreshIfDirty();
    weather->RefreshIfDirty();
    history->RefreshIfDirty();
    const size_t before = stations->RowCount();
    EXPECT_FALSE(stations->Dirty());
    p.Core().ProcessReceivedLine("W1AW>APRS:!4140.35N/07243.55W-", Liveness::kLive, SourceKind::kVhf);
    EXPECT_TRUE(stations->Dirty());
    EXPECT_TRUE(history->Dirty());
    // Many changes, one refresh.
    for (int i = 0; i < 20; ++i)
        p.Core().ProcessReceivedLine("W1AW>APRS:!4140.35N/07243.55W-", Liveness::kLive, SourceKind::kVhf);
    const uint64_t generation = stations->Generation();
    EXPECT_TRUE(stations->RefreshIfDirty());
    EXPECT_FALSE(stations->RefreshIfDirty());
    EXPECT_EQ(stations->Generation(), generation + 1);
    EXPECT_EQ(stations->RowCount(), before + 1);
    // A weather report changes the weather list.
    weather->RefreshIfDirty();
    p.Core().ProcessReceivedLine("N0WX>APRS:_10090556c220s004g005t077", Liveness::kLive, SourceKind::kVhf);
    EXPECT_TRUE(weather->RefreshIfDirty());
    EXPECT_EQ(weather->RowCount(), 1u);
    history->RefreshIfDirty();
    EXPECT_EQ(history->Cell(history->RowCount() - 1, 2).text, "N0WX>APRS:_10090556c220s004g005t077");
    EXPECT_NE(history->Summary().find("Buffer utilization"), std::string::npos);
    EXPECT_EQ(ListText(*weather).substr(0, 20), "Call\tLast report\tTem");
}

TEST(Lists, HeardNowIsRadioWithinTheHour) {
    TestApp t;
    t.Live("N0ME>APRS:>first record, the own station");
    t.Live("RF1>APRS:>radio", '2');
    t.Live("NET1>APRS,TCPIP*:>internet", 'T');
    t.clock.Advance(2 * 3600);
    t.Live("RF2>APRS:>radio later", '1');
    HeardNowModel m(Sources(t));
    m.RefreshIfDirty();
    EXPECT_EQ(Calls(m, ViewRows(m, "", -1, true)), (std::vector<std::string>{"RF2"}));
}

namespace velmora {
namespace {

TEST(StatusWindow, KeepsEveryStatusTextWithItsTime) {
    test::TestApp t;
    t.Live("W1.AW>APRS:>x");  // "Invalid callsign" on the status line
    ASSERT_FALSE(t.app.Status().Entries().empty());
    EXPECT_EQ(t.app.Status().Entries().back().text, "Invalid callsign");
    EXPECT_EQ(t.app.Status().Entries().back().time, t.clock.NowStamp());
    EXPECT_EQ(t.notices.status.back(), "Invalid callsign");  // still shown as before
    StatusListModel m(t.app.Status());
    m.RefreshIfDirty();
    ASSERT_EQ(m.RowCount(), t.app.Status().Entries().size());
    EXPECT_EQ(m.Cell(m.RowCount() - 1, 1).text, "Invalid callsign");
    // The newest thousand are kept.
    for (int i = 0; i < 1100; ++i) t.app.Status().StatusText("text " + std::to_string(i));
    EXPECT_EQ(t.app.Status().Entries().size(), StatusLog::kKept);
    EXPECT_EQ(t.app.Status().Entries().front().text, "text 100");
}

TEST(StatusWindow, TheStatusListFollowsNewTexts) {
    test::TestProgram t;
    Program& p = t.Started();
    ListModel* status = p.Lists().Find("STAT");
    ASSERT_NE(status, nullptr);
    status->RefreshIfDirty();
    const size_t before = status->RowCount();
    p.Core().ProcessReceivedLine("W1.AW>APRS:>x", Liveness::kLive, SourceKind::kVhf);
    EXPECT_TRUE(status->RefreshIfDirty());
    EXPECT_EQ(status->RowCount(), before + 1);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

std::vector<std::string> CallsOf(ListModel& m) {
    m.RefreshIfDirty();
    std::vector<std::string> out;
    for (size_t r = 0; r < m.RowCount(); ++r) out.push_back(m.Cell(r, 0).text);
    return out;
}

TEST(Lists, EachSmallerListShowsItsOwnStations) {
    test::TestProgram t;
    Program& p = t.Started();
    p.Core().StationOptions().autoTrackMovingStations = true;
    const auto feed = [&](const std::string& line) {
        p.Core().ProcessReceivedLine(line, Liveness::kLive, SourceKind::kVhf);
    };
    feed("HOUSE>APRS:!4140.00N/07240.00W-");
    feed("MOVER>APRS:!4140.00N/07240.00W>090/030");
    feed("MOVER>APRS:!4141.00N/07240.00W>090/030");
    const MicEPacket mic = EncodeMicE(41.5, -72.5, 10, 90, '/', '>', 7);
    feed("MICE>" + mic.destination + ":" + mic.info + "]=");
    feed("DIGI>APRS,W1XYZ*,WIDE2-1:>via a digipeater");
    p.Core().Flags().AddLine("HOUSE\tALARM");
    feed("NOPOS>APRS:>status only");
    ListsModule& lists = p.Lists();
    const auto has = [](const std::vector<std::string>& calls, const char* call) {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    };
    const auto positions = CallsOf(*lists.Find("POSL"));
    EXPECT_TRUE(has(positions, "HOUSE"));
    EXPECT_FALSE(has(positions, "NOPOS"));
    const auto tracks = CallsOf(*lists.Find("TRKL"));
    EXPECT_TRUE(has(tracks, "MOVER"));
    EXPECT_FALSE(has(tracks, "HOUSE"));
    ListModel& micList = *lists.Find("MICL");
    const auto mics = CallsOf(micList);
    ASSERT_EQ(mics, (std::vector<std::string>{"MICE"}));
    EXPECT_EQ(micList.Cell(0, 1).text, "EMERGENCY!");
    EXPECT_EQ(micList.Cell(0, 2).text, "Kenwood TM-D710");
    const auto paths = CallsOf(*lists.Find("PTHL"));
    EXPECT_TRUE(has(paths, "DIGI"));
    EXPECT_TRUE(has(paths, "HOUSE"));
    ListModel& positionList = *lists.Find("POSL");
    positionList.RefreshIfDirty();
    EXPECT_EQ(positionList.Cell(0, 3).text.size(), 6u);  // a six-character grid locator
    for (const char* code : {"POSL", "TRKL", "MICL", "FLGL", "PTHL", "RDFL", "STAT"})
        EXPECT_NE(lists.Find(code), nullptr) << code;
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(Lists, TelemetryWithNamesUnitsAndScalingAndThePacketStatistics) {
    test::TestProgram t;
    Program& p = t.Started();
    const auto feed = [&](const std::string& line) {
        p.Core().ProcessReceivedLine(line, Liveness::kLive, SourceKind::kVhf);
    };
    feed("N0TLM>APRS::N0TLM    :PARM.Battery,Temp,Light,,,Door,Alarm");
    feed("N0TLM>APRS::N0TLM    :UNIT.V,deg.C,lux,,,open,on");
    feed("N0TLM>APRS::N0TLM    :EQNS.0,0.1,0,0,0.5,-40,0,1,0,0,1,0,0,1,0");
    feed("N0TLM>APRS::N0TLM    :BITS.01111111,Cabin monitor{12");
    feed("N0TLM>APRS:T#042,132,110,500,0,0,10000000");
    feed("W1RAW>APRS:T#007,1,2,3,4,5,00000000");
    feed("HOUSE>APRS:!4140.00N/07240.00W-");
    ListModel& tele = *p.Lists().Find("TLMY");
    tele.RefreshIfDirty();
    ASSERT_EQ(tele.RowCount(), 2u);
    const std::string text = ListText(tele);
    EXPECT_NE(text.find("N0TLM\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\t42\tBattery 13.2 V\tTemp 15 deg.C\tLight 500 lux\t"), std::string::npos) << text;
    EXPECT_NE(text.find("Door=off Alarm=off"), std::string::npos) << text;  // bit 1 set, its sense 0
    EXPECT_NE(text.find("Cabin monitor"), std::string::npos) << text;
    EXPECT_NE(text.find("W1RAW\t"), std::string::npos) << text;
    EXPECT_EQ(tele.RowCall(0).empty(), false);

    ListModel& stats = *p.Lists().Find("PKST");
    stats.RefreshIfDirty();
    ASSERT_GE(stats.RowCount(), 3u);
    EXPECT_EQ(stats.Cell(1, 0).text, "Position");
    EXPECT_EQ(stats.Cell(1, 2).text, "1");  // the one plain position, heard on VHF
    EXPECT_EQ(stats.Cell(stats.RowCount() - 1, 0).text, "Bytes");
    EXPECT_GT(stats.Cell(stats.RowCount() - 1, 2).number, 100);
}

}  // namespace
}  // namespace velmora

// The comment column holds the words a station sent, never its raw report.
TEST(StationList, TheCommentColumnShowsTheWordsWithoutTheData) {
    struct Case {
        const char* line;
        const char* call;
        const char* words;
    };
    const Case cases[] = {
        {"W1AW>APRS:@081205z4139.87N/07244.15W>088/036/A=000240 mobile", "W1AW", "mobile"},
        {"K1ABC>APRS:!4140.35N/07243.55W#PHG5360/W1, CT wide", "K1ABC", "W1, CT wide"},
        {"N0WX>APRS:!4100.00N/07300.00W_220/004g005t077r000p001P000h50b10132wRSW", "N0WX", "wRSW"},
        {"SP9XY>APRS:=/5L!!<*e7>7P[ 144.800MHz Krakow|!!!!!!|", "SP9XY", "144.800MHz Krakow"},
        {"KB1DAO>APRS:!4140.35N/07243.55W>Kraków !wXY! trip", "KB1DAO", "Kraków trip"},
        {"N1OBJ>APRS:;LEADER   *092345z4903.50N/07201.75W>088/036 net control", "LEADER", "net control"},
        {"N1DF>APRS:!4140.35N/07243.55W\\088/036/270/729 fox hunt", "N1DF", "fox hunt"},
        {"NHC>APRS:!4903.50N/07201.75W@090/025/HC/065^080/960>045&120%250OUTER BANDS", "NHC", "OUTER BANDS"},
    };
    TestApp t;
    for (const Case& c : cases) t.Live(c.line);
    StationListModel m(Sources(t));
    m.RefreshIfDirty();
    const size_t comment = Column(m, "Comment or status");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        size_t row = m.RowCount();
        for (size_t i = 0; i < m.RowCount(); ++i)
            if (m.Cell(i, 0).text == c.call) row = i;
        ASSERT_LT(row, m.RowCount());
        EXPECT_EQ(m.Cell(row, comment).text, c.words);
    }
    // A report without words keeps the last words; a DX spot of an APRS
    // station changes neither its words, its status nor its place.
    t.Live("W1AW>APRS:>On the road");
    t.Live("W1AW>APRS:@081210z4140.87N/07244.15W>088/036");
    const int32_t lat = t.Station("W1AW").lat;
    t.Live("DX0CL>XYZZY:DX de K1ABC:     14025.0  W1AW         FN31 loud         1203Z");
    EXPECT_EQ(t.Station("W1AW").comment.View(), "mobile");
    EXPECT_EQ(t.Station("W1AW").status.View(), ">On the road");
    EXPECT_EQ(t.Station("W1AW").lat, lat);
}

}  // namespace
}  // namespace velmora
