#include "main_window/ui/toolbar_images.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

// A 32-pixel drawing in the palette's text colour on a clear ground.
QIcon Drawn(void (*draw)(QPainter&)) {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(2, 2);
  painter.setPen(QPen(QColor(60, 60, 70), 2));
  draw(painter);
  return QIcon(pixmap);
}

void DrawScissors(QPainter& p) {
  p.drawEllipse(QPointF(9, 24), 4, 4);
  p.drawEllipse(QPointF(23, 24), 4, 4);
  p.drawLine(QPointF(11, 21), QPointF(22, 4));
  p.drawLine(QPointF(21, 21), QPointF(10, 4));
}

void DrawSheets(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawRect(QRectF(5, 4, 14, 18));
  p.drawRect(QRectF(12, 10, 14, 18));
}

void DrawClipboard(QPainter& p) {
  p.setBrush(QColor(205, 170, 110));
  p.drawRoundedRect(QRectF(6, 5, 20, 24), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(10, 10, 12, 15));
  p.setBrush(QColor(120, 120, 130));
  p.drawRect(QRectF(12, 3, 8, 4));
}

QIcon Themed(const char* name, QIcon fallback) { return QIcon::fromTheme(name, fallback); }

}  // namespace

QIcon ToolbarIcon(ToolbarImage image, const QStyle* style) {
  switch (image) {
    case ToolbarImage::Cut: return Themed("edit-cut", Drawn(DrawScissors));
    case ToolbarImage::Copy: return Themed("edit-copy", Drawn(DrawSheets));
    case ToolbarImage::Paste: return Themed("edit-paste", Drawn(DrawClipboard));
    case ToolbarImage::New: return style->standardIcon(QStyle::SP_FileIcon);
    case ToolbarImage::Open: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case ToolbarImage::Save: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case ToolbarImage::Compare: return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case ToolbarImage::TileHorizontally: return style->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton);
    case ToolbarImage::TileVertically: return style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    case ToolbarImage::Cascade: return style->standardIcon(QStyle::SP_TitleBarNormalButton);
    case ToolbarImage::BankCopy: return style->standardIcon(QStyle::SP_DriveHDIcon);
  }
  return {};
}
