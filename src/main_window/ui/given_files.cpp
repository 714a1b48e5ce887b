// Files dropped on the main window, or named on the command line, go to the
// core, which loads them one after the other; files dropped while a load
// runs wait until it has ended.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "main_window/ui/main_window.hpp"

namespace {

QStringList LocalFiles(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  return paths;
}

}  // namespace

void MainWindow::openGivenFiles(const QStringList& paths) {
  std::vector<std::string> files;
  for (const QString& path : paths) files.push_back(path.toStdString());
  core_.openGivenFiles(files);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QStringList paths = LocalFiles(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  // The drop is answered first; the loads run from the event loop.
  QTimer::singleShot(0, this, [this, paths] { openGivenFiles(paths); });
}

// Files given while a load ran are taken when it ends.
void MainWindow::openWaitingGivenFiles() {
  if (!core_.state().loadRunning && core_.hasGivenFilesWaiting())
    QTimer::singleShot(0, this, [this] { core_.openGivenFiles({}); });
}
