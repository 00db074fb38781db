// korvan-cli monitor, and download --monitor: what a port receives, shown as it arrives (text
// in UTF-8 or GBK, a character split across reads kept whole, or hexadecimal), until Ctrl-C,
// Ctrl-] or the given seconds. On a terminal, typed lines are sent to the port.
#pragma once

#include "cliargs.h"
#include "views/receivedecoder.h"

#include <QObject>
#include <QString>
#include <cstdio>

class QEventLoop;

namespace korvan::cli {

class Monitor : public QObject {
    Q_OBJECT
  public:
    Monitor(const MonitorSpec& spec, std::FILE* out, std::FILE* err);

    // Opens `port` ("COMn" or a device path) and shows what it receives until stop(). The exit
    // code: 0, or the port error's when the port cannot be opened or goes away.
    int run(const QString& port);
    void stop();

    // The settings text the port is opened with.
    static QString SettingsFor(const MonitorSpec& spec);
    // What one read is shown as.
    QString show(QByteArrayView bytes);

  private:
    void sendTyped();

    MonitorSpec m_spec;
    std::FILE* m_out;
    std::FILE* m_err;
    ReceiveDecoder m_decoder;
    QEventLoop* m_loop = nullptr;
    bool m_stopped = false;
    int m_exitCode = 0;
    class PortLink* m_link = nullptr;
};

}  // namespace korvan::cli
