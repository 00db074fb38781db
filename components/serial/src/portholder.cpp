#include "portholder.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace kserial {

namespace {

// Unix 98 pseudo-terminal slaves have majors 136 to 143; their number is the pty index.
std::optional<int> ptyIndex(dev_t rdev) {
    const unsigned maj = major(rdev);
    if (maj < 136 || maj > 143) return std::nullopt;
    return int((maj - 136) * 256 + minor(rdev));
}

// The entries of `dir` that are numbers (process ids in /proc, descriptors in fd/).
QStringList numericEntries(const QString& dir) {
    QStringList out;
    DIR* d = ::opendir(QFile::encodeName(dir).constData());
    if (!d) return out;
    while (const dirent* entry = ::readdir(d)) {
        const char* name = entry->d_name;
        if (*name < '0' || *name > '9') continue;
        out << QString::fromLatin1(name);
    }
    ::closedir(d);
    return out;
}

QString linkTarget(const QString& link) {
    char target[512];
    const ssize_t n = ::readlink(QFile::encodeName(link).constData(), target, sizeof target - 1);
    return n > 0 ? QFile::decodeName(QByteArray(target, n)) : QString();
}

// The "tty-index" the kernel reports for a descriptor of the pty multiplexer.
std::optional<int> masterIndex(const QString& fdinfoPath) {
    QFile info(fdinfoPath);
    if (!info.open(QIODevice::ReadOnly)) return std::nullopt;
    const QList<QByteArray> lines = info.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (!line.startsWith("tty-index:")) continue;
        bool ok = false;
        const int index = line.mid(10).trimmed().toInt(&ok);
        if (ok) return index;
    }
    return std::nullopt;
}

struct ProcessDescriptors {
    bool holdsDevice = false;
    bool holdsMaster = false;
};

// The device a descriptor must lead to. Pseudo-terminals of separate devpts instances (a
// container's) share numbers, so for them the instance counts too.
struct DeviceId {
    dev_t rdev;
    dev_t fs;
    bool pty;

    bool matches(const struct stat& st) const {
        return S_ISCHR(st.st_mode) && st.st_rdev == rdev && (!pty || st.st_dev == fs);
    }
};

ProcessDescriptors scanProcess(const QString& pidDir, const DeviceId& device,
                               std::optional<int> pty) {
    ProcessDescriptors found;
    const QString fdDir = pidDir + QStringLiteral("/fd");
    for (const QString& fd : numericEntries(fdDir)) {
        const QString link = fdDir + u'/' + fd;
        const QString target = linkTarget(link);
        // Only device nodes can be the port: sockets, pipes and files are passed by quickly.
        if (!target.startsWith(QStringLiteral("/dev/"))) continue;
        if (pty &&
            (target == QStringLiteral("/dev/ptmx") || target == QStringLiteral("/dev/pts/ptmx"))) {
            if (masterIndex(pidDir + QStringLiteral("/fdinfo/") + fd) == *pty)
                found.holdsMaster = true;
            continue;
        }
        struct stat st {};
        if (stat(QFile::encodeName(link).constData(), &st) == 0 && device.matches(st))
            found.holdsDevice = true;
    }
    return found;
}

}  // namespace

QString PortHolder::describe() const {
    if (name.isEmpty()) return QStringLiteral("pid %1").arg(pid);
    return QStringLiteral("%1 (pid %2)").arg(name).arg(pid);
}

QString processName(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly)) return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

bool processAlive(qint64 pid) {
    if (pid <= 0 || pid > qint64(INT32_MAX)) return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

std::optional<PortHolder> controllingTerminalHolder(const QString& path) {
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return std::nullopt;
    // Fields after the command name: state, parent, process group, session, terminal.
    QFile statFile(QStringLiteral("/proc/self/stat"));
    if (!statFile.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray line = statFile.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 1).simplified().split(' ');
    if (fields.size() < 5) return std::nullopt;
    const qint64 session = fields[3].toLongLong();
    const dev_t terminal = dev_t(fields[4].toULongLong());
    const bool isTty = major(st.st_rdev) == 5 && minor(st.st_rdev) == 0;
    if (terminal == 0 || (!isTty && st.st_rdev != terminal)) return std::nullopt;
    return PortHolder{session, processName(session)};
}

std::optional<PortHolder> findOtherHolder(const QString& path, const QString& procDir) {
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
    const std::optional<int> pty = ptyIndex(st.st_rdev);
    const DeviceId device{st.st_rdev, st.st_dev, pty.has_value()};
    const QString self = QString::number(::getpid());
    for (const QString& pid : numericEntries(procDir)) {
        if (pid == self) continue;
        const ProcessDescriptors d = scanProcess(procDir + u'/' + pid, device, pty);
        // The far end of a pty is the device itself, not a rival for it.
        if (d.holdsDevice && !d.holdsMaster)
            return PortHolder{pid.toLongLong(), processName(pid.toLongLong())};
    }
    return std::nullopt;
}

}  // namespace kserial
