// For tests only. A pseudo-terminal has no modem lines: TIOCMGET, TIOCMSET, TIOCMBIS and
// TIOCMIWAIT fail with ENOTTY on its master and on its slave alike. A test whose virtual chip
// must see DTR and RTS names a FIFO in the environment variable KORVAN_TEST_MODEM_LINES; a line
// change that the device refused for want of modem lines is then written there as a text line
// ("DTR=1", "RTS=0"). On a real adapter the ioctl succeeds and this is never reached.
#pragma once

namespace kserial {

inline constexpr const char* kModemLineChannelVariable = "KORVAN_TEST_MODEM_LINES";

// Writes "NAME=0" or "NAME=1" to the channel when one is named and someone reads it; silent
// otherwise.
void reportToModemLineChannel(const char* line, bool asserted);

}  // namespace kserial
