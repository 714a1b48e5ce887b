// The Library window: find a patch among all indexed files as you type,
// narrow by kind, add a folder, and open a found patch's file and catalogue.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "common/services.hpp"
#include "library/library_browser.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class TableModel;

class LibraryWindow : public QWidget {
  Q_OBJECT

 public:
  LibraryWindow(const std::string& libraryPath, patchlore::Dialogs& dialogs, QWidget* parent = nullptr);

  void addFolder();

 signals:
  // A found patch was double-clicked: its file, kind letter and key.
  void patchChosen(QString path, QChar kind, QString key);

 private:
  void search();
  void showStatus();
  void showResults();
  void chooseRow(int row);

  patchlore::Dialogs& dialogs_;
  patchlore::LibraryBrowser browser_;
  TableModel* model_ = nullptr;
  QLineEdit* searchText_ = nullptr;
  QComboBox* kindFilter_ = nullptr;
  QTableView* results_ = nullptr;
  QPushButton* addFolder_ = nullptr;
  QPushButton* cancelAdd_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  bool cancelRequested_ = false;
};
