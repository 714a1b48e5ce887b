// A check box of a viewer shows the core's state of it: caption, tick,
// enabled and visible. Copying the state is no click: no signal is sent.
#pragma once

#include <QCheckBox>
#include <QSignalBlocker>

#include "ui/qt_text.hpp"
#include "viewer/viewer_core.hpp"

inline void ShowCheckBox(QCheckBox* box, const patchlore::CheckBox& state) {
  const QSignalBlocker blocker(box);
  box->setText(toQString(state.caption));
  box->setChecked(state.checked);
  box->setEnabled(state.enabled);
  box->setVisible(state.visible);
}
