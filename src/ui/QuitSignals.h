#pragma once
// SIGTERM and SIGINT as a request to quit, delivered on the event loop: a
// logout, systemd or Ctrl-C then runs the shutdown that saves everything,
// on the desktop as on the console. The handler only writes a byte to a
// socket pair; the loop reads it and calls back.
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace velmora {

class QuitSignals final : public QObject {
public:
    explicit QuitSignals(std::function<void()> onSignal);

private:
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace velmora
