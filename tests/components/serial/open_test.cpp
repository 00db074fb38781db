// Opening: missing devices (8002), ports held elsewhere (8005) and what pseudo-terminals allow.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "mscomm.h"
#include "ptypair.h"
#include "savedline.h"
#include "termiosline.h"

using kserial::MSComm;

namespace {

QByteArray path8(const QString& path) {
    return QFile::encodeName(path);
}

bool openAt(MSComm& comm, const QString& path, const QString& settings = "115200,N,8,1") {
    return comm.setPortName(path) && comm.setSettings(settings) && comm.setPortOpen(true);
}

// The port still carries bytes both ways after an open.
void expectWorkingLink(MSComm& comm, PtyPair& pty) {
    ASSERT_TRUE(comm.Output(QByteArray("ping")));
    EXPECT_EQ(pty.receive(4), QByteArray("ping"));
}

TEST(OpenMissing, DevicesThatDoNotExistGive8002) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile plain(dir.filePath("ttyUSB0"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    const QString paths[] = {dir.filePath("ttyUSB9"), QStringLiteral("/nonexistent/dir/ttyS0"),
                             plain.fileName()};
    for (const QString& path : paths) {
        MSComm comm;
        EXPECT_FALSE(openAt(comm, path)) << path.toStdString();
        EXPECT_EQ(comm.lastError().number, kserial::comPortInvalid) << path.toStdString();
        EXPECT_TRUE(comm.lastError().description.contains(path));
        EXPECT_FALSE(comm.PortOpen());
    }
}

TEST(OpenMissing, APortNumberWithoutDeviceGives8002) {
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    MSComm::setPortMap({});
    MSComm::setScanDirectories(empty.path(), empty.path());
    for (int port : {1, 7, 0, -1}) {
        MSComm comm;
        ASSERT_TRUE(comm.setCommPort(port));
        EXPECT_FALSE(comm.setPortOpen(true));
        EXPECT_EQ(comm.lastError().number, kserial::comPortInvalid) << port;
        EXPECT_TRUE(comm.lastError().description.contains(QStringLiteral("COM%1").arg(port)));
    }
    MSComm::setScanDirectories(QStringLiteral("/dev"), QStringLiteral("/sys/class/tty"));
}

TEST(OpenHeld, AnotherMSCommGives8005UntilItCloses) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString alias = dir.filePath("ttyUSB0");
    ASSERT_EQ(symlink(path8(pty.slavePath()).constData(), path8(alias).constData()), 0);

    MSComm first, second, third;
    ASSERT_TRUE(openAt(first, pty.slavePath()));
    EXPECT_FALSE(openAt(second, pty.slavePath()));
    EXPECT_EQ(second.lastError().number, kserial::comPortAlreadyOpen);
    // Refused from the process table, before the device is even opened.
    EXPECT_TRUE(second.lastError().description.contains(QStringLiteral("this program")));
    EXPECT_FALSE(openAt(third, alias));  // another name for the same device
    EXPECT_EQ(third.lastError().number, kserial::comPortAlreadyOpen);
    EXPECT_FALSE(second.PortOpen());

    ASSERT_TRUE(first.setPortOpen(false));
    ASSERT_TRUE(second.setPortOpen(true)) << second.lastError().description.toStdString();
    EXPECT_TRUE(second.lastError().ok());
    expectWorkingLink(second, pty);
}

TEST(OpenHeld, AnFlockOnAnotherDescriptorGives8005UntilReleased) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const int other = ::open(path8(pty.slavePath()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);

    MSComm comm;
    EXPECT_FALSE(openAt(comm, pty.slavePath()));
    EXPECT_EQ(comm.lastError().number, kserial::comPortAlreadyOpen);
    EXPECT_FALSE(comm.PortOpen());

    ASSERT_EQ(flock(other, LOCK_UN), 0);
    EXPECT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();
    ::close(other);
    expectWorkingLink(comm, pty);
}

TEST(OpenHeld, AnotherProgramHoldingTheLockGives8005UntilItExits) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const QByteArray slave = path8(pty.slavePath());

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Only async-signal-safe calls from here on. The child's copy of the release pipe's
        // write end must go, or its read would never see the parent close it.
        ::close(release[1]);
        ::close(ready[0]);
        const int fd = ::open(slave.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char status = (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0) ? 'L' : 'F';
        if (::write(ready[1], &status, 1) != 1) _exit(2);
        char c;
        while (::read(release[0], &c, 1) < 0 && errno == EINTR) {
        }
        _exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char status = 0;
    ASSERT_EQ(::read(ready[0], &status, 1), 1);
    ASSERT_EQ(status, 'L');

    MSComm comm;
    EXPECT_FALSE(openAt(comm, pty.slavePath()));
    EXPECT_EQ(comm.lastError().number, kserial::comPortAlreadyOpen);
    EXPECT_TRUE(comm.lastError().description.contains(QStringLiteral("another program")));

    ::close(release[1]);  // the child exits, its lock goes with it
    int exitStatus = 0;
    ASSERT_EQ(waitpid(child, &exitStatus, 0), child);
    ::close(ready[0]);
    EXPECT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();
    expectWorkingLink(comm, pty);
}

TEST(OpenPty, ParityDataAndStopBitsThePtyIgnoresAreNotErrors) {
    for (const char* settings : {"1200,E,8,1", "9600,O,7,1", "9600,E,7,2", "4800,N,5,1"}) {
        PtyPair pty;
        ASSERT_TRUE(pty.ok());
        MSComm comm;
        EXPECT_TRUE(openAt(comm, pty.slavePath(), QString::fromUtf8(settings)))
            << settings << ": " << comm.lastError().description.toStdString();
        EXPECT_TRUE(comm.lastError().ok());
    }
}

TEST(OpenPty, RtsWithoutModemLinesIsNotAnError) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    MSComm comm;
    ASSERT_TRUE(comm.setRTSEnable(true));
    ASSERT_TRUE(openAt(comm, pty.slavePath())) << comm.lastError().description.toStdString();
    EXPECT_TRUE(comm.setRTSEnable(false));
    EXPECT_TRUE(comm.setRTSEnable(true));
    EXPECT_TRUE(comm.RTSEnable());
    expectWorkingLink(comm, pty);
    EXPECT_TRUE(comm.setPortOpen(false));
    EXPECT_TRUE(comm.setRTSEnable(false));  // as the terminal does after closing
    EXPECT_FALSE(comm.RTSEnable());
}

// Closing a serial device puts back the line settings it had, so the next program does not find
// it raw at a bootloader's rate. Local echo stays off: bytes reaching the closed port are never
// sent back to the device. No real serial device is at hand here, so the state is saved and put
// back on a pseudo-terminal directly, around the same line set-up the port uses.
TEST(OpenPty, LineStateIsPutBackAsItWasFound) {
    struct Case {
        const char* name;
        speed_t speed;
        tcflag_t echo;
    };
    for (const Case& c : {Case{"cooked at 4800", B4800, 0}, Case{"echoing at 9600", B9600, ECHO}}) {
        SCOPED_TRACE(c.name);
        PtyPair pty;
        ASSERT_TRUE(pty.ok());
        // Termios requests on the master act on the slave's settings.
        termios found{};
        ASSERT_EQ(tcgetattr(pty.master(), &found), 0);
        found.c_lflag = (found.c_lflag | ICANON | ISIG) & ~tcflag_t(ECHO);
        found.c_lflag |= c.echo;
        found.c_iflag |= ICRNL;
        found.c_oflag |= OPOST;
        cfsetispeed(&found, c.speed);
        cfsetospeed(&found, c.speed);
        ASSERT_EQ(tcsetattr(pty.master(), TCSANOW, &found), 0);
        ASSERT_EQ(tcgetattr(pty.master(), &found), 0);

        const int fd = ::open(path8(pty.slavePath()).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        EXPECT_TRUE(kserial::isPseudoTerminal(fd));
        const QByteArray saved = kserial::saveLineState(fd);
        ASSERT_FALSE(saved.isEmpty());
        ASSERT_EQ(kserial::configureLine(fd, *kserial::CommSettings::parse(u"115200,E,8,1")), 0);
        termios open{};
        ASSERT_EQ(tcgetattr(pty.master(), &open), 0);
        EXPECT_EQ(open.c_lflag & ICANON, 0u) << "raw while open";
        EXPECT_EQ(kserial::restoreLineState(fd, saved), 0);
        ::close(fd);

        termios after{};
        ASSERT_EQ(tcgetattr(pty.master(), &after), 0);
        EXPECT_EQ(after.c_iflag, found.c_iflag);
        EXPECT_EQ(after.c_oflag, found.c_oflag);
        EXPECT_EQ(after.c_cflag, found.c_cflag);
        EXPECT_EQ(after.c_lflag, found.c_lflag & ~tcflag_t(ECHO));
        EXPECT_EQ(cfgetospeed(&after), c.speed);
        EXPECT_EQ(after.c_cc[VMIN], found.c_cc[VMIN]);
    }
}

// A virtual chip behind a pseudo-terminal takes its settings for the host's line, also after
// the host has closed it: the port leaves them as the download set them.
TEST(OpenPty, ClosingLeavesAPseudoTerminalAtTheHostsLine) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    MSComm comm;
    ASSERT_TRUE(openAt(comm, pty.slavePath(), QStringLiteral("1200,N,8,1")));
    ASSERT_TRUE(comm.setPortOpen(false));
    termios after{};
    ASSERT_EQ(tcgetattr(pty.master(), &after), 0);
    EXPECT_EQ(cfgetospeed(&after), speed_t(B1200));
    EXPECT_EQ(after.c_lflag & ICANON, 0u);
}

TEST(OpenPty, ClosingAndReopeningAtAnotherRateKeepsWorking) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    MSComm comm;
    ASSERT_TRUE(openAt(comm, pty.slavePath(), QStringLiteral("1200,N,8,1")));
    for (const char* settings : {"115200,E,8,1", "1200,N,8,1", "1200,E,8,1", "76800,N,8,1"}) {
        ASSERT_TRUE(comm.setPortOpen(false));
        ASSERT_TRUE(comm.setSettings(QString::fromUtf8(settings)));
        ASSERT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();
        expectWorkingLink(comm, pty);
    }
}

}  // namespace
