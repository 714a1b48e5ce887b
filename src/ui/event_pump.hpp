// Lets a window process pending events during long work, at a bounded rate:
// often enough to stay responsive and to see Cancel, rarely enough that the
// work itself is not slowed by it.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

class EventPump {
 public:
  static constexpr qint64 kIntervalMs = 15;

  // True when the last processing of events lies kIntervalMs back; the
  // caller then brings its widgets up to date and calls process().
  bool due() const { return !clock_.isValid() || clock_.elapsed() >= kIntervalMs; }
  void process() {
    QCoreApplication::processEvents();
    clock_.start();
  }

 private:
  QElapsedTimer clock_;
};
