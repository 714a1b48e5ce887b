#include "main_window/ui/child_windows.hpp"

#include <QEvent>

ChildWindows::~ChildWindows() {
  // The windows outlive no main window: they may read what it owns.
  const QList<QWidget*> windows = all();
  adopted_.clear();
  byActivation_.clear();
  qDeleteAll(windows);
}

void ChildWindows::adopt(QWidget* window) {
  adopted_ << window;
  byActivation_ << window;
  window->installEventFilter(this);
  connect(window, &QObject::destroyed, this, &ChildWindows::forget);
}

QWidget* ChildWindows::mostRecentlyActive() const {
  for (auto it = byActivation_.crbegin(); it != byActivation_.crend(); ++it)
    if (*it) return it->data();
  return nullptr;
}

QList<QWidget*> ChildWindows::arrangeable() const {
  QList<QWidget*> windows;
  for (QWidget* window : all())
    if (window->isVisible() && !window->isMinimized()) windows << window;
  return windows;
}

QList<QWidget*> ChildWindows::all() const {
  QList<QWidget*> windows;
  for (const QPointer<QWidget>& window : adopted_)
    if (window) windows << window.data();
  return windows;
}

void ChildWindows::closeAll() {
  for (QWidget* window : all()) window->close();
}

bool ChildWindows::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowActivate) moveToEnd(static_cast<QWidget*>(watched));
  return QObject::eventFilter(watched, event);
}

void ChildWindows::moveToEnd(QWidget* window) {
  byActivation_.removeAll(window);
  byActivation_ << window;
}

// QPointer entries become null by themselves; this only keeps the lists short.
void ChildWindows::forget(QObject* window) {
  const auto isGone = [window](const QPointer<QWidget>& p) { return !p || p.data() == window; };
  adopted_.removeIf(isGone);
  byActivation_.removeIf(isGone);
}
