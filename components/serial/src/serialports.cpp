#include "serialports.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

#include "linktarget.h"
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

QList<NumberedPort> numberPorts(const QMap<int, QString>& configured,
                                const QList<SerialDevice>& present) {
    QList<NumberedPort> ports;
    QSet<int> named;  // indexes into present that an entry claims
    for (auto it = configured.constBegin(); it != configured.constEnd(); ++it) {
        NumberedPort port{it.key(), it.value(), true, false, {}};
        const QString target = linkTarget(it.value());
        for (int i = 0; i < present.size(); ++i) {
            const SerialDevice& d = present.at(i);
            const bool same = d.path == it.value() || (!d.byId.isEmpty() && d.byId == it.value()) ||
                              (!target.isEmpty() && target == d.path);
            if (!same || named.contains(i)) continue;
            named.insert(i);
            port.present = true;
            port.adapter = d;
            break;
        }
        ports.append(port);
    }
    int next = 1;
    for (int i = 0; i < present.size(); ++i) {
        if (named.contains(i)) continue;
        while (configured.contains(next)) ++next;
        ports.append({next++, present.at(i).path, false, true, present.at(i)});
    }
    std::sort(ports.begin(), ports.end(),
              [](const NumberedPort& a, const NumberedPort& b) { return a.number < b.number; });
    return ports;
}

QString deviceForPort(int port, const QMap<int, QString>& configured, const QStringList& detected) {
    if (const auto it = configured.constFind(port); it != configured.constEnd()) return *it;
    QList<SerialDevice> present;
    for (const QString& path : detected) present.append(SerialDevice{path, {}, {}, {}, {}, {}, {}});
    for (const NumberedPort& p : numberPorts(configured, present))
        if (p.number == port) return p.device;
    return {};
}

}  // namespace kserial
