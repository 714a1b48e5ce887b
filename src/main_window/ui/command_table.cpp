#include "main_window/ui/command_table.hpp"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "ui/widgets.hpp"

namespace {

void SetHint(QAction* action, const QString& hint) {
  const qsizetype bar = hint.indexOf('|');
  action->setToolTip(bar < 0 ? hint : hint.left(bar));
  action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QAction* MakeAction(QWidget& window, const Command& command) {
  auto* action = Named(new QAction(command.caption, &window), command.name);
  action->setShortcut(QKeySequence(command.shortcut));
  SetHint(action, command.hint);
  if (command.image) action->setIcon(ToolbarIcon(*command.image, window.style()));
  if (!command.handler)
    action->setEnabled(false);
  else if (command.availability == Availability::OneAtATime)
    QObject::connect(action, &QAction::triggered, &window, [action, handler = command.handler] {
      if (!action->isEnabled()) return;
      action->setEnabled(false);
      handler();
      action->setEnabled(true);
    });
  else
    QObject::connect(action, &QAction::triggered, &window, [handler = command.handler] { handler(); });
  window.addAction(action);
  return action;
}

// The mirror shows the action's text, icon, hints, state and shortcut text.
// The working shortcut stays with the action alone, so that a key press is
// not ambiguous and starts the command once.
QAction* MirrorItem(QAction* action, const char* name, QMenu& menu) {
  auto* item = Named(new QAction(action->icon(), action->text(), &menu), name);
  item->setToolTip(action->toolTip());
  item->setStatusTip(action->statusTip());
  item->setShortcut(action->shortcut());
  item->setShortcutContext(Qt::WidgetShortcut);
  const auto mirrorState = [item, action] {
    item->setEnabled(action->isEnabled());
    item->setVisible(action->isVisible());
  };
  mirrorState();
  QObject::connect(action, &QAction::changed, item, mirrorState);
  QObject::connect(item, &QAction::triggered, action, &QAction::trigger);
  return item;
}

}  // namespace

CommandActions::CommandActions(QWidget& window, const std::vector<Command>& commands) {
  for (const Command& command : commands) {
    QAction* action = MakeAction(window, command);
    byName_.insert(command.name, action);
    if (command.availability == Availability::NoLoadRunning) loads_ << action;
  }
}

QAction* CommandActions::action(const char* name) const {
  QAction* found = byName_.value(name);
  if (!found) qFatal("no command %s", name);  // a slip in the layouts, not a user's doing
  return found;
}

void CommandActions::reachFromEveryWindow(std::span<const char* const> names) const {
  for (const char* name : names) action(name)->setShortcutContext(Qt::ApplicationShortcut);
}

void CommandActions::addMenus(QMenuBar& bar, std::span<const MenuLayout> menus) const {
  for (const MenuLayout& layout : menus) {
    QMenu* menu = Named(bar.addMenu(layout.caption), layout.name);
    menu->menuAction()->setStatusTip(layout.hint);
    for (const MenuItem& item : layout.items) addMenuItem(*menu, item);
  }
}

void CommandActions::addMenuItem(QMenu& menu, const MenuItem& item) const {
  if (!item.name) {
    menu.addSeparator();
    return;
  }
  QAction* command = action(item.command);
  menu.addAction(command->objectName() == item.name ? command : MirrorItem(command, item.name, menu));
}

void CommandActions::addToolButtons(QToolBar& bar, std::span<const ToolButtonLayout> buttons) const {
  for (const ToolButtonLayout& layout : buttons) {
    auto* button = Named(new QToolButton(&bar), layout.name);
    QAction* command = action(layout.command);
    if (layout.caption) {
      button->setText(layout.caption);
      button->setToolTip(layout.tip);
      if (layout.image) button->setIcon(ToolbarIcon(*layout.image, bar.style()));
      QObject::connect(button, &QToolButton::clicked, command, &QAction::trigger);
    } else {
      button->setDefaultAction(command);
    }
    // A widget on a toolbar is shown and hidden through its toolbar action.
    bar.addWidget(button)->setVisible(layout.shown);
  }
}

void CommandActions::enableLoads(bool enabled) const {
  for (QAction* load : loads_) load->setEnabled(enabled);
}
