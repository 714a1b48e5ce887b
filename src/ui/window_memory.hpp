// What the program remembers between runs, in the platform's standard
// settings file: the windows' sizes and places, the height of the main
// window's log, the log's font and whether viewers show their keyboard map,
// and how wide.
// Nothing else is stored. Only a program that names its settings
// (QCoreApplication's organisation name, which the desktop program sets)
// reads or writes them; without a name, as in the window tests, every window
// opens as it would the first time.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QWidget;

namespace window_memory {

bool enabled();

// The value stored under key, when there is one.
std::optional<QByteArray> value(const QString& key);
void setValue(const QString& key, const QByteArray& value);

// The window's size and place as it last had them; false when none was
// stored (the window is left as it is).
bool restoreGeometry(QWidget& window, const QString& key);
void saveGeometry(const QWidget& window, const QString& key);

}  // namespace window_memory
