// A /dev and /sys/class/tty of our own in a temporary folder, with real links and files: USB
// adapters are added, re-plugged and pulled out as the kernel and udev would show them.
#pragma once

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kserial::testing {

struct FakeAdapter {
    QString tty;           // "ttyUSB0"
    QString byIdName;      // "usb-1a86_USB_Serial-if00-port0"; "" for none
    const char* vendor;    // "1a86"
    const char* product;   // "7523"
    QString productName;   // "CH340"
    QString manufacturer;  // "QinHeng Electronics"
    QString serial;
    QString node = QStringLiteral("/dev/null");  // what the device node leads to (a pty works)
};

class FakeTree {
  public:
    bool ok() const {
        return m_root.isValid() && QDir(m_root.path()).mkpath(QStringLiteral("dev/serial/by-id")) &&
               QDir(m_root.path()).mkpath(QStringLiteral("sys/class/tty"));
    }
    QString devDir() const { return m_root.filePath(QStringLiteral("dev")); }
    QString sysTtyDir() const { return m_root.filePath(QStringLiteral("sys/class/tty")); }
    QString byIdDir() const { return devDir() + QStringLiteral("/serial/by-id"); }
    QString device(const QString& tty) const { return devDir() + u'/' + tty; }
    QString byId(const QString& name) const { return byIdDir() + u'/' + name; }

    // The device node (a link to /dev/null, a character device anyone may open), its sysfs
    // entry with the USB device's attributes two levels up, and its by-id link.
    bool plug(const FakeAdapter& a) {
        const QString usb = m_root.filePath(QStringLiteral("sys/devices/usb1/1-") + a.tty);
        const QString port = usb + QStringLiteral("/1-1:1.0/") + a.tty;
        if (!QDir().mkpath(port)) return false;
        bool ok = write(usb + QStringLiteral("/idVendor"), a.vendor) &&
                  write(usb + QStringLiteral("/idProduct"), a.product) &&
                  write(usb + QStringLiteral("/product"), a.productName.toUtf8()) &&
                  write(usb + QStringLiteral("/manufacturer"), a.manufacturer.toUtf8()) &&
                  write(usb + QStringLiteral("/serial"), a.serial.toUtf8());
        const QString sysEntry = sysTtyDir() + u'/' + a.tty;
        ok = ok && QDir().mkpath(sysEntry) && link(port, sysEntry + QStringLiteral("/device")) &&
             link(a.node, device(a.tty));
        if (!a.byIdName.isEmpty())
            ok = ok && link(QStringLiteral("../../") + a.tty, byId(a.byIdName));
        return ok;
    }
    // What udev does when the adapter goes: its node and its link disappear.
    bool unplug(const FakeAdapter& a) {
        bool ok = QFile::remove(device(a.tty));
        if (!a.byIdName.isEmpty()) ok = QFile::remove(byId(a.byIdName)) && ok;
        QDir(sysTtyDir() + u'/' + a.tty).removeRecursively();
        return ok;
    }
    // A built-in serial port: a UART behind it (type 4) or a placeholder without one (type 0).
    bool addTtyS(const QString& tty, bool uart) {
        const QString sysEntry = sysTtyDir() + u'/' + tty;
        return QDir().mkpath(sysEntry) &&
               write(sysEntry + QStringLiteral("/type"), uart ? "4\n" : "0\n") &&
               link(QStringLiteral("/dev/null"), device(tty));
    }

    static bool write(const QString& path, const QByteArray& content) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(content + '\n') == content.size() + 1;
    }
    static bool link(const QString& target, const QString& name) {
        return ::symlink(QFile::encodeName(target).constData(),
                         QFile::encodeName(name).constData()) == 0;
    }

  private:
    QTemporaryDir m_root;
};

// Two adapters of different makes, as most users have them.
inline FakeAdapter Ch340(const QString& tty = QStringLiteral("ttyUSB0")) {
    return {tty,
            QStringLiteral("usb-1a86_USB_Serial-if00-port0"),
            "1a86",
            "7523",
            QStringLiteral("CH340"),
            QStringLiteral("QinHeng Electronics"),
            QString()};
}
inline FakeAdapter Cp2102(const QString& tty = QStringLiteral("ttyUSB1")) {
    return {tty,
            QStringLiteral("usb-Silicon_Labs_CP2102_USB_to_UART_Bridge_Controller_0001-if00-port0"),
            "10c4",
            "ea60",
            QStringLiteral("CP2102 USB to UART Bridge Controller"),
            QStringLiteral("Silicon Labs"),
            QStringLiteral("0001")};
}

}  // namespace kserial::testing
