// velmora: the desktop, or with --headless (or where there is no display)
// the same core and timers with no windows.
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/MemoryClass.h"
#include "app/Program.h"
#include "platform/SystemInfo.h"
#include "ui/DesktopUi.h"
#include "ui/QuitSignals.h"
#include "ui/HeadlessUi.h"
#include "app/EventSounds.h"
#include "platform/qt/QtNetwork.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtSerial.h"

using namespace velmora;

namespace {

struct Options {
    std::string data = ".";
    bool headless = false;
    bool quitAfterStart = false;  // for timing the start-up: quit once the loop runs
    bool version = false, help = false;
};

constexpr const char* kUsage =
    "usage: velmora [--headless] [--data DIR] [--quit-after-start] [--version] [--help]\n"
    "  --data DIR   the data folder (preferences, maps, logs); the current folder by default\n"
    "  --headless   no windows: a console on standard input (type help)\n";

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--headless") o.headless = true;
        else if (a == "--data" && i + 1 < argc) o.data = argv[++i];
        else if (a == "--quit-after-start") o.quitAfterStart = true;
        else if (a == "--version") o.version = true;
        else if (a == "--help" || a == "-h") o.help = true;
        else return false;
    }
    return true;
}

bool DisplayAvailable() {
    const char* qpa = std::getenv("QT_QPA_PLATFORM");
    if (qpa && *qpa) return true;
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (w && *w);
}

ProgramOptions MachineOptions(SerialLayer& serial, Network& network, SettingsDialogs& dialogs, ListWindows& lists,
                              MapWindows& maps, MessageWindows& messages) {
    ProgramOptions o;
    o.messages = &messages;
    o.maps = &maps;
    o.serial = &serial;
    o.network = &network;
    o.dialogs = &dialogs;
    o.lists = &lists;
    o.memoryClass = MemoryClassFor(InstalledMemoryBytes());
    return o;
}

int RunHeadless(int argc, char** argv, const Options& options) {
    // Map images need fonts and a painter but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qapp(argc, argv);
    SystemClock clock;
    ConsoleNotices notices(clock);
    DiskFiles files(options.data);
    HeadlessUi ui;
    QtSerialLayer serial;
    QtNetwork network;
    ProgramOptions machine = MachineOptions(serial, network, ui, ui, ui, ui);
    machine.weather = &ui;
    Program program(Platform{clock, notices, files}, ui, machine);
    ui.Attach(&program);
    ui.CatchSignals();
    program.Start();
    notices.StatusText("Velmora running headless; " + std::to_string(program.Core().Stations().UsedCount()) +
                       " stations");
    ui.StartConsole();
    if (options.quitAfterStart) program.RequestQuit(0);
    qapp.exec();
    program.Stop();
    ui.Attach(nullptr);
    notices.StatusText("Velmora stopped");
    return program.ExitCode();
}

int RunDesktop(int argc, char** argv, const Options& options) {
    QApplication qapp(argc, argv);
    // The program ends the loop itself, once the TNCs have had their exit commands.
    qapp.setQuitOnLastWindowClosed(false);
    SystemClock clock;
    DiskFiles files(options.data);
    DesktopUi ui;
    DesktopNotices statusLine(ui.Frame());
    QtSound sound;
    EventNotices notices(statusLine, sound, files);
    QtSerialLayer serial;
    QtNetwork network;
    ProgramOptions machine = MachineOptions(serial, network, ui, ui, ui, ui);
    machine.garmin = &ui;
    machine.weather = &ui;
    machine.layout = &ui;
    Program program(Platform{clock, notices, files}, ui, machine);
    ui.Attach(&program);
    // Without a window manager (a bare X server) maximising does nothing:
    // start at the screen's size instead.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) ui.Frame().setGeometry(screen->availableGeometry());
    ui.Frame().showMaximized();
    // A logout's SIGTERM runs the same shutdown as File > Exit, without the
    // question: the window places, the configuration, the weather chart
    // and the messages waiting to go are saved. Caught before the start-up,
    // whose first-start assistant or questions may still be open.
    QuitSignals quitOnSignal([&program] { program.RequestQuit(0); });
    program.Start();
    if (options.quitAfterStart) program.RequestQuit(0);
    qapp.exec();
    program.Stop();
    // The windows outlive the program: nothing of theirs may call it now.
    ui.Attach(nullptr);
    return program.ExitCode();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArgs(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::puts("Velmora 2.2.8");
        return 0;
    }
    // Starting on a folder that is not there would look like an empty station.
    std::error_code ec;
    if (!std::filesystem::is_directory(options.data, ec)) {
        std::fprintf(stderr, "velmora: the data folder %s does not exist\n", options.data.c_str());
        return 2;
    }
    if (!options.headless && !DisplayAvailable()) {
        std::fprintf(stderr, "velmora: no display; running headless\n");
        options.headless = true;
    }
    return options.headless ? RunHeadless(argc, argv, options) : RunDesktop(argc, argv, options);
}
