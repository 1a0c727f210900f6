#pragma once
// A whole Program on the fake platform: fake clock, recorded notices, a
// fake window system and a fresh data folder.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Program.h"
#include "app/SettingsDialogs.h"
#include "lists/RadiogramList.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeUserInterface.h"
#include "platform/fake/RecordingNotices.h"
#include "support/TestApp.h"

namespace velmora::test {

// The station-settings dialog: the test's edit, as if the operator saved it.
struct FakeSettingsDialogs final : SettingsDialogs {
    bool EditStationSettings(Preferences& prefs) override {
        if (!editSettings) return false;
        editSettings(prefs);
        return true;
    }
    std::function<void(Preferences&)> editSettings;
    bool EditReportRates(Preferences& prefs) override {
        if (!editRates) return false;
        editRates(prefs);
        return true;
    }
    std::function<void(Preferences&)> editRates;
    bool EditTcpSettings(Preferences& prefs) override {
        if (!editTcp) return false;
        editTcp(prefs);
        return true;
    }
    std::function<void(Preferences&)> editTcp;
    bool EditPortSettings(PortSettingsForm& form) override {
        if (!editPorts) return false;
        editPorts(form);
        return true;
    }
    std::function<void(PortSettingsForm&)> editPorts;
    bool EditKissSettings(TncSettings& settings) override {
        if (!editKiss) return false;
        editKiss(settings);
        return true;
    }
    std::function<void(TncSettings&)> editKiss;
    bool RunFirstStart(FirstStartForm& form) override {
        if (!firstStart) return false;
        firstStart(form);
        return true;
    }
    std::function<void(FirstStartForm&)> firstStart;
    bool EditMessageSettings(MessageSettingsForm& form) override {
        if (!editMessages) return false;
        editMessages(form);
        return true;
    }
    std::function<void(MessageSettingsForm&)> editMessages;
    bool EditGpsSettings(GpsSettingsForm& form) override {
        if (!editGps) return false;
        editGps(form);
        return true;
    }
    std::function<void(GpsSettingsForm&)> editGps;
    bool EditTncSettings(TncSettingsForm& form) override {
        if (!editTnc) return false;
        editTnc(form);
        return true;
    }
    std::function<void(TncSettingsForm&)> editTnc;
    bool EditDisplayOptions(DisplayOptionsForm& form, bool unitsOnly) override {
        if (!editDisplay) return false;
        editDisplay(form, unitsOnly);
        return true;
    }
    std::function<void(DisplayOptionsForm&, bool)> editDisplay;
    bool AskNwsExpiry(NwsExpiryForm& form) override {
        if (!nwsExpiry) return false;
        nwsExpiry(form);
        return true;
    }
    std::function<void(NwsExpiryForm&)> nwsExpiry;
    bool AskFind(FindForm& form) override {
        if (!find) return false;
        find(form);
        return true;
    }
    std::function<void(FindForm&)> find;
    bool EditRadiogram(RadiogramForm& form) override {
        if (!radiogram) return false;
        radiogram(form);
        return true;
    }
    std::function<void(RadiogramForm&)> radiogram;
    void ShowRadiogram(const Radiogram& r) override { shownRadiograms.push_back(RadiogramTitle(r)); }
    bool EditObject(ObjectForm& form) override {
        if (!editObject) return false;
        editObject(form);
        return true;
    }
    std::function<void(ObjectForm&)> editObject;
    std::vector<std::string> shownRadiograms;
};

// Map windows as the front end keeps them: shown in order, the last one in
// front; saving an image records the path.
struct FakeMapWindows final : MapWindows {
    bool ShowMapWindow(MapWindow& window) override {
        if (refuse) return false;
        shown.push_back(&window);
        front = &window;
        return true;
    }
    MapWindow* FrontMapWindow() override { return front; }
    void MapWindowChanged(MapWindow& window) override { changed.push_back(&window); }
    void SetMapsMenu(const std::vector<MapMenuNode>& nodes) override { menu = nodes; }
    std::string ChooseImageFile() override { return imageFile; }
    bool SaveMapImage(MapWindow&, const std::string& path) override {
        saved.push_back(path);
        return true;
    }
    void MapsGone() override { front = nullptr, shown.clear(); }
    void ShowStationInfo(const std::string& call) override { infos.push_back(call); }
    std::vector<std::string> infos;

    std::vector<MapWindow*> shown, changed;
    MapWindow* front = nullptr;
    std::vector<MapMenuNode> menu;
    std::string imageFile;
    std::vector<std::string> saved;
    bool refuse = false;
};

struct TestProgram {
    explicit TestProgram(ProgramOptions options = {}) : folder(MakeTempFolder()), files(folder.string()) {
        opts = options;
        std::filesystem::create_directory(folder / "Maps");
    }
    ~TestProgram() {
        program.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    // Builds the program (after the test has prepared the data folder).
    Program& Make() {
        if (!opts.dialogs) opts.dialogs = &dialogs;
        if (!opts.maps) opts.maps = &maps;
        program = std::make_unique<Program>(Platform{clock, notices, files}, ui, opts);
        return *program;
    }
    Program& Started() {
        Make().Start();
        return *program;
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // One second on: the clock moves and timer 0 fires.
    void Second() {
        clock.Advance(1);
        program->OnTimer(kTimerTick);
    }
    // Lets every pending pause pass, in order, until nothing is waiting.
    // Returns the delays that passed.
    std::vector<std::pair<int, int>> RunSingleShots(int limit = 10000) {
        std::vector<std::pair<int, int>> ran;
        while (!ui.singleShots.empty() && limit-- > 0) {
            const auto shot = ui.singleShots.front();
            ui.singleShots.erase(ui.singleShots.begin());
            ran.push_back(shot);
            program->OnTimer(shot.first);
        }
        return ran;
    }
    // Runs every command the program posted, as the event loop would.
    void RunPosted() {
        std::vector<uint16_t> posted;
        posted.swap(ui.posted);
        for (uint16_t id : posted) program->Command(id);
    }

    FakeClock clock;
    RecordingNotices notices;
    FakeMapWindows maps;
    FakeUserInterface ui;
    FakeSettingsDialogs dialogs;
    std::filesystem::path folder;
    DiskFiles files;
    ProgramOptions opts;
    std::unique_ptr<Program> program;
};

}  // namespace velmora::test
