// velmora --headless: the core and its once-a-second tick with no windows,
// for a station without a display. Status-line texts go to standard output
// with a time stamp; a console on standard input takes one command a line.
// The end of standard input does not stop it: run as a service it has no
// console and runs until SIGTERM or SIGINT.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "DecodeTool.h"
#include "app/App.h"
#include "app/MemoryClass.h"
#include "app/PeriodicTick.h"
#include "app/Startup.h"

using namespace velmora;

namespace {

// The one flag a signal handler may set.
volatile sig_atomic_t gQuitSignal = 0;
void OnSignal(int) { gQuitSignal = 1; }

class ConsoleNotices final : public NoticeSink {
public:
    explicit ConsoleNotices(const Clock& clock) : clock_(clock) {}
    void StatusText(std::string_view text) override {
        const LocalDateTime t = clock_.Now();
        std::printf("%02d:%02d:%02d %.*s\n", t.hour, t.minute, t.second, static_cast<int>(text.size()), text.data());
        std::fflush(stdout);
    }
    void PlayEventSound(int event, std::string_view caption) override {
        StatusText("[" + std::to_string(event) + "] " + std::string(caption));
    }
    void Beep() override { std::fputc('\a', stderr); }

private:
    const Clock& clock_;
};

struct Options {
    std::string data = ".";
    bool headless = false;
};

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--headless") o.headless = true;
        else if (a == "--data" && i + 1 < argc) o.data = argv[++i];
        else return false;
    }
    return true;
}

// One console command; false when it asks to quit.
bool RunCommand(App& app, const std::string& line) {
    if (line == "quit") return false;
    if (line == "stations") {
        std::printf("%s\n", StationRowHeader().c_str());
        for (StationIndex i = 0; i < app.Stations().UsedCount(); ++i)
            std::printf("%s\n", StationRow(app.Stations().At(i)).c_str());
    } else if (line == "help") {
        std::printf("commands: stations, quit\n");
    } else if (!line.empty()) {
        std::printf("Unknown command: %s\n", line.c_str());
    }
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArgs(argc, argv, options)) {
        std::fprintf(stderr, "usage: velmora --headless [--data DIR]\n");
        return 2;
    }
    if (!options.headless) {
        std::fprintf(stderr, "velmora: the desktop window is not built yet; run with --headless\n");
        return 2;
    }
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    SystemClock clock;
    ConsoleNotices notices(clock);
    DiskFiles files(options.data);
    AppOptions appOptions;
    appOptions.memoryClass = MemoryClassFor(InstalledMemoryBytes());
    App app(Platform{clock, notices, files}, appOptions);
    Preferences prefs;
    StartCore(app, prefs);
    AppTickWork work(app);
    PeriodicTick tick(work);
    notices.StatusText("Velmora running headless; " + std::to_string(app.Stations().UsedCount()) + " stations");
    // The first tick follows at once below: this line marks the start-up time.

    std::string pending;
    bool consoleOpen = true;
    int64_t lastSecond = -1;
    while (!gQuitSignal) {
        // The tick runs whenever the second has moved on, the first one at once.
        const TimeStamp now = clock.NowStamp();
        if (now != lastSecond) {
            lastSecond = now;
            app.RefreshClock();
            tick.Tick(app.Now().Now());
        }
        pollfd fd{STDIN_FILENO, POLLIN, 0};
        const int ready = poll(consoleOpen ? &fd : nullptr, consoleOpen ? 1 : 0, 200);
        if (ready < 0 && errno != EINTR) break;
        if (ready <= 0 || !consoleOpen) continue;
        char buf[1024];
        const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            consoleOpen = false;  // no console: keep running until told to quit
            continue;
        }
        pending.append(buf, static_cast<size_t>(n));
        size_t end;
        bool quit = false;
        while (!quit && (end = pending.find_first_of("\r\n")) != std::string::npos) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            quit = !RunCommand(app, line);
        }
        if (quit) break;
    }
    notices.StatusText("Velmora stopped");
    return 0;
}
