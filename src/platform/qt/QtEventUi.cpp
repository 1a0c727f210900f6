#include "platform/qt/QtEventUi.h"

#include <QCoreApplication>


namespace velmora {

bool QtEventUi::StartTimer(int id, int periodMs) {
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(periodMs);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, this, [this, id] {
        if (target_) target_->OnTimer(id);
    });
    timer->start();
    timers_[id] = std::move(timer);
    return true;
}

void QtEventUi::StopTimer(int id) { timers_.erase(id); }

void QtEventUi::StartSingleShot(int id, int ms) {
    QTimer::singleShot(ms, Qt::PreciseTimer, this, [this, id] {
        if (target_) target_->OnTimer(id);
    });
}

void QtEventUi::PostCommand(uint16_t id) {
    QMetaObject::invokeMethod(
        this, [this, id] { if (target_) target_->Command(id); }, Qt::QueuedConnection);
}

void QtEventUi::Quit(int exitCode) {
    // Ends the loop once the current event is done.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

}  // namespace velmora
