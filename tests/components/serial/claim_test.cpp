// Claiming a port against other programs: programs that hold the device without any lock,
// UUCP lock files (live, stale, unwritable folder), the far end of a pseudo-terminal, and the
// claim this program leaves for others to see.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdlib>
#include <functional>

#include "mscomm.h"
#include "ptypair.h"

using kserial::MSComm;

namespace {

bool openAt(MSComm& comm, const QString& path) {
    return comm.setPortName(path) && comm.setSettings(QStringLiteral("9600,N,8,1")) &&
           comm.setPortOpen(true);
}

std::string why(const MSComm& comm) {
    return comm.lastError().description.toStdString();
}

QByteArray lockText(qint64 pid) {
    return QByteArray::number(pid).rightJustified(10, ' ') + '\n';
}

// A program that is not ours, optionally with the pty slave as its standard input.
class Sleeper {
  public:
    explicit Sleeper(const QString& stdinPath = {}) {
        if (!stdinPath.isEmpty()) m_process.setStandardInputFile(stdinPath);
        m_process.start(QStringLiteral("sleep"), {QStringLiteral("600")});
        m_process.waitForStarted();
    }
    ~Sleeper() { stop(); }
    qint64 pid() const { return m_process.processId(); }
    void stop() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.kill();
        m_process.waitForFinished();
    }

  private:
    QProcess m_process;
};

class PortClaim : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        ASSERT_TRUE(locks.isValid());
        MSComm::setLockDirectory(locks.path());
        lockFile =
            locks.filePath(QStringLiteral("LCK..") + pty.slavePath().section(QLatin1Char('/'), -1));
    }
    void TearDown() override { MSComm::setLockDirectory({}); }

    bool writeLock(const QByteArray& content) {
        QFile f(lockFile);
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    }
    QByteArray readLock() {
        QFile f(lockFile);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    PtyPair pty;
    QTemporaryDir locks;
    QString lockFile;
};

TEST_F(PortClaim, AProgramHoldingTheDeviceWithoutALockIsNamed) {
    Sleeper sleeper(pty.slavePath());
    ASSERT_GT(sleeper.pid(), 0);
    MSComm comm;
    EXPECT_FALSE(openAt(comm, pty.slavePath()));
    EXPECT_EQ(comm.lastError().number, kserial::comPortAlreadyOpen) << why(comm);
    EXPECT_EQ(comm.lastError().holderPid, sleeper.pid());
    EXPECT_EQ(comm.lastError().holderName, QStringLiteral("sleep"));
    EXPECT_TRUE(comm.lastError().description.contains(QStringLiteral("sleep"))) << why(comm);
    EXPECT_FALSE(QFile::exists(lockFile));  // a refused open leaves no lock behind

    sleeper.stop();
    EXPECT_TRUE(comm.setPortOpen(true)) << why(comm);
}

TEST_F(PortClaim, LockFilesDecideByTheLifeOfTheirProcess) {
    Sleeper live;
    ASSERT_GT(live.pid(), 0);
    QProcess done;  // a process that has ended and been reaped: its id names nobody
    done.start(QStringLiteral("true"), {});
    ASSERT_TRUE(done.waitForFinished());
    const qint64 deadPid = done.processId() > 0 ? done.processId() : 0;

    struct Case {
        const char* name;
        QByteArray content;
        bool refused;
    };
    const Case cases[] = {
        {"live process, ten-digit form", lockText(live.pid()), true},
        {"live process, bare number", QByteArray::number(live.pid()), true},
        {"dead process", lockText(deadPid > 0 ? deadPid : 999999999), false},
        {"no number at all", QByteArray("garbage\n"), false},
        {"empty file", QByteArray(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeLock(c.content));
        MSComm comm;
        EXPECT_EQ(openAt(comm, pty.slavePath()), !c.refused) << why(comm);
        if (c.refused) {
            EXPECT_EQ(comm.lastError().number, kserial::comPortAlreadyOpen);
            EXPECT_EQ(comm.lastError().holderPid, live.pid());
            EXPECT_EQ(comm.lastError().holderName, QStringLiteral("sleep"));
            EXPECT_EQ(readLock(), c.content);  // another's lock is never touched
            QFile::remove(lockFile);
        } else {
            // Taken over: the file now names this process, and goes when the port closes.
            EXPECT_EQ(readLock(), lockText(::getpid()));
            EXPECT_TRUE(comm.setPortOpen(false));
            EXPECT_FALSE(QFile::exists(lockFile));
        }
    }
}

TEST_F(PortClaim, AnOpenPortIsLockedAgainstOtherPrograms) {
    MSComm comm;
    ASSERT_TRUE(openAt(comm, pty.slavePath())) << why(comm);
    EXPECT_EQ(readLock(), lockText(::getpid()));
    // TIOCEXCL: other programs' opens fail with EBUSY (this test may run privileged, which the
    // kernel lets through, so the flag itself is read).
    const int other = ::open(QFile::encodeName(pty.slavePath()).constData(),
                             O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (other >= 0 || errno != EBUSY) {
        ASSERT_GE(other, 0);
        int exclusive = 0;
        ASSERT_EQ(::ioctl(other, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 1);
        ASSERT_TRUE(comm.setPortOpen(false));
        ASSERT_EQ(::ioctl(other, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0);  // released with the port
        ::close(other);
    } else {
        ASSERT_TRUE(comm.setPortOpen(false));
    }
    EXPECT_FALSE(QFile::exists(lockFile));
}

TEST_F(PortClaim, TwoObjectsOfThisProgramShareOneLock) {
    MSComm first, second;
    ASSERT_TRUE(openAt(first, pty.slavePath())) << why(first);
    EXPECT_FALSE(openAt(second, pty.slavePath()));
    EXPECT_EQ(second.lastError().number, kserial::comPortAlreadyOpen);
    EXPECT_TRUE(second.lastError().description.contains(QStringLiteral("this program")));
    EXPECT_EQ(readLock(), lockText(::getpid()));  // the refusal left the first one's lock
    ASSERT_TRUE(first.setPortOpen(false));
    EXPECT_FALSE(QFile::exists(lockFile));
    ASSERT_TRUE(second.setPortOpen(true)) << why(second);
    EXPECT_EQ(readLock(), lockText(::getpid()));
}

TEST_F(PortClaim, AnUnwritableLockFolderOnlyCostsTheLockFile) {
    MSComm::setLockDirectory(locks.filePath(QStringLiteral("missing")));
    MSComm comm;
    EXPECT_TRUE(openAt(comm, pty.slavePath())) << why(comm);
    EXPECT_TRUE(QDir(locks.path()).entryList(QDir::Files).isEmpty());
}

// The lock folder is writable for everyone: a FIFO planted under the lock's name would hang an
// open for ever, and any other kind of file is not a lock either. The port is refused with the
// file's name, and the file is left where it is.
TEST_F(PortClaim, ALockNameThatIsNoRegularFileRefusesThePortAndStays) {
    const QString target = locks.filePath(QStringLiteral("elsewhere"));
    struct Case {
        const char* name;
        std::function<bool()> plant;
    };
    const QByteArray lock8 = QFile::encodeName(lockFile);
    const QByteArray target8 = QFile::encodeName(target);
    const Case cases[] = {
        {"fifo", [&] { return ::mkfifo(lock8.constData(), 0666) == 0; }},
        {"link to a fifo",
         [&] {
             return ::mkfifo(target8.constData(), 0666) == 0 &&
                    ::symlink(target8.constData(), lock8.constData()) == 0;
         }},
        {"link to a stale lock",
         [&] {
             QFile f(target);
             return f.open(QIODevice::WriteOnly) && f.write(lockText(999999999)) > 0 &&
                    ::symlink(target8.constData(), lock8.constData()) == 0;
         }},
        {"dangling link", [&] { return ::symlink(target8.constData(), lock8.constData()) == 0; }},
        {"directory", [&] { return QDir().mkdir(lockFile); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.plant());
        MSComm comm;
        EXPECT_FALSE(openAt(comm, pty.slavePath()));
        EXPECT_EQ(comm.lastError().number, kserial::comSystemError) << why(comm);
        EXPECT_TRUE(comm.lastError().description.contains(lockFile)) << why(comm);
        EXPECT_FALSE(comm.PortOpen());
        struct stat st {};
        EXPECT_EQ(::lstat(lock8.constData(), &st), 0) << "the planted file stays";
        // Gone, the port opens again.
        ::unlink(lock8.constData());
        ::rmdir(lock8.constData());
        ::unlink(target8.constData());
        EXPECT_TRUE(openAt(comm, pty.slavePath())) << why(comm);
        EXPECT_TRUE(comm.setPortOpen(false));
    }
}

// The program's own terminal, under /dev/tty or its own name, belongs to the shell of its
// session: refused as held by that process, never written to.
TEST_F(PortClaim, TheControllingTerminalIsHeldByItsSession) {
    int result[2];
    ASSERT_EQ(pipe(result), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(result[0]);
        // A session of its own whose controlling terminal is the test's pty.
        char verdict = 'a';
        if (::setsid() < 0) verdict = 's';
        const int tty = ::open(QFile::encodeName(pty.slavePath()).constData(), O_RDWR);
        if (verdict == 'a' && (tty < 0 || ::ioctl(tty, TIOCSCTTY, 0) != 0)) verdict = 't';
        for (const QString& path : {QStringLiteral("/dev/tty"), pty.slavePath()}) {
            if (verdict != 'a') break;
            MSComm comm;
            if (openAt(comm, path))
                verdict = 'o';
            else if (comm.lastError().number != kserial::comPortAlreadyOpen)
                verdict = 'n';
            else if (comm.lastError().holderPid != ::getpid())
                verdict = 'h';
            else if (!comm.lastError().description.contains(path))
                verdict = 'd';
        }
        if (verdict == 'a') verdict = '0';
        [[maybe_unused]] const ssize_t n = ::write(result[1], &verdict, 1);
        _exit(0);
    }
    ::close(result[1]);
    char verdict = 0;
    ASSERT_EQ(::read(result[0], &verdict, 1), 1);
    ::close(result[0]);
    int status = 0;
    waitpid(child, &status, 0);
    // s/t: no session could be set up; o: opened; n: another error; h: wrong holder; d: text.
    EXPECT_EQ(verdict, '0');
    EXPECT_FALSE(QFile::exists(locks.filePath(QStringLiteral("LCK..tty"))));
}

TEST_F(PortClaim, TheFarEndOfAPtyInAnotherProcessIsNoHolder) {
    // The child plays a virtual chip: it owns a pty's master and keeps the slave open too.
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(release[1]);
        ::close(ready[0]);
        char name[128] = {};
        const int master = posix_openpt(O_RDWR | O_NOCTTY);
        const bool ok = master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0 &&
                        ptsname_r(master, name, sizeof name) == 0 &&
                        ::open(name, O_RDWR | O_NOCTTY) >= 0;
        if (!ok) name[0] = 0;
        if (::write(ready[1], name, sizeof name) != ssize_t(sizeof name)) _exit(2);
        char c;
        while (::read(release[0], &c, 1) < 0 && errno == EINTR) {
        }
        _exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char name[128] = {};
    ASSERT_EQ(::read(ready[0], name, sizeof name), ssize_t(sizeof name));
    ASSERT_NE(name[0], 0);

    MSComm comm;
    EXPECT_TRUE(openAt(comm, QString::fromLocal8Bit(name))) << why(comm);
    comm.setPortOpen(false);

    ::close(release[1]);
    int status = 0;
    waitpid(child, &status, 0);
    ::close(ready[0]);
}

}  // namespace
