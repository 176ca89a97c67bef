#include "app/qt/file_filters.h"

#include <QRegularExpression>

#include "app/qt/qt_text.h"

namespace tolvanex::qt {

namespace {

QStringList QtPatterns(const QString& patterns) {
  QStringList result;
  for (QString pattern : patterns.split(QLatin1Char(';'))) {
    pattern = pattern.trimmed();
    if (pattern.isEmpty()) continue;
    result.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
  }
  if (result.isEmpty()) result.append(QStringLiteral("*"));
  return result;
}

}  // namespace

QString QtNameFilter(const FileFilter& filter) {
  QString description = ToQt(filter.Description).trimmed();
  if (description.isEmpty()) description = ToQt(filter.Pattern).trimmed();
  return description + QStringLiteral(" (") +
         QtPatterns(ToQt(filter.Pattern)).join(QLatin1Char(' ')) + QLatin1Char(')');
}

QStringList QtNameFilters(const std::vector<FileFilter>& filters) {
  QStringList result;
  for (const FileFilter& filter : filters) result.append(QtNameFilter(filter));
  return result;
}

bool QtCanShowDescriptionsOnly(const QStringList& nameFilters) {
  // The pattern part as Qt's file dialog reads it off the end of a filter.
  static const QRegularExpression readable(
      QStringLiteral(R"(^(.*)\(([a-zA-Z0-9_.,*? +;#\-\[\]@\{\}/!<>\$%&=^~:\|]*)\)$)"));
  for (const QString& filter : nameFilters) {
    if (!readable.match(filter).hasMatch()) return false;
  }
  return true;
}

}  // namespace tolvanex::qt
