// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the main thread, so that Ctrl-C
// cancels the job the way the cancel button does (the port is closed, the log says so).
#pragma once

#include <QObject>

class QSocketNotifier;

namespace korvan::cli {

class StopSignals : public QObject {
    Q_OBJECT
  public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

  signals:
    void stopRequested(int signalNumber);

  private:
    void onReadable();
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace korvan::cli
