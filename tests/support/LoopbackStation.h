#pragma once
// A whole Program on real sockets (Qt's network on 127.0.0.1) with the
// headless front end, its preferences and host list written first.
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "app/Program.h"
#include "platform/fake/RecordingNotices.h"
#include "platform/qt/QtNetwork.h"
#include "support/SerialProgram.h"
#include "ui/HeadlessUi.h"

namespace velmora::test {

struct LoopbackStation {
    LoopbackStation(const std::string& call, double lat, const std::function<void(Preferences&)>& more = {}, const std::string& hosts = {})
        : folder(MakeTempFolder()), files(folder.string()) {
        Preferences prefs;
        SetPref(prefs, "own_call", call);
        prefs.SetOwnLatitude(lat);
        prefs.SetOwnLongitude(-72.5);
        if (more) more(prefs);
        EXPECT_TRUE(prefs.Save(files));
        if (!hosts.empty()) std::ofstream(folder / "APRServe.txt") << hosts;
        std::filesystem::create_directory(folder / "Maps");
        ProgramOptions o;
        o.network = &network;
        o.maps = &ui;
        o.lists = &ui;
        o.messages = &ui;
        program = std::make_unique<Program>(Platform{clock, notices, files}, ui, o);
        ui.Attach(program.get());
        program->Start();
    }
    ~LoopbackStation() {
        program->Stop();
        ui.Attach(nullptr);
        program.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    // The 200 ms timer, as the event loop would run it.
    void Poll() { program->OnTimer(kTimerLink); }
    uint16_t ServerPort() const {
        for (const auto& l : program->Gateway().Server().Listeners())
            if (l.socket) return l.port;
        return 0;
    }
    std::filesystem::path folder;
    DiskFiles files;
    SystemClock clock;
    RecordingNotices notices;
    HeadlessUi ui;
    QtNetwork network;
    std::unique_ptr<Program> program;
};


}  // namespace velmora::test
