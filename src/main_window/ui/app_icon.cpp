#include "main_window/ui/app_icon.hpp"

// The PNGs rather than the SVG: they need no image plugin beyond Qt's own.
QIcon ApplicationIcon() {
  Q_INIT_RESOURCE(patchlore_icons);
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/patchlore-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}
