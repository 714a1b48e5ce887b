// The desktop program: the main window over Qt's dialogs, until it is closed.
// Files named on the command line are loaded once the window shows.
#include <QApplication>
#include <QTimer>

#include "main_window/ui/app_icon.hpp"
#include "main_window/ui/main_window.hpp"
#include "main_window/ui/qt_dialogs.hpp"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Patchlore");
  QApplication::setApplicationVersion(PATCHLORE_VERSION);
  QApplication::setWindowIcon(ApplicationIcon());
  // Lets the desktop match the windows to patchlore.desktop and its icon.
  QGuiApplication::setDesktopFileName("patchlore");

  QtDialogs dialogs;
  MainWindow mainWindow(dialogs);
  dialogs.setParentWidget(&mainWindow);
  mainWindow.show();
  const QStringList files = QApplication::arguments().mid(1);
  if (!files.isEmpty()) QTimer::singleShot(0, &mainWindow, [&] { mainWindow.openGivenFiles(files); });
  return QApplication::exec();
}
