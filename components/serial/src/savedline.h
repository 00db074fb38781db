// The line state a device had before this program opened it (settings and both rates, custom
// rates included), put back when the port closes, so that the next program does not find the
// device raw at a bootloader's rate. Kept apart from <termios.h>, like the custom rates: the
// kernel's termios2 is what holds every rate exactly.
#pragma once

#include <QByteArray>

namespace kserial {

// Whether the open tty `fd` is a pseudo-terminal slave. Such a device has no line to leave
// tidy: its far end is a program (a virtual chip) that takes the settings for the host's line
// and keeps reading them after the host has closed it, so they are not put back there.
bool isPseudoTerminal(int fd);

// The whole line state of the open tty `fd`; empty when it cannot be read.
QByteArray saveLineState(int fd);

// Puts a state from saveLineState back on `fd`. Two things stay as they are now: the choice to
// keep the modem lines at close (a port told to keep DTR must not drop it by closing), and local
// echo stays off, so bytes that reach the closed device are never sent back to it. Returns 0 or
// an errno value.
int restoreLineState(int fd, const QByteArray& state);

}  // namespace kserial
