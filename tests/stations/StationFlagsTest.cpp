#include <gtest/gtest.h>

#include <fstream>

#include "stations/StationFlags.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

TEST(StationFlagsFile, ReadsTabSeparatedLinesAndSkipsTheRest) {
    const auto dir = test::MakeTempFolder();
    {
        std::ofstream f(dir / "Stations.txt", std::ios::binary);
        f << "# comment\tALARM\r\n"
             "* also a comment\tALARM\r\n"
             "W1\r\n"                       // three characters or fewer
             "K1ABC no tab ALARM\r\n"       // needs two fields
             "X\tALARM\r\n"                 // one-character callsign
             "W1AW\tAlarm, danger\tnote\r\n"
             "KA1XYZ-15\tigate\tTRACK\twarning\tFLAGGED\tLOCK\r\n";
    }
    DiskFiles files(dir.string());
    StationFlagsFile flags;
    EXPECT_EQ(flags.Load(files), 2);
    const StationFlags a = flags.For("W1AW");
    EXPECT_TRUE(a.alarm);
    EXPECT_TRUE(a.danger);
    EXPECT_FALSE(a.igate);
    const StationFlags b = flags.For("KA1XYZ-15");
    EXPECT_TRUE(b.igate && b.track && b.warning && b.flagged && b.lock);
    EXPECT_FALSE(flags.For("K1ABC").alarm);
    EXPECT_FALSE(flags.For("w1aw").alarm);  // callsigns compare exactly
    std::filesystem::remove_all(dir);

    // A missing file leaves every station unflagged.
    DiskFiles empty("/nonexistent-velmora");
    EXPECT_EQ(flags.Load(empty), 0);
    EXPECT_FALSE(flags.For("W1AW").alarm);
}

}  // namespace
}  // namespace velmora
