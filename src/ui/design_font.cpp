#include "ui/design_font.hpp"

#include <QFontDatabase>
#include <QStringList>

namespace {

QString AvailableFamily(const QString& wanted, QFont::StyleHint kind) {
  if (QFontDatabase::hasFamily(wanted)) return wanted;
  const bool fixed = kind == QFont::TypeWriter || kind == QFont::Monospace;
  const QStringList fallbacks = fixed ? QStringList{"DejaVu Sans Mono", "Liberation Mono", "Courier New"}
                                      : QStringList{"DejaVu Sans", "Liberation Sans", "Arial"};
  for (const QString& family : fallbacks)
    if (QFontDatabase::hasFamily(family)) return family;
  return QFontDatabase::systemFont(fixed ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont).family();
}

}  // namespace

QFont DesignFont(const QString& family, int pointSize, bool bold, QFont::StyleHint kind) {
  QFont font(AvailableFamily(family, kind), pointSize, bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(kind);
  return font;
}

QFont DesignWindowFont() { return DesignFont("MS Sans Serif", 8, false); }
