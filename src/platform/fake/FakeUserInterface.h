#pragma once
// A window system for tests: records what the program asked for and
// answers message boxes and file choosers from what the test set.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/UserInterface.h"

namespace velmora {

class FakeUserInterface final : public UserInterface {
public:
    struct Box {
        std::string text, title;
        Buttons buttons;
    };

    Answer MessageBox(std::string_view text, std::string_view title, Buttons buttons) override {
        boxes.push_back({std::string(text), std::string(title), buttons});
        return answer;
    }
    bool ShiftHeld() const override { return shift; }
    bool ControlHeld() const override { return control; }
    bool CapsLockHeld() const override { return capsLock; }
    bool StartTimer(int id, int periodMs) override {
        timers[id] = periodMs;
        startOrder.push_back(id);
        return true;
    }
    void StopTimer(int id) override { timers.erase(id); }
    void StartSingleShot(int id, int ms) override { singleShots.push_back({id, ms}); }
    void PostCommand(uint16_t id) override { posted.push_back(id); }
    void Quit(int exitCode) override {
        quit = true;
        quitCode = exitCode;
    }
    int OpenWindowCount() const override { return windows; }
    bool NewChildWindow() override { return ++windows, ++children, true; }
    void TileWindows() override { ++tiles; }
    void CascadeWindows() override { ++cascades; }
    void ArrangeIcons() override { ++arranges; }
    void RefreshCheckMarks() override { ++checkRefreshes; }
    std::string ChooseFile(std::string_view) override {
        if (files.empty()) return {};
        std::string f = files.front();
        files.pop_front();
        return f;
    }
    void ShowAbout(std::string_view text) override { abouts.emplace_back(text); }
    void ActivateNextWindow() override { ++nextWindows; }
    void ActiveWindowKey(int code, bool ctrlHeld) override { windowKeys.push_back(ctrlHeld ? -code : code); }
    std::vector<int> windowKeys;  // negative with Control held
    std::optional<std::string> AskText(std::string_view title, std::string_view prefix) override {
        asked.push_back(std::string(title) + "|" + std::string(prefix));
        if (texts.empty()) return std::nullopt;
        std::string t = texts.front();
        texts.pop_front();
        return t;
    }
    void AddMenu(std::string_view title, const std::vector<std::pair<uint16_t, std::string>>& items) override {
        menus[std::string(title)] = items;
    }
    int ChooseDescribed(std::string_view title, const std::vector<std::string>& items,
                        const std::vector<std::string>& descriptions) override {
        described = descriptions;
        return ChooseItem(title, items);
    }
    std::vector<std::string> described;  // what the last described choice showed
    int ChooseItem(std::string_view, const std::vector<std::string>& items) override {
        offered = items;
        if (!choices.empty()) {
            const int c = choices.front();
            choices.pop_front();
            return c;
        }
        return chosenItem;
    }
    void ShowTerminal(std::string_view title) override { terminalTitle = title; }
    void TerminalOutput(std::string_view text, int colour) override {
        terminal.emplace_back(text);
        terminalColours.push_back(colour);
    }

    // What the program is answered.
    Answer answer = Answer::kOk;
    bool shift = false, capsLock = false, control = false;
    std::deque<std::string> files;
    int chosenItem = 0;
    std::deque<int> choices;        // answers to ChooseItem, in turn; then chosenItem
    std::deque<std::string> texts;  // answers to AskText

    // What it asked for.
    std::vector<Box> boxes;
    std::map<int, int> timers;
    std::vector<int> startOrder;
    std::vector<std::pair<int, int>> singleShots;  // identifier, delay
    std::vector<uint16_t> posted;
    std::vector<std::string> abouts;
    bool quit = false;
    int quitCode = -1;
    int windows = 0, children = 0, tiles = 0, cascades = 0, arranges = 0;
    int checkRefreshes = 0, nextWindows = 0;
    std::vector<std::string> offered, terminal;
    std::vector<int> terminalColours;
    std::string terminalTitle;
    std::vector<std::string> asked;
    std::map<std::string, std::vector<std::pair<uint16_t, std::string>>> menus;
};

}  // namespace velmora
