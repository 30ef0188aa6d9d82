#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

namespace lumera::test {

// Runs the UI loop until done() holds or the time is up; returns done(). A
// short timer wakes the loop for conditions that other threads change.
inline bool PumpUntil(const std::function<bool()>& done, int limitMs = 5000) {
  const QDeadlineTimer deadline(limitMs);
  QTimer wake;
  wake.start(5);
  while (!done() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return done();
}

// Runs the UI loop for a while, for tests that show that nothing happens.
inline void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace lumera::test
