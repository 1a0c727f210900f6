// The Qt implementations of the seams on real loopback sockets and a real
// image.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <filesystem>
#include <functional>

#include "platform/qt/QtNetwork.h"
#include "platform/qt/QtSurface.h"

namespace velmora {
namespace {

bool RunUntil(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST(QtNetwork, LoopbackBothWaysAndOneCloseReport) {
    QtNetwork net;
    std::string error;
    std::unique_ptr<TcpListener> listener = net.Listen("127.0.0.1", 0, &error);
    ASSERT_TRUE(listener) << error;
    ASSERT_NE(listener->Port(), 0);
    std::unique_ptr<TcpSocket> server;
    listener->onAccept = [&](std::unique_ptr<TcpSocket> c) { server = std::move(c); };

    std::unique_ptr<TcpSocket> client = net.Connect("127.0.0.1", listener->Port(), 3000, &error);
    ASSERT_TRUE(client) << error;
    std::string toClient, toServer;
    int clientCloses = 0;
    client->onData = [&](std::string_view b) { toClient.append(b); };
    client->onClosed = [&](std::string_view) { ++clientCloses; };
    ASSERT_TRUE(RunUntil([&] { return server != nullptr; }));
    server->onData = [&](std::string_view b) { toServer.append(b); };
    EXPECT_NE(server->Peer().find("127.0.0.1:"), std::string::npos);

    ASSERT_TRUE(client->Write("user N0CALL pass -1\r\n"));
    ASSERT_TRUE(server->Write("# server 1.0\r\n"));
    EXPECT_TRUE(RunUntil([&] { return toServer.size() == 21 && toClient.size() == 14; }));
    EXPECT_EQ(toServer, "user N0CALL pass -1\r\n");
    EXPECT_EQ(toClient, "# server 1.0\r\n");

    server.reset();  // the far end goes away
    EXPECT_TRUE(RunUntil([&] { return clientCloses > 0; }));
    RunUntil([] { return false; }, 200);
    EXPECT_EQ(clientCloses, 1);
    EXPECT_FALSE(client->Write("x"));
}

TEST(QtNetwork, RefusedConnectionsAndBusyPortsSayWhy) {
    QtNetwork net;
    std::string error;
    std::unique_ptr<TcpListener> first = net.Listen("127.0.0.1", 0, &error);
    ASSERT_TRUE(first);
    const uint16_t port = first->Port();
    EXPECT_FALSE(net.Listen("127.0.0.1", port, &error));
    EXPECT_FALSE(error.empty());
    first.reset();
    error.clear();
    EXPECT_FALSE(net.Connect("127.0.0.1", port, 1000, &error));
    EXPECT_FALSE(error.empty());
}

TEST(QtSurface, DrawsWhereItIsToldAndInvertsBack) {
    QtSurface s(100, 80);
    s.FillRect({0, 0, 100, 80}, {255, 255, 255});
    s.FillRect({10, 10, 20, 20}, {255, 0, 0});
    s.SetPen({0, 0, 255}, 1);
    s.MoveTo({0, 50});
    s.LineTo({99, 50});
    s.SetBrush({0, 128, 0});
    s.Polygon({{60, 5}, {90, 5}, {90, 35}, {60, 35}});
    QImage image = s.Finish();
    EXPECT_EQ(QColor(image.pixel(15, 15)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(image.pixel(75, 20)), QColor(0, 128, 0));
    EXPECT_EQ(QColor(image.pixel(50, 50)).blue(), 255);
    EXPECT_EQ(QColor(image.pixel(5, 70)), QColor(255, 255, 255));

    // Drawn twice in invert mode, a shape leaves the picture as it was.
    const QImage before = s.Finish().copy();
    s.SetDrawMode(DrawMode::kInvert);
    s.SetPen({255, 255, 255}, 3);
    s.NoBrush();
    for (int i = 0; i < 2; ++i) {
        s.MoveTo({5, 5});
        s.LineTo({95, 75});
        s.Rectangle({20, 20, 70, 60});
    }
    EXPECT_EQ(s.Finish(), before);
}

TEST(QtSurface, TextIsMeasuredAndSavedAsPng) {
    QtSurface s(200, 40);
    s.SetFont(14, false);
    const int narrow = s.TextWidth("I"), wide = s.TextWidth("WWWW");
    EXPECT_GT(wide, narrow);
    EXPECT_GT(s.TextHeight(), 0);
    s.Text({5, 25}, "W1AW", {0, 0, 0});
    const auto path = std::filesystem::temp_directory_path() / "velmora-surface-test.png";
    ASSERT_TRUE(s.SavePng(path.string()));
    QImage saved(QString::fromStdString(path.string()));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(200, 40));
    // Some pixel of the text is dark (only when a real font is installed).
    if (QFontMetrics(QFont()).inFont('W')) {
        bool dark = false;
        for (int x = 5; x < 5 + wide && !dark; ++x)
            for (int y = 10; y < 27 && !dark; ++y) dark = QColor(saved.pixel(x, y)).lightness() < 128;
        EXPECT_TRUE(dark);
    }
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace velmora
