// A viewer's settings area (SettingsArea around GroupSetting): the export
// separator and the two filters side by side with "Close" at the right edge,
// shown while the core says the area is open. Where the window leaves the
// groups less room than they need, the area scrolls.
#pragma once

#include <QScrollArea>

#include "viewer/viewer_core.hpp"

class BankProgFilterGroup;
class ExportSeparatorGroup;
class NameFilterGroup;
class QGroupBox;

class ViewerSettingsPanel : public QScrollArea {
 public:
  static constexpr int kDesignHeight = 106;

  // core and reporter outlive the panel. Made in the window, so that its
  // groups measure their widths in the window's font.
  ViewerSettingsPanel(patchlore::ViewerCore& core, patchlore::ViewerReporter& reporter, QWidget* parent);

  // Copies the part onto the panel when it is one of the panel's own: which
  // groups are open (Settings), the filters (Filters), the separator
  // (Separator).
  void showPart(patchlore::ViewerPart part);
  // Takes the height offered, never less than the designed one; an area
  // that is not shown keeps its height.
  void fitHeight(int offered);

 private:
  void showGroups();

  patchlore::ViewerCore& core_;
  QGroupBox* frame_ = nullptr;
  ExportSeparatorGroup* exportSeparator_ = nullptr;
  BankProgFilterGroup* bankProgFilter_ = nullptr;
  NameFilterGroup* nameFilter_ = nullptr;
};
