// Serial devices with their adapters' details, and the port numbers they get, over a fake
// /dev and /sys tree: a re-plugged adapter keeps its number, an absent one keeps it free.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "faketree.h"
#include "mscomm.h"
#include "serialdevices.h"
#include "serialports.h"

using kserial::MSComm;
using kserial::testing::Ch340;
using kserial::testing::Cp2102;
using kserial::testing::FakeTree;

namespace {

class Devices : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tree.ok());
        MSComm::setScanDirectories(tree.devDir(), tree.sysTtyDir());
    }
    void TearDown() override {
        MSComm::setPortMap({});
        MSComm::setScanDirectories(QStringLiteral("/dev"), QStringLiteral("/sys/class/tty"));
    }
    // "COM1=ttyUSB0 COM3=-": each number with the name of its present device, "-" for absent.
    static QString numbers() {
        QStringList out;
        for (const kserial::NumberedPort& p : MSComm::numberedPorts())
            out << QStringLiteral("COM%1=%2")
                       .arg(p.number)
                       .arg(p.present ? QFileInfo(p.adapter.path).fileName() : QStringLiteral("-"));
        return out.join(u' ');
    }
    FakeTree tree;
};

TEST_F(Devices, CarryTheirAdaptersDetailsAndByIdNames) {
    ASSERT_TRUE(tree.plug(Cp2102()) && tree.plug(Ch340()));
    ASSERT_TRUE(tree.addTtyS(QStringLiteral("ttyS0"), false) &&
                tree.addTtyS(QStringLiteral("ttyS1"), true));
    const QList<kserial::SerialDevice> found =
        kserial::scanSerialDevices({tree.devDir(), tree.sysTtyDir()});
    ASSERT_EQ(found.size(), 3);
    const struct {
        const char* tty;
        QString byId;
        const char* ids;
        const char* described;
        const char* serial;
    } rows[] = {
        {"ttyUSB0", tree.byId(Ch340().byIdName), "1a86:7523", "CH340 (1a86:7523)", ""},
        {"ttyUSB1", tree.byId(Cp2102().byIdName), "10c4:ea60",
         "CP2102 USB to UART Bridge Controller (10c4:ea60)", "0001"},
        {"ttyS1", QString(), "", "", ""},  // ttyS0 has no UART behind it
    };
    for (int i = 0; i < 3; ++i) {
        const auto& row = rows[i];
        const kserial::SerialDevice& d = found.at(i);
        EXPECT_EQ(d.path, tree.device(row.tty)) << i;
        EXPECT_EQ(d.byId, row.byId) << row.tty;
        EXPECT_EQ(d.usbIds(), row.ids) << row.tty;
        EXPECT_EQ(d.isUsb(), *row.ids != 0) << row.tty;
        EXPECT_EQ(d.describe(), row.described) << row.tty;
        EXPECT_EQ(d.serialNumber, row.serial) << row.tty;
    }
}

TEST_F(Devices, NumbersFollowTheAdapterNamedInPorts) {
    ASSERT_TRUE(tree.plug(Ch340()) && tree.plug(Cp2102()));
    ASSERT_TRUE(tree.addTtyS(QStringLiteral("ttyS1"), true));
    EXPECT_EQ(numbers(), "COM1=ttyUSB0 COM2=ttyUSB1 COM3=ttyS1");  // as without [Ports]

    // The CP2102 is given COM5 under its by-id name, read from a real [Ports] section.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("Config.ini"));
    ASSERT_TRUE(FakeTree::write(
        ini, "[Ports]\nCOM5=" + tree.byId(Cp2102().byIdName).toUtf8() + "\nCOM1=" +
                 tree.byId(QStringLiteral("usb-FTDI_FT232R-if00-port0")).toUtf8() + "\n"));
    ASSERT_TRUE(MSComm::loadPortMap(ini));
    // The FT232 is not there: COM1 stays free, no other adapter takes it.
    EXPECT_EQ(numbers(), "COM1=- COM2=ttyUSB0 COM3=ttyS1 COM5=ttyUSB1");
    EXPECT_EQ(MSComm::deviceForPort(5), tree.byId(Cp2102().byIdName));
    EXPECT_EQ(MSComm::deviceForPort(2), tree.device(QStringLiteral("ttyUSB0")));

    // Both re-plugged in the other order: the kernel's names swap, the numbers do not.
    ASSERT_TRUE(tree.unplug(Ch340()) && tree.unplug(Cp2102()));
    ASSERT_TRUE(tree.plug(Cp2102(QStringLiteral("ttyUSB0"))) &&
                tree.plug(Ch340(QStringLiteral("ttyUSB1"))));
    EXPECT_EQ(numbers(), "COM1=- COM2=ttyUSB1 COM3=ttyS1 COM5=ttyUSB0");

    // Pulled out, the CP2102 keeps COM5 free, and the others keep theirs.
    ASSERT_TRUE(tree.unplug(Cp2102(QStringLiteral("ttyUSB0"))));
    EXPECT_EQ(numbers(), "COM1=- COM2=ttyUSB1 COM3=ttyS1 COM5=-");
}

TEST(PortNumbering, EntriesKeepTheirNumbersAndTheRestFillTheGaps) {
    auto dev = [](const char* path, const char* byId = "") {
        kserial::SerialDevice d;
        d.path = QString::fromLatin1(path);
        d.byId = QString::fromLatin1(byId);
        return d;
    };
    const QList<kserial::SerialDevice> present{dev("/dev/ttyUSB0", "/dev/serial/by-id/a"),
                                               dev("/dev/ttyUSB1", "/dev/serial/by-id/b"),
                                               dev("/dev/ttyACM0")};
    const struct {
        const char* name;
        QMap<int, QString> configured;
        const char* expected;  // number=device, "*" marks a present device behind an entry
    } cases[] = {
        {"none", {}, "1=/dev/ttyUSB0 2=/dev/ttyUSB1 3=/dev/ttyACM0"},
        {"by-id",
         {{1, "/dev/serial/by-id/b"}},
         "1=/dev/serial/by-id/b* 2=/dev/ttyUSB0 3=/dev/ttyACM0"},
        {"by path", {{3, "/dev/ttyUSB0"}}, "1=/dev/ttyUSB1 2=/dev/ttyACM0 3=/dev/ttyUSB0*"},
        {"absent",
         {{2, "/dev/serial/by-id/gone"}},
         "1=/dev/ttyUSB0 2=/dev/serial/by-id/gone 3=/dev/ttyUSB1 4=/dev/ttyACM0"},
        // One adapter named twice is behind the first number only.
        {"twice",
         {{4, "/dev/ttyACM0"}, {6, "/dev/ttyACM0"}},
         "1=/dev/ttyUSB0 2=/dev/ttyUSB1 4=/dev/ttyACM0* 6=/dev/ttyACM0"},
    };
    for (const auto& c : cases) {
        QStringList out;
        for (const kserial::NumberedPort& p : kserial::numberPorts(c.configured, present))
            out << QStringLiteral("%1=%2%3").arg(p.number).arg(p.device).arg(
                p.configured && p.present ? QStringLiteral("*") : QString());
        EXPECT_EQ(out.join(u' '), c.expected) << c.name;
    }
}

}  // namespace
