#include "core/FileFilter.h"

namespace mivo {
namespace {

// Patterns come ';'-separated, while Qt separates them with blanks.
QString qtPatterns(const QString& pipePatterns) {
    QStringList patterns;
    for (const QString& pattern : pipePatterns.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed.isEmpty())
            continue;
        patterns.append(trimmed == QLatin1StringView("*.*") ? QStringLiteral("*") : trimmed);
    }
    return patterns.join(u' ');
}

} // namespace

FileFilter designedFileFilter(const QString& pipeFilter, const QString& shownDescription) {
    const QStringList parts = pipeFilter.split(u'|');
    FileFilter filter;
    // An odd part, or the empty part after a trailing bar, names nothing to match.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = qtPatterns(parts.at(i + 1));
        if (patterns.isEmpty())
            continue;
        const QString description = parts.at(i).trimmed();
        filter.nameFilters.append((description.isEmpty() ? patterns : description) + QStringLiteral(" (") +
                                  patterns + u')');
        if (!shownDescription.trimmed().isEmpty() && filter.selected.isEmpty() &&
            description == shownDescription.trimmed())
            filter.selected = filter.nameFilters.back();
    }
    return filter;
}

} // namespace mivo
