// The "Check PCG" window: one listing in a memo. It is freed when closed.
#pragma once

#include <QWidget>

#include "main_window/main_window_core.hpp"

class QPlainTextEdit;

class ChunkListingWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ChunkListingWindow(const patchlore::ChunkListingContent& content);

 private:
  QPlainTextEdit* listing_;
};
