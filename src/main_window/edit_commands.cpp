// The Edit menu's Undo and Redo: the workspace's history of changes to the
// loaded images, named in the menu and in ActionMsg.
#include "main_window/main_window_core.hpp"

namespace patchlore {

namespace {

std::string Caption(const char* command, const ImageChange* change) {
  return change ? std::string(command) + " " + change->name : std::string(command);
}

}  // namespace

void MainWindowCore::undo() {
  const ImageChange* change = workspace_.history().toUndo();
  const std::string name = change ? change->name : std::string();
  const Status undone = workspace_.undo();
  setActionMsg(undone ? "Undone: " + name : undone.failure().text);
}

void MainWindowCore::redo() {
  const ImageChange* change = workspace_.history().toRedo();
  const std::string name = change ? change->name : std::string();
  const Status redone = workspace_.redo();
  setActionMsg(redone ? "Redone: " + name : redone.failure().text);
}

std::string MainWindowCore::undoCaption() const { return Caption("Undo", workspace_.history().toUndo()); }

std::string MainWindowCore::redoCaption() const { return Caption("Redo", workspace_.history().toRedo()); }

}  // namespace patchlore
