#include "serialports.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace kserial {

namespace {

// The order in which device families are numbered.
int familyRank(QStringView family) {
    if (family == u"ttyUSB") return 0;
    if (family == u"ttyACM") return 1;
    return 2;
}

bool isCharDevice(const QString& path) {
    struct stat st {};
    return stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

// The kernel creates ttyS0..ttyS31 whether or not a UART sits behind them; serial core says
// which ones are real through the "type" attribute (0 = unknown, no UART).
bool hasUart(const QString& sysTtyDir, const QString& name) {
    QFile type(sysTtyDir + u'/' + name + QStringLiteral("/type"));
    if (!type.open(QIODevice::ReadOnly)) return true;  // cannot tell: offer it
    return type.readAll().trimmed() != "0";
}

QString stripQuotes(QString value) {
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

QStringList detectSerialDevices(const QString& devDir, const QString& sysTtyDir) {
    static const QRegularExpression pattern(QStringLiteral("^(ttyUSB|ttyACM|ttyS)(\\d+)$"));
    struct Found {
        int family;
        qulonglong number;
        QString path;
    };
    QList<Found> found;
    const QStringList names =
        QDir(devDir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QRegularExpressionMatch m = pattern.match(name);
        if (!m.hasMatch()) continue;
        const QString path = devDir + u'/' + name;
        if (!isCharDevice(path)) continue;
        const QString family = m.captured(1);
        if (family == QLatin1String("ttyS") && !hasUart(sysTtyDir, name)) continue;
        found.append({familyRank(family), m.captured(2).toULongLong(), path});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.family != b.family ? a.family < b.family : a.number < b.number;
    });
    QStringList paths;
    for (const Found& f : found) paths.append(f.path);
    return paths;
}

std::optional<QMap<int, QString>> readPortsSection(const QString& iniPath) {
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    static const QRegularExpression comKey(QStringLiteral("^COM(\\d{1,5})$"),
                                           QRegularExpression::CaseInsensitiveOption);
    QMap<int, QString> ports;
    QSet<int> seen;  // a key given twice: the first one counts, even when it is empty
    bool inPorts = false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            inPorts =
                close > 0 && line.mid(1, close - 1)
                                     .trimmed()
                                     .compare(QLatin1String("Ports"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inPorts || eq <= 0) continue;
        const QRegularExpressionMatch m = comKey.match(line.left(eq).trimmed());
        if (!m.hasMatch()) continue;
        const int port = m.captured(1).toInt();
        QString device = stripQuotes(line.mid(eq + 1).trimmed()).trimmed();
        if (port < 1 || seen.contains(port)) continue;
        seen.insert(port);
        if (device.isEmpty()) continue;
        if (!device.contains(u'/')) device.prepend(QStringLiteral("/dev/"));
        ports.insert(port, device);
    }
    return ports;
}

QString deviceForPort(int port, const QMap<int, QString>& configured, const QStringList& detected) {
    if (const auto it = configured.constFind(port); it != configured.constEnd()) return *it;
    if (port >= 1 && port <= detected.size()) return detected.at(port - 1);
    return {};
}

}  // namespace kserial
