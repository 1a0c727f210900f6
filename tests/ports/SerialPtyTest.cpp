// Serial ports on real pseudo-terminals (socat), through QSerialPort.
#include <gtest/gtest.h>

#include "support/PumpUntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <mutex>
#include <fstream>
#include <functional>
#include <thread>

#include "app/MenuTable.h"
#include "app/Program.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeUserInterface.h"
#include "platform/fake/RecordingNotices.h"
#include "ui/HeadlessUi.h"
#include "platform/qt/QtSerial.h"
#include "ports/PortManager.h"
#include "geo/Position.h"
#include "support/SocatPair.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

// Runs the event loop until the condition holds or the time is up.
using test::PumpUntil;

struct Lines : PortInputSink {
    void Dispatch(int, std::string_view data) override { got.emplace_back(data); }
    void RawInput(int, std::string_view) override {}
    std::vector<std::string> got;
};

struct PtyPorts : testing::Test {
    void SetUp() override {
        if (!test::SocatPair::Available()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(pty.Ready());
        ports.SetSink(&lines);
        ports.SetPortSettings(kPortVhfTnc, pty.Near(), "19200", "1", "N");
        ASSERT_TRUE(ports.OpenPort(kPortVhfTnc));
    }
    test::SocatPair pty;
    QtSerialLayer layer;
    FakeUserInterface ui;
    RecordingNotices notices;
    PortManager ports{&layer, ui, notices};
    Lines lines;
};

TEST_F(PtyPorts, BytesBecomeLinesAtTheDecoder) {
    ASSERT_TRUE(pty.Write("ABC\r\nDEF\r"));
    ASSERT_TRUE(PumpUntil([&] { return lines.got.size() >= 2; }));
    EXPECT_EQ(lines.got, (std::vector<std::string>{"ABC", "DEF"}));
}

TEST_F(PtyPorts, ARunWithoutCarriageReturnIsDroppedWhole) {
    ASSERT_TRUE(pty.Write(std::string(5000, 'x') + "\rW1AW>APRS:>after\r"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.got.empty(); }));
    EXPECT_EQ(lines.got, std::vector<std::string>{"W1AW>APRS:>after"});
}

TEST_F(PtyPorts, SevenBitPortStripsTheTopBit) {
    ASSERT_TRUE(pty.Write("\xC1\x41\r"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.got.empty(); }));
    EXPECT_EQ(lines.got[0], "AA");
}

TEST_F(PtyPorts, ASecondPortOnTheSameDeviceIsRefused) {
    ports.SetPortSettings(kPortGps, pty.Near(), "4800", "1", "N");
    EXPECT_FALSE(ports.OpenPort(kPortGps));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Port " + pty.Near() + " is already open by VHF TNC Port");  // named by its path
}

TEST_F(PtyPorts, WritesArriveAtTheFarEnd) {
    ASSERT_TRUE(ports.WritePort(kPortVhfTnc, "mycall N0CALL\r"));
    std::string got;
    PumpUntil([&] { return (got += pty.Read()).size() >= 14; });
    EXPECT_EQ(got, "mycall N0CALL\r");
}

TEST_F(PtyPorts, AnUnpluggedDeviceClosesOnceWithAMessageAndReopens) {
    pty.Stop();  // both terminals vanish, as a pulled USB adapter does
    ASSERT_TRUE(PumpUntil([&] { return !ports.IsOpen(kPortVhfTnc); }));
    ASSERT_EQ(notices.status.size(), 1u);
    EXPECT_NE(notices.status[0].find("VHF TNC Port lost"), std::string::npos) << notices.status[0];
    // No error loop afterwards, and tries that fail while it is away.
    uint32_t now = 100;
    PumpUntil([&] {
        ports.RecoverLostPorts(now += 5);
        return false;
    }, 300);
    EXPECT_EQ(notices.status.size(), 1u);
    EXPECT_TRUE(ports.IsLost(kPortVhfTnc));
    // Plugged in again: the next try opens it by itself.
    ASSERT_TRUE(pty.Start());
    ports.RecoverLostPorts(now + 60);
    ASSERT_TRUE(ports.IsOpen(kPortVhfTnc));
    ASSERT_TRUE(pty.Write("AGAIN\r"));
    ASSERT_TRUE(PumpUntil([&] { return !lines.got.empty(); }));
    EXPECT_EQ(lines.got.back(), "AGAIN");
}

TEST_F(PtyPorts, AContinuousStreamLosesNoLine) {
    std::string burst;
    constexpr int kLines = 3000;  // about 100 s of traffic at 19200 baud
    for (int i = 0; i < kLines; ++i) burst += "N" + std::to_string(i) + ">APRS,WIDE2-1:!4140.00N/07240.00W-stream\r\n";
    // The far end writes while the event loop reads, as a TNC would.
    bool written = false;
    std::thread writer([&] { written = pty.Write(burst); });
    PumpUntil([&] { return lines.got.size() >= static_cast<size_t>(kLines); }, 10000);
    writer.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(lines.got.size(), static_cast<size_t>(kLines));
    EXPECT_EQ(lines.got.back(), "N2999>APRS,WIDE2-1:!4140.00N/07240.00W-stream");
    EXPECT_LE(ports.Record(kPortVhfTnc).line.capacity(), 8192u);  // the partial line stays bounded
}

// Preferences of a station whose VHF TNC is the near end of the pty pair.
Preferences PtyStation(const test::SocatPair& pty, const char* call) {
    Preferences prefs;
    test::SetPref(prefs, "own_call", call);
    prefs.SetOwnLatitude(41.5);
    prefs.SetOwnLongitude(-72.5);
    test::SetPref(prefs, "port2_device", pty.Near());
    return prefs;
}

// The whole program: a packet from the VHF TNC lands in the station table
// and the dated APRS log, and the terminal's typed bytes reach the TNC.
TEST(PtyProgram, PacketLineReachesTheTableAndTheLogAndTheTerminalTypesToTheTnc) {
    if (!test::SocatPair::Available()) GTEST_SKIP() << "socat is not installed";
    test::SocatPair pty;
    ASSERT_TRUE(pty.Ready());
    const auto folder = test::MakeTempFolder();
    DiskFiles files(folder.string());
    Preferences prefs = PtyStation(pty, "N0TEST");
    test::SetPref(prefs, "auto_log_aprs", "1");
    ASSERT_TRUE(prefs.Save(files));
    FakeClock clock;
    RecordingNotices notices;
    FakeUserInterface ui;
    QtSerialLayer layer;
    ProgramOptions options;
    options.serial = &layer;
    {
        Program program(Platform{clock, notices, files}, ui, options);
        program.Start();
        program.Command(kCmdOpenVhfTnc);
        ASSERT_TRUE(program.IsChecked(kCmdOpenVhfTnc));
        ASSERT_TRUE(pty.Write("W1PTY>APRS,WIDE2-2:!4141.00N/07241.00W-via pty\r\n"));
        const StationTable& st = program.Core().Stations();
        ASSERT_TRUE(PumpUntil([&] { return st.Lookup("W1PTY") >= 0; }));
        EXPECT_NEAR(LatDegreesFromUnits(st.At(st.Lookup("W1PTY")).lat), 41.0 + 41.0 / 60, 1e-4);

        // The pauses of the TNC start-up pass at once here.
        const auto passPauses = [&] {
            while (!ui.singleShots.empty()) {
                const int id = ui.singleShots.front().first;
                ui.singleShots.erase(ui.singleShots.begin());
                program.OnTimer(id);
            }
        };
        passPauses();
        std::string startup;
        PumpUntil([&] { return (startup += pty.Read()).find("conv\r") != std::string::npos; });
        EXPECT_EQ(startup.substr(0, 2), "*\r");
        program.Command(kCmdTerminal);
        passPauses();
        std::string got;
        PumpUntil([&] { return (got += pty.Read()).size() >= 9; });
        EXPECT_EQ(got, "\x03" "ECHO ON\r");
        program.TerminalTyped("MH\r");
        got.clear();
        PumpUntil([&] { return (got += pty.Read()).size() >= 3; });
        EXPECT_EQ(got, "MH\r");
        program.Stop();
    }
    std::ifstream log(folder / "Logs" / "APRS20261208.log", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(log)), {});
    EXPECT_EQ(text, "W1PTY>APRS,WIDE2-2:!4141.00N/07241.00W-via pty\r\n");
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Every byte the far end receives, with when it arrived: a thread waits on
// the far end so each arrival is stamped as it happens.
class Arrivals {
public:
    explicit Arrivals(test::SocatPair& pty) : fd_(pty.FarFd()), reader_([this] { Read(); }) {}
    ~Arrivals() {
        stop_ = true;
        reader_.join();
    }
    // A copy of what has arrived so far, with the arrival of each byte.
    std::pair<std::string, std::vector<std::chrono::steady_clock::time_point>> Got() {
        std::lock_guard<std::mutex> lock(mutex_);
        return {bytes_, at_};
    }
    void Clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        bytes_.clear();
        at_.clear();
    }

private:
    void Read() {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) continue;
            char buf[4096];
            const ssize_t n = read(fd_, buf, sizeof buf);
            if (n <= 0) continue;
            const auto now = std::chrono::steady_clock::now();
            std::lock_guard<std::mutex> lock(mutex_);
            bytes_.append(buf, static_cast<size_t>(n));
            at_.insert(at_.end(), static_cast<size_t>(n), now);
        }
    }
    int fd_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string bytes_;
    std::vector<std::chrono::steady_clock::time_point> at_;
    std::thread reader_;
};

// A text-mode TNC played by a pseudo-terminal: the start-up sequence
// arrives byte for byte, in order and with at least its pauses between
// the texts, while the event loop keeps running; then the close-down.
TEST(PtyTextModeTnc, StartUpAndCloseDownArriveWithTheirSpacing) {
    if (!test::SocatPair::Available()) GTEST_SKIP() << "socat is not installed";
    test::SocatPair pty;
    ASSERT_TRUE(pty.Ready());
    const auto folder = test::MakeTempFolder();
    DiskFiles files(folder.string());
    Preferences prefs = PtyStation(pty, "N0ME-2");
    test::SetPref(prefs, "unproto_path", "WIDE2-2");
    ASSERT_TRUE(prefs.Save(files));
    SystemClock clock;
    RecordingNotices notices;
    HeadlessUi ui;
    QtSerialLayer layer;
    ProgramOptions options;
    options.serial = &layer;
    Program program(Platform{clock, notices, files}, ui, options);
    ui.Attach(&program);
    program.Start();
    Arrivals a(pty);
    const auto start = std::chrono::steady_clock::now();
    program.Command(kCmdOpenVhfTnc);
    // Other events keep being served during the start-up: the loop never blocks.
    int ticks = 0;
    QTimer other;
    QObject::connect(&other, &QTimer::timeout, [&] { ++ticks; });
    other.start(100);
    ASSERT_TRUE(PumpUntil([&] { return a.Got().first.find("?APRS?\r") != std::string::npos; }, 20000)) << a.Got().first;
    EXPECT_GE(ticks, 10);  // about 3.5 s of start-up

    struct Text { std::string bytes; int pauseTicks; };
    const std::vector<Text> expected = {
        {"*\r", 40}, {"\x03\x03\x03", 30}, {"\r", 20}, {"echo off\r", 20}, {"BE E 0\r", 20}, {"HEA OFF\r", 40},
        {"mycall N0ME-2\r", 20}, {"unproto APZ228 via WIDE2-2\r", 20}, {"conv\r", 20}, {"?APRS?\r", 0}};
    std::string all;
    for (const Text& t : expected) all += t.bytes;
    const auto [bytes, at] = a.Got();
    // A minute change after the start sends the position too.
    ASSERT_EQ(bytes.substr(0, all.size()), all);
    // The first text follows the opening pause of 60 ticks.
    EXPECT_GE(at[0] - start, std::chrono::milliseconds(1000 - 20));
    size_t offset = 0;
    for (size_t i = 0; i + 1 < expected.size(); ++i) {
        const size_t next = offset + expected[i].bytes.size();
        const auto gap = at[next] - at[offset];
        EXPECT_GE(gap, std::chrono::milliseconds(expected[i].pauseTicks * 1000 / 60 - 20)) << "after text " << i;
        offset = next;
    }

    // The first minute change after a start sends the position. (The start
    // is taken again here: the wall clock's own minute may have turned
    // during the start-up and used the first send already.)
    a.Clear();
    program.Transmitter().TncStarted();
    program.Transmitter().MinuteChanged(clock.Now());
    ASSERT_TRUE(PumpUntil([&] { return a.Got().first.find("=4130.00N/07230.00WZ") != std::string::npos; }, 3000))
        << a.Got().first;

    a.Clear();
    program.Command(kCmdOpenVhfTnc);  // close: the close-down, then the port closes
    ASSERT_TRUE(PumpUntil([&] { return !program.Ports().IsOpen(kPortVhfTnc); }, 5000));
    PumpUntil([&] { return a.Got().first.size() >= 4 && a.Got().first.substr(a.Got().first.size() - 4) == "40\r"; }, 1000);
    // (A position sent at a minute change may come first.)
    std::string down = a.Got().first;
    const size_t closing = down.find("\x03\x03\x03\r");
    ASSERT_NE(closing, std::string::npos) << down;
    down = down.substr(closing);
    ASSERT_GE(down.size(), 13u);
    EXPECT_NE(down.find("btext !4130.00N/07230.00WZ Velmora QRT @"), std::string::npos) << down;
    EXPECT_EQ(down.substr(down.size() - 9), "BE E 240\r");
    ui.Attach(nullptr);
    program.Stop();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

}  // namespace
}  // namespace velmora
