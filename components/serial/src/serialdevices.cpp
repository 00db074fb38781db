#include "serialdevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

#include "linktarget.h"
#include "portholder.h"
#include "serialports.h"

namespace kserial {

namespace {

QString readAttribute(const QString& dir, const char* name) {
    QFile file(dir + u'/' + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.read(256)).trimmed();
}

std::optional<quint16> readHexId(const QString& dir, const char* name) {
    bool ok = false;
    const uint value = readAttribute(dir, name).toUInt(&ok, 16);
    if (!ok || value > 0xFFFF) return std::nullopt;
    return quint16(value);
}

// A USB serial port's tty hangs below the interface (ttyACM) or below a port of the interface
// (ttyUSB); the USB device with its ids is a level or two further up.
void describeFromSysfs(SerialDevice& device, const QString& sysTtyDir) {
    const QString name = QFileInfo(device.path).fileName();
    QString dir =
        QFileInfo(sysTtyDir + u'/' + name + QStringLiteral("/device")).canonicalFilePath();
    for (int up = 0; up < 4 && !dir.isEmpty() && dir != QStringLiteral("/"); ++up) {
        if (QFileInfo::exists(dir + QStringLiteral("/idVendor"))) {
            device.vendorId = readHexId(dir, "idVendor");
            device.productId = readHexId(dir, "idProduct");
            if (!device.vendorId || !device.productId) {
                device.vendorId.reset();
                device.productId.reset();
            }
            device.manufacturer = readAttribute(dir, "manufacturer");
            device.product = readAttribute(dir, "product");
            device.serialNumber = readAttribute(dir, "serial");
            return;
        }
        dir = QFileInfo(dir).path();
    }
}

void fillFrom(SerialDevice& device, const QSerialPortInfo& info) {
    if (device.manufacturer.isEmpty()) device.manufacturer = info.manufacturer();
    if (device.product.isEmpty()) device.product = info.description();
    if (device.serialNumber.isEmpty()) device.serialNumber = info.serialNumber();
    if (!device.vendorId && info.hasVendorIdentifier() && info.hasProductIdentifier()) {
        device.vendorId = info.vendorIdentifier();
        device.productId = info.productIdentifier();
    }
}

}  // namespace

QString SerialDevice::usbIds() const {
    if (!vendorId || !productId) return {};
    return QStringLiteral("%1:%2")
        .arg(*vendorId, 4, 16, QLatin1Char('0'))
        .arg(*productId, 4, 16, QLatin1Char('0'));
}

QString SerialDevice::describe() const {
    const QString name = !product.isEmpty() ? product : manufacturer;
    const QString ids = usbIds();
    if (ids.isEmpty()) return name;
    return name.isEmpty() ? ids : name + QStringLiteral(" (") + ids + u')';
}

bool ScanRoots::isSystem() const {
    return devDir == QLatin1String("/dev") && sysTtyDir == QLatin1String("/sys/class/tty");
}

QMap<QString, QString> byIdLinks(const QString& devDir) {
    QMap<QString, QString> links;
    const QString folder = devDir + QStringLiteral("/serial/by-id");
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!entry.isSymLink() || !entry.exists()) continue;  // dangling links name nothing
        const QString target = linkTarget(entry.filePath());
        if (target.isEmpty() || links.contains(target)) continue;
        links.insert(target, folder + u'/' + entry.fileName());
    }
    return links;
}

QList<SerialDevice> scanSerialDevices(const ScanRoots& roots) {
    const QMap<QString, QString> links = byIdLinks(roots.devDir);
    auto byIdOf = [&](const QString& path) { return links.value(QDir::cleanPath(path)); };

    QList<SerialDevice> devices;
    for (const QString& path : detectSerialDevices(roots.devDir, roots.sysTtyDir)) {
        SerialDevice device;
        device.path = path;
        device.byId = byIdOf(path);
        describeFromSysfs(device, roots.sysTtyDir);
        devices.append(device);
    }
    if (!roots.isSystem()) return devices;

    QList<SerialDevice> others;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        const QString path = info.systemLocation();
        const auto known = std::find_if(devices.begin(), devices.end(),
                                        [&](const SerialDevice& d) { return d.path == path; });
        if (known != devices.end()) {
            fillFrom(*known, info);
            continue;
        }
        // The families above were decided by our own rules (a ttyS without UART stays out).
        static const QRegularExpression numbered(QStringLiteral("^tty(USB|ACM|S)\\d+$"));
        if (numbered.match(info.portName()).hasMatch()) continue;
        SerialDevice device;
        device.path = path;
        device.byId = byIdOf(path);
        describeFromSysfs(device, roots.sysTtyDir);
        fillFrom(device, info);
        others.append(device);
    }
    std::sort(others.begin(), others.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });
    return devices + others;
}

std::optional<DeviceHolder> deviceHolder(const QString& path) {
    const std::optional<PortHolder> holder = findOtherHolder(path);
    if (!holder) return std::nullopt;
    return DeviceHolder{holder->pid, holder->name};
}

}  // namespace kserial
