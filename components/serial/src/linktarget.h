// Where a symbolic link leads, one step only: a link to a link (as in test trees, where the
// devices themselves link onward) names the device it was made for. "" when not a link.
#pragma once

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace kserial {

inline QString linkTarget(const QString& path) {
    char target[1024];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), target, sizeof target - 1);
    if (n <= 0) return {};
    const QString to = QFile::decodeName(QByteArray(target, int(n)));
    return QDir::cleanPath(to.startsWith(u'/') ? to : QFileInfo(path).path() + u'/' + to);
}

}  // namespace kserial
