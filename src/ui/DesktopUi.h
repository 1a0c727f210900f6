#pragma once
// The desktop: the frame window with its menu bar (built from the menu
// table), an MDI client area and a status line; message boxes, the key
// state and the file chooser.
#include <QMainWindow>
#include <map>

#include "platform/Notices.h"
#include "app/ListsModule.h"
#include "app/MapsModule.h"
#include "app/MessagingModule.h"
#include "app/GarminModule.h"
#include "app/WeatherModule.h"
#include "app/LayoutModule.h"
#include "app/SettingsDialogs.h"
#include "platform/qt/QtEventUi.h"

class QMdiArea;
class QMdiSubWindow;
class QAction;

namespace velmora {

class Program;

class FrameWindow : public QMainWindow {
public:
    explicit FrameWindow(Program*& program);
    QMdiArea* Mdi() const { return mdi_; }
    std::map<uint16_t, QAction*>& Actions() { return actions_; }
    QAction* CapsLockAction() const { return capsLock_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();

    Program*& program_;
    QMdiArea* mdi_;
    std::map<uint16_t, QAction*> actions_;
    QAction* capsLock_ = nullptr;
};

class DesktopUi final : public QtEventUi,
                        public SettingsDialogs,
                        public ListWindows,
                        public MapWindows,
                        public MessageWindows,
                        public GarminWindows,
                        public WeatherWindows,
                        public WindowLayout {
public:
    // The program this front end shows; it also receives the timers.
    void Attach(Program* program);
    DesktopUi();
    ~DesktopUi() override;
    FrameWindow& Frame() { return *frame_; }

    // Message boxes answer at once with this answer instead of asking
    // (for tests of the frame); empty to ask.
    void AnswerBoxesWith(std::optional<Answer> answer) { autoAnswer_ = answer; }

    Answer MessageBox(std::string_view text, std::string_view title, Buttons buttons) override;
    bool ShiftHeld() const override;
    bool ControlHeld() const override;
    bool CapsLockHeld() const override;
    int OpenWindowCount() const override;
    bool NewChildWindow() override;
    void TileWindows() override;
    void CascadeWindows() override;
    void ArrangeIcons() override;
    void RefreshCheckMarks() override;
    std::string ChooseFile(std::string_view title) override;
    bool EditStationSettings(Preferences& prefs) override;
    bool EditReportRates(Preferences& prefs) override;
    bool EditTcpSettings(Preferences& prefs) override;
    bool EditPortSettings(PortSettingsForm& form) override;
    bool EditKissSettings(TncSettings& settings) override;
    bool RunFirstStart(FirstStartForm& form) override;
    bool EditMessageSettings(MessageSettingsForm& form) override;
    bool EditGpsSettings(GpsSettingsForm& form) override;
    bool EditTncSettings(TncSettingsForm& form) override;
    bool EditDisplayOptions(DisplayOptionsForm& form, bool unitsOnly) override;
    bool AskNwsExpiry(NwsExpiryForm& form) override;
    bool AskFind(FindForm& form) override;
    bool EditRadiogram(RadiogramForm& form) override;
    bool EditObject(ObjectForm& form) override;
    void ShowRadiogram(const Radiogram& radiogram) override;
    // A list in its window; a list already open is brought to the front.
    void ShowList(ListModel& model) override;
    void CloseList(ListModel& model) override;
    void ListsGone() override;
    void ShowAbout(std::string_view text) override;
    // "Velmora Help": the README's user sections in a window of the MDI area.
    void ShowHelp() override;
    void ActivateNextWindow() override;
    void ActiveWindowKey(int code, bool ctrlHeld) override;
    int ChooseItem(std::string_view title, const std::vector<std::string>& items) override;
    int ChooseDescribed(std::string_view title, const std::vector<std::string>& items,
                        const std::vector<std::string>& descriptions) override;
    std::optional<std::string> AskText(std::string_view title, std::string_view prefix) override;
    void AddMenu(std::string_view title, const std::vector<std::pair<uint16_t, std::string>>& items) override;
    void ShowTerminal(std::string_view title) override;
    void TerminalOutput(std::string_view text, int colour) override;
    class TerminalWindow* Terminal() const { return terminal_; }

    bool ShowMapWindow(MapWindow& window) override;
    MapWindow* FrontMapWindow() override;
    void MapWindowChanged(MapWindow& window) override;
    void SetMapsMenu(const std::vector<MapMenuNode>& nodes) override;
    std::string ChooseImageFile() override;
    bool SaveMapImage(MapWindow& window, const std::string& path) override;
    void MapsGone() override;
    void ShowStationInfo(const std::string& call) override;
    bool ComposeMessage(NewMessageForm& form) override;
    bool EditAutoAnswer(AutoAnswer& answer) override;
    void ShowConversation(const std::string& call) override;
    void MessagesChanged() override;
    void ShowGarmin() override;
    void GarminStatus(std::string_view text) override;
    void GarminScreen(const GarminLink& link) override;
    void ShowWeatherChart() override;
    void WeatherChartChanged() override;
    bool EditWeatherSettings(WeatherDialogValues& values) override;
    // The saved desktop's side: the open windows and their places.
    std::vector<Open> OpenWindows() const override;
    void PrepareForWindows(size_t count) override;
    void PlaceNewestWindow(const WindowRect& rect) override;
    // A new window of a kind opens where that kind was last placed, and its
    // place is kept as it moves.
    void KeepPlace(QMdiSubWindow* sub, FourCC windowClass, FourCC list);
    // The map window widgets, front first.
    std::vector<class CMapWindow*> MapWidgets() const;

private:
    std::unique_ptr<FrameWindow> frame_;
    std::optional<Answer> autoAnswer_;
    class TerminalWindow* terminal_ = nullptr;
    Program* program_ = nullptr;
};

// Status texts on the frame's status line; sounds as beeps until the
// sound files are played.
class DesktopNotices final : public NoticeSink {
public:
    explicit DesktopNotices(FrameWindow& frame) : frame_(frame) {}
    void StatusText(std::string_view text) override;
    void PlayEventSound(int event, std::string_view caption) override;
    void Beep() override;

private:
    FrameWindow& frame_;
};

}  // namespace velmora
