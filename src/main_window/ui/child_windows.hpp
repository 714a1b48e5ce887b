// The independent windows the main window has opened ("Check PCG" listings,
// later catalogues and viewers), in the order they were last activated, so
// "Close" can find the active one and the Window commands can arrange them.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class ChildWindows : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  ~ChildWindows() override;

  // Starts tracking a window; it counts as the most recently active one.
  void adopt(QWidget* window);

  // The child window that was active most recently, or null.
  QWidget* mostRecentlyActive() const;
  // Shown windows that are not minimized, in the order they were adopted.
  QList<QWidget*> arrangeable() const;
  QList<QWidget*> all() const;

  void closeAll();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void moveToEnd(QWidget* window);
  void forget(QObject* window);

  QList<QPointer<QWidget>> adopted_;       // adoption order
  QList<QPointer<QWidget>> byActivation_;       // most recent last
};
