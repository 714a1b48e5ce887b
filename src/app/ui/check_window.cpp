#include "app/ui/check_window.hpp"

#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>

#include "app/ui/text.hpp"

TMDIChild::TMDIChild(const patchlore::CheckWindowContent& content)
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
