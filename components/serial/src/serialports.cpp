#include "serialports.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

#include "privateprofile.h"

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
    const auto profile = ktext::PrivateProfile::load(iniPath);
    if (!profile) return std::nullopt;
    static const QRegularExpression comKey(QStringLiteral("^COM(\\d{1,5})$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QString section = QStringLiteral("Ports");
    QMap<int, QString> ports;
    QSet<int> seen;  // "COM1" and "COM01" name one port: the first one counts, even when empty
    for (const QString& key : profile->keys(section)) {
        const QRegularExpressionMatch m = comKey.match(key);
        if (!m.hasMatch()) continue;
        const int port = m.captured(1).toInt();
        if (port < 1 || seen.contains(port)) continue;
        seen.insert(port);
        QString device = profile->read(section, key).trimmed();
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
