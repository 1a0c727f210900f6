#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "app/Preferences.h"
#include "geo/Position.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

int16_t I16At(const Preferences& p, size_t at) { return static_cast<int16_t>(p.Bytes()[at] | p.Bytes()[at + 1] << 8); }

TEST(Preferences, DefaultsAtTheirOffsets) {
    Preferences p;
    EXPECT_EQ(p.OwnCall(), "N0CALL");
    EXPECT_EQ(I16At(p, 66), 5);
    EXPECT_EQ(I16At(p, 118), 30);
    EXPECT_EQ(I16At(p, 2244), 500);
    EXPECT_EQ(p.Bytes()[2106], 'Z');
    EXPECT_EQ(p.Bytes()[5087], '/');
    EXPECT_EQ(p.Bytes()[6202], 100);
    EXPECT_EQ(I16At(p, 4792 + 10 * 3), 1);  // port 3 device
    EXPECT_EQ(*p.Get("port3_baud"), "9600");
    EXPECT_EQ(*p.Get("posit_comment"), "Velmora 2.2.8");
    // No two fields overlap and all lie inside the record.
    std::set<size_t> used;
    for (const PrefField& f : PreferenceFields()) {
        const size_t width = f.type == PrefType::kText ? f.size : f.type == PrefType::kI32 ? 4 : f.type == PrefType::kI16 ? 2 : 1;
        ASSERT_LE(f.offset + width, Preferences::kSize) << f.name;
        for (size_t b = f.offset; b < f.offset + width; ++b) ASSERT_TRUE(used.insert(b).second) << f.name;
    }
}

TEST(Preferences, RoundTripByteForByteAndShortFiles) {
    test::TestApp t;
    Preferences p;
    ASSERT_TRUE(p.Set("own_call", "W1AW-9"));
    ASSERT_TRUE(p.Set("danger_radius", "12"));
    ASSERT_TRUE(p.Set("kiss_enabled_vhf", "1"));
    p.SetOwnLatitude(41.7146);
    p.SetOwnLongitude(-72.727);
    ASSERT_TRUE(p.Save(t.files));
    Preferences q;
    ASSERT_EQ(q.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(q.Bytes(), p.Bytes());
    EXPECT_EQ(q.DangerRadius(), 12);
    EXPECT_NEAR(LatDegreesFromUnits(q.OwnLatUnits()), 41.7146, 1e-6);
    EXPECT_NEAR(LonDegreesFromUnits(q.OwnLonUnits()), -72.727, 1e-6);
    // A file of 100 bytes changes only those; the rest keeps the defaults.
    Preferences r;
    r.LoadBytes(std::string(reinterpret_cast<const char*>(p.Bytes().data()), 100));
    EXPECT_EQ(r.OwnCall(), "W1AW-9");
    EXPECT_EQ(r.DangerRadius(), 0);
    EXPECT_EQ(r.TrackCapacity(), 500);
    EXPECT_EQ(Preferences().Load(test::TestApp().files), Preferences::LoadResult::kMissing);
}

TEST(Preferences, OldVersionsAndNegativePositionsAreRecomputed) {
    Preferences p;
    p.SetOwnLatitude(41.5);
    p.SetOwnLongitude(-72.5);
    std::string bytes(reinterpret_cast<const char*>(p.Bytes().data()), Preferences::kSize);
    // A stale numeric position with version 99 is rebuilt from the degrees.
    bytes[106] = bytes[107] = bytes[108] = 0;
    bytes[109] = 0x01;
    bytes[6202] = 99;
    Preferences old;
    old.LoadBytes(bytes);
    EXPECT_NEAR(LonDegreesFromUnits(old.OwnLonUnits()), -72.5, 1e-6);
    // Version 100 with a negative latitude is rebuilt too.
    bytes[6202] = 100;
    bytes[110] = bytes[111] = bytes[112] = 0;
    bytes[113] = static_cast<char>(0x80);
    Preferences negative;
    negative.LoadBytes(bytes);
    EXPECT_NEAR(LatDegreesFromUnits(negative.OwnLatUnits()), 41.5, 1e-6);
}

TEST(Preferences, SavingStampsTheVersionAndJunkOrShortFilesSaySo) {
    test::TestApp t;
    Preferences p;
    ASSERT_TRUE(p.Set("version_build", "7"));
    ASSERT_TRUE(p.Set("preferences_version", "99"));
    ASSERT_TRUE(p.Save(t.files));
    std::ifstream in(t.folder / "Velmora.prf", std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(saved.size(), Preferences::kSize);
    EXPECT_EQ(saved[2110], 2);
    EXPECT_EQ(saved[2112], 2);
    EXPECT_EQ(saved[2114], 8);
    EXPECT_EQ(saved[6202], 100);
    // Junk: the defaults, every one of them, and a text that says so.
    std::string junk(Preferences::kSize, '\xA5');
    Preferences j;
    ASSERT_TRUE(j.Set("own_call", "W1AW"));
    EXPECT_EQ(j.LoadBytes(junk), Preferences::LoadResult::kJunk);
    EXPECT_EQ(j.Bytes(), Preferences().Bytes());
    EXPECT_EQ(Preferences::LoadText(Preferences::LoadResult::kJunk, junk.size()),
              "Velmora.prf is not a settings file: the defaults are used");
    // Cut short after the call and the version: what is there is kept.
    Preferences s;
    EXPECT_EQ(s.LoadBytes(saved.substr(0, 3000)), Preferences::LoadResult::kShort);
    EXPECT_EQ(Preferences::LoadText(Preferences::LoadResult::kShort, 3000),
              "Velmora.prf is shorter than it should be: the settings after byte 3000 are the defaults");
    EXPECT_EQ(Preferences::LoadText(Preferences::LoadResult::kLoaded, Preferences::kSize), "");
}

TEST(Preferences, LowerCaseHemispheresAndTheReportTexts) {
    Preferences p;
    p.SetOwnLatitude(10.5);
    p.SetOwnLongitude(10.25);
    const int32_t east = p.OwnLonUnits(), north = p.OwnLatUnits();
    p.SetOwnLatitude(-10.5);
    const int32_t south = p.OwnLatUnits();
    ASSERT_TRUE(p.SetNumber(pref::kOwnLonHemisphere, 'e'));
    ASSERT_TRUE(p.SetNumber(pref::kOwnLatHemisphere, 's'));
    p.RecomputeOwnPosition();
    EXPECT_EQ(p.OwnLonUnits(), east);  // 10 degrees e is east, not west
    EXPECT_EQ(p.OwnLatUnits(), south);
    EXPECT_NE(south, north);
    ASSERT_TRUE(p.Set("status_text", "On the air"));
    p.RegenerateReportTexts(MakeDateTime(2026, 12, 8, 9, 5, 0));
    EXPECT_EQ(*p.Get("own_lat_text"), "1030.00S");
    EXPECT_EQ(*p.Get("own_lon_text"), "01015.00E");
    EXPECT_EQ(*p.Get("status_text_sent"), ">080905 On the air");
    ASSERT_TRUE(p.Set("status_text", ""));
    p.RegenerateReportTexts(MakeDateTime(2026, 12, 8, 9, 5, 0));
    EXPECT_EQ(*p.Get("status_text_sent"), "");
}

TEST(Preferences, BadNamesAndValuesAreRefused) {
    Preferences p;
    const auto before = p.Bytes();
    EXPECT_FALSE(p.Set("no_such_field", "1"));
    EXPECT_FALSE(p.Set("danger_radius", "40000"));  // beyond 16 bits
    EXPECT_FALSE(p.Set("danger_radius", "ten"));
    EXPECT_FALSE(p.Set("kiss_enabled_hf", "256"));
    EXPECT_FALSE(p.Set("enable_server", "2"));  // a switch is 0 or 1
    EXPECT_FALSE(p.Set("own_symbol_code", "ab"));
    EXPECT_FALSE(p.Set("own_call", std::string(40, 'x')));
    EXPECT_EQ(p.Bytes(), before);
}

// Found as: one flipped byte in Velmora.prf turned the server on. A switch
// holding anything but 0 or 1 is damage and reads as its default; numbers
// that are not switches keep what they hold.
TEST(Preferences, ASwitchThatIsNeitherZeroNorOneReadsAsItsDefault) {
    Preferences good;
    ASSERT_TRUE(good.Set("map_font_size", "20"));
    ASSERT_TRUE(good.Set("master_mode", "3"));
    std::string bytes(good.Bytes().begin(), good.Bytes().end());
    int switches = 0;
    for (const PrefField& f : PreferenceFields()) {
        if (!f.flag) continue;
        ++switches;
        bytes[f.offset] = static_cast<char>(f.defaultNumber == 1 ? 0x7F : 0x05);
    }
    EXPECT_GE(switches, 40);
    Preferences p;
    ASSERT_EQ(p.LoadBytes(bytes), Preferences::LoadResult::kLoaded);
    for (const PrefField& f : PreferenceFields())
        if (f.flag) EXPECT_EQ(p.Get(f.name), std::to_string(f.defaultNumber)) << f.name;
    EXPECT_EQ(p.Get("enable_server"), "0");
    EXPECT_EQ(p.Get("sound_on"), "1");
    EXPECT_EQ(p.Get("map_font_size"), "20");
    EXPECT_EQ(p.Get("master_mode"), "3");
}

// velmora-prefs changed a setting while the program ran: the program's next
// save (Metric Units, say) keeps it instead of writing the old value back.
TEST(Preferences, ASaveKeepsWhatAnotherProgramChangedMeanwhile) {
    test::TestApp t;
    Preferences first;
    ASSERT_TRUE(first.Set("status_text", "old status"));
    ASSERT_TRUE(first.Save(t.files));
    Preferences running;
    ASSERT_EQ(running.Load(t.files), Preferences::LoadResult::kLoaded);
    Preferences tool;  // velmora-prefs, meanwhile
    ASSERT_EQ(tool.Load(t.files), Preferences::LoadResult::kLoaded);
    ASSERT_TRUE(tool.Set("status_text", "new status"));
    ASSERT_TRUE(tool.Set("posit_comment", "both changed: the later save wins"));
    ASSERT_TRUE(tool.Save(t.files));
    ASSERT_TRUE(running.Set("metric_units", "1"));
    ASSERT_TRUE(running.Set("posit_comment", "mine"));
    ASSERT_TRUE(running.Save(t.files));
    Preferences back;
    ASSERT_EQ(back.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(back.Get("status_text"), "new status");
    EXPECT_EQ(back.Get("metric_units"), "1");
    EXPECT_EQ(back.Get("posit_comment"), "mine");
    EXPECT_EQ(running.Get("status_text"), "new status");  // and the program now holds it
}

TEST(VelmoraPrefs, SetsByNameAndRefusesClearly) {
    test::TestApp t;
    const std::string tool = std::string(VELMORA_PREFS_BIN) + " --data " + t.folder.string();
    ASSERT_EQ(std::system((tool + " set own_call N0CALL-9").c_str()), 0);
    ASSERT_EQ(std::system((tool + " set own_lat 41.7146 >/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set bogus 1 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set danger_radius 99999 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set port2_device COM1 2>/dev/null").c_str()), 0);  // as the dialog refuses it
    ASSERT_EQ(std::system((tool + " set port2_device tcp:localhost:8001").c_str()), 0);
    // Calls, paths and the rest as their dialogs check them.
    EXPECT_NE(std::system((tool + " set own_call n0call 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set own_call W1ABC-16 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set kiss_digi_path_vhf WIDE1-1,WIDE2-99 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set own_lat_minutes 61 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set msg_retries 99 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set enable_server 2 2>/dev/null").c_str()), 0);
    // A line end in any text that is sent would make a line of its own on the
    // uplink ("#filter ...") or on the air.
    EXPECT_NE(std::system((tool + " set posit_comment \"$(printf 'hello\\r\\n#filter r/0/0/20000')\" 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set status_text \"$(printf 'away\\033[2J')\" 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool + " set internet_filter \"$(printf 'r/1/2/3\\tuser X')\" 2>/dev/null").c_str()), 0);
    ASSERT_EQ(std::system((tool + " set unproto_path WIDE1-1,WIDE2-1").c_str()), 0);
    ASSERT_EQ(std::system((tool + " set alt_path_vhf1 'wide1-1 wide2-2' >/dev/null").c_str()), 0);
    // Paths and alias lists as operators type them are kept as the dialogs keep them.
    ASSERT_EQ(std::system((tool + " set alias_list_vhf 'relay, wide' >/dev/null").c_str()), 0);
    Preferences p;
    ASSERT_EQ(p.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(p.OwnCall(), "N0CALL-9");
    EXPECT_EQ(*p.Get("own_lat_degrees"), "41");
    EXPECT_EQ(*p.Get("own_lat_hemisphere"), std::to_string('N'));
    std::FILE* out = popen(tool.c_str(), "r");
    ASSERT_NE(out, nullptr);
    char line[256];
    bool sawCall = false;
    while (std::fgets(line, sizeof line, out)) sawCall = sawCall || std::string(line) == "own_call N0CALL-9\n";
    pclose(out);
    EXPECT_TRUE(sawCall);
    const auto get = [&](const std::string& name) {
        std::string text;
        if (std::FILE* o = popen((tool + " get " + name).c_str(), "r")) {
            while (std::fgets(line, sizeof line, o)) text += line;
            pclose(o);
        }
        return text;
    };
    EXPECT_EQ(get("own_lat_hemisphere"), "N\n");  // the letter, not its code
    EXPECT_EQ(get("own_lat"), "41.714600\n");
    EXPECT_EQ(get("own_call"), "N0CALL-9\n");
    EXPECT_EQ(get("alias_list_vhf"), "RELAY,WIDE\n");
    EXPECT_EQ(get("alt_path_vhf1"), "WIDE1-1,WIDE2-2\n");  // a blank stood for a comma
    EXPECT_NE(std::system((tool + " get bogus 2>/dev/null").c_str()), 0);
}


// A position typed the way hams write it is read right, shown back, or refused with an example.
TEST(VelmoraPrefs, TakesThePositionInEveryFormAndShowsItBack) {
    test::TestApp t;
    const std::string tool = std::string(VELMORA_PREFS_BIN) + " --data " + t.folder.string();
    const auto run = [&](const std::string& args) {
        std::string text;
        if (std::FILE* o = popen((tool + " " + args + " 2>&1").c_str(), "r")) {
            char line[512];
            while (std::fgets(line, sizeof line, o)) text += line;
            pclose(o);
        }
        return text;
    };
    EXPECT_EQ(run("set own_position '47 36.50N 122 20.00W'"), "own_position = 47°36.50′N 122°20.00′W\n");
    EXPECT_EQ(run("get own_position"), "47.608333 -122.333333\n");
    EXPECT_EQ(run("set own_lon '72 01 59 W'"), "own_lon = 72°01.98′W\n");
    EXPECT_EQ(run("get own_lon"), "-72.033056\n");
    // Refused, and nothing changed: "47 36.50 N" was once read as 47.5.
    EXPECT_NE(run("set own_position '47 36.50N 122 20.00'").find("write it as 47.60833 -122.33333"), std::string::npos);
    EXPECT_NE(run("set own_lat '122 20.00 W'").find("W is no hemisphere of a latitude"), std::string::npos);
    EXPECT_EQ(run("get own_position"), "47.608333 -72.033056\n");
}

}  // namespace
}  // namespace velmora
