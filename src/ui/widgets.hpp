// Small helpers every window uses to make its widgets: the documented object
// name set where the widget is made, plain-text labels, bold fonts, and the
// list boxes brought up to date with the lines the core holds.
#pragma once

#include <QFont>
#include <QString>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

// The widget, given its component name.
template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// A label that shows its text as it is: names from files are no markup.
QLabel* PlainLabel(const char* name, const QString& text, QWidget* parent);

QFont Bold(QFont font);

// A push button with a bold caption.
QPushButton* BoldButton(const char* name, const QString& caption, QWidget* parent);

// For lists that grow at their end (keys met while a view is built, lines of
// a Show): the new lines are appended, which keeps that cheap; anything else
// (the last shown line changed, the list shrank) rebuilds the list.
void AppendOrRebuildList(QListWidget* list, const std::vector<std::string>& lines);

// For short lists the user chooses from: filled anew only when a line
// changed, so that the current row and the selection survive every other
// update; the current row is kept where it still exists.
void ShowListLines(QListWidget* list, const std::vector<std::string>& lines);
