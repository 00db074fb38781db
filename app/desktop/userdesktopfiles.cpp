#include "desktop/userdesktopfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "atomicsave.h"
#include "desktop/fileassociation.h"
#include "desktop/xdgplaces.h"
#include "regularfile.h"

namespace korvan::desktop {

namespace {

// The tool normally takes a few milliseconds; a hung one must not hold the start for long.
constexpr int kMimeToolTimeoutMs = 10000;

QByteArray Resource(const QString& name) {
    QFile file(QStringLiteral(":/korvan/desktop/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A desktop entry's string values take "\\" for a backslash.
QString EscapeString(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return out;
}

}  // namespace

QByteArray MimePackage() {
    return Resource(QStringLiteral("korvan-mime.xml"));
}

QString ExecWord(const QString& program) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (const QChar c : program) quote = quote || reserved.contains(c);
    QString word;
    for (const QChar c : program) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\')) word += u'\\';
        word += c;
        if (c == u'%') word += u'%';
    }
    return EscapeString(quote ? u'"' + word + u'"' : word);
}

QByteArray DesktopEntryFor(const QString& program) {
    QStringList lines = QString::fromUtf8(Resource(kDesktopEntry)).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(QStringLiteral("Exec="))) continue;
        lines[i] = QStringLiteral("Exec=") + ExecWord(program) + QStringLiteral(" %f");
        // An entry left behind by a KORVAN that is gone is hidden by the desktop.
        lines.insert(i + 1, QStringLiteral("TryExec=") + EscapeString(program));
        break;
    }
    return lines.join(u'\n').toUtf8();
}

QString UserMimePackageFile() {
    return DataHome() + QStringLiteral("/mime/packages/korvan.xml");
}

QString UserDesktopEntryFile() {
    return DataHome() + QStringLiteral("/applications/") + kDesktopEntry;
}

bool WriteIfChanged(const QString& path, const QByteArray& bytes) {
    // These files are small; anything larger than ten times what is written is replaced.
    const auto current = ktext::ReadRegularFile(path, bytes.size() * 10 + 4096);
    if (current && *current == bytes) return true;
    return ktext::SaveFileAtomically(path, bytes);
}

bool UpdateUserMimeCache() {
    const QString folder = DataHome() + QStringLiteral("/mime");
    QDateTime newest;
    for (const QFileInfo& package :
         QDir(folder + QStringLiteral("/packages")).entryInfoList({QStringLiteral("*.xml")}))
        if (!newest.isValid() || package.lastModified() > newest) newest = package.lastModified();
    if (!newest.isValid()) return true;
    const QFileInfo cache(folder + QStringLiteral("/mime.cache"));
    if (cache.exists() && cache.lastModified() >= newest) return true;

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty()) return false;
    QProcess process;
    // It warns about folders outside the search path, which tests use; nobody reads that.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, {folder});
    if (!process.waitForFinished(kMimeToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace korvan::desktop
