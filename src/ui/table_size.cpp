#include "ui/table_size.hpp"

#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

QSize SizeShowingTable(const QLayout& layout, const QTableView& table, int rows) {
  const QHeaderView* top = table.horizontalHeader();
  const QHeaderView* side = table.verticalHeader();
  const int frame = 2 * table.frameWidth();
  const int width = (side->isHidden() ? 0 : side->sizeHint().width()) + top->length() + frame +
                    table.verticalScrollBar()->sizeHint().width();
  const int height = (top->isHidden() ? 0 : top->sizeHint().height()) + rows * side->defaultSectionSize() + frame +
                     table.horizontalScrollBar()->sizeHint().height();
  const QSize around = layout.sizeHint();
  const QMargins margins = layout.contentsMargins();
  return {std::max(around.width(), width + margins.left() + margins.right()),
          around.height() - table.sizeHint().height() + height};
}
