#include "main_window/ui/chunk_listing_window.hpp"

#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>

#include "ui/qt_text.hpp"
#include "ui/widgets.hpp"

ChunkListingWindow::ChunkListingWindow(const patchlore::ChunkListingContent& content)
    : QWidget(nullptr), listing_(Named(new QPlainTextEdit(this), "Memo1")) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(toQString(content.caption));
  resize(512, 128);

  listing_->setLineWrapMode(QPlainTextEdit::NoWrap);
  listing_->setReadOnly(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(listing_);

  QStringList lines;
  lines.reserve(static_cast<qsizetype>(content.lines.size()));
  for (const auto& line : content.lines) lines << toQString(line);
  listing_->setPlainText(lines.join('\n'));
}
