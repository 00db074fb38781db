// KORVAN's process start and end: paths, command line, skin engine, the start-up screen or the
// mini window, the ZEL control and the main window, and the download that "/u" and "/d" start.
#pragma once

#include <QStringList>

namespace korvan {

// The whole life of the program after the application object exists; returns the process's
// exit code. "/u": 0 after a successful download, non-zero after a failed or cancelled one.
int RunKorvan(const QStringList& arguments);

// The exit codes besides 0 and the failed unattended download (1).
inline constexpr int kExitFileMissing = 2;
inline constexpr int kExitControlError = 3;
inline constexpr int kExitUnsupportedFile = 4;

}  // namespace korvan
