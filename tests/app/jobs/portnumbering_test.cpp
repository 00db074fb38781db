// The number an adapter is given is kept under its by-id name, and only where no entry is.
#include "jobs/portnumbering.h"

#include "core/inifile.h"
#include "faketree.h"
#include "mscomm.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace korvan::jobs {
namespace {

using kserial::MSComm;
using kserial::testing::Ch340;
using kserial::testing::Cp2102;

TEST(RememberPortNumber, WritesTheByIdNameOnlyForAnAdapterWithoutEntry) {
    kserial::testing::FakeTree tree;
    ASSERT_TRUE(tree.ok() && tree.plug(Ch340()) && tree.plug(Cp2102()));
    ASSERT_TRUE(tree.addTtyS(QStringLiteral("ttyS0"), true));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("Config.ini"));
    MSComm::setScanDirectories(tree.devDir(), tree.sysTtyDir());
    MSComm::setPortMap({{1, tree.device(QStringLiteral("ttyUSB0"))}});

    const struct {
        int number;
        bool written;
        QString entry;  // COMn of [Ports] afterwards
    } cases[] = {
        {1, false, QString()},  // an entry the user wrote stays as it is
        {2, true, tree.byId(Cp2102().byIdName)},
        {2, false, tree.byId(Cp2102().byIdName)},  // once is enough
        {3, false, QString()},                     // ttyS0 has no by-id name
        {9, false, QString()},                     // no such port
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RememberPortNumber(c.number, ini), c.written) << "COM" << c.number;
        EXPECT_EQ(ReadIni("Ports", QStringLiteral("COM%1").arg(c.number), ini, QString()), c.entry)
            << "COM" << c.number;
    }
    // The map in use has it too: the CP2102 keeps COM2 when it comes back as ttyUSB5.
    ASSERT_TRUE(tree.unplug(Cp2102()) && tree.plug(Cp2102(QStringLiteral("ttyUSB5"))));
    EXPECT_EQ(MSComm::deviceForPort(2), tree.byId(Cp2102().byIdName));
    EXPECT_TRUE(MSComm::numberedPorts().at(1).present);
    MSComm::setPortMap({});
    MSComm::setScanDirectories(QStringLiteral("/dev"), QStringLiteral("/sys/class/tty"));
}

}  // namespace
}  // namespace korvan::jobs
