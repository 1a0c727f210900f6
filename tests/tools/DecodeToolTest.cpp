#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <sstream>
#include <vector>

#include "DecodeTool.h"

namespace velmora {
namespace {

struct ToolRun {
    int code;
    std::string out, err;
};

std::string ReadAll(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
    return s;
}

ToolRun RunTool(std::vector<std::string> args, const std::string& input) {
    std::vector<char*> argv;
    args.insert(args.begin(), "velmora-decode");
    for (auto& a : args) argv.push_back(a.data());
    std::FILE* in = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int code = RunDecodeTool(static_cast<int>(argv.size()), argv.data(), in, out, err);
    std::fclose(in);
    return {code, ReadAll(out), ReadAll(err)};
}

std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

size_t Columns(const std::string& row) { return static_cast<size_t>(std::count(row.begin(), row.end(), '\t')) + 1; }

TEST(DecodeTool, PrintsTheTableWithAHeaderAndASummary) {
    const ToolRun r = RunTool({}, "W1AW>APZ251:!4903.50N/07201.75W>088/036/A=001234\r"
                              "K1ABC>APRS:>status only\n"
                              "garbage\r\n");
    EXPECT_EQ(r.code, 0);
    const auto rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], StationRowHeader());
    EXPECT_EQ(rows[1],
              "W1AW\t49.058333\t-72.029167\t/>\t88\t36\t1234\t\tWIN\t251\t1\t\t"
              "!4903.50N/07201.75W>088/036/A=001234\t\t\t\t\t\t\t\t\t\t\t\t\t");
    EXPECT_EQ(rows[2], "K1ABC\t\t\t \t0\t0\t0\t\tDOS\t0\t1\t>status only\t\t\t\t\t\t\t\t\t\t\t\t\t\t");
    EXPECT_EQ(r.err, "lines read 3, decoded 2, rejected 1\n");
}

TEST(DecodeTool, EachPrintsTheChangedRecordPerLine) {
    const ToolRun r = RunTool({"--each"}, "W1AW>APRS:!4903.50N/07201.75W-\nnot a packet\nW1AW>APRS:>x\n");
    const auto rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].substr(0, 14), "line\tcallsign\t");
    EXPECT_EQ(rows[1].substr(0, 7), "1\tW1AW\t");
    EXPECT_EQ(rows[2], "2");
    EXPECT_EQ(rows[3].substr(0, 7), "3\tW1AW\t");
    for (size_t i : {1, 3}) EXPECT_EQ(Columns(rows[i]), Columns(rows[0])) << rows[i];
}

TEST(DecodeTool, EscapesSoEveryRowKeepsItsColumns) {
    EXPECT_EQ(EscapeField("a\tb\\c\x01"), "a\\x09b\\x5Cc\\x01");
    const ToolRun r = RunTool({"--each"}, "W1AW>APRS:!4903.50N\\07201.75W\\tab\there\n");
    const auto rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Columns(rows[1]), Columns(rows[0]));
    EXPECT_NE(rows[1].find("\\x5C\\x5C"), std::string::npos);  // table and code both backslashes
}

TEST(DecodeTool, WeatherColumnsAndTelemetryRecords) {
    const ToolRun r = RunTool({"--telemetry", "W1AW"},
                              "WX>APRS:_10090556c220s004g005t077r001p002P003h50b09900\n"
                              "W1AW>APRS:T#005,199,000,255,073,123,01101001\n");
    const auto rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_NE(rows[1].find("\t220\t4\t5\t77\t1\t2\t3\t50\t9900"), std::string::npos) << rows[1];
    EXPECT_EQ(rows[3], "time\tsequence\ta1\ta2\ta3\ta4\ta5\tbits");
    EXPECT_EQ(rows[4].substr(rows[4].find('\t')), "\t5\t199\t0\t255\t73\t123\t01101001");
}

TEST(DecodeTool, TrackAndHistoryOfOneStation) {
    const ToolRun r = RunTool({"--track", "W1AW", "--history", "W1AW"},
                              "W1AW>APRS:!4903.50N/07201.75W>\n"
                              "K1ABC>APRS:>other\n"
                              "W1AW>APRS:!4903.60N/07201.75W>090/010/A=000100\n");
    const auto rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[3], "lat\tlon\taltitude\tcourse\tspeed\ttime");
    EXPECT_EQ(rows[5].substr(0, 27), "49.060000\t-72.029167\t100\t90");
    EXPECT_EQ(rows[6].substr(0, 10), "# 2 points");
    EXPECT_EQ(rows[7], "W1AW>APRS:!4903.50N/07201.75W>");
    EXPECT_EQ(rows[8], "W1AW>APRS:!4903.60N/07201.75W>090/010/A=000100");
    EXPECT_EQ(Lines(RunTool({"--track", "NOBODY"}, "").out).back(), "no station NOBODY");
}

TEST(DecodeTool, MicEWorkedExampleThroughEach) {
    const ToolRun r = RunTool({"--each"}, "N1ABC-7>S32U6T,WIDE1-1:\x60\x28\x5F\x66\x6E\x22\x4F\x6A\x2F\n");
    const auto rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 2u);
    // 33 25.64' N, 12 07.74' W, symbol "/j", course 251, speed 20.
    EXPECT_EQ(rows[1].rfind("1\tN1ABC-7\t33.427333\t-12.129000\t/j\t251\t20\t0\t", 0), 0u) << rows[1];
}

TEST(DecodeTool, OptionsAndErrors) {
    const ToolRun home = RunTool({"--call", "W1AW", "--home", "49,-72", "--kind", "2", "--capacity", "1"},
                             "A>APRS:>x\nB>APRS:>x\n");
    EXPECT_EQ(home.code, 0);
    EXPECT_EQ(Lines(home.out).size(), 2u);  // the header and the one record that fit
    EXPECT_EQ(home.err, "lines read 2, decoded 1, rejected 1\n");
    EXPECT_EQ(RunTool({"--bogus"}, "").code, 2);
    EXPECT_EQ(RunTool({"--home", "91,0"}, "").code, 2);
    EXPECT_EQ(RunTool({"--capacity"}, "").code, 2);
    EXPECT_EQ(RunTool({"/nonexistent/file.log"}, "").code, 1);
}

TEST(DecodeTool, TheBuiltProgramReadsFiles) {
    const std::string cmd = std::string(VELMORA_DECODE_BIN) + " " + VELMORA_SOURCE_DIR +
                            "/samples/sample.log 2>&1 >/dev/null";
    std::FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    char buf[256] = {};
    ASSERT_NE(std::fgets(buf, sizeof buf, p), nullptr);
    EXPECT_EQ(pclose(p), 0);
    EXPECT_EQ(std::string(buf).rfind("lines read ", 0), 0u) << buf;
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

std::vector<std::string> Fields(const std::string& row) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t tab; (tab = row.find('\t', start)) != std::string::npos; start = tab + 1)
        out.push_back(row.substr(start, tab - start));
    out.push_back(row.substr(start));
    return out;
}

TEST(DecodeTool, PrintsTheDaoTheKilledTheDeviceAndNamedTelemetry) {
    const ToolRun r = RunTool({"--telemetry", "N0TLM"},
                              "W1AW>APRS:!4903.50N/07201.75W>refined !W37!\n"
                              "W1AW>APRS:;GONE     _111111z4145.00N/07240.00Wo\n"
                              "N0TLM>APRS::N0TLM    :PARM.Battery,Temp\n"
                              "N0TLM>APRS::N0TLM    :UNIT.V,deg.C\n"
                              "N0TLM>APRS::N0TLM    :EQNS.0,0.1,0,0,0.5,-40\n"
                              "N0TLM>APRS:T#042,132,110,7,8,9,10000000\n");
    const auto rows = Lines(r.out);
    ASSERT_GE(rows.size(), 5u);
    const std::vector<std::string> header = Fields(rows[0]);
    const auto column = [&](const std::string& name) {
        return static_cast<size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    ASSERT_LT(column("telemetry"), header.size());
    const std::vector<std::string> w1aw = Fields(rows[1]);
    ASSERT_EQ(w1aw.size(), header.size());
    EXPECT_EQ(w1aw[column("lat")], "49.058383");  // 3.503 minutes
    EXPECT_EQ(w1aw[column("dao")], "W");
    EXPECT_EQ(Fields(rows[2])[column("callsign")], "GONE");
    EXPECT_EQ(Fields(rows[2])[column("killed")], "1");
    EXPECT_EQ(Fields(rows[3])[column("telemetry")], "1");
    // The telemetry with the station's names, units and scaling.
    EXPECT_EQ(rows[4], "time\tsequence\tBattery [V]\tTemp [deg.C]\ta3\ta4\ta5\tbits");
    EXPECT_EQ(rows[5].substr(rows[5].find('\t')), "\t42\t13.2\t15\t7\t8\t9\t10000000");
}

}  // namespace
}  // namespace velmora
