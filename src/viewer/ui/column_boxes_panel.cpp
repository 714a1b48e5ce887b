#include "viewer/ui/column_boxes_panel.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include "ui/qt_text.hpp"
#include "ui/widgets.hpp"
#include "viewer/ui/check_box_state.hpp"

using patchlore::ColumnGroup;
using patchlore::ViewerPart;

ColumnBoxesPanel::ColumnBoxesPanel(patchlore::ViewerCore& core, QWidget* parent) : QWidget(parent), core_(core) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  for (const ColumnGroup group : patchlore::kColumnGroups) addGroup(group, row);
  row->addStretch();
}

// The group's boxes stand in two rows, filled column by column.
void ColumnBoxesPanel::addGroup(ColumnGroup group, QHBoxLayout* row) {
  const patchlore::ViewerState& state = core_.state();
  auto* frame = Named(new QGroupBox(toQString(state.columnGroups.caption(group)), this),
                      patchlore::ColumnGroupName(group));
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(2, 0, 2, 0);
  grid->setVerticalSpacing(0);
  int place = 0;
  for (const patchlore::ColumnBox& column : state.columnBoxes) {
    if (column.group != group) continue;
    auto* box = Named(new QCheckBox(frame), column.name.c_str());
    const std::string name = column.name;
    connect(box, &QCheckBox::clicked, this, [this, name](bool checked) { core_.setColumnBox(name, checked); });
    grid->addWidget(box, place % 2, place / 2);
    boxes_[name] = box;
    ++place;
  }
  row->addWidget(frame);
  groups_[group] = frame;
}

void ColumnBoxesPanel::showPart(ViewerPart part) {
  switch (part) {
    case ViewerPart::ColumnBoxes: showBoxes(); break;
    case ViewerPart::Groups: showGroups(); break;
    default: break;
  }
}

void ColumnBoxesPanel::showBoxes() {
  for (const patchlore::ColumnBox& column : core_.state().columnBoxes)
    if (const auto found = boxes_.find(column.name); found != boxes_.end()) ShowCheckBox(found->second, column);
}

void ColumnBoxesPanel::showGroups() {
  const patchlore::ColumnGroups& shown = core_.state().columnGroups;
  for (const auto& [group, frame] : groups_) {
    frame->setVisible(shown.shown(group));
    frame->setTitle(toQString(shown.caption(group)));
  }
}
