// Which device a port number means: a configured map (section [Ports] of an INI file,
// "COM1=/dev/ttyUSB0") first, else the n-th serial device found in a stable order.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

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

// The device of COM`port`: the configured entry, else detected[port - 1]; "" when neither exists.
QString deviceForPort(int port, const QMap<int, QString>& configured, const QStringList& detected);

}  // namespace kserial
