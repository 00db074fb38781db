// MSComm: one serial port with the members the comm control offers its callers. Received bytes
// arrive through the OnComm signal on the owning thread; every call reports success as a bool
// and leaves the reason in lastError(), never an exception.
//
// Writing never blocks: what the device does not take at once waits in an output queue that a
// write notifier feeds to it as it drains. Closing gives the queued bytes the time they need on
// the line at the port's rate (plus a short margin), so a command written just before a close
// still arrives; what a stuck or vanished device has not taken by then is dropped.
//
// An open port is the process's alone: it is claimed against other MSComm objects (a process
// table), against other programs (a UUCP lock file LCK..<name> in the lock directory, TIOCEXCL
// and an flock), and it is refused when another program already has the device open.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

#include "commerror.h"
#include "commsettings.h"
#include "serialports.h"

class QSocketNotifier;

namespace kserial {

class UucpLock;
struct PortHolder;

class MSComm : public QObject {
    Q_OBJECT

  public:
    enum InputModeConstants : int { comInputModeText = 0, comInputModeBinary = 1 };
    // CommEvent values. Only comEvReceive is raised by the comm control callers know;
    // comEventDeviceLost reports a device that vanished (unplugged, pty peer gone): the port has
    // been closed by then and lastError() says why.
    enum CommEventConstants : int { comEvReceive = 2, comEventDeviceLost = 1100 };

    explicit MSComm(QObject* parent = nullptr);
    ~MSComm() override;  // closes the port (draining it) when open

    // Port number, 1 = COM1. Any number is accepted while closed (a missing one fails at open
    // with 8002); while open the call fails with 8000. Setting it clears PortName.
    int CommPort() const { return m_commPort; }
    bool setCommPort(int port);

    // A device path used instead of the port number ("" = use CommPort). Closed port only (8000).
    QString PortName() const { return m_portName; }
    bool setPortName(const QString& devicePath);

    // "baud,parity,data,stop", applied at the next open. A bad text fails with 380 and leaves the
    // previous settings in place. Default "9600,N,8,1"; reads back in canonical form.
    QString Settings() const { return m_settings.toString(); }
    bool setSettings(const QString& text);
    const CommSettings& lineSettings() const { return m_settings; }

    // true opens with the current number and settings (a no-op when already open), false closes
    // (a no-op when closed). Errors on open: 8002 no such device, 8005 held elsewhere (another
    // MSComm, a lock file of a live process, another program with the device open; lastError()
    // names the program when known), 8015 line settings refused, 8100 anything else
    // (systemErrno, e.g. EACCES). A close that had to drop queued bytes still closes, but
    // returns false.
    bool PortOpen() const { return m_fd >= 0; }
    bool setPortOpen(bool open);

    // While true, RTS is asserted whenever the port is open. Devices without modem lines (a pty)
    // are fine either way.
    bool RTSEnable() const { return m_rtsEnable; }
    bool setRTSEnable(bool on);

    // DTR: asserted whenever the port is open while true (the default, as every open raises
    // it). Once set by the caller, the level is applied at every open and held over a close,
    // so a reset sequence's level survives the reopen at another rate.
    bool DTREnable() const { return m_dtrEnable; }
    bool setDTREnable(bool on);

    // Queues bytes for sending, in order. A text goes out as UTF-8. Fails with 8018 when closed.
    bool Output(const QByteArray& bytes);
    bool Output(const QString& text);
    bool Output(const char* bytes) { return Output(QByteArray(bytes)); }

    // Everything received and not read yet, removed from the buffer: a QByteArray in binary
    // mode, else a QString. Text mode decodes UTF-8 and keeps an unfinished character's leading
    // bytes for the next read.
    QVariant Input();
    QByteArray InputBytes();  // binary regardless of InputMode
    QString InputText();      // text regardless of InputMode

    int InputMode() const { return m_inputMode; }
    bool setInputMode(int mode);  // 0 text, 1 binary; anything else fails with 380

    int CommEvent() const { return m_commEvent; }  // kind of the latest OnComm
    int InBufferCount() const { return int(m_input.size()); }
    int OutBufferCount() const { return int(m_output.size() - m_outputPos); }

    // The device the port is open on ("" while closed).
    QString devicePath() const { return m_devicePath; }

    // Blocks until the output queue has been handed to the device and sent, for at most the
    // queued bytes' line time at the port's rate plus a short margin; what is left then is
    // dropped (false). Closing does this by itself.
    bool drainOutput();
    // The longest a drain of `bytes` bytes waits at `settings`, in milliseconds.
    static int drainBudgetMs(const CommSettings& settings, qint64 bytes);

    // The outcome of the latest call that can fail.
    const CommError& lastError() const { return m_error; }

    // --- Port numbers -----------------------------------------------------------------------
    // The configured map of the host (section [Ports] of its Config.ini), shared by every
    // instance in the process. loadPortMap replaces the map by the file's entries (empty map and
    // false when the file cannot be read).
    static void setPortMap(const QMap<int, QString>& map);
    static QMap<int, QString> portMap();
    static bool loadPortMap(const QString& iniPath);
    // The folder of the UUCP lock files; "" restores the default ($KORVAN_LOCK_DIR, else
    // /var/lock or /run/lock). A folder that cannot be written means no lock file is made.
    static void setLockDirectory(const QString& dir);
    static QString lockDirectory();
    // Where devices are looked for; the defaults are /dev and /sys/class/tty.
    static void setScanDirectories(const QString& devDir, const QString& sysTtyDir);
    // The detected serial devices, in port-number order (COM1 is the first).
    static QStringList detectedPorts();
    // The device that port number n opens ("" when none).
    static QString deviceForPort(int port);
    // Every port number with its device: the [Ports] entries (present or not) and the devices
    // found, with their adapters' details. Nothing is opened.
    static QList<NumberedPort> numberedPorts();
    // The roots that devices are looked for under.
    static ScanRoots scanRoots();

  signals:
    // Something happened on the port; CommEvent() tells what (comEvReceive: data is waiting).
    // Handlers may read, write, close or reopen the port, but must not delete the MSComm
    // (use deleteLater).
    void OnComm();

  private:
    bool openPort();
    bool closePort(bool drain);
    bool fail(int number, int err, const QString& detail);
    bool heldElsewhere(const QString& path, const PortHolder* holder);
    bool driveLine(int line, bool asserted);
    void readAvailable();
    void writeQueued();
    bool writeSome();
    void deviceLost(int err);
    void stopNotifiers();

    int m_commPort = 1;
    QString m_portName;
    CommSettings m_settings;
    bool m_rtsEnable = false;
    bool m_dtrEnable = true;
    bool m_dtrDriven = false;  // the caller chose the DTR level
    int m_inputMode = comInputModeText;
    int m_commEvent = 0;
    CommError m_error;

    int m_fd = -1;
    quint64 m_openCount = 0;  // tells a handler's reopen apart from the port it was called for
    QString m_devicePath;
    QString m_claimKey;
    QByteArray m_savedLine;  // the device's line state before the open, put back at close
    std::unique_ptr<UucpLock> m_lock;
    // The device this object closed last and since when: reopening it at once (a baud-rate
    // change) skips the search for other programs, which would delay the reopen.
    QString m_lastKey;
    QElapsedTimer m_sinceClose;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QByteArray m_input;
    QByteArray m_output;
    qsizetype m_outputPos = 0;  // bytes of m_output already written
};

}  // namespace kserial
