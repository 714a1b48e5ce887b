// The column check boxes of a viewer: the groups of the core's table of
// column boxes side by side, each box in the group the table gives it. A
// click ticks the box in the core; the core's state is copied back.
#pragma once

#include <QWidget>
#include <map>
#include <string>

#include "viewer/viewer_core.hpp"

class QCheckBox;
class QGroupBox;
class QHBoxLayout;

class ColumnBoxesPanel : public QWidget {
 public:
  // core outlives the panel.
  ColumnBoxesPanel(patchlore::ViewerCore& core, QWidget* parent);

  // Copies the part onto the panel when it is one of the panel's own: the
  // boxes (ColumnBoxes), or the groups shown and their captions (Groups).
  void showPart(patchlore::ViewerPart part);

 private:
  void addGroup(patchlore::ColumnGroup group, QHBoxLayout* row);
  void showBoxes();
  void showGroups();

  patchlore::ViewerCore& core_;
  std::map<patchlore::ColumnGroup, QGroupBox*> groups_;
  std::map<std::string, QCheckBox*> boxes_;
};
