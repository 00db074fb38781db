// Keeps the number that an adapter was just given: written to section [Ports] of Config.ini
// under the adapter's /dev/serial/by-id name, so it keeps that number across re-plugging and
// reboots.
#pragma once

#include <QString>

#include "serialports.h"

namespace korvan::jobs {

// When COM`number` is an adapter with a by-id name that no [Ports] entry names yet, writes
// "COMn=<by-id name>" to `configFile` and into the port map in use. An existing entry is never
// changed: what the user wrote there stays. True when an entry was written.
bool RememberPortNumber(int number, const QString& configFile);

// "COM3  /dev/ttyUSB0  CH340 (1a86:7523)": the number, the device and the adapter in words, as
// the port menu and korvan-cli show a port. An entry whose adapter is absent shows its name.
QString PortCaption(const kserial::NumberedPort& port);

// The ports that are USB serial adapters present.
QList<kserial::NumberedPort> PresentUsbPorts(const QList<kserial::NumberedPort>& ports);

}  // namespace korvan::jobs
