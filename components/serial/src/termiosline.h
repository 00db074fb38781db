// Puts an open tty into the raw byte-pipe mode a bootloader link needs, at given line settings,
// and drives its RTS line.
#pragma once

#include "commsettings.h"

namespace kserial {

// Raw mode (no echo, no line editing, no CR/LF translation, no flow control), reads that return
// whatever is there, and the given rate, parity, data and stop bits. A pseudo-terminal silently
// keeps 8 data bits without parity; that is accepted, not an error. Returns 0 or an errno value.
int configureLine(int fd, const CommSettings& settings);

// Asserts or clears one modem line (TIOCM_DTR, TIOCM_RTS) where the device has them. Returns 0
// or an errno value; a device without modem lines is not an error (0).
int setModemLineIfPresent(int fd, int line, bool asserted);

// Asserts or clears one modem line (TIOCM_DTR, TIOCM_RTS). Returns 0 or an errno value; ENOTTY
// or EINVAL for a device without modem lines (a pty).
int driveModemLine(int fd, int line, bool asserted);

// Keeps DTR and RTS at their levels when the port is closed (no hang-up on close), so a
// close and reopen at another rate does not pulse a line that powers or resets the chip.
int keepLinesOnClose(int fd);

// Discards bytes received but not read (line noise from before the settings took effect).
void discardPendingInput(int fd);

}  // namespace kserial
