// Port numbers to devices: the configured [Ports] map, the detected devices and their order.
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "mscomm.h"
#include "ptypair.h"
#include "serialports.h"

using kserial::MSComm;

namespace {

bool link(const QString& target, const QString& name) {
    return symlink(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()) == 0;
}

bool writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

TEST(DetectedDevices, ComeInFamilyThenNumberOrderWithoutPlaceholders) {
    QTemporaryDir dev, sys;
    ASSERT_TRUE(dev.isValid() && sys.isValid());
    for (const char* name : {"ttyS10", "ttyS2", "ttyS0", "ttyACM1", "ttyACM0", "ttyUSB10",
                             "ttyUSB2", "ttyUSB0", "ttyUSB", "ttyUSBx", "tty0", "ttyAMA0"})
        ASSERT_TRUE(link(QStringLiteral("/dev/null"), dev.filePath(name))) << name;
    ASSERT_TRUE(writeFile(dev.filePath("ttyUSB5"), "not a device"));
    ASSERT_TRUE(link(dev.filePath("missing"), dev.filePath("ttyUSB6")));  // dangling
    // ttyS0 has no UART behind it, ttyS2 has one, ttyS10 cannot be told (offered).
    ASSERT_TRUE(QDir(sys.path()).mkpath("ttyS0") && QDir(sys.path()).mkpath("ttyS2"));
    ASSERT_TRUE(writeFile(sys.filePath("ttyS0/type"), "0\n"));
    ASSERT_TRUE(writeFile(sys.filePath("ttyS2/type"), "4\n"));

    QStringList expected;
    for (const char* name :
         {"ttyUSB0", "ttyUSB2", "ttyUSB10", "ttyACM0", "ttyACM1", "ttyS2", "ttyS10"})
        expected << dev.filePath(name);
    EXPECT_EQ(kserial::detectSerialDevices(dev.path(), sys.path()), expected);

    MSComm::setScanDirectories(dev.path(), sys.path());
    EXPECT_EQ(MSComm::detectedPorts(), expected);
    MSComm::setScanDirectories(QStringLiteral("/dev"), QStringLiteral("/sys/class/tty"));
}

TEST(PortsSection, ReadsTheComEntriesOfItsSectionOnly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath("Config.ini");
    ASSERT_TRUE(writeFile(ini,
                          "[UserDown]\r\nCOM1=/dev/wrong\r\n"
                          "[ ports ]\r\n"
                          "; a comment\r\n"
                          "com1 = /dev/ttyUSB3 \r\n"
                          "COM2=\"/dev/serial/by-id/usb-ZEL ISP-if00\"\r\n"
                          "COM3=ttyACM0\r\n"
                          "COM1=/dev/ttyUSB9\r\n"
                          "COM4=\r\n"
                          "COM4=/dev/ttyS1\r\n"
                          "COMX=/dev/ttyS2\r\nLPT1=/dev/lp0\r\nCOM0=/dev/ttyS0\r\n"
                          "[Other]\nCOM5=/dev/ttyS5\n"));
    const auto ports = kserial::readPortsSection(ini);
    ASSERT_TRUE(ports.has_value());
    const QMap<int, QString> expected{
        {1, "/dev/ttyUSB3"}, {2, "/dev/serial/by-id/usb-ZEL ISP-if00"}, {3, "/dev/ttyACM0"}};
    EXPECT_EQ(*ports, expected);

    EXPECT_TRUE(MSComm::loadPortMap(ini));
    EXPECT_EQ(MSComm::portMap(), expected);
    EXPECT_FALSE(MSComm::loadPortMap(dir.filePath("absent.ini")));
    EXPECT_TRUE(MSComm::portMap().isEmpty());
    EXPECT_FALSE(kserial::readPortsSection(dir.filePath("absent.ini")).has_value());
}

TEST(PortNumbers, TakeTheConfiguredDeviceElseTheNextDetectedInTheGaps) {
    const QMap<int, QString> configured{{2, "/dev/ttyUSB7"}, {9, "/dev/ttyS4"}};
    const QStringList detected{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0"};
    const struct {
        int port;
        const char* device;
    } cases[] = {{1, "/dev/ttyUSB0"},
                 {2, "/dev/ttyUSB7"},
                 {3, "/dev/ttyUSB1"},  // the numbers that entries leave free, in order
                 {4, "/dev/ttyACM0"},
                 {5, ""},
                 {9, "/dev/ttyS4"},
                 {0, ""},
                 {-1, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(kserial::deviceForPort(c.port, configured, detected), QString(c.device))
            << "COM" << c.port;
}

class PortNumberOpen : public testing::Test {
  protected:
    void TearDown() override {
        MSComm::setPortMap({});
        MSComm::setScanDirectories(QStringLiteral("/dev"), QStringLiteral("/sys/class/tty"));
    }
    // Opens COM`port` and proves which pty it reached by a byte from that pty's far end.
    static bool reaches(int port, PtyPair& pty) {
        MSComm comm;
        comm.setInputMode(MSComm::comInputModeBinary);
        if (!comm.setCommPort(port) || !comm.setPortOpen(true)) return false;
        if (comm.devicePath() != MSComm::deviceForPort(port)) return false;
        return comm.Output("?") && pty.receive(1) == "?";
    }
};

TEST_F(PortNumberOpen, OpensTheDetectedDeviceAndTheConfiguredOne) {
    PtyPair first, second;
    ASSERT_TRUE(first.ok() && second.ok());
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    ASSERT_TRUE(link(first.slavePath(), dev.filePath("ttyACM0")));
    ASSERT_TRUE(link(second.slavePath(), dev.filePath("ttyUSB0")));
    MSComm::setScanDirectories(dev.path(), dev.path());

    EXPECT_TRUE(reaches(1, second));  // ttyUSB before ttyACM
    EXPECT_TRUE(reaches(2, first));
    MSComm::setPortMap({{1, first.slavePath()}});
    EXPECT_TRUE(reaches(1, first));
    // The devices no entry names take the numbers left free, in the order found.
    EXPECT_TRUE(reaches(2, second));
    EXPECT_TRUE(reaches(3, first));

    MSComm missing;
    ASSERT_TRUE(missing.setCommPort(4));
    EXPECT_FALSE(missing.setPortOpen(true));
    EXPECT_EQ(missing.lastError().number, kserial::comPortInvalid);
}

}  // namespace
