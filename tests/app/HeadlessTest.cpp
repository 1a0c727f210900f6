// The headless program as a service runs it: a real process, its console,
// and SIGTERM.
#include <gtest/gtest.h>

#include "app/Import.h"
#include "lists/StationLists.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <filesystem>
#include <regex>
#include <thread>

#include "app/Preferences.h"
#include "support/TestApp.h"
#include "support/SerialProgram.h"
#include "support/WeatherDay.h"
#include <fstream>

namespace velmora {
namespace {

// What a shell command printed; its exit status in *status when asked.
std::string RunShell(const std::string& cmd, int* status = nullptr) {
    std::FILE* out = popen(cmd.c_str(), "r");
    std::string text;
    if (!out) return text;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, out)) > 0) text.append(buf, n);
    const int code = pclose(out);
    if (status) *status = code;
    return text;
}

TEST(Headless, VersionHelpAndAMissingDataFolder) {
    int status = -1;
    EXPECT_EQ(RunShell(std::string(VELMORA_BIN) + " --version", &status), "Velmora 2.2.8\n");
    EXPECT_EQ(status, 0);
    EXPECT_NE(RunShell(std::string(VELMORA_BIN) + " --help", &status).find("--data DIR"), std::string::npos);
    EXPECT_EQ(status, 0);
    const std::string refused = RunShell(std::string(VELMORA_BIN) + " --headless --data /nonexistent/velmora 2>&1", &status);
    EXPECT_EQ(refused, "velmora: the data folder /nonexistent/velmora does not exist\n");
    EXPECT_NE(status, 0);
}

TEST(Headless, ConsoleCommandsAndQuit) {
    test::TestApp t;
    Preferences p;
    test::SetPref(p, "own_call", "N0CALL-1");
    p.SetOwnLatitude(41.7146);
    p.SetOwnLongitude(-72.727);
    ASSERT_TRUE(p.Save(t.files));
    const std::string cmd = "printf 'table\\nstations\\nbogus\\nquit\\n' | " + std::string(VELMORA_BIN) + " --headless --data " +
                            t.folder.string();
    int status = -1;
    const std::string text = RunShell(cmd, &status);
    EXPECT_EQ(status, 0);
    // The own station is station 0, at the saved position.
    EXPECT_NE(text.find("\nN0CALL-1\t41.714"), std::string::npos) << text;
    // "stations" is the station list, as "list STAL" prints it.
    EXPECT_NE(text.find("\nCall\tSymbol\tMeaning\t"), std::string::npos) << text;
    EXPECT_NE(text.find("Unknown command: bogus"), std::string::npos);
    EXPECT_NE(text.find("Velmora stopped"), std::string::npos);
}

// help is printed from the command table, so it names every command; a
// command that needs words and gets none says how it is used.
TEST(Headless, HelpNamesEveryCommandAndBareCommandsPrintTheirUsage) {
    test::TestApp t;
    std::string script = "help\n";
    for (const char* bare : {"find", "filter", "view", "render", "info", "open", "quit now"}) script += std::string(bare) + "\n";
    script += "query area 41.7 -72.7 50\nquery area 41 42.00N 72 42.00W 25\nquery area 41 42.00N 72 42.00 25\nmsg ABCDEFGHIJ hi\nquit\n";
    const std::string cmd = "printf '" + script + "' | " + std::string(VELMORA_BIN) + " --headless --data " +
                            t.folder.string();
    int status = -1;
    const std::string text = RunShell(cmd, &status);
    EXPECT_EQ(status, 0);
    for (const char* name : {"find ", "filter ", "nws ", "nts ", "query ", "links\n", "msg ", "close terminal"})
        EXPECT_NE(text.find(std::string("\n") + name), std::string::npos) << name;
    EXPECT_NE(text.find("view LAT LON SPAN | polar"), std::string::npos);
    EXPECT_NE(text.find("3201  Transmit > Send Position"), std::string::npos);  // the menu follows
    for (const char* usage : {"usage: find airport ID | zip NNNNN", "usage: filter FILTER", "usage: view LAT LON",
                              "usage: render FILE.png", "usage: info CALL", "usage: open FILE", "usage: quit"})
        EXPECT_NE(text.find(usage), std::string::npos) << usage;
    EXPECT_EQ(text.find("Unknown command"), std::string::npos) << text;
    EXPECT_NE(text.find("Query sent"), std::string::npos);
    // A position in the form hams write, shown back; a half-written one refused with an example.
    EXPECT_NE(text.find("Asking the stations within 25 miles of 41°42.00′N 72°42.00′W"), std::string::npos) << text;
    EXPECT_NE(text.find("\"41 42.00N 72 42.00\" is not a position: write it as"), std::string::npos) << text;
    EXPECT_NE(text.find("The addressee has at most 9 characters (W1AW-15, BLN1); ABCDEFGHIJ has 10"), std::string::npos);
}

// The demo maps, seen from the console: the menu, a map by name, a view
// and a picture of it.
TEST(Headless, MapsMapViewAndRender) {
    test::TestApp t;
    std::filesystem::create_directory_symlink(std::filesystem::path(VELMORA_SOURCE_DIR) / "demo" / "Maps",
                                              t.folder / "Maps");
    const std::string png = (t.folder / "paris.png").string();
    const std::string cmd = "printf 'maps\\nmap europe.map\\nview 48.85 2.35 2\\nrender " + png +
                            " 640 480\\nview 91 0 1\\nmap Atlantis\\ninfo w1aw\\ninfo NOBODY\\nquit\\n' | " + std::string(VELMORA_BIN) +
                            " --headless --data " + t.folder.string();
    int status = -1;
    const std::string text = RunShell(cmd, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(text.find("21001  Display Map Boundaries\n"), std::string::npos) << text;
    EXPECT_NE(text.find("       World/\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Europe\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Map window - Europe\n"), std::string::npos) << text;
    EXPECT_NE(text.find("View 48.8500 2.3500, 2.0000 degrees across"), std::string::npos) << text;
    EXPECT_NE(text.find("Rendered " + png), std::string::npos) << text;
    EXPECT_NE(text.find("usage: view LAT LON SPAN"), std::string::npos) << text;
    EXPECT_NE(text.find("No map Atlantis"), std::string::npos) << text;
    EXPECT_NE(text.find("No station NOBODY"), std::string::npos) << text;
    // A PNG of the size asked for: the width and height of its header chunk.
    std::FILE* f = std::fopen(png.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char head[24] = {};
    EXPECT_EQ(std::fread(head, 1, sizeof head, f), sizeof head);
    std::fclose(f);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(head) + 1, 3), "PNG");
    EXPECT_EQ((head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19], 640);
    EXPECT_EQ((head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23], 480);
}

// The weather from the console: the display, the home chart kept in
// WXHist.bin, a received station's day and one without, the zero keys.
TEST(Headless, WeatherDisplayAndCharts) {
    test::TestApp t;
    std::filesystem::create_directory(t.folder / "Logs");
    {
        const std::vector<uint8_t> day = test::WeatherDay().Bytes();
        std::ofstream(t.folder / "Logs" / "WXHist.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(day.data()), std::streamsize(day.size()));
    }
    std::ofstream(t.folder / "wx.log") << "KB1WX>APRS,WIDE2-1:@081230z4130.00N/07230.00W_220/004g005t077r000p000P000h50b09900\n";
    const std::string home = (t.folder / "home.png").string(), station = (t.folder / "kb1wx.png").string();
    const std::string cmd = "printf 'weather\nweather compact\nrender-chart " + home + " 700 500\nopen " + (t.folder / "wx.log").string() +
                            "\nrender-chart " + station + " kb1wx\nrender-chart " + station + " NOBODY\nweather zero w\n"
                            "weather zero x\nquit\n' | " + std::string(VELMORA_BIN) + " --headless --data " + t.folder.string();
    int status = -1;
    const std::string text = RunShell(cmd, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(text.find("--:--\n-- F  -- C\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nT   --oF\nTH  --oF\n"), std::string::npos) << text;  // compact, no data yet
    EXPECT_NE(text.find("Rendered " + home), std::string::npos) << text;
    EXPECT_NE(text.find("Rendered " + station), std::string::npos) << text;
    EXPECT_NE(text.find("This station does not have any weather data saved"), std::string::npos) << text;
    EXPECT_NE(text.find("Wind Values Zeroed"), std::string::npos) << text;
    EXPECT_NE(text.find("usage: weather zero T|R|W|P"), std::string::npos) << text;
    EXPECT_GT(std::filesystem::file_size(home), 10000u);
    EXPECT_GT(std::filesystem::file_size(station), 5000u);
}

TEST(Headless, TheEndOfInputDoesNotStopItSigtermDoes) {
    test::TestApp t;
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int devnull = open("/dev/null", O_RDWR);
        const int log = open((t.folder / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(devnull, STDIN_FILENO);
        dup2(log, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        const std::string folder = t.folder.string();
        execl(VELMORA_BIN, VELMORA_BIN, "--headless", "--data", folder.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0);  // still running with no console
    kill(pid, SIGTERM);
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    // The shutdown sequence ran.
    std::FILE* out = std::fopen((t.folder / "out.txt").c_str(), "r");
    ASSERT_NE(out, nullptr);
    std::string text;
    char buf[512];
    while (std::fgets(buf, sizeof buf, out)) text += buf;
    std::fclose(out);
    EXPECT_NE(text.find("Velmora stopped"), std::string::npos) << text;
}


// The desktop at a logout: SIGTERM runs the shutdown that saves the window
// places and the configuration, and the exit code is 0, not 143.
TEST(Desktop, SigtermSavesAndExitsCleanly) {
    test::TestApp t;
    Preferences p;
    test::SetPref(p, "own_call", "N0CALL-1");
    p.SetOwnLatitude(41.7);
    p.SetOwnLongitude(-72.7);
    ASSERT_TRUE(p.Save(t.files));
    std::filesystem::create_directory(t.folder / "Maps");
    std::filesystem::copy_file(std::filesystem::path(VELMORA_SOURCE_DIR) / "demo/Maps/World.map", t.folder / "Maps/World.map");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int devnull = open("/dev/null", O_RDWR);
        dup2(devnull, STDIN_FILENO);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const std::string folder = t.folder.string();
        execl(VELMORA_BIN, VELMORA_BIN, "--data", folder.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, WNOHANG), 0);  // the desktop is up
    kill(pid, SIGTERM);
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::exists(t.folder / "WinLoc.prf"));
    EXPECT_TRUE(std::filesystem::exists(t.folder / "Velmora.CFG"));
}

TEST(Headless, MenuCommandsByNumberOrTextAndOpenFileFillTheTableAsTheDecoderDoes) {
    test::TestApp t;
    const std::string traffic = std::string(VELMORA_SOURCE_DIR) + "/tests/data/every_type.txt";
    const std::string text = RunShell("printf '7101\nStation Logging\nopen " + traffic + "\ntable\n9999\nquit\n' | " +
                                 std::string(VELMORA_BIN) + " --headless --data " + t.folder.string() + " 2>/dev/null");
    EXPECT_TRUE(std::filesystem::exists(t.folder / "Logs" / "Station.log"));
    EXPECT_FALSE(std::filesystem::is_empty(t.folder / "Logs"));
    EXPECT_NE(text.find("Command 9999 is not available"), std::string::npos);
    // The rows after the header match velmora-decode's (which adds a summary line).
    const std::string decoded = RunShell(std::string(VELMORA_DECODE_BIN) + " " + traffic);
    const size_t header = decoded.find('\n');
    const std::string rows = decoded.substr(0, decoded.rfind("lines read"));
    const size_t at = text.find(rows.substr(0, header));
    ASSERT_NE(at, std::string::npos) << text;
    const auto mask = [](std::string s) { return std::regex_replace(s, std::regex("@[0-9]{6}z"), "@ddhhmmz"); };
    EXPECT_EQ(mask(text.substr(at, rows.size())), mask(rows));
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Every cell but those of the given column.
std::string WithoutColumn(const std::string& rows, size_t column) {
    std::string out;
    size_t start = 0;
    while (start < rows.size()) {
        const size_t end = rows.find('\n', start);
        const std::string row = rows.substr(start, end - start);
        size_t c = 0, at = 0;
        std::string kept;
        while (true) {
            const size_t tab = row.find('\t', at);
            if (c != column) kept += row.substr(at, tab - at) + "|";
            if (tab == std::string::npos) break;
            at = tab + 1;
            ++c;
        }
        out += kept + "\n";
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

TEST(Headless, ListPrintsTheRowsTheModelHolds) {
    test::TestApp t;
    const std::string traffic = std::string(VELMORA_SOURCE_DIR) + "/tests/data/every_type.txt";
    const std::string text = RunShell("printf 'open " + traffic + "\nlist\nlist WXXL\nlist NOPE\nquit\n' | " +
                                      std::string(VELMORA_BIN) + " --headless --data " + t.folder.string() +
                                      " 2>/dev/null");
    EXPECT_NE(text.find("STAL  Station List"), std::string::npos) << text;
    EXPECT_NE(text.find("HISL  History List"), std::string::npos);
    EXPECT_NE(text.find("No list NOPE"), std::string::npos);
    // The same traffic through a model of our own: the rows agree (but
    // for the age column, which depends on when each ran).
    ListSources sources{t.app.Stations(), t.app.Own(), t.app.Now(), t.app.History()};
    t.app.ProcessReceivedLine("N0CALL>APRS:>the own station, first", Liveness::kReplay, SourceKind::kOwn);
    (void)ImportFile(t.app, traffic, false);
    WeatherListModel model(sources);
    model.RefreshIfDirty();
    ASSERT_GT(model.RowCount(), 0u);
    const std::string expected = ListText(model);
    const size_t at = text.find(expected.substr(0, expected.find('\n')));
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_EQ(WithoutColumn(text.substr(at, expected.size()), 1), WithoutColumn(expected, 1));
}


// Own objects from the console: made in the forms hams write, listed,
// killed, and still there after a restart.
TEST(Headless, ObjectAddObjectsAndKill) {
    test::TestApp t;
    const std::string run = " | " + std::string(VELMORA_BIN) + " --headless --data " + t.folder.string();
    int status = -1;
    std::string text = RunShell("printf 'object add EOC 47 36.50N 122 20.00W /o Red Cross shelter\\n"
                                "object add NET 47.6 -122.3 \\\\k\\nobject add BAD 47 36.50N /o\\n"
                                "object move NET 4736.60N 12220.10W\\nobjects\\nquit\\n'" + run, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(text.find("Object EOC at 47°36.50′N 122°20.00′W, /o Emergency operations centre: Red Cross shelter"),
              std::string::npos) << text;
    EXPECT_NE(text.find("No position followed by a symbol"), std::string::npos) << text;
    EXPECT_NE(text.find("Object NET at 47°36.60′N 122°20.10′W, \\k"), std::string::npos) << text;
    text = RunShell("printf 'objects\\nobject kill EOC\\nobject kill NOPE\\nquit\\n'" + run, &status);
    EXPECT_NE(text.find("Object EOC at 47°36.50′N 122°20.00′W"), std::string::npos) << text;  // kept
    EXPECT_NE(text.find("Red Cross shelter (killed)"), std::string::npos) << text;
    EXPECT_NE(text.find("Not done: No own object named NOPE"), std::string::npos) << text;
}

}  // namespace
}  // namespace velmora
