// The desktop program: the main window over Qt's dialogs, until it is closed.
// Files named on the command line are loaded once the window shows.
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "main_window/ui/app_icon.hpp"
#include "main_window/ui/main_window.hpp"
#include "main_window/ui/qt_dialogs.hpp"

namespace {

constexpr const char* kNoDisplay =
    "patchlore: no display to open windows on; to run without one, set QT_QPA_PLATFORM=offscreen\n";

constexpr const char* kHelp =
    "Usage: patchlore [FILE...]\n"
    "Viewer and editor of Korg KRONOS and OASYS PCG, SNG and SysEx files.\n"
    "Opens the main window and loads each FILE as File > Open does.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n"
    "\n"
    "Without a display, QT_QPA_PLATFORM=offscreen runs the program headless.\n"
    "patchlore-cli does the same work from the command line.\n";

bool IsArgument(const char* argument, std::string_view shortForm, std::string_view longForm) {
  return argument == shortForm || argument == longForm;
}

// --help and --version are answered before Qt starts, so they need no display.
bool AnsweredAlone(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (IsArgument(argv[i], "-h", "--help")) {
      std::fputs(kHelp, stdout);
      return true;
    }
    if (IsArgument(argv[i], "-v", "--version")) {
      std::fputs("patchlore " PATCHLORE_VERSION "\n", stdout);
      return true;
    }
  }
  return false;
}

// A window system Qt could use on X11 or Wayland: a display named in the
// environment, a platform chosen by QT_QPA_PLATFORM or by -platform.
bool DisplayNamed(int argc, char* argv[]) {
#if defined(__unix__) && !defined(__APPLE__)
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return true;
  }
  for (int i = 1; i < argc; ++i)
    if (IsArgument(argv[i], "-platform", "--platform")) return true;
  return false;
#else
  (void)argc;
  (void)argv;
  return true;
#endif
}

QStringList& HeldMessages() {
  static QStringList held;
  return held;
}

// A display that is named but cannot be reached makes Qt end the program
// with its advice to reinstall; the one line above says what is wrong instead.
// Qt's notes while it starts are held back until it has started.
void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs(kNoDisplay, stderr);
    std::_Exit(1);
  }
  HeldMessages().append(qFormatLogMessage(type, context, text));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AnsweredAlone(argc, argv)) return 0;
  if (!DisplayNamed(argc, argv)) {
    std::fputs(kNoDisplay, stderr);
    return 1;
  }
  const QtMessageHandler previousHandler = qInstallMessageHandler(HoldStartMessage);
  QApplication application(argc, argv);
  qInstallMessageHandler(previousHandler);
  for (const QString& message : HeldMessages()) std::fprintf(stderr, "%s\n", qPrintable(message));
  // Names the settings file where the windows' sizes and places are kept.
  QApplication::setOrganizationName("Patchlore");
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
