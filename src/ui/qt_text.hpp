// The one crossing of texts between the core and the screen. Core texts hold
// one Windows-1251 byte per character; control bytes are shown as a middle
// dot (VisibleUtf8).
#pragma once

#include <QString>
#include <string>

#include "common/cp1251.hpp"

inline QString toQString(const std::string& text) { return QString::fromStdString(patchlore::VisibleUtf8(text)); }

// What the user typed, as a core text.
inline std::string FromQString(const QString& text) { return patchlore::Utf8ToCp1251(text.toStdString()); }
