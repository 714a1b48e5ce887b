// The director's lifetime, its record of the windows it opened, and the
// Window commands over them.
#include "main_window/ui/window_director.hpp"

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include "banks/ui/bank_manager_window.hpp"
#include "banks/ui/name_editor_window.hpp"
#include "common/midi_service.hpp"
#include "library/ui/library_window.hpp"
#include "main_window/ui/window_arrangement.hpp"
#include "sysex/ui/midi_ports_window.hpp"

WindowDirector::WindowDirector(QWidget& mainWindow, patchlore::MainWindowCore& core,
                               patchlore::ViewerShared& viewerShared, patchlore::Dialogs& dialogs,
                               patchlore::Reporter& reporter)
    : mainWindow_(mainWindow),
      core_(core),
      viewerShared_(viewerShared),
      dialogs_(dialogs),
      reporter_(reporter),
      nameEditor_(new NameEditorWindow(core.workspace(), &mainWindow)) {}

// The windows kept for the run are children of the main window, which would
// delete them only after the cores they read; they go here, the MIDI ports
// window before the MIDI service it uses.
WindowDirector::~WindowDirector() {
  const QList<QWidget*> windows = adoptedWindows();
  adopted_.clear();
  byActivation_.clear();
  qDeleteAll(windows);
  delete library_;
  delete midiPorts_;
  delete nameEditor_;
  delete bankManager_;
}

void WindowDirector::adopt(QWidget* window) {
  adopted_ << window;
  byActivation_ << window;
  window->installEventFilter(this);
  connect(window, &QObject::destroyed, this, &WindowDirector::forget);
}

void WindowDirector::adoptAndShow(QWidget* window) {
  adopt(window);
  window->show();
}

QWidget* WindowDirector::mostRecentlyActive() const {
  for (auto it = byActivation_.crbegin(); it != byActivation_.crend(); ++it)
    if (*it) return it->data();
  return nullptr;
}

QList<QWidget*> WindowDirector::adoptedWindows() const {
  QList<QWidget*> windows;
  for (const QPointer<QWidget>& window : adopted_)
    if (window) windows << window.data();
  return windows;
}

QList<QWidget*> WindowDirector::arrangeableWindows() const {
  QList<QWidget*> windows;
  for (QWidget* window : adoptedWindows())
    if (window->isVisible() && !window->isMinimized()) windows << window;
  return windows;
}

bool WindowDirector::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowActivate) moveToEnd(static_cast<QWidget*>(watched));
  return QObject::eventFilter(watched, event);
}

void WindowDirector::moveToEnd(QWidget* window) {
  byActivation_.removeAll(window);
  byActivation_ << window;
}

// QPointer entries become null by themselves; this only keeps the lists short.
void WindowDirector::forget(QObject* window) {
  const auto isGone = [window](const QPointer<QWidget>& p) { return !p || p.data() == window; };
  adopted_.removeIf(isGone);
  byActivation_.removeIf(isGone);
}

void WindowDirector::closeActiveWindow() {
  if (QWidget* window = mostRecentlyActive()) window->close();
}

void WindowDirector::closeAll() {
  for (QWidget* window : adoptedWindows()) window->close();
}

// Children are arranged beside or below the main window, never over it.
QRect WindowDirector::arrangementArea() const {
  return AreaBeside(mainWindow_.screen()->availableGeometry(), mainWindow_.frameGeometry());
}

void WindowDirector::cascadeWindows() {
  const QList<QWidget*> windows = arrangeableWindows();
  place(windows, CascadePlaces(arrangementArea(), static_cast<int>(windows.size())));
}

void WindowDirector::tileWindows(Qt::Orientation orientation) {
  const QList<QWidget*> windows = arrangeableWindows();
  QSize minimum;
  for (QWidget* window : windows) {
    const QSize frameExtra = window->frameGeometry().size() - window->geometry().size();
    minimum = minimum.expandedTo(window->minimumSize() + frameExtra);
  }
  place(windows, TilePlaces(arrangementArea(), static_cast<int>(windows.size()), orientation, minimum));
}

void WindowDirector::minimizeAllWindows() {
  for (QWidget* window : adoptedWindows())
    if (!window->isHidden()) window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

// Independent windows have no icons to line up inside a frame; arranging
// them brings every minimized one back and lines all of them up at their
// sizes beside the main window.
void WindowDirector::arrangeWindows() {
  QList<QWidget*> windows;
  QList<QSize> sizes;
  for (QWidget* window : adoptedWindows()) {
    if (window->isHidden()) continue;
    if (window->isMinimized()) window->showNormal();
    windows << window;
    sizes << window->frameGeometry().size();
  }
  place(windows, LineUpPlaces(arrangementArea(), sizes));
}

// places are frame rectangles: the frame a window manager adds is taken off.
void WindowDirector::place(const QList<QWidget*>& windows, const QList<QRect>& places) {
  for (qsizetype i = 0; i < windows.size() && i < places.size(); ++i) {
    QWidget* window = windows[i];
    const QSize frameExtra = window->frameGeometry().size() - window->geometry().size();
    window->resize(places[i].size() - frameExtra);
    window->move(places[i].topLeft());
    window->raise();
  }
}
