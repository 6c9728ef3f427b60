#include "platform/QtFileOpenDialog.h"

#include <QFileDialog>
#include <QStringList>

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

QString qtNameFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(u'|');
    QStringList entries;
    // A description left without patterns (an odd part, or the empty part after a trailing bar)
    // names nothing to match and is dropped.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = qtPatterns(parts.at(i + 1));
        if (patterns.isEmpty())
            continue;
        const QString description = parts.at(i).trimmed();
        entries.append((description.isEmpty() ? patterns : description) + QStringLiteral(" (") + patterns +
                       u')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString qtSelectedNameFilter(const QString& pipeFilter, const QString& description) {
    if (description.trimmed().isEmpty())
        return {};
    const QString prefix = description.trimmed() + QStringLiteral(" (");
    for (const QString& entry : qtNameFilter(pipeFilter).split(QStringLiteral(";;"))) {
        if (entry.startsWith(prefix))
            return entry;
    }
    return {};
}

std::optional<QString> QtFileOpenDialog::chooseFile(QWidget* parent, const FileOpenRequest& request) {
    QString selectedFilter = qtSelectedNameFilter(request.filter, request.shownFilter);
    const QString chosen = QFileDialog::getOpenFileName(parent, request.title, request.startFileName,
                                                        qtNameFilter(request.filter), &selectedFilter,
                                                        QFileDialog::HideNameFilterDetails);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace mivo
