#include "viewer/ui/keyboard_map_picture.hpp"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "ui/qt_text.hpp"
#include "viewer/text_helpers.hpp"

namespace {

using patchlore::KeyboardBar;
using patchlore::KeyboardMap;
using patchlore::MapLayout;
using patchlore::MapRect;

constexpr int kHueSteps = 16;
constexpr int kHueSpread = 7;  // neighbouring timbres get hues far apart
constexpr int kSaturation = 150;
constexpr int kValue = 225;
constexpr int kOctave = 12;
constexpr double kTextMargin = 4;
constexpr double kHighlightPen = 3;
constexpr double kBarPen = 1.5;
constexpr int kTitlePixels = 13;
constexpr int kSmallestPixels = 6;
constexpr double kLabelShare = 0.6;     // of the lane's height
constexpr double kKeyLetterShare = 0.8;  // of a white key's width
const QColor kSelectedLane(255, 244, 200);
const QColor kOddLane(246, 246, 246);

QRectF ToQt(const MapRect& r) { return {r.x, r.y, r.width, r.height}; }

QColor ColourOf(int member) {
  return QColor::fromHsv((member * kHueSpread % kHueSteps) * 360 / kHueSteps, kSaturation, kValue);
}

void PaintKeyboard(QPainter& painter, const MapLayout& layout, const std::optional<KeyboardBar>& tinted) {
  const auto inTint = [&tinted](int note) { return tinted && note >= tinted->lowNote && note <= tinted->highNote; };
  const QColor tint = tinted ? ColourOf(tinted->member).lighter(130) : QColor();
  painter.setPen(Qt::gray);
  QFont small = painter.font();
  small.setPixelSize(std::max(kSmallestPixels, static_cast<int>(layout.whiteKeyWidth * kKeyLetterShare)));
  painter.setFont(small);
  for (int note = 0; note < patchlore::kNoteCount; ++note) {
    if (patchlore::KeySpanOf(note).black) continue;
    const QRectF key = ToQt(layout.keyRect(note));
    painter.setBrush(inTint(note) ? tint : QColor(Qt::white));
    painter.drawRect(key);
    if (note % kOctave == 0)
      painter.drawText(key.adjusted(0, 0, 0, -2), Qt::AlignHCenter | Qt::AlignBottom,
                       toQString(patchlore::NoteName(note)).left(1));
  }
  for (int note = 0; note < patchlore::kNoteCount; ++note) {
    if (!patchlore::KeySpanOf(note).black) continue;
    painter.setBrush(inTint(note) ? tint.darker(250) : QColor(Qt::black));
    painter.drawRect(ToQt(layout.keyRect(note)));
  }
}

void PaintBar(QPainter& painter, const KeyboardBar& bar, const QRectF& rect, bool highlighted) {
  const QColor colour = ColourOf(bar.member);
  painter.setPen(QPen(colour.darker(150), highlighted ? kHighlightPen : kBarPen));
  painter.setBrush(bar.muted ? QBrush(Qt::NoBrush) : QBrush(colour));
  painter.drawRect(rect);
  if (!bar.reversed) return;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QBrush(colour.darker(200), Qt::BDiagPattern));
  painter.drawRect(rect);
}

// The label starts at the bar's left edge, or further left to stay inside the picture.
void PaintLabel(QPainter& painter, const KeyboardBar& bar, const QRectF& lane, double barLeft) {
  const QString text = toQString(bar.label);
  const double width = QFontMetricsF(painter.font()).horizontalAdvance(text);
  const double left = std::max(0.0, std::min(barLeft + kTextMargin, lane.right() - width - kTextMargin));
  painter.setPen(Qt::black);
  painter.drawText(QRectF(left, lane.top(), lane.right() - left, lane.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   text);
}

void PaintLanes(QPainter& painter, const KeyboardMap& map, const MapLayout& layout,
                std::optional<std::size_t> highlighted) {
  QFont font = painter.font();
  for (std::size_t i = 0; i < map.bars.size(); ++i) {
    const QRectF lane = ToQt(layout.lanes[i]);
    painter.setPen(Qt::NoPen);
    painter.setBrush(i == highlighted ? kSelectedLane : (i % 2 ? kOddLane : QColor(Qt::white)));
    painter.drawRect(lane);
    PaintBar(painter, map.bars[i], ToQt(layout.bars[i]), i == highlighted);
    font.setPixelSize(std::clamp(static_cast<int>(lane.height() * kLabelShare), kSmallestPixels, kTitlePixels));
    font.setBold(i == highlighted);
    painter.setFont(font);
    PaintLabel(painter, map.bars[i], lane, layout.bars[i].x);
  }
}

}  // namespace

void PaintKeyboardMap(QPainter& painter, const KeyboardMap& map, QSize size, std::optional<std::size_t> highlighted) {
  const MapLayout layout = patchlore::LayOutMap(map, size.width(), size.height());
  if (highlighted && *highlighted >= map.bars.size()) highlighted.reset();
  painter.save();
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  QFont title = painter.font();
  title.setBold(true);
  title.setPixelSize(kTitlePixels);
  painter.setFont(title);
  painter.setPen(Qt::black);
  painter.drawText(ToQt(layout.title).adjusted(kTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   toQString(map.title));
  PaintLanes(painter, map, layout, highlighted);
  PaintKeyboard(painter, layout, highlighted ? std::optional(map.bars[*highlighted]) : std::nullopt);
  painter.restore();
}

patchlore::Status SaveKeyboardMapPicture(const QString& path, const KeyboardMap& map, QSize size,
                                         std::optional<std::size_t> highlighted) {
  const auto failed = [](const QString& why) { return patchlore::Failure{why.toStdString()}; };
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return failed(file.errorString());
  if (path.endsWith(".svg", Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(toQString(map.title));
    QPainter painter(&svg);
    PaintKeyboardMap(painter, map, size, highlighted);
  } else {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      PaintKeyboardMap(painter, map, size, highlighted);
    }
    if (!image.save(&file, "PNG")) return failed("the image could not be written");
  }
  if (!file.commit()) return failed(file.errorString());
  return patchlore::Success();
}
