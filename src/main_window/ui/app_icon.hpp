// The program's icon, for its windows and the desktop's task switcher.
#pragma once

#include <QIcon>

// The icon drawn at every installed size (16 to 256 pixels), from the
// program's own resources.
QIcon ApplicationIcon();
