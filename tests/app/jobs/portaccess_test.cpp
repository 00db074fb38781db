// The port helper: port names, the message for each error, and the line time of a data text.
#include "jobs/portaccess.h"
#include "jobtestsupport.h"

#include <grp.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

namespace korvan::jobs::testing {
namespace {

TEST(PortMessages, EachErrorInWordsTheUserCanActOn) {
    const PortTarget com = ParsePortArgument("com3");
    EXPECT_EQ(com.shown, "COM3");
    ASSERT_TRUE(com.number.has_value());
    EXPECT_EQ(*com.number, 3);
    EXPECT_FALSE(ParsePortArgument("/dev/ttyUSB0").number.has_value());
    EXPECT_FALSE(ParsePortArgument("COM0").number.has_value());

    const PortProblem invalid = ProblemOf(com, {kserial::comPortInvalid, ENOENT, "x"});
    EXPECT_EQ(invalid.message, "当前串口(COM3)无效\n请选择有效端口");
    EXPECT_EQ(invalid.style, 12);
    const PortProblem held = ProblemOf(com, {kserial::comPortAlreadyOpen, EWOULDBLOCK, "x"});
    EXPECT_EQ(held.message, "当前串口(COM3)已经打开\n请关闭其它程序后再试");
    EXPECT_EQ(held.style, 11);
    kserial::CommError heldByCat{kserial::comPortAlreadyOpen, EBUSY, "x"};
    heldByCat.holderPid = 4242;
    heldByCat.holderName = "cat";
    EXPECT_EQ(ProblemOf(com, heldByCat).message,
              "当前串口(COM3)已经打开\n请关闭其它程序后再试\n占用该串口的程序：cat（进程号 4242）");
    const QString denied =
        ProblemOf(ParsePortArgument("/dev/ttyUSB0"),
                  {kserial::comSystemError, EACCES, "/dev/ttyUSB0: Permission denied"})
            .message;
    EXPECT_TRUE(denied.startsWith("/dev/ttyUSB0: Permission denied"));
    EXPECT_TRUE(denied.contains("dialout"));
    EXPECT_FALSE(
        ProblemOf(com, {kserial::comSystemError, EIO, "I/O error"}).message.contains("dialout"));

    // The hint names the group that owns the device, whichever it is.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString device = dir.filePath("ttyUSB0");
    QFile node(device);
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    const struct group* tty = ::getgrnam("tty");
    ASSERT_NE(tty, nullptr);
    if (::chown(QFile::encodeName(device).constData(), uid_t(-1), tty->gr_gid) != 0)
        GTEST_SKIP() << "the file's group cannot be changed here";
    const QString hint =
        ProblemOf(ParsePortArgument(device), {kserial::comSystemError, EACCES, "denied"}).message;
    EXPECT_TRUE(hint.contains("sudo usermod -aG tty $USER")) << hint.toStdString();
    EXPECT_TRUE(hint.contains("该串口属于 tty 组")) << hint.toStdString();
}

struct LineTimeCase {
    const char* settings;
    int bytes;
    int ms;
};

class LineTime : public ::testing::TestWithParam<LineTimeCase> {};

TEST_P(LineTime, CoversEveryBitAtTheRateAndTheFarSidesMargin) {
    PseudoTerminal pty;
    PortAccess port;
    port.setTarget(ParsePortArgument(pty.path()));
    ASSERT_FALSE(port.open(QString::fromLatin1(GetParam().settings), false).has_value());
    EXPECT_EQ(port.lineTimeMs(GetParam().bytes), GetParam().ms);
    port.close();
}

INSTANTIATE_TEST_SUITE_P(Rates, LineTime,
                         ::testing::Values(LineTimeCase{"1200,N,8,1", 2, 17 + 10},
                                           LineTimeCase{"9600,E,8,1", 4, 5 + 10},
                                           LineTimeCase{"115200,N,8,1", 2, 1 + 10},
                                           LineTimeCase{"19200,N,8,2", 100, 58 + 10}));

TEST(SendDataText, WritesTheBytesOnlyWhileOpen) {
    PseudoTerminal pty;
    PortAccess port;
    port.setTarget(ParsePortArgument(pty.path()));
    const DataTextContext context{7, QDateTime::currentDateTime()};
    EXPECT_EQ(port.sendDataText(QStringLiteral("12 34"), context), 0);
    ASSERT_FALSE(port.open(QStringLiteral("9600,N,8,1"), false).has_value());
    EXPECT_EQ(port.sendDataText(QStringLiteral("12 %NL2"), context), 3);
    port.close();
    EXPECT_EQ(pty.readAll(), QByteArray("\x12\x00\x07", 3));
}

}  // namespace
}  // namespace korvan::jobs::testing
