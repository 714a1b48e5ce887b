// The name editor window (TFormEdit): a small stay-on-top window that renames
// one patch of a loaded PCG. NameEditor holds its texts and does Write; this
// window forwards the typed name and the Write button and copies the state
// onto its labels and lists.
#pragma once

#include <QWidget>
#include <cstdint>

#include "workspace/registry.hpp"
#include "banks/name_editor.hpp"

class QLabel;
class QLineEdit;
class QListWidget;

class NameEditorWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = 507;
  static constexpr int kDesignHeight = 331;

  // registry outlives the window.
  explicit NameEditorWindow(patchlore::Registry& registry, QWidget* parent = nullptr);

  const patchlore::NameEditor& editor() const { return editor_; }

  // Fills the window with patch `patch` of the bank at bankOffset of the
  // loaded file and shows it; a patch that does not exist is reported in
  // BankInfo.
  void openPatch(int fileIndex, qint64 bankOffset, int patch);

 private:
  void createLabels();
  void createEditRow();
  void showState();

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
