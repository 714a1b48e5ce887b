// The one crossing of texts between the core and the screen. Core texts hold
// one Windows-1251 byte per character; control bytes are shown as a middle
// dot, because a NUL in a file header would otherwise end the line on screen.
#pragma once

#include <QString>
#include <string>

#include "common/cp1251.hpp"

inline QString toQString(const std::string& text) {
  constexpr char kMiddleDot = '\xB7';  // U+00B7 in Windows-1251
  std::string visible = text;
  for (char& c : visible)
    if (static_cast<unsigned char>(c) < 0x20) c = kMiddleDot;
  return QString::fromStdString(patchlore::Cp1251ToUtf8(visible));
}

// What the user typed, as a core text.
inline std::string FromQString(const QString& text) { return patchlore::Utf8ToCp1251(text.toStdString()); }
