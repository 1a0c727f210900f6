#pragma once
// The headless mode's side of the window-system seam: no windows; message
// boxes print their text to standard error and take their default button;
// a console on standard input takes one command a line; SIGINT and SIGTERM
// end the event loop so the shutdown sequence runs.
#include <QSocketNotifier>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Notices.h"
#include "app/ListsModule.h"
#include "app/MapsModule.h"
#include "app/MessagingModule.h"
#include "app/SettingsDialogs.h"
#include "app/WeatherModule.h"
#include "platform/qt/QtEventUi.h"
#include "ui/ConsoleCommands.h"

namespace velmora {

class Program;

class HeadlessUi final : public QtEventUi,
                         public SettingsDialogs,
                         public ListWindows,
                         public MapWindows,
                         public MessageWindows,
                         public WeatherWindows {
public:
    // The program this console drives; it also receives the timers.
    void Attach(Program* program);
    HeadlessUi();
    ~HeadlessUi() override;

    // Starts reading commands from standard input. Its end does not stop
    // the program: run as a service it has no console.
    void StartConsole();
    // Routes SIGINT and SIGTERM to an orderly quit.
    void CatchSignals();
    // One console command (for tests too); the reply goes to standard output.
    void RunCommand(const std::string& line);

    Answer MessageBox(std::string_view text, std::string_view title, Buttons buttons) override;
    bool ShiftHeld() const override { return false; }
    bool CapsLockHeld() const override { return false; }
    int OpenWindowCount() const override { return 0; }
    bool NewChildWindow() override { return true; }
    void TileWindows() override {}
    void CascadeWindows() override {}
    void ArrangeIcons() override {}
    void RefreshCheckMarks() override {}
    std::string ChooseFile(std::string_view title) override;
    bool EditStationSettings(Preferences& prefs) override;
    // The console's list window: the rows printed.
    void ShowList(ListModel& model) override;
    void ShowAbout(std::string_view text) override;
    void ShowHelp() override;
    void ActivateNextWindow() override {}
    int ChooseItem(std::string_view title, const std::vector<std::string>& items) override;
    std::optional<std::string> AskText(std::string_view title, std::string_view prefix) override;
    void AddMenu(std::string_view title, const std::vector<std::pair<uint16_t, std::string>>& items) override;
    void ShowTerminal(std::string_view title) override;
    void TerminalOutput(std::string_view text, int colour) override;

    // The console's map windows: no screen, a size in pixels; the last one
    // shown or loaded is in front.
    bool ShowMapWindow(MapWindow& window) override;
    MapWindow* FrontMapWindow() override { return front_; }
    void MapWindowChanged(MapWindow& window) override { front_ = &window; }
    void SetMapsMenu(const std::vector<MapMenuNode>& nodes) override { mapsMenu_ = nodes; }
    std::string ChooseImageFile() override;
    bool SaveMapImage(MapWindow& window, const std::string& path) override;
    void MapsGone() override { front_ = nullptr; }
    void ShowStationInfo(const std::string& call) override;

    // The console's message windows: "msg CALL TEXT" and "autoanswer" do
    // what the dialogs do; a conversation is printed.
    bool ComposeMessage(NewMessageForm& form) override;
    bool EditAutoAnswer(AutoAnswer& answer) override;
    void ShowConversation(const std::string& call) override;
    bool MailArrived(std::string_view from, std::string_view text) override;
    // The console's weather windows: the chart is drawn by render-chart;
    // the settings are set with velmora-prefs.
    void ShowWeatherChart() override;
    void WeatherChartChanged() override {}
    bool EditWeatherSettings(WeatherDialogValues& values) override;

    static constexpr int kDefaultMapWidth = 1280, kDefaultMapHeight = 800;

private:
    friend std::span<const ConsoleCommand> ConsoleCommands();
    void ReadConsole();
    void PrintMapsMenu() const;
    // The console's commands (ConsoleCommands.cpp lists them).
    void CmdHelp(std::string_view);
    void CmdQuit(std::string_view);
    void CmdStations(std::string_view);
    void CmdTable(std::string_view);
    void CmdList(std::string_view code);
    void CmdInfo(std::string_view call);
    void CmdFind(std::string_view args);
    void CmdMaps(std::string_view);
    void CmdMap(std::string_view name);
    void CmdGps(std::string_view);
    void CmdAutoAnswer(std::string_view args);
    void CmdQuery(std::string_view args);
    void CmdNws(std::string_view args);
    void CmdNts(std::string_view args);
    void CmdObject(std::string_view args);
    void CmdObjects(std::string_view);
    void CmdLinks(std::string_view);
    void CmdConnect(std::string_view n);
    void CmdDisconnect(std::string_view);
    void CmdFilter(std::string_view filter);
    void CmdOpen(std::string_view file);
    void CmdSimulate(std::string_view file);
    void CmdSend(std::string_view text);
    void CmdCloseTerminal(std::string_view);
    void ViewCommand(std::string_view args);
    void RenderCommand(std::string_view args);
    void MessageCommand(std::string_view args);
    void GarminCommand(std::string_view args);
    void WeatherCommand(std::string_view args);
    void RenderChartCommand(std::string_view args);

    Program* program_ = nullptr;
    std::unique_ptr<QSocketNotifier> console_;
    std::unique_ptr<class QuitSignals> signals_;
    std::string pending_;
    bool terminalOpen_ = false;
    std::vector<std::pair<std::string, std::vector<std::pair<uint16_t, std::string>>>> menus_;
    std::vector<MapMenuNode> mapsMenu_;
    MapWindow* front_ = nullptr;
};

// Status-line texts on standard output, each with the time.
class ConsoleNotices final : public NoticeSink {
public:
    explicit ConsoleNotices(const Clock& clock) : clock_(clock) {}
    void StatusText(std::string_view text) override;
    void PlayEventSound(int event, std::string_view caption) override;
    void Beep() override;

private:
    const Clock& clock_;
};

}  // namespace velmora
