// A loopback server feeds the internet link 2,000 lines a second (by
// default for a minute); the program decodes them on its own event loop.
// Reported: lines sent, received and decoded, the CPU used, and how late
// the one-second tick ran at worst (the window's responsiveness).
//
//   velmora_internet_soak [SECONDS] [LINES_PER_SECOND]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/InternetModule.h"
#include "app/Program.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Notices.h"
#include "platform/qt/QtNetwork.h"
#include "ui/HeadlessUi.h"

using namespace velmora;

namespace {

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int rate = argc > 2 ? std::atoi(argv[2]) : 2000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    // The stand-in server: greets, verifies, then streams position lines
    // from 5,000 distinct stations in 20 ms bursts.
    QtNetwork serverSide;
    std::string error;
    auto listener = serverSide.Listen("127.0.0.1", 0, &error);
    if (!listener) return 1;
    std::unique_ptr<TcpSocket> client;
    long sent = 0;
    QTimer burst;
    listener->onAccept = [&](std::unique_ptr<TcpSocket> c) {
        client = std::move(c);
        client->Write("# soak stand-in\r\n# logresp N0SOAK verified, server SOAK\r\n");
        burst.start(20);
    };
    QObject::connect(&burst, &QTimer::timeout, [&] {
        if (!client) return;
        std::string chunk;
        char line[128];
        for (int i = 0; i < rate / 50; ++i, ++sent) {
            std::snprintf(line, sizeof line, "S%04ld>APRS,TCPIP*,qAC,SOAK:!%02ld%02ld.%02ldN/072%02ld.00W>%03ld/%03ld\r\n",
                          sent % 5000, 30 + sent % 19, sent % 60, sent % 100, sent % 60, sent % 360, sent % 100);
            chunk += line;
        }
        client->Write(chunk);
    });

    const auto folder = std::filesystem::temp_directory_path() / ("velmora-soak-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "Maps");
    std::ofstream(folder / "APRServe.txt") << "127.0.0.1\t" << listener->Port() << "\tSoak\n";
    SystemClock clock;
    SilentNotices notices;
    DiskFiles files(folder.string());
    HeadlessUi ui;
    QtNetwork network;
    ProgramOptions options;
    options.network = &network;
    options.maps = &ui;
    options.lists = &ui;
    options.memoryClass = 3;
    Program program(Platform{clock, notices, files}, ui, options);
    ui.Attach(&program);
    program.Start();
    program.Command(kCmdFirstLink);

    // The tick's lateness: a one-second timer that notes how late it ran.
    QElapsedTimer since;
    since.start();
    qint64 last = 0, worstLate = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = since.elapsed();
        if (last) worstLate = std::max(worstLate, now - last - 1000);
        last = now;
    });
    tick.start(1000);
    const double cpuStart = CpuSeconds();
    QTimer::singleShot(seconds * 1000, [&] { burst.stop(); });
    QTimer::singleShot(seconds * 1000 + 1500, &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = CpuSeconds() - cpuStart;
    const InternetLink& link = program.Internet().Links().Links()[0];
    const long decoded = program.Core().Statistics().Total(2, 0);  // every internet line
    std::printf("seconds %d  rate %d/s  sent %ld  received %u  decoded %ld  stations %d\n", seconds, rate, sent,
                link.linesReceived - 2, decoded, program.Core().Stations().UsedCount());
    std::printf("cpu %.2f s (%.0f %% of one core)  worst tick lateness %lld ms\n", cpu, 100 * cpu / (seconds + 1.5),
                static_cast<long long>(worstLate));
    program.Stop();
    ui.Attach(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return 0;
}
