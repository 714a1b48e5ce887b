// The pane beside a combination or song viewer's table (object name
// "KeyboardMap"): the keyboard map of the selected row's combination or
// song, its row's bar highlighted. A click on a bar asks for its row.
#pragma once

#include <QWidget>
#include <cstddef>
#include <optional>

#include "viewer/keyboard_map.hpp"

class KeyboardMapPane : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kUsualWidth = 480;
  static constexpr int kUsualHeight = 160;

  explicit KeyboardMapPane(QWidget* parent = nullptr);

  // The map to draw, and the table row whose bar stands out; nothing draws
  // a hint to select a row.
  void showMap(std::optional<patchlore::KeyboardMap> map, std::optional<std::size_t> row);
  const std::optional<patchlore::KeyboardMap>& map() const { return map_; }
  std::optional<std::size_t> highlightedBar() const { return highlighted_; }

  QSize sizeHint() const override { return {kUsualWidth, kUsualHeight}; }
  QSize minimumSizeHint() const override;

 signals:
  void rowClicked(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::optional<patchlore::KeyboardMap> map_;
  std::optional<std::size_t> highlighted_;
};
