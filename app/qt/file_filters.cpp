#include "app/qt/file_filters.h"

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
  QString pattern = ToQt(filter.Pattern);
  QString shown = QLatin1Char('(') + pattern + QLatin1Char(')');
  if (description.endsWith(shown)) description.chop(shown.size());
  description = description.trimmed();

  QString patterns = QtPatterns(pattern).join(QLatin1Char(' '));
  if (description.isEmpty()) return patterns;
  return description + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

QStringList QtNameFilters(const std::vector<FileFilter>& filters) {
  QStringList result;
  for (const FileFilter& filter : filters) result.append(QtNameFilter(filter));
  return result;
}

}  // namespace tolvanex::qt
