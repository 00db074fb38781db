// The filter text of the file dialogs: description and pattern pairs joined by "|", several
// patterns of one pair joined by ";" ("代码文件(*.hex;*.bin)|*.hex;*.bin|所有文件|*.*").
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kui {

struct FileFilter {
    QString description;
    QStringList patterns;
};

// One entry per description; a description without patterns offers every file ("*").
QList<FileFilter> parseFilter(const QString& filter);

// The filters as QFileDialog name filters ("description (pattern pattern)").
QStringList toNameFilters(const QList<FileFilter>& filters);

}  // namespace kui
