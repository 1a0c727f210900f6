#include <gtest/gtest.h>

#include "geo/Position.h"
#include "gps/GarminLink.h"
#include "gps/GarminPacket.h"
#include "support/GarminSimulator.h"

namespace velmora {
namespace {

TEST(GarminPacket, StuffingAndTheChecksumRoundTrip) {
    // A DLE in every place it can be: id, size, data and (by choice of data) checksum.
    for (int id : {0x10, 0x22}) {
        for (int fill = 0; fill < 256; fill += 15) {
            std::string data(0x10, static_cast<char>(fill));
            data[3] = 0x10;
            const std::string wire = EncodeGarmin(static_cast<uint8_t>(id), data);
            GarminAssembler a;
            // Byte by byte, as a slow port delivers it.
            std::vector<GarminPacket> got;
            for (char c : wire)
                for (GarminPacket& p : a.Feed(std::string_view(&c, 1))) got.push_back(p);
            ASSERT_EQ(got.size(), 1u) << id << " " << fill;
            EXPECT_EQ(got[0].id, id);
            EXPECT_EQ(got[0].data, data);
        }
    }
    EXPECT_EQ(EncodeGarmin(254, {}), std::string("\x10\xFE\x00\x02\x10\x03", 6));
}

TEST(GarminPacket, BadInputIsCountedAndDropped) {
    GarminAssembler a;
    std::string wire = EncodeGarmin(34, "abcdefghijklm");
    std::string bad = wire;
    bad[bad.size() - 3] ^= 1;  // the checksum
    EXPECT_TRUE(a.Feed(bad).empty());
    EXPECT_EQ(a.BadChecksums(), 1);
    std::string shortFrame = wire;
    shortFrame[2] = 40;  // a size the frame does not have
    EXPECT_TRUE(a.Feed(shortFrame).empty());
    EXPECT_EQ(a.BadFrames(), 1);
    EXPECT_TRUE(a.Feed("junk before \x03 and \x10\x03").empty());
    EXPECT_TRUE(a.Feed(std::string(5000, '\x10')).empty());  // DLEs only, past the buffer
    // The frame right after the junk may go down with it; the next is read.
    (void)a.Feed(wire);
    EXPECT_EQ(a.Feed(wire).size(), 1u);
}

TEST(GarminLink, ProductTrackLogAndWaypointUpload) {
    test::GarminSimulator unit(500);
    GarminLink link;
    std::string toUnit;
    std::vector<std::string> texts;
    link.send = [&](std::string_view b) { toUnit += b; };
    link.status = [&](std::string_view t) { texts.emplace_back(t); };
    int beeps = 0;
    link.beep = [&] { ++beeps; };
    link.RequestProduct();
    EXPECT_EQ(beeps, 1);  // the port is closed
    link.SetOpen(true);
    const auto exchange = [&] {
        for (int round = 0; round < 10 && !toUnit.empty(); ++round) {
            const std::string bytes = std::move(toUnit);
            toUnit.clear();
            link.Input(unit.Take(bytes));
        }
    };
    link.RequestProduct();
    exchange();
    EXPECT_EQ(link.ProductId(), 72);
    EXPECT_EQ(link.ProductName(), "Velmora GPS simulator");
    EXPECT_EQ(link.Version(), "3.10");
    int completions = 0;
    link.trackComplete = [&] { ++completions; };
    link.SendCommand(GarminLink::kTransferTrack);
    exchange();
    ASSERT_EQ(link.Track().size(), 500u);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(texts.back(), "Last Record  500 out of  500 received");
    EXPECT_NEAR(LatDegreesFromUnits(link.Track()[0].lat), 41.5, 1e-5);
    EXPECT_NEAR(LonDegreesFromUnits(link.Track()[0].lon), -72.5, 1e-5);
    EXPECT_TRUE(link.Track()[250].newTrack);
    EXPECT_EQ(link.TrackText().substr(0, 44), "$GPGLL,4130.000,N,07230.000,W,014640.00,A,\r\n");
    EXPECT_NE(link.TrackText().find(".00,A,\r\n\r\n"), std::string::npos);  // the piece's end
    EXPECT_GE(unit.acksReceived, 500);

    link.Waypoints() = {{"HOME", "the shack", LatUnitsFromDegrees(41.5), LonUnitsFromDegrees(-72.5)},
                        {"CLUB", "club house", LatUnitsFromDegrees(41.6), LonUnitsFromDegrees(-72.4)}};
    link.UploadWaypoints();
    exchange();
    ASSERT_EQ(unit.uploaded.size(), 2u);
    EXPECT_TRUE(unit.transferDone);
    EXPECT_EQ(unit.rawWaypoints[0][0], 88);  // product 72's first byte
    EXPECT_EQ(unit.uploaded[1].comment, "club house");
    EXPECT_NEAR(LatDegreesFromUnits(unit.uploaded[1].lat), 41.6, 1e-5);
}

TEST(GarminLink, ScreenNakAndUnknownPackets) {
    GarminLink link;
    std::vector<std::string> texts;
    link.status = [&](std::string_view t) { texts.emplace_back(t); };
    link.SetOpen(true);
    std::string first(18, '\0');
    first[14] = 8;
    first[16] = 2;
    link.Input(EncodeGarmin(69, first));
    std::string line(8, '\0');
    line[6] = static_cast<char>(0b11100100);  // pixels 3, 2, 1, 0
    link.Input(EncodeGarmin(69, line));
    ASSERT_EQ(link.ScreenPixels().size(), 16u);
    EXPECT_EQ(link.ScreenPixels()[0], 3);
    EXPECT_EQ(link.ScreenPixels()[3], 0);
    link.Input(EncodeGarmin(21, {}));
    EXPECT_EQ(link.NakCount(), 1);
    link.Input(EncodeGarmin(99, "xy"));
    EXPECT_EQ(texts.back(), "Unknown cmd 99, length = 2");
    link.Input(EncodeGarmin(34, "short"));  // a track record too short is no point
    EXPECT_TRUE(link.Track().empty());
}

}  // namespace
}  // namespace velmora
