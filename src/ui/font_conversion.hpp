// Fonts cross between the core, which describes them plainly, and Qt.
#pragma once

#include <QFont>
#include <QString>

#include "common/services.hpp"

// Family names are names of the system, like paths, so they stay UTF-8.
inline QFont toQFont(const patchlore::FontChoice& described, QFont::StyleHint hint) {
  QFont font(QString::fromStdString(described.family), described.pointSize,
             described.bold ? QFont::Bold : QFont::Normal, described.italic);
  font.setStyleHint(hint);
  return font;
}

inline patchlore::FontChoice toFontChoice(const QFont& font) {
  return patchlore::FontChoice{font.family().toStdString(), font.pointSize(), font.bold(),
                             font.italic()};
}
