// The APRS server under load: 32 clients connected on 127.0.0.1 while the
// station hears 1,000 packets a second on radio (by default for 30 s).
// Reported: lines delivered per client per second, whether every client got
// every line in order, and the CPU used by the whole process (the program
// and the 32 clients, which share it).
//
//   velmora_server_soak [SECONDS] [LINES_PER_SECOND] [CLIENTS]
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

// One client: counts the numbered packets and notes any out of order.
struct Client {
    std::unique_ptr<TcpSocket> socket;
    std::string pending;
    long next = 0, received = 0, outOfOrder = 0;
    void Take(std::string_view bytes) {
        pending.append(bytes);
        size_t end;
        while ((end = pending.find("\r\n")) != std::string::npos) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 2);
            const size_t at = line.find("seq ");
            if (at == std::string::npos) continue;
            const long n = std::atol(line.c_str() + at + 4);
            if (n != next) ++outOfOrder;
            next = n + 1;
            ++received;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const int rate = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int clientCount = argc > 3 ? std::atoi(argv[3]) : 32;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const auto folder = std::filesystem::temp_directory_path() / ("velmora-server-soak-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "Maps");
    SystemClock clock;
    SilentNotices notices;
    DiskFiles files(folder.string());
    Preferences prefs;
    prefs.Set("own_call", "N0SOAK");
    prefs.Set("enable_server", "1");
    prefs.Set("server_port", "0");
    prefs.Save(files);
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
    uint16_t port = 0;
    for (const auto& l : program.Gateway().Server().Listeners())
        if (l.socket) port = l.port;
    if (!port) return 1;

    QtNetwork clientSide;
    std::vector<Client> clients(static_cast<size_t>(clientCount));
    for (Client& c : clients) {
        std::string error;
        c.socket = clientSide.Connect("127.0.0.1", port, 3000, &error);
        if (!c.socket) return 1;
        c.socket->onData = [&c](std::string_view b) { c.Take(b); };
    }

    // What the radio hears, in 20 ms bursts, each packet numbered.
    long sent = 0;
    QTimer burst;
    QObject::connect(&burst, &QTimer::timeout, [&] {
        char line[160];
        for (int i = 0; i < rate / 50; ++i, ++sent) {
            std::snprintf(line, sizeof line, "S%04ld>APRS,WIDE2-1:!%02ld%02ld.%02ldN/072%02ld.00W>seq %ld", sent % 5000,
                          30 + sent % 19, sent % 60, sent % 100, sent % 60, sent);
            program.Core().ProcessReceivedLine(line, Liveness::kLive, SourceKind::kVhf);
        }
    });
    QTimer::singleShot(500, [&] { burst.start(20); });  // the clients are in by then
    const double cpuStart = CpuSeconds();
    QTimer::singleShot(500 + seconds * 1000, [&] { burst.stop(); });
    QTimer::singleShot(500 + seconds * 1000 + 2000, &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = CpuSeconds() - cpuStart;

    long fewest = sent, disorder = 0;
    for (const Client& c : clients) {
        fewest = std::min(fewest, c.received);
        disorder += c.outOfOrder;
    }
    std::printf("seconds %d  rate %d/s  clients %d  sent %ld  fewest received %ld  out of order %ld  still connected %zu\n",
                seconds, rate, clientCount, sent, fewest, disorder, program.Gateway().Server().ActiveCount());
    std::printf("per client %.0f lines/s  cpu %.2f s (%.0f %% of one core, program and clients together)\n",
                double(fewest) / seconds, cpu, 100 * cpu / (seconds + 2.0));
    std::printf("%s\n", fewest == sent && disorder == 0 ? "every client got every line in order" : "LINES LOST OR OUT OF ORDER");
    program.Stop();
    ui.Attach(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return fewest == sent && disorder == 0 ? 0 : 2;
}
