// The serial devices present, each with what identifies its adapter (maker, product, USB ids,
// serial number, the stable name under /dev/serial/by-id), found without opening any of them.
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace kserial {

struct SerialDevice {
    QString path;          // "/dev/ttyUSB0"
    QString byId;          // "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", or ""
    QString manufacturer;  // as the adapter reports it, "" when unknown
    QString product;
    QString serialNumber;
    std::optional<quint16> vendorId;
    std::optional<quint16> productId;

    bool isUsb() const { return vendorId.has_value(); }
    // "1a86:7523", or "" without USB ids.
    QString usbIds() const;
    // The adapter in words: "CH340 (1a86:7523)", the maker when there is no product name,
    // "" when nothing is known.
    QString describe() const;
};

// Where devices are looked for: the device folder and the kernel's tty class folder. Tests
// point both into a temporary tree.
struct ScanRoots {
    QString devDir = QStringLiteral("/dev");
    QString sysTtyDir = QStringLiteral("/sys/class/tty");

    bool isSystem() const;
};

// The serial devices under the roots, in the order that numbers them: /dev/ttyUSB*,
// /dev/ttyACM*, /dev/ttyS* (each by its number; a ttyS without a UART behind it is left out),
// then any other serial device the system library knows of, by name. Adapter details come from
// sysfs; on the system's own roots Qt's port enumeration fills in what sysfs did not say.
QList<SerialDevice> scanSerialDevices(const ScanRoots& roots = {});

// Another program that has the device open: its process id and name ("" when unreadable).
struct DeviceHolder {
    qint64 pid = 0;
    QString name;
};
std::optional<DeviceHolder> deviceHolder(const QString& path);

// The links in <devDir>/serial/by-id, keyed by the device path each one leads to.
QMap<QString, QString> byIdLinks(const QString& devDir);

}  // namespace kserial
