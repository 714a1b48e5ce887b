// The main window's commands as data: each entry of the command table makes
// one action; the menus and the toolbar are laid out over those actions by
// name.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "main_window/ui/toolbar_images.hpp"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

enum class Availability {
  Always,
  NoLoadRunning,  // unavailable while a load runs
  // Unavailable while it runs, so that the events it lets in cannot start it
  // a second time.
  OneAtATime,
};

struct Command {
  const char* name;  // the action's object name
  const char* caption;
  const char* shortcut;  // "" for none
  std::optional<ToolbarImage> image;
  // A short text for the tooltip and, after "|", a long one for the status
  // bar; without "|" both are the whole hint.
  const char* hint;
  std::function<void()> handler;  // none: the command is shown, never available
  Availability availability = Availability::Always;
};

// An item of a menu, showing the command of that name. An item named like
// its command is the command's action itself; any other is a second entry
// that mirrors it. An item with no name is a separator.
struct MenuItem {
  const char* name;
  const char* command = nullptr;
};

struct MenuLayout {
  const char* name;
  const char* caption;
  const char* hint;
  std::vector<MenuItem> items;
};

// A button of the toolbar: the command's own face, or, given a caption, a
// face of its own that starts the command when clicked.
struct ToolButtonLayout {
  const char* name;
  const char* command;
  bool shown;
  const char* caption = nullptr;
  const char* tip = nullptr;
  std::optional<ToolbarImage> image = std::nullopt;
};

// The actions made from a command table, by name.
class CommandActions {
 public:
  // Each command becomes an action of window, so that its shortcut works
  // wherever the focus is in that window.
  CommandActions(QWidget& window, const std::vector<Command>& commands);

  QAction* action(const char* name) const;

  // The shortcuts of these commands work from every window of the program,
  // unless the focused control uses the key itself (a line edit's Ctrl+Z).
  // The other shortcuts keep to this window, so that a key another window
  // uses for itself (a viewer's Ctrl+S) is never taken by two commands.
  void reachFromEveryWindow(std::span<const char* const> names) const;

  void addMenus(QMenuBar& bar, std::span<const MenuLayout> menus) const;
  void addToolButtons(QToolBar& bar, std::span<const ToolButtonLayout> buttons) const;

  // No second load may start while one runs, from any menu item, shortcut
  // or button: they all follow the actions of the commands that start one.
  void enableLoads(bool enabled) const;

 private:
  void addMenuItem(QMenu& menu, const MenuItem& item) const;

  QHash<QString, QAction*> byName_;
  QList<QAction*> loads_;
};
