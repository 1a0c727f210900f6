#pragma once
// A whole Velmora with its VHF TNC in KISS mode on a device (Dire Wolf's
// pty or "tcp:127.0.0.1:8001"), on real sockets, with a fake clock the test
// moves and the event loop run by Until.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/MenuTable.h"
#include "app/Program.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeUserInterface.h"
#include "platform/fake/RecordingNotices.h"
#include "platform/qt/QtNetwork.h"
#include "platform/qt/QtSerial.h"
#include "support/SerialProgram.h"

namespace velmora::test {

// A Velmora with its VHF TNC in KISS mode on this device.
struct KissStation {
    using Prepare = std::function<void(Preferences&, const std::filesystem::path&)>;
    explicit KissStation(const std::string& device, const Prepare& prepare = {})
        : folder(MakeTempFolder()), files(folder.string()) {
        Preferences prefs;
        SetPref(prefs, "own_call", "N0ME");
        prefs.SetOwnLatitude(41.5);
        prefs.SetOwnLongitude(-72.5);
        SetPref(prefs, "port2_device", device);
        SetPref(prefs, "kiss_enabled_vhf", "1");
        SetPref(prefs, "digipeat_vhf", "1");
        SetPref(prefs, "alias_list_vhf", "RELAY");
        SetPref(prefs, "kiss_digi_path_vhf", "WIDE1-1");
        if (prepare) prepare(prefs, folder);
        EXPECT_TRUE(prefs.Save(files));
        ProgramOptions options;
        options.serial = &layer;
        options.network = &network;
        program = std::make_unique<Program>(Platform{clock, notices, files}, ui, options);
        program->Start();
        program->Command(kCmdOpenVhfTnc);
    }
    ~KissStation() {
        program->Stop();
        program.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    // Runs the event loop (and the TNC's pauses) until done or time is up.
    bool Until(const std::function<bool()>& done, int ms = 8000) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms) {
            while (!ui.singleShots.empty()) {
                const int id = ui.singleShots.front().first;
                ui.singleShots.erase(ui.singleShots.begin());
                program->OnTimer(id);
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return done();
    }
    const StationRecord* Station(const char* call) {
        const StationIndex i = program->Core().Stations().Lookup(call);
        return i < 0 ? nullptr : &program->Core().Stations().At(i);
    }

    std::filesystem::path folder;
    DiskFiles files;
    FakeClock clock;
    RecordingNotices notices;
    FakeUserInterface ui;
    QtSerialLayer layer;
    QtNetwork network;
    std::unique_ptr<Program> program;
};

}  // namespace velmora::test
