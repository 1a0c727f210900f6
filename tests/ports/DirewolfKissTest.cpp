// Velmora's KISS TNC port against a real soundcard TNC (Dire Wolf), over
// its pseudo-terminal and over TCP. One test, one Dire Wolf: the link name
// and the TCP port are fixed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <functional>

#include "app/MenuTable.h"
#include "app/Program.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeUserInterface.h"
#include "platform/fake/RecordingNotices.h"
#include "platform/qt/QtNetwork.h"
#include "platform/qt/QtSerial.h"
#include "geo/Position.h"
#include "support/Direwolf.h"
#include "support/SerialProgram.h"
#include "app/TransmitModule.h"
#include "app/InternetModule.h"
#include "support/AprsIsStandIn.h"
#include "support/KissStation.h"
#include <fstream>

namespace velmora {
namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

using test::KissStation;

TEST(Direwolf, KissOverItsPtyAndTcpReceivesSendsAndDigipeats) {
    if (!test::Direwolf::Available()) GTEST_SKIP() << "direwolf is not installed";
    test::Direwolf dw;
    ASSERT_TRUE(dw.Ready()) << dw.Output();
    {
        KissStation v("/tmp/kisstnc");
        ASSERT_TRUE(v.program->IsChecked(kCmdOpenVhfTnc)) << (v.ui.boxes.empty() ? "" : v.ui.boxes.back().text);
        ASSERT_TRUE(dw.Play("W1DW>APRS,WIDE2-1:!4140.00N/07240.00W-from direwolf\n"
                            "K1DW-7>APRS,RELAY,WIDE2-1:!4141.00N/07241.00W>via relay\n"
                            "K1DW-8>APRS,RELAY*,WIDE2-1:!4142.00N/07242.00W>relayed already\n"));
        ASSERT_TRUE(v.Until([&] { return v.Station("K1DW-8") != nullptr; })) << dw.Output();
        const StationRecord* w = v.Station("W1DW");
        ASSERT_NE(w, nullptr);
        EXPECT_NEAR(LatDegreesFromUnits(w->lat), 41.0 + 40.0 / 60, 1e-4);
        EXPECT_NEAR(LonDegreesFromUnits(w->lon), -(72.0 + 40.0 / 60), 1e-4);
        ASSERT_NE(v.Station("K1DW-7"), nullptr);
        EXPECT_NEAR(LatDegreesFromUnits(v.Station("K1DW-7")->lat), 41.0 + 41.0 / 60, 1e-4);

        // The frame via RELAY is repeated once with our call, marked repeated;
        // the one via RELAY* is not.
        ASSERT_TRUE(dw.WaitFor("K1DW-7>APRS,N0ME*,WIDE2-1:!4141.00N/07241.00W>via relay", 5000)) << dw.Output();
        v.Until([] { return false; }, 500);
        EXPECT_EQ(Count(dw.Output(), ",N0ME*,"), 1u) << dw.Output();

        // Our own frame, with our call, destination and KISS digi path.
        ASSERT_TRUE(v.program->Tnc().KissSend(kPortVhfTnc, ">Velmora over KISS\r"));
        v.Until([&] { return dw.Output().find("N0ME>APZ228,WIDE1-1:>Velmora over KISS") != std::string::npos; }, 5000);
        EXPECT_NE(dw.Output().find("[0L] N0ME>APZ228,WIDE1-1:>Velmora over KISS"), std::string::npos) << dw.Output();

        // Send Position: the fixed report, exactly, through the router.
        const std::string report = "N0ME>APZ228,WIDE1-1:=4130.00N/07230.00WZPHG0000/Velmora 2.2.8 -228-<";
        v.program->Command(kCmdSendPosition);
        v.Until([&] { return dw.Output().find(report) != std::string::npos; }, 5000);
        EXPECT_NE(dw.Output().find("[0L] " + report), std::string::npos) << dw.Output();
        // The start-up query went out the same way.
        EXPECT_NE(dw.Output().find("[0L] N0ME>APZ228,WIDE1-1:?APRS?"), std::string::npos) << dw.Output();

        // A message as the dialog sends it, numbered, and its ack from the air.
        ASSERT_TRUE(v.program->Messages().SendAsDialog("w1dw", "Hello via Dire Wolf"));
        const std::string message = "N0ME>APZ228,WIDE1-1::W1DW     :Hello via Dire Wolf{000";
        v.Until([&] { return dw.Output().find(message) != std::string::npos; }, 5000);
        EXPECT_NE(dw.Output().find("[0L] " + message), std::string::npos) << dw.Output();
        ASSERT_TRUE(dw.Play("W1DW>APRS::N0ME     :ack000\n"));
        const MessageStore& store = v.program->Core().Messages();
        ASSERT_TRUE(v.Until([&] { return store.At(0).ackState == MessageEntry::kAcked; })) << dw.Output();
        // A message with a path of its own: that frame only.
        v.program->Messages().Core().SendMessage("W1DW", "Long way round", '2', -1, 0, std::nullopt, true, "WIDE2-2");
        v.Until([&] { return dw.Output().find("Long way round") != std::string::npos; }, 5000);
        EXPECT_NE(dw.Output().find("[0L] N0ME>APZ228,WIDE2-2::W1DW     :Long way round{001"), std::string::npos)
            << dw.Output();
        ASSERT_TRUE(v.program->Tnc().KissSend(kPortVhfTnc, ">normal path again\r"));
        v.Until([&] { return dw.Output().find("normal path again") != std::string::npos; }, 5000);
        EXPECT_NE(dw.Output().find("N0ME>APZ228,WIDE1-1:>normal path again"), std::string::npos) << dw.Output();
    }
    {
        KissStation t("tcp:127.0.0.1:8001");
        ASSERT_TRUE(t.program->IsChecked(kCmdOpenVhfTnc));
        ASSERT_TRUE(dw.Play("W2DW>APRS:!4030.00N/07400.00W-over tcp\n"));
        ASSERT_TRUE(t.Until([&] { return t.Station("W2DW") != nullptr; })) << dw.Output();
        EXPECT_NEAR(LatDegreesFromUnits(t.Station("W2DW")->lat), 40.5, 1e-4);
        EXPECT_NEAR(LonDegreesFromUnits(t.Station("W2DW")->lon), -74.0, 1e-4);
        ASSERT_TRUE(t.program->Tnc().KissSend(kPortVhfTnc, ">Velmora over TCP\r"));
        t.Until([&] { return dw.Output().find("N0ME>APZ228,WIDE1-1:>Velmora over TCP") != std::string::npos; }, 5000);
        EXPECT_NE(dw.Output().find("[0L] N0ME>APZ228,WIDE1-1:>Velmora over TCP"), std::string::npos) << dw.Output();
        const size_t before = Count(dw.Output(), ":=4130.00N/07230.00WZ");
        t.program->Command(kCmdSendPosition);
        t.Until([&] { return Count(dw.Output(), ":=4130.00N/07230.00WZ") > before; }, 5000);
        EXPECT_GT(Count(dw.Output(), "N0ME>APZ228,WIDE1-1:=4130.00N/07230.00WZPHG0000/"), before) << dw.Output();
    }
}

// The IGate between Dire Wolf's radio and an APRS-IS stand-in: heard on
// radio goes up with its q construct and nothing else changed; a message
// from the internet to a station heard on radio comes down as a
// third-party packet, after its sender's position.
TEST(Direwolf, IgateBothWays) {
    if (!test::Direwolf::Available()) GTEST_SKIP() << "direwolf is not installed";
    test::Direwolf dw;
    ASSERT_TRUE(dw.Ready()) << dw.Output();
    test::AprsIsStandIn is;
    ASSERT_TRUE(is.listener);
    is.stream.clear();
    KissStation v("/tmp/kisstnc", [&](Preferences& p, const std::filesystem::path& folder) {
        test::SetPref(p, "feed_local_to_tcp", "1");
        test::SetPref(p, "outgoing_third_party", "1");
        std::ofstream(folder / "APRServe.txt") << "127.0.0.1\t" << is.listener->Port() << "\tStand-in\n";
    });
    ASSERT_TRUE(v.program->IsChecked(kCmdOpenVhfTnc));
    v.program->Command(kCmdFirstLink);
    ASSERT_TRUE(v.Until([&] { return is.answered && v.program->Internet().Open(); })) << is.received;

    ASSERT_TRUE(dw.Play("W1DW>APRS,WIDE2-1:!4140.00N/07240.00W-up to the net \xB0 8-bit\n"));
    const std::string up = "W1DW>APRS,WIDE2-1,qAR,N0ME:!4140.00N/07240.00W-up to the net \xB0 8-bit\r\n";
    ASSERT_TRUE(v.Until([&] { return is.received.find(up) != std::string::npos; })) << is.received;

    is.client->Write("W1NET>APRS,TCPIP*,qAC,STANDIN:!4000.00N/07400.00W-on the net\r\n"
                     "W1NET>APRS,TCPIP*,qAC,STANDIN::W1DW     :Hello on RF{7\r\n");
    const std::string down = "N0ME>APZ228,WIDE1-1:}W1NET>APRS,TCPIP,N0ME*::W1DW     :Hello on RF{7";
    v.Until([&] { return dw.Output().find(down) != std::string::npos; }, 8000);
    EXPECT_NE(dw.Output().find("[0L] " + down), std::string::npos) << dw.Output();
    EXPECT_NE(dw.Output().find("N0ME>APZ228,WIDE1-1:}W1NET>APRS,TCPIP,N0ME*:!4000.00N/07400.00W-on the net"),
              std::string::npos) << dw.Output();
    // Our own frames heard back are not fed up again.
    EXPECT_EQ(is.received.find("N0ME>APZ228,WIDE1-1,qAR"), std::string::npos) << is.received;
}

}  // namespace
}  // namespace velmora
