// Which device a port number means: a configured map (section [Ports] of an INI file,
// "COM1=/dev/ttyUSB0") first, else the n-th serial device found in a stable order.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

#include "serialdevices.h"

namespace kserial {

// Serial devices present under devDir, in the order /dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*,
// each by its number. Only character devices count; a ttyS whose driver reports no UART
// (sysTtyDir/<name>/type is 0) is left out, as most of the 32 ttyS nodes are placeholders.
QStringList detectSerialDevices(const QString& devDir = QStringLiteral("/dev"),
                                const QString& sysTtyDir = QStringLiteral("/sys/class/tty"));

// The COMn entries of section [Ports], read with the shared private-profile reader (names ignore
// case, values trimmed and stripped of one pair of quotes, the first entry of a key wins); a
// value without "/" is taken as a name in /dev. nullopt when the file cannot be read.
std::optional<QMap<int, QString>> readPortsSection(const QString& iniPath);

// A port number and what stands behind it.
struct NumberedPort {
    int number = 0;
    QString device;  // what opening COMn opens: the configured entry, else the device found
    bool configured = false;
    bool present = false;  // a device is there behind the number
    SerialDevice adapter;  // that device, with its adapter's details
};

// The numbers of the ports. Every [Ports] entry keeps its number, whether its device is there
// or not, and names a present device by its path or by a link to it (a /dev/serial/by-id name).
// The devices that no entry names take the other numbers from 1 up, in the order found; without
// entries COMn is thus the n-th device found. Sorted by number.
QList<NumberedPort> numberPorts(const QMap<int, QString>& configured,
                                const QList<SerialDevice>& present);

// The device of COM`port` by the rule above; "" when there is none.
QString deviceForPort(int port, const QMap<int, QString>& configured, const QStringList& detected);

}  // namespace kserial
