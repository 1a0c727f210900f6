// Weather bulletins through the whole program: outlines from the Counties
// folder, a bulletin from the internet relayed to VHF, the alarm near home,
// the quarter-hour expiry, and an originator sending from the list.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/MenuTable.h"
#include "app/NwsModule.h"
#include "geo/Position.h"
#include "platform/fake/FakeSerial.h"
#include "platform/fake/RecordingSurface.h"
#include "support/MapFileBuilder.h"
#include "support/SerialProgram.h"

namespace velmora {
namespace {

// A county as a square outline file.
std::string County(const std::string& title, double west, double east, double north, double south) {
    test::MapFileBuilder b;
    const int32_t w = LonUnitsFromDegrees(west), e = LonUnitsFromDegrees(east);
    const int32_t n = LatUnitsFromDegrees(north), s = LatUnitsFromDegrees(south);
    b.Title(title).Bounds(w, e, n, s).Counts(5, 0);
    b.Point(255, 0, w, n).Point(7, 0, e, n).Point(7, 0, e, s).Point(7, 0, w, s).Point(7, 0, w, n);
    return b.Bytes();
}

struct NwsProgram : test::SerialProgram {
    explicit NwsProgram(bool originator = false) : SerialProgram("N0ME", 41.7, -72.7) {
        test::SetPref(prefs, "port2_device", "/dev/ttyUSB0");
        test::SetPref(prefs, "wx_alarm_radius", "25");
        std::filesystem::create_directory(folder / "Counties");
        Write("Counties/OKC027.map", County("Cleveland OK", -97.67, -97.14, 35.34, 34.91));
        Write("Counties/OKC109.map", County("Oklahoma OK", -97.67, -97.14, 35.73, 35.34));
        Write("Counties/CTC003.map", County("Hartford CT", -73.03, -72.41, 42.04, 41.55));
        Write("Counties/readme.txt", "not an outline");
        Write("Counties.txt", "OK_C109\nok_c027\n");
        if (originator) Write("SkyWarn.txt", "N0ME\n");  // longer than three, and the own call begins with it
        clock.Set(2026, 12, 9, 10, 0, 0);
    }
    Program& Open() {
        Program& p = Up();
        RunPosted();  // the first map window
        p.Command(kCmdOpenVhfTnc);
        RunSingleShots();
        layer.written[kPortVhfTnc].clear();
        return p;
    }
    std::string Sent() {
        std::string s;
        s.swap(layer.written[kPortVhfTnc]);
        return s;
    }
    const NwsArea& Area(std::string_view code) {
        const NwsAlerts& a = program->Nws().Alerts();
        return a.Areas()[size_t(a.Find(code))];
    }
};

TEST(NwsProgram, AnInternetBulletinMarksRelaysAndShadesItsCounties) {
    NwsProgram t;
    Program& p = t.Open();
    EXPECT_EQ(p.Nws().Alerts().AreaCount(), 3u);
    EXPECT_FALSE(p.Nws().Alerts().Originator());
    p.Core().ProcessReceivedLine("OUNSVR>APRS,TCPIP*,qAS,WXSVR::NWS_WARN :091900z,TORNADO,OKC027>029-109{A9H0A",
                                 Liveness::kLive, SourceKind::kInternet);
    t.RunSingleShots();
    EXPECT_TRUE(t.Area("OK_C027").active);
    EXPECT_TRUE(t.Area("OK_C109").active);
    EXPECT_FALSE(t.Area("CT_C003").active);
    EXPECT_EQ(t.Area("OK_C109").event, "TORNADO");
    // Relayed once to VHF as a third-party packet.
    const std::string sent = t.Sent();
    EXPECT_EQ(sent, "}OUNSVR>APRS,TCPIP,N0ME*::NWS_WARN :091900z,TORNADO,OKC027>029-109\r") << sent;
    // Heard on radio it is not sent back.
    p.Core().ProcessReceivedLine("KOUN>APRS::NWS-WATCH:092000,FLOOD,OK_C027,", Liveness::kLive, SourceKind::kVhf);
    t.RunSingleShots();
    EXPECT_EQ(t.Sent(), "");
    EXPECT_EQ(t.Area("OK_C027").level, 2);
    // The list and the console.
    ListModel* list = p.Lists().Find("NWSL");
    ASSERT_NE(list, nullptr);
    list->RefreshIfDirty();
    ASSERT_EQ(list->RowCount(), 3u);
    EXPECT_EQ(list->Cell(2, 0).text, "OK_C109");
    EXPECT_EQ(list->Cell(2, 1).text, "Warning");
    EXPECT_EQ(list->Cell(2, 3).text, "09/19:00");
    EXPECT_EQ(p.Nws().ConsoleCommand("").front(), "OK_C027\tWatch\tFLOOD\t09/20:00\tKOUN");
    // Every map shades them: the warning's fill over Oklahoma County.
    ASSERT_TRUE(p.Maps().ViewAt({LonUnitsFromDegrees(-97.4), LatUnitsFromDegrees(35.3)}, 2 * kUnitsPerDegree));
    RecordingSurface s(640, 480);
    t.maps.front->DrawOverMap(s, p.Maps().Scene());
    size_t warned = 0, watched = 0;
    for (const std::string& c : s.calls) {
        warned += c.rfind("polygon ", 0) == 0 && c.find("#ff7070") != std::string::npos;
        watched += c.rfind("polygon ", 0) == 0 && c.find("#ffc070") != std::string::npos;
    }
    EXPECT_EQ(warned, 1u);
    EXPECT_EQ(watched, 1u);
}

TEST(NwsProgram, AnAlertNearHomeSoundsAndTheQuarterHourEndsIt) {
    NwsProgram t;
    Program& p = t.Open();
    p.Core().ProcessReceivedLine("KBOX>APRS::NWS-WARN :091030,FLOOD,CT_C003,", Liveness::kLive, SourceKind::kVhf);
    t.RunSingleShots();
    EXPECT_TRUE(t.Area("CT_C003").active);
    EXPECT_EQ(t.notices.CountSounds(8003), 1);
    // Far from home: no alarm.
    p.Core().ProcessReceivedLine("KOUN>APRS::NWS-WARN :091030,FLOOD,OK_C027,", Liveness::kLive, SourceKind::kVhf);
    t.RunSingleShots();
    EXPECT_EQ(t.notices.CountSounds(8003), 1);
    // At 10:15 the alert is 15 minutes off; at 10:30 it has ended.
    t.clock.Set(2026, 12, 9, 10, 15, 0);
    p.Nws().MinuteChanged(t.clock.Now());
    EXPECT_TRUE(t.Area("CT_C003").active);
    t.clock.Set(2026, 12, 9, 10, 29, 1);
    p.Nws().MinuteChanged(MakeDateTime(2026, 12, 9, 10, 29, 0));  // not a quarter hour
    EXPECT_TRUE(t.Area("CT_C003").active);
    p.Nws().MinuteChanged(MakeDateTime(2026, 12, 9, 10, 30, 0));
    EXPECT_FALSE(t.Area("CT_C003").active);
    EXPECT_EQ(t.Area("CT_C003").level, 0);
}

TEST(NwsProgram, AnOriginatorSendsFromTheListKeysAndOthersCannot) {
    {
        NwsProgram t;
        Program& p = t.Open();
        ListModel* list = p.Lists().Find("NWSL");
        list->RefreshIfDirty();
        EXPECT_FALSE(list->TakesKeys());
        EXPECT_FALSE(list->RowsKey({0}, 'R'));
        EXPECT_EQ(p.Nws().ConsoleCommand("send warn TORNADO OK_C027").front(),
                  "This station is not an NWS originator (see SkyWarn.txt)");
        EXPECT_LT(p.Messages().Core().QueueMessage("NWS-WARN", "091900,TORNADO,OK_C027,", '-', -1, std::nullopt, false), 0);
    }
    NwsProgram t(true);
    Program& p = t.Open();
    ASSERT_TRUE(p.Nws().Alerts().Originator());
    ListModel* list = p.Lists().Find("NWSL");
    list->RefreshIfDirty();
    EXPECT_TRUE(list->TakesKeys());
    EXPECT_NE(list->Summary().find("CAUTION: These buttons send out LIVE NWS alarms"), std::string::npos);
    // The operator cancels the expiry dialog: nothing goes out.
    t.dialogs.nwsExpiry = nullptr;
    EXPECT_FALSE(list->RowsKey({0, 1, 2}, 'R'));
    EXPECT_EQ(t.Sent(), "");
    t.dialogs.nwsExpiry = [](NwsExpiryForm& f) {
        EXPECT_EQ(f.expiry.hour, 12);
        EXPECT_EQ(f.expiry.minute, 10);  // two hours on, (0 + 14) / 5 * 5
        f.event = "TORNADO";
    };
    ASSERT_TRUE(list->RowsKey({0, 1, 2}, 'R'));
    t.RunSingleShots();
    EXPECT_EQ(t.Sent(), ":NWS-WARN :091210,TORNADO,CT_C003,OK_C027,OK_C109,{000\r");
    EXPECT_TRUE(t.Area("OK_C109").active);
    EXPECT_EQ(t.Area("OK_C109").issuer, "N0ME");
    // A cancellation needs no dialog.
    t.dialogs.nwsExpiry = nullptr;
    ASSERT_TRUE(list->RowsKey({2}, 'C'));
    t.RunSingleShots();
    EXPECT_EQ(t.Sent(), ":NWS-CANCL:OK_C109,{001\r");
    EXPECT_FALSE(t.Area("OK_C109").active);
    EXPECT_EQ(p.Nws().ConsoleCommand("send watch FLOOD ok_c027").front(), "Sent 1 areas");
    EXPECT_EQ(p.Nws().ConsoleCommand("send warn FLOOD XX_C001").front(), "No area XX_C001");
}

}  // namespace
}  // namespace velmora
