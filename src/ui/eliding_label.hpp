// A one-line label for status texts, which can be longer than the room the
// window has for them: where the text does not fit it is drawn cut, ending
// in "…", and shown whole in a tooltip, so a long text never widens its
// window. text() is always the whole text.
#pragma once

#include <QLabel>

class ElidingLabel : public QLabel {
  Q_OBJECT

 public:
  ElidingLabel(const QString& text, QWidget* parent);

  // The text as drawn at the label's present width.
  QString shownText() const;
  bool elided() const { return shownText() != text(); }

  // Wide enough for "…" alone: the layout may give the label any width.
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int textWidth() const;
};

// A status label: plain text, named, cut with a tooltip where it is too long.
ElidingLabel* StatusLabel(const char* name, const QString& text, QWidget* parent);
