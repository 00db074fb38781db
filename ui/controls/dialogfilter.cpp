#include "dialogfilter.h"

namespace kui {

QList<FileFilter> parseFilter(const QString& filter) {
    QList<FileFilter> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        FileFilter f;
        f.description = parts[i].trimmed();
        if (i + 1 < parts.size()) {
            const QStringList patterns = parts[i + 1].split(QLatin1Char(';'));
            for (const QString& p : patterns)
                if (!p.trimmed().isEmpty()) f.patterns.append(p.trimmed());
        }
        // A trailing "|" leaves an empty description behind; that is no file type.
        if (f.description.isEmpty() && f.patterns.isEmpty()) continue;
        if (f.patterns.isEmpty()) f.patterns.append(QStringLiteral("*"));
        if (f.description.isEmpty()) f.description = f.patterns.join(QLatin1Char(';'));
        result.append(f);
    }
    return result;
}

QStringList toNameFilters(const QList<FileFilter>& filters) {
    QStringList names;
    for (const FileFilter& f : filters)
        names.append(f.description + QStringLiteral(" (") + f.patterns.join(QLatin1Char(' ')) +
                     QLatin1Char(')'));
    return names;
}

}  // namespace kui
