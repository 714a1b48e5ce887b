// The groups of a viewer's settings area: the export separator (GroupExel),
// the bank/program filter lists (GroupBankProgFilter) and the program-name
// patterns (GroupProgNameFilter). Each forwards its widgets' events to the
// viewer's core and copies the core's state of it back onto its widgets.
#pragma once

#include <QGroupBox>

namespace patchlore {
class ViewerCore;
class ViewerReporter;
}  // namespace patchlore

class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

class ExportSeparatorGroup : public QGroupBox {
 public:
  // core outlives the group.
  ExportSeparatorGroup(patchlore::ViewerCore& core, QWidget* parent);

  // The separator's position and the character and code it stands for.
  void showSeparator();

 private:
  patchlore::ViewerCore& core_;
  QSpinBox* position_ = nullptr;
  QLabel* character_ = nullptr;
  QLabel* code_ = nullptr;
};

// The filters take effect at the next Show; a click only changes the core's
// filters, which the group then reports as changed to the reporter.
class BankProgFilterGroup : public QGroupBox {
 public:
  // core and reporter outlive the group.
  BankProgFilterGroup(patchlore::ViewerCore& core, patchlore::ViewerReporter& reporter, QWidget* parent);

  // The entries met and those selected, their counts and Dis/Ena.
  void showFilters();

 private:
  void createLists(QGridLayout* grid);
  void createFoot(QGridLayout* grid);
  void filtersChanged();

  patchlore::ViewerCore& core_;
  patchlore::ViewerReporter& reporter_;
  QListWidget* existing_ = nullptr;
  QListWidget* selected_ = nullptr;
  QLabel* existingCount_ = nullptr;
  QLabel* selectedCount_ = nullptr;
  QRadioButton* disabled_ = nullptr;
  QRadioButton* enabled_ = nullptr;
};

class NameFilterGroup : public QGroupBox {
 public:
  // core and reporter outlive the group.
  NameFilterGroup(patchlore::ViewerCore& core, patchlore::ViewerReporter& reporter, QWidget* parent);

  // The patterns, their count, the chain string and Dis/Ena.
  void showFilters();

 private:
  void createTitle(QGridLayout* grid);
  void createFoot(QGridLayout* grid);
  void showPatterns();
  void filtersChanged();

  patchlore::ViewerCore& core_;
  patchlore::ViewerReporter& reporter_;
  QPlainTextEdit* patterns_ = nullptr;
  QLabel* patternCount_ = nullptr;
  QLineEdit* chainStr_ = nullptr;
  QRadioButton* disabled_ = nullptr;
  QRadioButton* enabled_ = nullptr;
};
