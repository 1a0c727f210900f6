#pragma once
// What the core asks of the window system, split by concern: the event
// loop (timers, posted commands, the end of the loop), questions to the
// operator (message boxes, choices, a typed line), the MDI desktop with its
// menus and terminal, and the key state. The desktop implements them with
// widgets; the headless mode prints message boxes and takes their default.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

enum class Buttons : uint8_t { kOk, kOkCancel };
enum class Answer : uint8_t { kOk, kCancel };

// What the event loop delivers: timer expiries and posted commands.
class EventTarget {
public:
    virtual ~EventTarget() = default;
    virtual void OnTimer(int id) = 0;
    virtual bool Command(uint16_t id) = 0;
};

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Periodic timers by identifier, delivered to the event target. False
    // when the timer cannot be made.
    virtual bool StartTimer(int id, int periodMs) = 0;
    virtual void StopTimer(int id) = 0;
    // Delivers this identifier to the event target once, after ms.
    virtual void StartSingleShot(int id, int ms) = 0;
    // Queues a menu command for the event loop.
    virtual void PostCommand(uint16_t id) = 0;
    // Ends the event loop after the current event.
    virtual void Quit(int exitCode) = 0;
};

class Questions {
public:
    virtual ~Questions() = default;
    // A modal message box; the event loop keeps running beneath it.
    virtual Answer MessageBox(std::string_view text, std::string_view title, Buttons buttons) = 0;
    // A line of text typed by the operator after a fixed prefix; empty when
    // cancelled.
    virtual std::optional<std::string> AskText(std::string_view title, std::string_view prefix) = 0;
    // One of several items, by its index; -1 when cancelled.
    virtual int ChooseItem(std::string_view title, const std::vector<std::string>& items) = 0;
    // The same, showing each item's description beside the list (a TNC
    // model's notes); descriptions run parallel to items.
    virtual int ChooseDescribed(std::string_view title, const std::vector<std::string>& items,
                                const std::vector<std::string>& /*descriptions*/) {
        return ChooseItem(title, items);
    }
    // A file chosen by the operator; empty when cancelled.
    virtual std::string ChooseFile(std::string_view title) = 0;
    // The About box; it does not wait for the operator.
    virtual void ShowAbout(std::string_view text) = 0;
    // The program's help (the user sections of its README).
    virtual void ShowHelp() {}
};

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual int OpenWindowCount() const = 0;
    virtual bool NewChildWindow() = 0;       // a plain MDI child
    virtual void TileWindows() = 0;
    virtual void CascadeWindows() = 0;
    virtual void ArrangeIcons() = 0;
    virtual void ActivateNextWindow() = 0;
    // F3, F5 and Control-F4 belong to the active window: F3 finds again,
    // F5 refreshes, Control-F4 closes it. Nothing where there are no windows.
    virtual void ActiveWindowKey(int /*code*/, bool /*ctrlHeld*/) {}
    // Brings the menu check marks up to date.
    virtual void RefreshCheckMarks() = 0;
    // A menu built at run time (items: identifier and text, all checkable).
    virtual void AddMenu(std::string_view title, const std::vector<std::pair<uint16_t, std::string>>& items) = 0;
    // The terminal window: opened with a title, then given text to show in
    // a colour (0 raw input, 3 HF TNC, 6 VHF TNC); typed characters come
    // back through the program.
    virtual void ShowTerminal(std::string_view title) = 0;
    virtual void TerminalOutput(std::string_view text, int colour) = 0;
};

class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool ShiftHeld() const = 0;
    virtual bool ControlHeld() const { return false; }
    virtual bool CapsLockHeld() const = 0;
};

// All of it, as one front end offers it.
class UserInterface : public EventLoop, public Questions, public Desktop, public KeyState {};

}  // namespace velmora
