#pragma once
// A whole program on the Qt desktop for the widget tests: a fresh data
// folder (prepared by the test before the program reads it), the frame
// window shown at 1024 x 768, message boxes answered OK.
#include <filesystem>
#include <functional>
#include <memory>

#include "app/Program.h"
#include "support/TestApp.h"
#include "platform/qt/QtNetwork.h"
#include "ui/DesktopUi.h"

namespace velmora::test {

struct DesktopProgram {
    explicit DesktopProgram(const std::function<void(const std::filesystem::path&)>& prepare = {})
        : folder(MakeTempFolder()), files(folder.string()) {
        if (prepare) prepare(folder);
        else std::filesystem::create_directory(folder / "Maps");
        ui.AnswerBoxesWith(Answer::kOk);
        ProgramOptions o;
        o.network = &network;
        o.maps = &ui;
        o.lists = &ui;
        o.dialogs = &ui;
        o.messages = &ui;
        o.weather = &ui;
        o.layout = &ui;
        program = std::make_unique<Program>(Platform{clock, notices, files}, ui, o);
        ui.Attach(program.get());
        ui.Frame().resize(1024, 768);
        ui.Frame().show();
    }
    ~DesktopProgram() {
        program->Stop();
        ui.Attach(nullptr);
        program.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::filesystem::path folder;
    DiskFiles files;
    SystemClock clock;
    QtNetwork network;
    DesktopUi ui;
    DesktopNotices notices{ui.Frame()};
    std::unique_ptr<Program> program;
};

}  // namespace velmora::test
