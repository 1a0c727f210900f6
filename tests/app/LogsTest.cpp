#include "app/Logs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/TestApp.h"

namespace velmora {
namespace {

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Logs, DatedLogAppendsToTheSameFileWithinADayAndTakesTheNewDateAfterMidnight) {
    test::TestApp t;
    t.clock.Set(2026, 12, 8, 23, 59, 0);
    LogSet& logs = t.app.Logs();
    ASSERT_TRUE(logs.Open(LogKind::kAprs));
    logs.WriteLine(LogKind::kAprs, "first");
    logs.Close(LogKind::kAprs);
    logs.Open(LogKind::kAprs);
    logs.WriteLine(LogKind::kAprs, "second");
    EXPECT_EQ(ReadFile(t.folder / "Logs/APRS20261208.log"), "first\r\nsecond\r\n");
    t.clock.Set(2026, 12, 9, 0, 0, 5);
    logs.WriteLine(LogKind::kAprs, "still the open file");
    logs.Close(LogKind::kAprs);
    logs.Open(LogKind::kAprs);
    logs.WriteLine(LogKind::kAprs, "new day");
    EXPECT_EQ(ReadFile(t.folder / "Logs/APRS20261209.log"), "new day\r\n");
    EXPECT_NE(ReadFile(t.folder / "Logs/APRS20261208.log").find("still the open file"), std::string::npos);
}

TEST(Logs, StationLogHasItsHeaderAndALinePerNewStation) {
    test::TestApp t;
    t.clock.Set(2026, 12, 8, 9, 5, 7);
    ASSERT_TRUE(t.app.Logs().Open(LogKind::kStation));
    t.Live("W1AW>APRS:!4140.35N/07243.55W#", '2');
    t.Live("W1AW>APRS:!4140.35N/07243.55W#", '2');  // not new: no second line
    t.app.Logs().Close(LogKind::kStation);
    EXPECT_EQ(ReadFile(t.folder / "Logs/Station.log"),
              "12/08/2026\t09:05:07\tDorvale Version\t2.2.8\tLinux\r\n"
              "W1AW\t2\tDOS\t12/08/2026\r\n");
}

TEST(Logs, ClosedLogWritesNothingAndAnUncreatableLogBeepsAndStaysClosed) {
    test::TestApp t;
    t.app.Logs().WriteLine(LogKind::kMessage, "dropped");
    EXPECT_FALSE(std::filesystem::exists(t.folder / "Logs/Message.log"));
    std::ofstream(t.folder / "Logs") << "a file where the folder should be";
    EXPECT_FALSE(t.app.Logs().Open(LogKind::kMessage));
    EXPECT_FALSE(t.app.Logs().IsOpen(LogKind::kMessage));
    EXPECT_EQ(t.notices.beeps, 1);
}

TEST(Logs, MenuCommandsMapToTheirLogs) {
    EXPECT_EQ(LogForCommand(7100)->kind, LogKind::kStation);
    EXPECT_EQ(LogForCommand(7105)->kind, LogKind::kRdf);
    EXPECT_EQ(LogForCommand(7106), nullptr);
    EXPECT_EQ(LogForCommand(0), nullptr);  // the statistics log has no command
}

}  // namespace
}  // namespace velmora
