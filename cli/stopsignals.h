// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the main thread, so that Ctrl-C
// cancels the job the way the cancel button does (the port is closed, the log says so).
//
// The main thread hears of a signal only once it is back in its event loop. When it is stuck
// in a system call instead (a device or a file that never answers), a signal still ends the
// program: at once when a second one arrives before the first was heard, else after a grace
// period, each time with the signal's own default action.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace korvan::cli {

class StopSignals : public QObject {
    Q_OBJECT
  public:
    // Seconds a signal may wait for the event loop before it ends the program.
    static constexpr unsigned kUnheardGraceSeconds = 5;

    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

  signals:
    void stopRequested(int signalNumber);

  private:
    void onReadable();
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace korvan::cli
