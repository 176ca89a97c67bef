// Text crosses into Qt here and nowhere else: the logic holds the bytes of the system code page,
// Qt holds UTF-16.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tolvanex::qt {

inline QString ToQt(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

// A message's line breaks are CR LF; a Qt label breaks at LF and would show the CR.
inline QString LinesToQt(std::string_view text) {
  return ToQt(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace tolvanex::qt
