// Windows lists a filter's patterns separated by semicolons; Qt wants them by blanks.
#include "DialogFilters.h"

#include "Text.h"

namespace loadergui::qt {

namespace {

QString Patterns(const QString& windowsPatterns) {
  QStringList patterns;
  for (const QString& pattern : windowsPatterns.split(u';', Qt::SkipEmptyParts)) {
    QString trimmed = pattern.trimmed();
    if (trimmed.isEmpty()) continue;
    patterns.append(trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
  }
  return patterns.join(u' ');
}

}  // namespace

QStringList NameFilters(const std::string& recordFilter) {
  QStringList filters;
  std::size_t at = 0;
  for (;;) {
    std::size_t descriptionEnd = recordFilter.find('\0', at);
    if (descriptionEnd == std::string::npos || descriptionEnd == at) break;
    std::size_t patternsEnd = recordFilter.find('\0', descriptionEnd + 1);
    if (patternsEnd == std::string::npos) break;
    QString description = ToQt(recordFilter.substr(at, descriptionEnd - at));
    QString patterns =
        ToQt(recordFilter.substr(descriptionEnd + 1, patternsEnd - descriptionEnd - 1));
    filters.append(description + QStringLiteral(" (") + Patterns(patterns) + QStringLiteral(")"));
    at = patternsEnd + 1;
  }
  return filters;
}

}  // namespace loadergui::qt
