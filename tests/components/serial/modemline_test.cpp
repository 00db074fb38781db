// DTR and RTS set while the port is open. A pseudo-terminal has no modem lines, so what the
// port would have put on them is read from the test channel (KORVAN_TEST_MODEM_LINES); only
// the changes the caller asked for go there, never the levels an open applies. Setting DTR
// also keeps the lines over a close, so the reopen at another rate does not pulse them.
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "modemlinechannel.h"
#include "mscomm.h"
#include "ptypair.h"

using kserial::MSComm;

namespace {

// The read end of a FIFO named in the channel variable for the test's lifetime.
class ModemLineChannel {
  public:
    ModemLineChannel() {
        m_path = QFile::encodeName(m_dir.filePath("lines")).toStdString();
        ::mkfifo(m_path.c_str(), 0600);
        m_read = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        qputenv(kserial::kModemLineChannelVariable, QByteArray::fromStdString(m_path));
    }
    ~ModemLineChannel() {
        qunsetenv(kserial::kModemLineChannelVariable);
        if (m_read >= 0) ::close(m_read);
    }
    bool ok() const { return m_read >= 0; }
    // Everything written so far (the writes are done by the time the setter returns).
    std::string text() {
        std::string all;
        char buffer[256];
        ssize_t n = 0;
        while ((n = ::read(m_read, buffer, sizeof buffer)) > 0) all.append(buffer, size_t(n));
        return all;
    }

  private:
    QTemporaryDir m_dir;
    std::string m_path;
    int m_read = -1;
};

// Read through the master, whose termios requests reach the slave: the port holds the slave
// exclusively.
bool hangsUpOnClose(const PtyPair& pty) {
    termios tio{};
    return tcgetattr(pty.master(), &tio) == 0 && (tio.c_cflag & HUPCL);
}

// As a serial adapter's driver starts: hang up (drop DTR and RTS) on the last close.
bool setHangUpOnClose(const PtyPair& pty) {
    termios tio{};
    if (tcgetattr(pty.master(), &tio) != 0) return false;
    tio.c_cflag |= HUPCL;
    return tcsetattr(pty.master(), TCSANOW, &tio) == 0;
}

TEST(ModemLines, OnlyTheCallersChangesReachTheChannelInOrder) {
    ModemLineChannel channel;
    ASSERT_TRUE(channel.ok());
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    MSComm comm;
    ASSERT_TRUE(comm.setPortName(pty.slavePath()));
    ASSERT_TRUE(comm.setRTSEnable(true));  // closed: applied at the open, not reported
    ASSERT_TRUE(comm.setPortOpen(true)) << comm.lastError().description.toStdString();
    EXPECT_EQ(channel.text(), "") << "an open drives no line change of the caller's";

    EXPECT_TRUE(comm.setDTREnable(false));
    EXPECT_TRUE(comm.setRTSEnable(false));
    EXPECT_TRUE(comm.setDTREnable(true));
    EXPECT_EQ(channel.text(), "DTR=0\nRTS=0\nDTR=1\n");
    EXPECT_TRUE(comm.DTREnable());

    // The rate change of a job: close and reopen. Nothing is reported, and the level held.
    ASSERT_TRUE(comm.setPortOpen(false));
    ASSERT_TRUE(comm.setSettings(QStringLiteral("115200,N,8,1")));
    ASSERT_TRUE(comm.setPortOpen(true));
    EXPECT_EQ(channel.text(), "");
}

TEST(ModemLines, NoChannelNamedMeansNothingIsWrittenAndNothingFails) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    MSComm comm;
    ASSERT_TRUE(comm.setPortName(pty.slavePath()));
    ASSERT_TRUE(comm.setPortOpen(true));
    EXPECT_TRUE(comm.setDTREnable(false));
    EXPECT_TRUE(comm.setRTSEnable(true));
    EXPECT_EQ(comm.lastError().number, 0);
}

TEST(ModemLines, SettingDtrStopsTheHangUpOnClose) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    ASSERT_TRUE(setHangUpOnClose(pty));
    MSComm comm;
    ASSERT_TRUE(comm.setPortName(pty.slavePath()));
    ASSERT_TRUE(comm.setPortOpen(true));
    // A port that never had DTR set keeps the driver's choice.
    ASSERT_TRUE(hangsUpOnClose(pty));
    ASSERT_TRUE(comm.setDTREnable(true));
    EXPECT_FALSE(hangsUpOnClose(pty));
    ASSERT_TRUE(comm.setPortOpen(false));

    // A second port object on a fresh device: the open applies the choice as well.
    PtyPair other;
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(setHangUpOnClose(other));
    ASSERT_TRUE(comm.setPortName(other.slavePath()));
    ASSERT_TRUE(comm.setPortOpen(true));
    EXPECT_FALSE(hangsUpOnClose(other));
}

}  // namespace
