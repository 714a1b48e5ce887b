// The fonts the windows were designed in ("MS Sans Serif" 8 pt, a bold
// "Courier New" for the log) are often missing outside Windows. A window asks
// for its font here and gets that font where the system has it, else one of
// the same size, weight and kind (proportional or fixed pitch) that it does
// have, so that the designed widths still roughly hold and the font a widget
// reports is the one it draws with.
#pragma once

#include <QFont>
#include <QString>

QFont DesignFont(const QString& family, int pointSize, bool bold,
                 QFont::StyleHint kind = QFont::SansSerif);

// The default font of the program's windows.
QFont DesignWindowFont();
