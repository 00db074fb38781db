// MSComm: properties, opening and closing. Reading and writing live in mscommio.cpp.
#include "mscomm.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QMutex>
#include <QSocketNotifier>
#include <cerrno>

#include "customrate.h"
#include "deviceclaim.h"
#include "modemlinechannel.h"
#include "portholder.h"
#include "savedline.h"
#include "serialports.h"
#include "termiosline.h"
#include "uucplock.h"

namespace kserial {

namespace {

// How port numbers become devices; one per process, set by the host.
struct PortDirectory {
    QMutex mutex;
    QMap<int, QString> configured;
    QString devDir = QStringLiteral("/dev");
    QString sysTtyDir = QStringLiteral("/sys/class/tty");
};

PortDirectory& portDirectory() {
    static PortDirectory directory;
    return directory;
}

// A reopen of the device this object closed less than this long ago is part of one piece of
// work (a rate change) and is not searched for other programs again.
constexpr qint64 kReopenWindowMs = 2000;

}  // namespace

MSComm::MSComm(QObject* parent) : QObject(parent), m_lock(std::make_unique<UucpLock>()) {}

MSComm::~MSComm() {
    if (m_fd >= 0) closePort(true);
}

bool MSComm::fail(int number, int err, const QString& detail) {
    m_error.number = number;
    m_error.systemErrno = err;
    m_error.description = detail;
    return false;
}

bool MSComm::heldElsewhere(const QString& path, const PortHolder* holder) {
    QString detail = path + QStringLiteral(": port already open in another program");
    if (holder) detail += QStringLiteral(": ") + holder->describe();
    fail(comPortAlreadyOpen, EBUSY, detail);
    if (holder) {
        m_error.holderPid = holder->pid;
        m_error.holderName = holder->name;
    }
    return false;
}

bool MSComm::setCommPort(int port) {
    m_error = {};
    if (m_fd >= 0)
        return fail(comPortOpen, 0,
                    QStringLiteral("COM%1: the port number cannot change while the "
                                   "port is open")
                        .arg(port));
    m_commPort = port;
    m_portName.clear();
    return true;
}

bool MSComm::setPortName(const QString& devicePath) {
    m_error = {};
    if (m_fd >= 0)
        return fail(
            comPortOpen, 0,
            devicePath + QStringLiteral(": the device cannot change while the port is open"));
    m_portName = devicePath.trimmed();
    return true;
}

bool MSComm::setSettings(const QString& text) {
    m_error = {};
    const std::optional<CommSettings> parsed = CommSettings::parse(text);
    if (!parsed)
        return fail(
            comInvalidPropertyValue, 0,
            QStringLiteral("Invalid port settings \"%1\" (expected e.g. 9600,N,8,1)").arg(text));
    m_settings = *parsed;
    return true;
}

bool MSComm::setInputMode(int mode) {
    m_error = {};
    if (mode != comInputModeText && mode != comInputModeBinary)
        return fail(comInvalidPropertyValue, 0, QStringLiteral("Invalid InputMode %1").arg(mode));
    m_inputMode = mode;
    return true;
}

bool MSComm::setRTSEnable(bool on) {
    m_error = {};
    m_rtsEnable = on;
    return m_fd < 0 || driveLine(TIOCM_RTS, on);
}

bool MSComm::setDTREnable(bool on) {
    m_error = {};
    m_dtrEnable = on;
    m_dtrDriven = true;
    if (m_fd < 0) return true;
    keepLinesOnClose(m_fd);
    return driveLine(TIOCM_DTR, on);
}

bool MSComm::driveLine(int line, bool asserted) {
    const int err = driveModemLine(m_fd, line, asserted);
    const char* name = line == TIOCM_DTR ? "DTR" : "RTS";
    if (err == ENOTTY || err == EINVAL) {
        // A device without modem lines: fine, as for RTS at open; tests may listen in.
        reportToModemLineChannel(name, asserted);
        return true;
    }
    if (err)
        return fail(comSystemError, err,
                    m_devicePath + QStringLiteral(": cannot set %1: ").arg(QLatin1String(name)) +
                        systemErrorText(err));
    return true;
}

bool MSComm::setPortOpen(bool open) {
    m_error = {};
    if (open == (m_fd >= 0)) return true;
    return open ? openPort() : closePort(true);
}

bool MSComm::openPort() {
    const bool byNumber = m_portName.isEmpty();
    const QString path = byNumber ? deviceForPort(m_commPort) : m_portName;
    if (path.isEmpty())
        return fail(comPortInvalid, ENOENT,
                    QStringLiteral("COM%1: no such serial port").arg(m_commPort));

    QString key;
    int err = 0;
    switch (claimDevice(path, &key, &err)) {
        case ClaimResult::Claimed:
            break;
        case ClaimResult::HeldInProcess:
            return fail(comPortAlreadyOpen, 0,
                        path + QStringLiteral(": port already open in this program"));
        case ClaimResult::NoDevice:
            return fail(comPortInvalid, err, path + QStringLiteral(": ") + systemErrorText(err));
        case ClaimResult::NotCharDevice:
            return fail(comPortInvalid, 0, path + QStringLiteral(": not a serial device"));
        case ClaimResult::SystemError:
            return fail(comSystemError, err, path + QStringLiteral(": ") + systemErrorText(err));
    }

    const auto release = [&] {
        m_lock->release();
        releaseDevice(key);
    };
    switch (m_lock->acquire(path)) {
        case UucpLock::Result::Held: {
            const PortHolder holder = m_lock->holder();
            releaseDevice(key);
            return heldElsewhere(path, &holder);
        }
        case UucpLock::Result::NotAFile:
            releaseDevice(key);
            return fail(comSystemError, EEXIST,
                        path + QStringLiteral(": refused: its lock file %1 is not a regular "
                                              "file (remove it to use the port)")
                                   .arg(m_lock->refused()));
        case UucpLock::Result::Locked:
        case UucpLock::Result::Unlocked:
            break;
    }
    // The user's own terminal is never a port: the shell reads it, and the line settings of a
    // download would be left on it.
    if (const std::optional<PortHolder> shell = controllingTerminalHolder(path)) {
        release();
        return heldElsewhere(path, &*shell);
    }
    const bool reopening =
        key == m_lastKey && m_sinceClose.isValid() && m_sinceClose.elapsed() < kReopenWindowMs;
    if (!reopening) {
        // Programs that take no lock (cat, a shell redirection, some terminals) only show in
        // the descriptors they hold.
        if (const std::optional<PortHolder> holder = findOtherHolder(path)) {
            release();
            return heldElsewhere(path, &*holder);
        }
    }

    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        release();
        if (err == EBUSY) {  // another program's TIOCEXCL
            const std::optional<PortHolder> holder = findOtherHolder(path);
            return heldElsewhere(path, holder ? &*holder : nullptr);
        }
        const int number =
            (err == ENOENT || err == ENODEV || err == ENXIO) ? comPortInvalid : comSystemError;
        return fail(number, err, path + QStringLiteral(": ") + systemErrorText(err));
    }
    QByteArray savedLine;
    const auto abandon = [&](int number, int e, const QString& detail) {
        if (!savedLine.isEmpty()) restoreLineState(fd, savedLine);
        ::close(fd);
        release();
        return fail(number, e, path + QStringLiteral(": ") + detail);
    };
    if (const int e = lockExclusive(fd)) {
        if (e != EWOULDBLOCK) return abandon(comSystemError, e, systemErrorText(e));
        ::close(fd);
        release();
        const std::optional<PortHolder> holder = findOtherHolder(path);
        return heldElsewhere(path, holder ? &*holder : nullptr);
    }
    // Later opens by other programs fail with EBUSY (privileged ones excepted, which the lock
    // file and the flock tell instead).
    ::ioctl(fd, TIOCEXCL);
    if (!isPseudoTerminal(fd)) savedLine = saveLineState(fd);
    // What came before this open is dropped before the line takes its settings, not after: a
    // device that answers the moment the new rate is set (a chip confirming a rate change)
    // must not lose its answer to our own flush.
    discardPendingInput(fd);
    if (const int e = configureLine(fd, m_settings)) {
        if (e == ENOTTY) return abandon(comPortInvalid, e, QStringLiteral("not a serial device"));
        return abandon(
            comSetCommStateFailed, e,
            QStringLiteral("cannot set %1: ").arg(m_settings.toString()) + systemErrorText(e));
    }
    // Some drivers accept a rate and quietly keep their old one; the chip would then never
    // hear the host.
    if (const std::optional<uint32_t> held = currentRate(fd);
        held && !rateHeld(m_settings.baud, *held))
        return abandon(comSetCommStateFailed, 0,
                       QStringLiteral("cannot set %1 baud: the driver keeps %2 baud")
                           .arg(m_settings.baud)
                           .arg(*held));
    if (const int e = setModemLineIfPresent(fd, TIOCM_RTS, m_rtsEnable))
        return abandon(comSystemError, e, QStringLiteral("cannot set RTS: ") + systemErrorText(e));
    if (m_dtrDriven) {
        keepLinesOnClose(fd);
        if (const int e = setModemLineIfPresent(fd, TIOCM_DTR, m_dtrEnable))
            return abandon(comSystemError, e,
                           QStringLiteral("cannot set DTR: ") + systemErrorText(e));
    }

    m_fd = fd;
    ++m_openCount;
    m_devicePath = path;
    m_claimKey = key;
    m_savedLine = savedLine;
    m_input.clear();
    m_output.clear();
    m_outputPos = 0;
    m_readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &MSComm::readAvailable);
    m_writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &MSComm::writeQueued);
    return true;
}

void MSComm::stopNotifiers() {
    // The notifier may be the one whose signal is being delivered right now (a handler closing
    // the port), so it is only switched off here and deleted once control is back in the loop.
    for (QSocketNotifier** notifier : {&m_readNotifier, &m_writeNotifier}) {
        if (!*notifier) continue;
        (*notifier)->setEnabled(false);
        disconnect(*notifier, nullptr, this, nullptr);
        (*notifier)->deleteLater();
        *notifier = nullptr;
    }
}

bool MSComm::closePort(bool drain) {
    stopNotifiers();
    const bool drained = !drain || drainOutput();
    if (!m_savedLine.isEmpty()) restoreLineState(m_fd, m_savedLine);
    m_savedLine.clear();
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);  // also drops the flock
    m_lock->release();
    releaseDevice(m_claimKey);
    m_lastKey = m_claimKey;
    m_sinceClose.start();
    m_fd = -1;
    m_devicePath.clear();
    m_claimKey.clear();
    m_input.clear();
    m_output.clear();
    m_outputPos = 0;
    return drained;
}

void MSComm::setPortMap(const QMap<int, QString>& map) {
    PortDirectory& d = portDirectory();
    QMutexLocker lock(&d.mutex);
    d.configured = map;
}

QMap<int, QString> MSComm::portMap() {
    PortDirectory& d = portDirectory();
    QMutexLocker lock(&d.mutex);
    return d.configured;
}

bool MSComm::loadPortMap(const QString& iniPath) {
    const std::optional<QMap<int, QString>> ports = readPortsSection(iniPath);
    setPortMap(ports.value_or(QMap<int, QString>{}));
    return ports.has_value();
}

void MSComm::setLockDirectory(const QString& dir) {
    kserial::setLockDirectory(dir);
}

QString MSComm::lockDirectory() {
    return kserial::lockDirectory();
}

void MSComm::setScanDirectories(const QString& devDir, const QString& sysTtyDir) {
    PortDirectory& d = portDirectory();
    QMutexLocker lock(&d.mutex);
    d.devDir = devDir;
    d.sysTtyDir = sysTtyDir;
}

QStringList MSComm::detectedPorts() {
    PortDirectory& d = portDirectory();
    QMutexLocker lock(&d.mutex);
    return detectSerialDevices(d.devDir, d.sysTtyDir);
}

QString MSComm::deviceForPort(int port) {
    PortDirectory& d = portDirectory();
    QMutexLocker lock(&d.mutex);
    if (d.configured.contains(port)) return d.configured.value(port);
    for (const NumberedPort& p :
         numberPorts(d.configured, scanSerialDevices({d.devDir, d.sysTtyDir})))
        if (p.number == port) return p.device;
    return {};
}

QList<NumberedPort> MSComm::numberedPorts() {
    const ScanRoots roots = scanRoots();
    QList<NumberedPort> ports = numberPorts(portMap(), scanSerialDevices(roots));
    // An entry may name a device outside the families scanned (a pseudo-terminal, a by-path
    // link): it is there when its device is.
    for (NumberedPort& port : ports) {
        if (port.present) continue;
        struct stat st {};
        if (::stat(QFile::encodeName(port.device).constData(), &st) != 0 || !S_ISCHR(st.st_mode))
            continue;
        port.present = true;
        port.adapter.path = port.device;
    }
    return ports;
}

ScanRoots MSComm::scanRoots() {
    PortDirectory& d = portDirectory();
    QMutexLocker lock(&d.mutex);
    return {d.devDir, d.sysTtyDir};
}

}  // namespace kserial
