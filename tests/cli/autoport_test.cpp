// -p auto and no -p: one USB adapter is taken and named; with none or several the run stops
// with exit code 2 and the list of ports. `ports` shows every port with its adapter.
#include "autoport.h"
#include "clirun.h"
#include "core/apppaths.h"
#include "core/inifile.h"
#include "faketree.h"
#include "mscomm.h"
#include "portscommand.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace korvan::cli {
namespace {

using kserial::MSComm;
using kserial::testing::Ch340;
using kserial::testing::Cp2102;
using kserial::testing::FakeTree;

class AutoPort : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tree.ok() && home.isValid());
        ASSERT_TRUE(tree.addTtyS(QStringLiteral("ttyS0"), true));
        MSComm::setScanDirectories(tree.devDir(), tree.sysTtyDir());
        SetCurrentAppPaths({home.path() + u'/', home.path() + u'/', home.filePath("reg.ini")});
        // A run installs the chip database where ZEL_DB says: here, not in the user's home.
        savedDb = qgetenv("ZEL_DB");
        qputenv("ZEL_DB", QFile::encodeName(home.filePath("zel.db")));
    }
    void TearDown() override {
        if (savedDb.isNull())
            qunsetenv("ZEL_DB");
        else
            qputenv("ZEL_DB", savedDb);
        MSComm::setPortMap({});
        MSComm::setScanDirectories(QStringLiteral("/dev"), QStringLiteral("/sys/class/tty"));
    }
    FakeTree tree;
    QTemporaryDir home;
    QByteArray savedDb;
};

TEST_F(AutoPort, TakesTheOneAdapterElseListsThePorts) {
    const struct {
        const char* name;
        int adapters;  // CH340, then CP2102
        std::optional<int> number;
        QStringList lines;
    } cases[] = {
        {"none",
         0,
         std::nullopt,
         {"没有找到 USB 串口适配器。请插上适配器，或用 -p 指定串口。现有串口：",
          "  COM1  " + tree.device("ttyS0")}},
        {"one", 1, 1, {"自动选择串口：COM1  " + tree.device("ttyUSB0") + "  CH340 (1a86:7523)"}},
        {"several",
         2,
         std::nullopt,
         {"找到多个 USB 串口适配器，请用 -p 选择其中一个：",
          "  COM1  " + tree.device("ttyUSB0") + "  CH340 (1a86:7523)",
          "  COM2  " + tree.device("ttyUSB1") +
              "  CP2102 USB to UART Bridge Controller (10c4:ea60)"}},
    };
    int plugged = 0;
    for (const auto& c : cases) {
        for (; plugged < c.adapters; ++plugged)
            ASSERT_TRUE(tree.plug(plugged == 0 ? Ch340() : Cp2102()));
        const AutoPortChoice choice = ChooseAutoPort(MSComm::numberedPorts());
        EXPECT_EQ(choice.number, c.number) << c.name;
        EXPECT_EQ(choice.message.split(u'\n'), c.lines) << c.name;
    }
}

TEST_F(AutoPort, ExitCodesOfARunWithoutPort) {
    const struct {
        const char* name;
        int adapters;
        int exitCode;  // 2: nothing chosen; 3: the one adapter was taken (a fake cannot be opened)
    } cases[] = {{"none", 0, 2}, {"one", 1, 3}, {"several", 2, 2}};
    int plugged = 0;
    for (const auto& c : cases) {
        for (; plugged < c.adapters; ++plugged)
            ASSERT_TRUE(tree.plug(plugged == 0 ? Ch340() : Cp2102()));
        EXPECT_EQ(RunCommandLine({"check", "--wait", "1"}), c.exitCode) << c.name;
        EXPECT_EQ(RunCommandLine({"check", "-p", "AUTO", "--wait", "1"}), c.exitCode) << c.name;
    }
    // The one adapter that was taken keeps its number under its by-id name.
    EXPECT_EQ(ReadIni("Ports", "COM1", CurrentAppPaths().configFile(), QString()),
              tree.byId(Ch340().byIdName));
}

TEST_F(AutoPort, PortsTableShowsAdaptersAbsentEntriesAndHolders) {
    ASSERT_TRUE(tree.plug(Cp2102()));
    MSComm::setPortMap({{4, tree.byId(Ch340().byIdName)}});
    const HolderLookup holder = [&](const QString& path) -> std::optional<kserial::DeviceHolder> {
        if (path == tree.device("ttyUSB1")) return kserial::DeviceHolder{4242, "minicom"};
        return std::nullopt;
    };
    const QList<kserial::NumberedPort> ports = MSComm::numberedPorts();
    const QStringList lines = PortsTableLines(ports, holder);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("串口")) << lines[0].toStdString();
    const struct {
        int line;
        QStringList parts;
    } rows[] = {
        {1,
         {"COM1", tree.device("ttyUSB1"), Cp2102().byIdName,
          "Silicon Labs / CP2102 USB to UART Bridge Controller", "10c4:ea60", "0001",
          "minicom (4242)"}},
        {2, {"COM2", tree.device("ttyS0")}},
        {3, {"COM4", tree.byId(Ch340().byIdName) + " （未连接）"}},
    };
    for (const auto& row : rows) {
        const QString line = lines[row.line];
        qsizetype at = 0;
        for (const QString& part : row.parts) {  // each part in its column, in order
            const qsizetype found = line.indexOf(part, at);
            EXPECT_GE(found, at) << line.toStdString() << " / " << part.toStdString();
            at = qMax(at, found + part.size());
        }
    }
    // Columns line up: the device column starts at the same place on every line.
    EXPECT_EQ(lines[1].indexOf(tree.device("ttyUSB1")), lines[2].indexOf(tree.device("ttyS0")));

    const QJsonObject adapter = PortJson(ports[0], holder);
    EXPECT_EQ(adapter["port"].toString(), "COM1");
    EXPECT_EQ(adapter["vid"].toString(), "10c4");
    EXPECT_EQ(adapter["pid"].toString(), "ea60");
    EXPECT_EQ(adapter["byId"].toString(), tree.byId(Cp2102().byIdName));
    EXPECT_EQ(adapter["holder"]["name"].toString(), "minicom");
    EXPECT_EQ(adapter["holder"]["pid"].toInteger(), 4242);
    const QJsonObject absent = PortJson(ports[2], holder);
    EXPECT_FALSE(absent["present"].toBool());
    EXPECT_TRUE(absent["configured"].toBool());
    EXPECT_TRUE(absent["holder"].isNull());
    EXPECT_FALSE(absent.contains("vid"));
}

}  // namespace
}  // namespace korvan::cli
