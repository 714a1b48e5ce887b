#include "viewer/ui/sheet_painter.hpp"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/file_io.hpp"
#include "ui/qt_text.hpp"

namespace {

using patchlore::PatchSheet;
using patchlore::SheetPage;
using patchlore::Table;

constexpr double kBodyPoints = 8;
// Many columns make the type smaller so that each keeps its width in
// characters, but never below this.
constexpr double kSmallestPoints = 5;
// About what a portrait A4 page holds in a line at the body size.
constexpr std::size_t kPortraitCharacters = 110;
constexpr double kPdfMarginMillimetres = 12;

std::size_t TableCharacters(const Table& table) {
  const std::vector<std::size_t> lengths = patchlore::ColumnLengths(table);
  return std::accumulate(lengths.begin(), lengths.end(), std::size_t{0});
}

// A character as wide as a digit: the tables are mostly numbers, keys and
// names, and the font's average character is narrower than they are.
double CharacterWidth(const QFontMetricsF& metrics) { return metrics.horizontalAdvance(QLatin1Char('0')); }

// The body type: its size lets every column show its length in characters
// across width, a blank on either side of each cell included.
QFont BodyFont(const Table& table, const QPaintDevice& device, double width) {
  QFont font = QGuiApplication::font();
  font.setPointSizeF(kBodyPoints);
  const double characters = static_cast<double>(TableCharacters(table) + 2 * table.columns.size());
  const double needed = characters * CharacterWidth(QFontMetricsF(font, &device));
  if (needed > width) font.setPointSizeF(std::max(kSmallestPoints, kBodyPoints * width / needed));
  return font;
}

class SheetPainter {
 public:
  // area: the size of the part of each page painted on, from the painter's origin.
  SheetPainter(QPainter& painter, const QPaintDevice& device, QSizeF area, const Table& table)
      : painter_(painter), table_(table), width_(area.width()), height_(area.height()),
        body_(BodyFont(table, device, width_)), bold_(body_), title_(body_) {
    bold_.setBold(true);
    title_.setBold(true);
    title_.setPointSizeF(body_.pointSizeF() * 1.4);
    const QFontMetricsF metrics(body_, &device);
    rowHeight_ = metrics.height() * 1.3;
    padding_ = CharacterWidth(metrics);
    titleHeight_ = QFontMetricsF(title_, &device).height() * 1.3;
  }

  int rowsPerPage() const {
    return static_cast<int>(std::floor((height_ - headerHeight() - rowHeight_) / rowHeight_));
  }

  double width() const { return width_; }

  void paintPage(const PatchSheet& sheet, const SheetPage& page) {
    paintHeader(sheet, page);
    double y = headerHeight();
    paintColumnCaptions(sheet, y);
    for (std::size_t row = page.firstRow; row < page.endRow; ++row) {
      y += rowHeight_;
      paintRow(sheet, row, y);
    }
  }

 private:
  double headerHeight() const { return titleHeight_ + 2.5 * rowHeight_; }

  // The file's name; the caption; the date, and the page number at the right.
  void paintHeader(const PatchSheet& sheet, const SheetPage& page) {
    painter_.setPen(Qt::black);
    painter_.setFont(title_);
    painter_.drawText(QRectF(0, 0, width_, titleHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                      toQString(sheet.header.fileName));
    painter_.setFont(body_);
    const QRectF caption(0, titleHeight_, width_, rowHeight_);
    painter_.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, toQString(sheet.header.caption));
    const QRectF date = caption.translated(0, rowHeight_);
    painter_.drawText(date, Qt::AlignLeft | Qt::AlignVCenter, toQString(sheet.header.date));
    painter_.drawText(date, Qt::AlignRight | Qt::AlignVCenter, toQString(page.number));
  }

  void paintColumnCaptions(const PatchSheet& sheet, double y) {
    painter_.setFont(bold_);
    double x = 0;
    for (const patchlore::SheetColumn& column : sheet.columns) {
      paintCell(QRectF(x, y, column.width, rowHeight_), toQString(column.caption), column.rightAligned);
      x += column.width;
    }
    painter_.setPen(Qt::black);
    painter_.drawLine(QPointF(0, y + rowHeight_), QPointF(width_, y + rowHeight_));
  }

  void paintRow(const PatchSheet& sheet, std::size_t row, double y) {
    painter_.setFont(body_);
    painter_.setPen(Qt::black);
    double x = 0;
    for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
      const double columnWidth = sheet.columns[c].width;
      paintCell(QRectF(x, y, columnWidth, rowHeight_), toQString(table_.text(row, c)), sheet.columns[c].rightAligned);
      x += columnWidth;
    }
    painter_.setPen(QPen(Qt::lightGray, 0));
    painter_.drawLine(QPointF(0, y + rowHeight_), QPointF(width_, y + rowHeight_));
  }

  // A text too long for its column ends in an ellipsis.
  void paintCell(const QRectF& cell, const QString& text, bool rightAligned) {
    const QRectF inside = cell.adjusted(padding_, 0, -padding_, 0);
    const QString shown = painter_.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(inside.width()));
    painter_.drawText(inside, (rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, shown);
  }

  QPainter& painter_;
  const Table& table_;
  double width_;
  double height_;
  QFont body_;
  QFont bold_;
  QFont title_;
  double rowHeight_ = 0;
  double padding_ = 0;
  double titleHeight_ = 0;
};

}  // namespace

patchlore::Status PaintSheet(QPagedPaintDevice& device, const Table& table, const patchlore::SheetHeader& header) {
  QPainter painter;
  if (!painter.begin(&device)) return patchlore::Failure{"the pages could not be painted"};
  SheetPainter sheetPainter(painter, device, QSizeF(device.width(), device.height()), table);
  const PatchSheet sheet = patchlore::LayOutSheet(table, header, sheetPainter.width(), sheetPainter.rowsPerPage());
  for (const SheetPage& page : sheet.pages) {
    if (&page != &sheet.pages.front() && !device.newPage()) return patchlore::Failure{"no new page could be begun"};
    sheetPainter.paintPage(sheet, page);
  }
  if (!painter.end()) return patchlore::Failure{"the pages could not be finished"};
  return patchlore::Success();
}

QPageLayout SheetPageLayout(const Table& table) {
  const bool wide = TableCharacters(table) > kPortraitCharacters;
  return QPageLayout(QPageSize(QPageSize::A4), wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres, kPdfMarginMillimetres,
                               kPdfMarginMillimetres),
                     QPageLayout::Millimeter);
}

QImage FirstSheetPage(const Table& table, const patchlore::SheetHeader& header, int dotsPerInch) {
  const QPageLayout layout = SheetPageLayout(table);
  QImage image(layout.fullRectPixels(dotsPerInch).size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  constexpr double kInchesPerMetre = 1 / 0.0254;
  image.setDotsPerMeterX(static_cast<int>(std::lround(dotsPerInch * kInchesPerMetre)));
  image.setDotsPerMeterY(image.dotsPerMeterX());
  const QRect area = layout.paintRectPixels(dotsPerInch);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(area.topLeft());
  SheetPainter sheetPainter(painter, image, area.size(), table);
  const PatchSheet sheet = patchlore::LayOutSheet(table, header, sheetPainter.width(), sheetPainter.rowsPerPage());
  sheetPainter.paintPage(sheet, sheet.pages.front());
  return image;
}

patchlore::Status WriteSheetPdf(const std::string& path, const Table& table, const patchlore::SheetHeader& header) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator("Patchlore");
    writer.setTitle(toQString(header.caption));
    writer.setPageLayout(SheetPageLayout(table));
    if (const patchlore::Status painted = PaintSheet(writer, table, header); !painted) return painted;
  }
  return patchlore::WriteFileSafely(path, buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
}
