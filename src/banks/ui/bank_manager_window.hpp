// The bank manager window (TFormBankManager): file, bank and patch lists for
// both sides, the texts that describe each choice, and the Write and Move
// buttons. Everything it shows comes from BankManager; it forwards clicks.
// When a loaded image changes, its lists show the banks as they are now.
#pragma once

#include <QWidget>
#include <string>

#include "banks/bank_manager.hpp"

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

class BankManagerWindow : public QWidget, private patchlore::WorkspaceObserver {
  Q_OBJECT

 public:
  // workspace outlives the window, which hears of it until it goes.
  explicit BankManagerWindow(patchlore::Workspace& workspace, QWidget* parent = nullptr);
  ~BankManagerWindow() override;

  // The Bank Manager command: fills the file lists again and shows the window.
  void openFromCommand();

  const patchlore::BankManager& core() const { return core_; }

 private:
  struct Side {
    QListWidget* box;
    QListWidget* banks;
    QListWidget* progs;
    QLabel* boxInfo;
    QLabel* header24;
    QLabel* bankInfo;
  };

  void imageChanged(int index) override;
  Side createSide(const std::string& name, const char* bankInfoCaption);
  void createButtons();
  void layOut();
  void connectSide(const Side& side, patchlore::BankSide which);
  void showState();
  void showSide(const Side& side, const patchlore::BankSideState& state);

  patchlore::Workspace& workspace_;
  patchlore::BankManager core_;
  Side from_;
  Side to_;
  QLabel* checkSumInfo_;
  QPushButton* writeButton_;
  QSpinBox* moveOffset_;
  QSpinBox* moveLength_;
  QLabel* offsetTitle_;
  QLabel* lengthTitle_;
  QLabel* moveIni2_;
  QLabel* moveSize_;
  QPushButton* moveButton_;
  QLabel* moveInfo_;
};
