// The size a window needs for one of its tables to show every column and a
// number of rows, the rest of the window at the sizes its layout asks for.
#pragma once

#include <QSize>

class QLayout;
class QTableView;

// layout holds table among the widgets it stacks from top to bottom.
QSize SizeShowingTable(const QLayout& layout, const QTableView& table, int rows);
