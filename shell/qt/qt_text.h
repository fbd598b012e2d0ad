// Our texts (UTF-16) as Qt's.
#pragma once

#include <QString>
#include <string_view>

inline QString Q(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
