#include "app/Import.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "DecodeTool.h"
#include "TrafficMix.h"
#include "app/MenuTable.h"
#include "geo/Position.h"
#include "support/TestApp.h"
#include "support/TestProgram.h"

namespace velmora {
namespace {

const StationRecord* Find(test::TestApp& t, std::string_view call) {
    const StationIndex i = t.Find(call);
    return i < 0 ? nullptr : &t.Station(call);
}

TEST(ImportLine, DirectionFindingLogLineBecomesAPositionAndAStatus) {
    test::TestApp t;
    ImportState s;
    // Positions 19-24 latitude "4140N", 26-32 longitude with a blank hundreds digit.
    std::string line(33, ' ');
    line[2] = line[5] = '/';
    line[11] = line[14] = ':';
    line.replace(19, 2, "41");
    line.replace(22, 3, "40N");
    line.replace(27, 2, "72");
    line.replace(30, 3, "30W");
    line += " bearing 045";
    ASSERT_EQ(line[19], '4');
    ASSERT_EQ(line[26], ' ');
    ImportLine(t.app, s, line);
    const StationRecord* q = Find(t, "Q0001");
    ASSERT_NE(q, nullptr);
    EXPECT_NEAR(LatDegreesFromUnits(q->lat), 41.0 + 40.0 / 60, 1e-4);
    EXPECT_NEAR(LonDegreesFromUnits(q->lon), -(72.0 + 30.0 / 60), 1e-4);
    EXPECT_EQ(q->symbolTable, '\\');
    EXPECT_EQ(q->symbolCode, 'Q');
    EXPECT_EQ(s.dfCounter, 1);
    EXPECT_EQ(s.counts.fed, 2);
}

TEST(ImportLine, DatedAndLetteredForms) {
    test::TestApp t;
    ImportState s;
    // A dated line: "@" at 17, "z" at 24, "/" at 33.
    ImportLine(t.app, s, "W1DAT    12:00:00@081200z4140.00N/07240.00W-dated");
    const StationRecord* d = Find(t, "W1DAT");
    ASSERT_NE(d, nullptr);
    EXPECT_NEAR(LatDegreesFromUnits(d->lat), 41.0 + 40.0 / 60, 1e-4);
    // A lettered "p," line whose information starts with "!" is decoded as "@".
    ImportLine(t.app, s, "p,K1LET  x 12:00:00!081200z4141.00N/07241.00W-lettered");
    const StationRecord* l = Find(t, "K1LET");
    ASSERT_NE(l, nullptr);
    EXPECT_NEAR(LatDegreesFromUnits(l->lat), 41.0 + 41.0 / 60, 1e-4);
    // Any other letter drops the line.
    ImportLine(t.app, s, "m,K1MSG  x 12:00:00!081200z4141.00N/07241.00W-dropped");
    EXPECT_EQ(Find(t, "K1MSG"), nullptr);
}

TEST(ImportLine, OverlongLinesAreCutAndNmeaIsHandedToTheGpsReader) {
    test::TestApp t;
    ImportState s;
    std::string longLine = "W1LONG>APRS:>" + std::string(400, 'x');
    ImportLine(t.app, s, longLine);
    const StationRecord* r = Find(t, "W1LONG");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->status.View().substr(0, 4), ">xxx");
    ImportLine(t.app, s, "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A");
    EXPECT_EQ(t.app.BearingCourse(), 84);
    EXPECT_NE(t.app.GpsLat(), 0);
}

TEST(ImportHistory, InformationStartsAt17WhenPosition16IsBlankElseAt10) {
    test::TestApp t;
    ImportState s;
    ImportHistoryLine(t.app, s, "W1HST    1200Z  !4140.00N/07240.00W-history");
    ImportHistoryLine(t.app, s, "K1HST     !4141.00N/07241.00W-short");
    ASSERT_NE(Find(t, "W1HST"), nullptr);
    ASSERT_NE(Find(t, "K1HST"), nullptr);
    EXPECT_NEAR(LatDegreesFromUnits(Find(t, "K1HST")->lat), 41.0 + 41.0 / 60, 1e-4);
    EXPECT_EQ(OpenKindFor("x/Y.hst"), OpenKind::kHistory);
    EXPECT_EQ(OpenKindFor("x/Y.LOG"), OpenKind::kLog);
}

// A traffic file of many thousands of lines: File Open fills the table
// exactly as velmora-decode does.
TEST(ImportFile, FileOpenMatchesVelmoraDecode) {
    test::TestProgram t;
    const std::string path = (t.folder / "traffic.log").string();
    {
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : bench::MakeTrafficMix(20000, 800, 7)) out << line << "\r\n";
        std::ifstream real(std::string(VELMORA_SOURCE_DIR) + "/tests/data/every_type.txt");
        for (std::string line; std::getline(real, line);) out << line << "\n";
    }
    t.Started();
    t.ui.files.push_back(path);
    const int beeps = t.notices.beeps;
    t.program->Command(kCmdOpen);
    EXPECT_EQ(t.notices.beeps, beeps + 1);

    const std::string cmd = std::string(VELMORA_DECODE_BIN) + " " + path;
    std::FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string expected;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) expected.append(buf, n);
    pclose(p);
    std::string got = StationRowHeader() + "\n";
    // Mic-E reports are shown with the time they were decoded.
    const auto maskTimes = [](std::string& s) {
        static const std::regex kStamp("@[0-9]{6}z");
        s = std::regex_replace(s, kStamp, "@ddhhmmz");
    };
    const StationTable& st = t.program->Core().Stations();
    for (StationIndex i = 0; i < st.UsedCount(); ++i) got += StationRow(st.At(i)) + "\n";
    EXPECT_GT(st.UsedCount(), 700);
    maskTimes(got);
    maskTimes(expected);
    // Line by line, so a difference shows where it is.
    std::istringstream a(got), b(expected);
    std::string la, lb;
    int line = 0;
    while (std::getline(a, la) && std::getline(b, lb)) {
        ++line;
        ASSERT_EQ(la, lb) << "row " << line;
    }
    EXPECT_EQ(got.size(), expected.size());
}

}  // namespace
}  // namespace velmora
