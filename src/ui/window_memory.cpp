#include "ui/window_memory.hpp"

#include <QCoreApplication>
#include <QSettings>
#include <QWidget>

namespace window_memory {

bool enabled() { return !QCoreApplication::organizationName().isEmpty(); }

std::optional<QByteArray> value(const QString& key) {
  if (!enabled()) return std::nullopt;
  const QVariant stored = QSettings().value(key);
  if (!stored.isValid()) return std::nullopt;
  return stored.toByteArray();
}

void setValue(const QString& key, const QByteArray& value) {
  if (enabled()) QSettings().setValue(key, value);
}

bool restoreGeometry(QWidget& window, const QString& key) {
  const std::optional<QByteArray> geometry = value(key + "/geometry");
  return geometry && window.restoreGeometry(*geometry);
}

void saveGeometry(const QWidget& window, const QString& key) { setValue(key + "/geometry", window.saveGeometry()); }

}  // namespace window_memory
