#pragma once
// Runs the Qt event loop until a condition holds or the time is up.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace velmora::test {

inline bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Runs the event loop for a while, whatever happens.
inline void PumpFor(int ms) { (void)PumpUntil([] { return false; }, ms); }

}  // namespace velmora::test
