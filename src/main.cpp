// The desktop program: the main window over Qt's dialogs, until it is closed.
#include <QApplication>

#include "app/ui/main_window.hpp"
#include "app/ui/qt_dialogs.hpp"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Patchlore");
  QApplication::setApplicationVersion("0.1.0");

  QtDialogs dialogs;
  MainWindow mainViewForm(dialogs);
  dialogs.setParentWidget(&mainViewForm);
  mainViewForm.show();
  return QApplication::exec();
}
