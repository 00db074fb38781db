// korvan-cli ports: every port number with its device, by-id name, adapter, USB ids, serial
// number and the program that holds it, as an aligned table or one JSON object per port.
#pragma once

#include "serialports.h"

#include <QJsonObject>
#include <QStringList>
#include <functional>
#include <optional>

namespace korvan::cli {

using HolderLookup = std::function<std::optional<kserial::DeviceHolder>(const QString& path)>;

QStringList PortsTableLines(const QList<kserial::NumberedPort>& ports, const HolderLookup& holder);
QJsonObject PortJson(const kserial::NumberedPort& port, const HolderLookup& holder);

// Prints the ports of this system; the exit code (0).
int RunPorts(bool json);

}  // namespace korvan::cli
