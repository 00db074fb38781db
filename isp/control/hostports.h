// Which device a port number means for the control's jobs. The control lives in the host's
// process, so it reads the same table the host keeps: section [Ports] of the host's
// Config.ini ("COM3=/dev/ttyUSB0"). Without that file, numbers count the serial devices found.
#pragma once

#include <QString>

namespace zel::control {

// The host's Config.ini, in the settings folder that KORVAN itself uses
// (ktext::SettingsFolder); "" when there is none.
QString HostConfigFile();

// Replaces the port table of the control's serial ports by the [Ports] section of the host's
// Config.ini. Without a file the table is left as it is. Runs before every job, so an edited
// table counts at the next one.
void LoadHostPortMap();

}  // namespace zel::control
