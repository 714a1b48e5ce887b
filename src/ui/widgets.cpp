#include "ui/widgets.hpp"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/qt_text.hpp"

QLabel* PlainLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = Named(new QLabel(text, parent), name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

QPushButton* BoldButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setFont(Bold(button->font()));
  return button;
}

void AppendOrRebuildList(QListWidget* list, const std::vector<std::string>& lines) {
  const int shown = list->count();
  const bool grown = shown <= static_cast<int>(lines.size()) &&
                     (shown == 0 || list->item(shown - 1)->text() ==
                                        toQString(lines[static_cast<std::size_t>(shown - 1)]));
  if (!grown) list->clear();
  for (auto i = static_cast<std::size_t>(list->count()); i < lines.size(); ++i) list->addItem(toQString(lines[i]));
}

void ShowListLines(QListWidget* list, const std::vector<std::string>& lines) {
  bool same = list->count() == static_cast<int>(lines.size());
  for (int i = 0; same && i < list->count(); ++i)
    same = list->item(i)->text() == toQString(lines[static_cast<std::size_t>(i)]);
  if (same) return;
  const QSignalBlocker blocker(list);
  const int row = list->currentRow();
  list->clear();
  for (const std::string& line : lines) list->addItem(toQString(line));
  if (row < list->count()) list->setCurrentRow(row);
}
