#pragma once
// The parts of the window-system seam that the desktop and the headless
// mode share: timers, posted commands and the end of the event loop, all
// on Qt's event loop.
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "platform/UserInterface.h"

namespace velmora {

class QtEventUi : public QObject, public UserInterface {
public:
    // Where the timers and posted commands are delivered.
    void AttachTarget(EventTarget* target) { target_ = target; }

    bool StartTimer(int id, int periodMs) override;
    void StopTimer(int id) override;
    void StartSingleShot(int id, int ms) override;
    void PostCommand(uint16_t id) override;
    void Quit(int exitCode) override;

private:
    EventTarget* target_ = nullptr;
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace velmora
