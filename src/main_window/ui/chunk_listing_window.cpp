#include "main_window/ui/chunk_listing_window.hpp"

#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>

#include "ui/qt_text.hpp"

ChunkListingWindow::ChunkListingWindow(const patchlore::ChunkListingContent& content)
    : QWidget(nullptr), memo_(new QPlainTextEdit(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(toQString(content.caption));
  resize(512, 128);

  memo_->setObjectName("Memo1");
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setReadOnly(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(memo_);

  QStringList lines;
  lines.reserve(static_cast<qsizetype>(content.lines.size()));
  for (const auto& line : content.lines) lines << toQString(line);
  memo_->setPlainText(lines.join('\n'));
}
