#include <gtest/gtest.h>

#include "decode/ApplyReport.h"
#include "geo/Position.h"
#include "support/TestApp.h"

namespace velmora {
namespace {

using test::TestApp;

// A position report this many miles due north of the home at 45 N 75 W.
std::string NorthOfHome(const char* call, double miles) {
    const double lat = 45.0 + miles / 69.10;
    const int deg = static_cast<int>(lat);
    const double minutes = (lat - deg) * 60;
    char line[128];
    std::snprintf(line, sizeof line, "%s>APRS:!%02d%05.2fN/07500.00W-", call, deg, minutes);
    return line;
}

TEST(ApplyReport, DataExtensions) {
    TestApp t;
    t.Live("A1>APRS:!4903.50N/07201.75W>088/036/A=001234");
    EXPECT_EQ(t.Station("A1").course, 88);
    EXPECT_EQ(t.Station("A1").speedKnots, 36);
    EXPECT_EQ(t.Station("A1").altitudeFeet, 1234);
    t.Live("A2>APRS:!4903.50N/07201.75W>/A=-00012 low");
    EXPECT_EQ(t.Station("A2").altitudeFeet, -12);
    t.Live("A3>APRS:!4903.50N/07201.75W>Going up /A=012345");
    EXPECT_EQ(t.Station("A3").altitudeFeet, 12345);
    t.Live("A4>APRS:!4903.50N/07201.75W#PHG5132/digi");
    EXPECT_EQ(t.Station("A4").phg.View(), "5132");
    t.Live("A5>APRS:!4903.50N/07201.75W\\270/5 bearing");
    EXPECT_EQ(t.Station("A5").dfBearing, 270);
    EXPECT_EQ(t.Station("A5").dfQuality, 5);
    // "l" never carries a course.
    t.Live("A6>APRS:!4903.50N/07201.75Wl088/036");
    EXPECT_EQ(t.Station("A6").course, 0);
    // Weather and storm symbols hand the comment on.
    t.Live("A7>APRS:!4903.50N/07201.75W_220/004g005t077");
    EXPECT_EQ(t.Station("A7").windDirection, 220);
    EXPECT_EQ(t.Station("A7").temperatureF, 77);
    t.Live("A8>APRS:!4903.50N/07201.75W@090/025/HC/065^080/960>045&120%250OUTER BANDS");
    EXPECT_EQ(t.Station("A8").stormWind, 65);
    EXPECT_EQ(t.app.Statistics().Total(1, kStatWeather), 2u);
}

TEST(ApplyReport, SoftwareTrailerIsStored) {
    TestApp t;
    t.Live("W1AW>APRS:!4903.50N/07201.75W-Home -KYWIN-228-<630>");
    const StationRecord& s = t.Station("W1AW");
    EXPECT_EQ(s.version, 228);
    EXPECT_EQ(s.systemCode, 0x630);
    EXPECT_EQ(s.codeA.View(), "KY");
    EXPECT_EQ(s.codeB.View(), "WIN");
}

TEST(ApplyReport, DangerAndWarningRadiusUseWholeMiles) {
    TestApp t;
    t.app.SetHome(45.0, -75.0);
    t.app.StationOptions().dangerRadiusMiles = 10;
    t.app.StationOptions().warningRadiusMiles = 20;
    t.app.Flags().AddLine("D1\tDANGER");
    t.app.Flags().AddLine("D2\tDANGER");
    t.app.Flags().AddLine("W1\tWARNING");
    t.Live(NorthOfHome("D1", 9.4));
    t.Live(NorthOfHome("D2", 10.4));
    t.Live(NorthOfHome("W1", 15));
    EXPECT_EQ(t.Station("D1").distanceMiles, 9);
    EXPECT_EQ(t.Station("D2").distanceMiles, 10);
    ASSERT_EQ(t.notices.sounds.size(), 2u);
    EXPECT_EQ(t.notices.sounds[0].event, kSoundDangerRadius);
    EXPECT_EQ(t.notices.sounds[0].caption, "Danger D1");
    EXPECT_EQ(t.notices.sounds[1].event, kSoundWarningRadius);
    EXPECT_EQ(t.notices.sounds[1].caption, "Warning W1");
}

TEST(ApplyReport, MovementAlarmFiresOnEveryMoveAboveTheThreshold) {
    TestApp t;
    t.app.Flags().AddLine("M1\tALARM");
    t.Live("M1>APRS:!4903.50N/07201.75W-");
    EXPECT_EQ(t.notices.CountSounds(kSoundStationMoved), 0);  // first position is not a move
    t.Live("M1>APRS:!4903.50N/07201.75W-");  // the same place: no move
    EXPECT_EQ(t.notices.CountSounds(kSoundStationMoved), 0);
    t.Live("M1>APRS:!4903.51N/07201.75W-");  // .01' = 60 units of latitude, above the 30 of the threshold
    EXPECT_EQ(t.notices.CountSounds(kSoundStationMoved), 1);
    EXPECT_EQ(t.Station("M1").alarm, '*');
    t.Live("M1>APRS:!4903.51N/07201.77W-");
    EXPECT_EQ(t.notices.CountSounds(kSoundStationMoved), 2);
    // A station without the flag never alarms.
    t.Live("N1>APRS:!4903.50N/07201.75W-");
    t.Live("N1>APRS:!4904.50N/07201.75W-");
    EXPECT_EQ(t.notices.CountSounds(kSoundStationMoved), 2);
}

TEST(ApplyReport, PositionEchoAndTrackAndRedraw) {
    TestApp t;
    t.app.SetHome(49.0, -72.0);
    t.app.StationOptions().positionEcho = true;
    t.Live("W1AW>APRS:!4903.50N/07201.75W>088/036/A=001234");
    ASSERT_FALSE(t.notices.status.empty());
    const std::string& echo = t.notices.status.back();
    EXPECT_NE(echo.find("072 01' 45\"W  49 03' 30\"N"), std::string::npos) << echo;
    EXPECT_NE(echo.find("Cse  88  Spd   36"), std::string::npos) << echo;
    char distance[64];
    const StationRecord& s = t.Station("W1AW");
    std::snprintf(distance, sizeof distance, "W1AW %8.2f Miles",
                  DistanceMiles(t.app.Own().homeLon, t.app.Own().homeLat, s.lon, s.lat));
    EXPECT_NE(echo.find(distance), std::string::npos) << echo;
    EXPECT_NE(echo.find("Bearing"), std::string::npos) << echo;
    EXPECT_EQ(t.Station("W1AW").trackCount, 1);  // ">" is a moving symbol
    EXPECT_EQ(t.app.Events().lastRedrawn, t.Find("W1AW"));
    // A report without a position redraws nothing.
    const int redraws = t.app.Events().redraws;
    t.Live("W1AW>APRS:>status only");
    EXPECT_EQ(t.app.Events().redraws, redraws);
}

TEST(ApplyReport, FailedConversionKeepsTheStoredPosition) {
    TestApp t;
    t.Live("W1AW>APRS:!4903.50N/07201.75W-");
    const int32_t lat = t.Station("W1AW").lat;
    t.Live("W1AW>APRS:!4903.5xN/07201.75W-");
    EXPECT_EQ(t.Station("W1AW").lat, lat);
    EXPECT_EQ(t.Station("W1AW").packets, 2);
}

TEST(ApplyReport, PendingMessagesAreResentOnLiveReportsOnly) {
    TestApp t;
    t.Live("W1AW>APRS:>hi");
    t.app.Stations().At(t.Find("W1AW")).pendingMessages = 1;
    t.Replay("W1AW>APRS:>hi");
    EXPECT_TRUE(t.seams.resends.empty());
    t.Live("W1AW>APRS:>hi");
    EXPECT_EQ(t.seams.resends.size(), 1u);
}

TEST(FindAltitude, FormsAndLimits) {
    EXPECT_EQ(FindAltitude("/A=001234"), 1234);
    EXPECT_EQ(FindAltitude("x /A=000100 y"), 100);
    EXPECT_EQ(FindAltitude("/A="), std::nullopt);
    EXPECT_EQ(FindAltitude("/A=-"), std::nullopt);
    EXPECT_EQ(FindAltitude("no altitude"), std::nullopt);
    EXPECT_EQ(FindAltitude("/A=99999999999999"), 999999);  // six digits; more are text
    EXPECT_EQ(FindAltitude("/A=-00123"), -123);
    EXPECT_EQ(FindAltitude("/A=12345 short"), std::nullopt);
    // The first well-formed one counts, wherever it stands.
    EXPECT_EQ(FindAltitude("/A=12 then /A=000042"), 42);
}

}  // namespace
}  // namespace velmora
