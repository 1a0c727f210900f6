#include "ports/TncControl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/MenuTable.h"
#include "platform/fake/FakeSerial.h"
#include "ports/Ax25.h"
#include "ports/Kiss.h"
#include "geo/Position.h"
#include "support/SerialProgram.h"
#include "app/TransmitModule.h"

namespace velmora {
namespace {

struct TncProgram : test::SerialProgram {
    TncProgram() : SerialProgram("N0ME-1", 41.5, -72.5) {
        test::SetPref(prefs, "unproto_path", "WIDE2-2");
        test::SetPref(prefs, "port2_device", "/dev/ttyUSB0");
        test::SetPref(prefs, "port1_device", "/dev/ttyUSB1");
    }
};

TEST(TextModeTnc, StartUpSendsItsSequenceWithItsPauses) {
    TncProgram t;
    test::SetPref(t.prefs, "tnc_command0", "^C^CMON ON");
    t.Write("InitVHF.TNC", "! A model title\r\n* a comment\r\nPACLEN 128\r\n\r\nMAXFRAME 2\r\n");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    EXPECT_TRUE(t.layer.written[kPortVhfTnc].empty());  // the first pause comes before anything
    const auto pauses = t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc],
              "*\r\x03\x03\x03\recho off\rBE E 0\rHEA OFF\rmycall N0ME-1\r\x03\x03MON ON\r"
              "unproto APZ228 via WIDE2-2\r\rPACLEN 128\rMAXFRAME 2\rconv\r?APRS?\r");  // the query through the router
    std::vector<int> ticks;
    for (const auto& [id, ms] : pauses) {
        EXPECT_EQ(id, TncSender::kWakeBase + kPortVhfTnc);
        ticks.push_back(ms);
    }
    // 60 first, then each text's own pause (in ms: a tick is 1/60 s).
    const std::vector<int> expected = {1000, 667, 500, 334, 334, 334, 667, 334, 334, 334, 167, 417, 417, 334};
    EXPECT_EQ(ticks, expected);
}

TEST(TextModeTnc, CloseDownLeavesTheQrtBeaconAndTheUnprotoPathCanBeCleared) {
    TncProgram t;
    t.clock.Set(2026, 12, 8, 14, 30, 0);
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    p.Tnc().SetUnprotoPath(Route::kVhfTag, "");  // "-None-"
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "\x03\x03unproto APZ228\rconv\r");
    t.layer.written[kPortVhfTnc].clear();
    p.Command(kCmdOpenVhfTnc);  // closes
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "\x03\x03\x03\rbtext !4130.00N/07230.00WZ Velmora QRT @081430z\rBE E 240\r");
    EXPECT_FALSE(p.IsChecked(kCmdOpenVhfTnc));
}

TEST(TextModeTnc, RepeatedPromptsAndConnectionsAreRefused) {
    TncProgram t;
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    p.Ports().PortData(kPortVhfTnc, "cmd:\rcmd:\r");
    p.Tnc().RefuseConnections();
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "\x03" "conv\r");
    t.layer.written[kPortVhfTnc].clear();
    p.Ports().PortData(kPortVhfTnc, "*** CONNECTED to K1BAD\r");
    p.Tnc().RefuseConnections();
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "Connections not supported, Disconnecting\r\x03" "dis\rconv\r");
    t.layer.written[kPortVhfTnc].clear();
    p.Tnc().RefuseConnections();  // nothing left to refuse
    EXPECT_TRUE(t.layer.written[kPortVhfTnc].empty());
}

std::string Frame(const char* src, const char* dst, std::vector<std::pair<const char*, bool>> digis, std::string info) {
    Ax25Frame f;
    ParseAx25Address(src, f.source);
    ParseAx25Address(dst, f.destination);
    for (const auto& [call, repeated] : digis) {
        ParseAx25Address(call, f.digis[f.digiCount]);
        f.digis[f.digiCount++].repeated = repeated;
    }
    f.info = std::move(info);
    return KissEncode(EncodeAx25(f));
}

TEST(KissTnc, StartsReceivesDigipeatsSendsAndExits) {
    TncProgram t;
    test::SetPref(t.prefs, "kiss_enabled_vhf", "1");
    test::SetPref(t.prefs, "digipeat_vhf", "1");
    test::SetPref(t.prefs, "alias_list_vhf", "RELAY");
    test::SetPref(t.prefs, "kiss_digi_path_vhf", "WIDE1-1");
    test::SetPref(t.prefs, "kiss_on_text_vhf", "KISS ON");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    // KISS on, then the start-up query in a frame of its own.
    const std::string started = t.layer.written[kPortVhfTnc];
    EXPECT_EQ(started.substr(0, 8), "KISS ON\r");
    EXPECT_NE(started.find("?APRS?\xC0"), std::string::npos);
    EXPECT_FALSE(p.Ports().Record(kPortVhfTnc).assembleLines);  // raw, 8-bit
    EXPECT_FALSE(p.Ports().Record(kPortVhfTnc).stripTo7Bits);
    t.layer.written[kPortVhfTnc].clear();

    // A frame split across two reads, via RELAY: decoded and repeated once.
    const std::string wire = Frame("K1ABC", "APRS", {{"RELAY", false}}, "!4141.00N/07241.00W-kiss");
    p.Ports().PortData(kPortVhfTnc, wire.substr(0, 9));
    p.Ports().PortData(kPortVhfTnc, wire.substr(9));
    const StationTable& st = p.Core().Stations();
    ASSERT_GE(st.Lookup("K1ABC"), 0);
    EXPECT_NEAR(LatDegreesFromUnits(st.At(st.Lookup("K1ABC")).lat), 41.0 + 41.0 / 60, 1e-4);
    EXPECT_EQ(t.layer.written[kPortVhfTnc], Frame("K1ABC", "APRS", {{"N0ME-1", true}}, "!4141.00N/07241.00W-kiss"));
    t.layer.written[kPortVhfTnc].clear();

    EXPECT_TRUE(p.Tnc().KissSend(kPortVhfTnc, ">hello\r"));
    EXPECT_EQ(t.layer.written[kPortVhfTnc], Frame("N0ME-1", "APZ228", {{"WIDE1-1", false}}, ">hello"));
    t.layer.written[kPortVhfTnc].clear();

    p.Command(kCmdOpenVhfTnc);  // closing leaves KISS mode first
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc].substr(0, 3), "\xC0\xFF\xC0");
}

TEST(KissTnc, ShutdownSendsTheKissExitFrame) {
    TncProgram t;
    test::SetPref(t.prefs, "kiss_enabled_vhf", "1");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    p.RequestQuit(0);
    EXPECT_FALSE(t.ui.quit);  // waits for the exit frame's pause
    t.RunSingleShots();
    EXPECT_TRUE(t.ui.quit);
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "\xC0\xFF\xC0");
}

// An empty VHF digi path at KISS start-up gives both ports their default
// paths, and nothing else: "KISS enabled" stays, so the TNC that was just
// put into KISS mode is still read as KISS.
TEST(KissTnc, EmptyDigiPathResetsThePathsOnlyAndTheLinkStaysKiss) {
    TncProgram t;
    test::SetPref(t.prefs, "kiss_enabled_vhf", "1");
    test::SetPref(t.prefs, "digipeat_vhf", "1");
    test::SetPref(t.prefs, "kiss_digi_path_vhf", "");
    test::SetPref(t.prefs, "alias_list_vhf", "RELAY");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    EXPECT_EQ(p.Prefs().Get("kiss_digi_path_vhf"), "WIDE1-1,WIDE2-1");
    EXPECT_EQ(p.Prefs().Get("kiss_digi_path_hf"), "WIDE2-1");
    EXPECT_EQ(p.Prefs().Get("kiss_enabled_vhf"), "1");
    EXPECT_EQ(p.Prefs().Get("alias_list_vhf"), "RELAY");
    EXPECT_EQ(p.Tnc().Link(kPortVhfTnc).path.size(), 2u);
    EXPECT_TRUE(p.Tnc().KissMode(kPortVhfTnc));
    const std::string wire = Frame("K1ABC", "APRS", {}, "!4141.00N/07241.00W-kiss after the reset");
    p.Ports().PortData(kPortVhfTnc, wire);
    EXPECT_GE(p.Core().Stations().Lookup("K1ABC"), 0);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(AltPaths, MenusFromTheFileAndEachChoiceSetsTheUnprotoPath) {
    TncProgram t;
    t.Write("AltPath.txt", "WIDE1-1\r\nRELAY,WIDE2-2\r\n");
    Program& p = t.Up();
    const auto& vhf = t.ui.menus["Alternate VHF path"];
    ASSERT_EQ(vhf.size(), 5u);
    EXPECT_EQ(vhf[3], (std::pair<uint16_t, std::string>{20103, "WIDE1-1"}));
    EXPECT_EQ(t.ui.menus["Alternate HF path"][4].first, 20204);
    EXPECT_TRUE(p.IsChecked(kCmdAltVhfDefault));
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();

    p.Command(20104);
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "\x03\x03unproto APZ228 via RELAY,WIDE2-2\rconv\r");
    EXPECT_TRUE(p.IsChecked(20104));
    EXPECT_FALSE(p.IsChecked(kCmdAltVhfDefault));
    t.layer.written[kPortVhfTnc].clear();

    p.Command(kCmdAltVhfOther);  // cancelled: nothing changes
    EXPECT_EQ(t.ui.asked.back(), "Enter alternate path for VHF TNC|APZVM via ");
    EXPECT_TRUE(t.layer.written[kPortVhfTnc].empty());
    EXPECT_TRUE(p.IsChecked(20104));
    t.ui.texts.push_back("WIDE3-3");
    p.Command(kCmdAltVhfOther);
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc], "\x03\x03unproto APZ228 via WIDE3-3\rconv\r");
}

TEST(SelectTncType, WritesTheChosenModelOrTheDefaultTextAsTheInitFile) {
    TncProgram t;
    std::filesystem::create_directories(t.folder / "TNCfiles");
    std::ofstream(t.folder / "TNCfiles" / "KPC3.TNC") << "!Kantronics KPC-3\n!A description\n* comment\nINTFACE TERMINAL\n\nMONITOR ON\n";
    Program& p = t.Up();
    t.ui.choices = {0, 0};  // the first model, as InitVHF.TNC
    p.Command(kCmdSelectTncType);
    EXPECT_EQ(t.ui.offered, (std::vector<std::string>{"InitVHF.TNC", "InitHF.TNC"}));
    ASSERT_EQ(t.ui.described.size(), 2u);  // the model's notes are shown with it
    EXPECT_EQ(t.ui.described[0], "A description\n");
    EXPECT_EQ(t.Read("InitVHF.TNC"), "!Kantronics KPC-3\r\n!A description\r\n* comment\r\nINTFACE TERMINAL\r\nMONITOR ON\r\n");
    EXPECT_EQ(p.Tnc().InitFile(kPortVhfTnc), "InitVHF.TNC");
    t.ui.choices = {1, 1};  // the built-in text, as InitHF.TNC
    p.Command(kCmdSelectTncType);
    const std::string hf = t.Read("InitHF.TNC");
    EXPECT_EQ(hf.substr(0, 44), "******************************************\r\n");
    EXPECT_NE(hf.find("\r\nmxmit off\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// An hour on the air: a text-mode VHF TNC started, the minute schedule run
// by the tick, every send counted.
TEST(TransmitSchedule, AnHourOfPositionsAndTheStatusOnATextModeTnc) {
    test::SerialProgram t("N0ME-1", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    test::SetPref(t.prefs, "status_text", "Listening on 144.39");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    for (int s = 0; s < 61 * 60; ++s) {
        t.Second();
        t.RunSingleShots();
    }
    const std::string sent = t.layer.written[kPortVhfTnc];
    // At the first minute change after the start, then every 30 minutes.
    EXPECT_EQ(Occurrences(sent, "=4130.00N/07230.00WZ"), 3u) << sent;
    EXPECT_EQ(Occurrences(sent, " Listening on 144.39\r"), 2u) << sent;  // a minute after the start, each hour
    // F2 sends at once; every send is in the history under the own call.
    p.FunctionKey(113, false);
    t.RunSingleShots();
    EXPECT_EQ(Occurrences(t.layer.written[kPortVhfTnc], "=4130.00N/07230.00WZ"), 4u);
    size_t transmitted = 0;
    p.Core().History().ForEach([&](const HistoryRecord& r) {
        transmitted += r.line.rfind(">xmit To ", 0) == 0;
    });
    EXPECT_GE(transmitted, 6u);  // the query, three schedules, the status, F2 (three routes)
}

// Found as: Send Position right after a TNC start, and the same report went
// out again at the next minute because it was still marked due.
TEST(TransmitSchedule, APositionSentByHandIsNotSentAgainAtTheNextMinute) {
    test::SerialProgram t("N0ME-1", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    ASSERT_TRUE(p.Transmitter().Schedule().PositionDue(kChannelVhf));  // a start sends at the next minute
    t.layer.written[kPortVhfTnc].clear();
    p.Command(kCmdSendPosition);
    t.RunSingleShots();
    EXPECT_FALSE(p.Transmitter().Schedule().PositionDue(kChannelVhf));
    for (int s = 0; s < 70; ++s) t.Second();
    t.RunSingleShots();
    EXPECT_EQ(Occurrences(t.layer.written[kPortVhfTnc], "=4130.00N/07230.00WZ"), 1u) << t.layer.written[kPortVhfTnc];
}

TEST(TransmitSchedule, WithNoOwnPositionNothingIsSentAndTheOperatorIsTold) {
    test::SerialProgram t("N0ME-1", 0, 0);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    p.Command(kCmdSendPosition);
    t.RunSingleShots();
    EXPECT_EQ(t.layer.written[kPortVhfTnc].find("=0000"), std::string::npos);
    ASSERT_FALSE(t.notices.status.empty());
    EXPECT_NE(t.notices.status.back().find("set the own position"), std::string::npos) << t.notices.status.back();
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(TransmitSchedule, PositionReportSettingsChangeTheRatesAndAreSaved) {
    test::SerialProgram t("N0ME-1", 41.5, -72.5);
    Program& p = t.Up();
    EXPECT_EQ(p.Transmitter().Schedule().Rates()[kChannelVhf].stationary, 30);  // the defaults
    EXPECT_EQ(p.Transmitter().Schedule().Rates()[kChannelInternet].objects, 0);
    t.dialogs.editRates = [](Preferences& prefs) { test::SetPref(prefs, "rate_position_vhf", "5"); };
    p.Command(kCmdReportRates);
    EXPECT_EQ(p.Transmitter().Schedule().Rates()[kChannelVhf].stationary, 5);
    Preferences saved;
    ASSERT_EQ(saved.Load(t.files), Preferences::LoadResult::kLoaded);
    EXPECT_EQ(saved.Get("rate_position_vhf"), "5");
}

TEST(TransmitSchedule, AQueryHeardOnVhfIsAnsweredAtTheNextMinute) {
    test::SerialProgram t("N0ME-1", 41.5, -72.5);
    test::SetPref(t.prefs, "port2_device", "/dev/ttyUSB0");
    Program& p = t.Up();
    p.Command(kCmdOpenVhfTnc);
    t.RunSingleShots();
    for (int s = 0; s < 120; ++s) t.Second();  // past the start's own position
    t.RunSingleShots();
    t.layer.written[kPortVhfTnc].clear();
    p.Core().ProcessReceivedLine("W1AW>APRS:?APRS?", Liveness::kLive, SourceKind::kVhf);
    for (int s = 0; s < 61; ++s) t.Second();
    t.RunSingleShots();
    EXPECT_EQ(Occurrences(t.layer.written[kPortVhfTnc], "=4130.00N/07230.00WZ"), 1u) << t.layer.written[kPortVhfTnc];
}

}  // namespace
}  // namespace velmora
