// The name editor window (TFormEdit): a small stay-on-top window that renames
// one patch of a loaded PCG. NameEditor holds its texts and does Write; this
// window forwards the typed name and the Write button and copies the state
// onto its labels and lists. When the patch's image changes (its Write, an
// undo), it shows the patch as it is now.
#pragma once

#include <QWidget>
#include <cstdint>

#include "banks/name_editor.hpp"
#include "workspace/workspace.hpp"

class QLabel;
class QLineEdit;
class QListWidget;

class NameEditorWindow : public QWidget, private patchlore::WorkspaceObserver {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = 507;
  static constexpr int kDesignHeight = 331;

  // workspace outlives the window, which hears of it until it goes.
  explicit NameEditorWindow(patchlore::Workspace& workspace, QWidget* parent = nullptr);
  ~NameEditorWindow() override;

  const patchlore::NameEditor& editor() const { return editor_; }

  // Fills the window with patch `patch` of the bank at bankOffset of the
  // loaded file and shows it; a patch that does not exist is reported in
  // BankInfo.
  void openPatch(int fileIndex, qint64 bankOffset, int patch);

 private:
  void imageChanged(int index) override;
  void showName();
  void createLabels();
  void createEditRow();
  void showState();

  patchlore::Workspace& workspace_;
  patchlore::NameEditor editor_;
  QLabel* openIndexLabel_ = nullptr;
  QLabel* bytesLabel_ = nullptr;
  QLabel* checkSumLabel_ = nullptr;
  QLabel* offsetLabel_ = nullptr;
  QLabel* infoLabel_ = nullptr;
  QLabel* bankInfoLabel_ = nullptr;
  QLabel* offsetBankLabel_ = nullptr;
  QLabel* deviceLabel_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QListWidget* patchList_ = nullptr;
  QListWidget* changeLog_ = nullptr;
};
