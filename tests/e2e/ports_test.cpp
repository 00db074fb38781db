// korvan-cli ports as a user meets it: a port named in [Ports] that another program holds is
// listed with that program.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace e2e {
namespace {

TEST(PortsCommand, ListsAHeldPortWithItsHoldersName) {
    SimProcess sim("D103", {});
    ASSERT_TRUE(sim.start()) << sim.errorOutput().toStdString();
    QProcess cat;
    cat.setStandardInputFile(sim.path());
    cat.start(QStringLiteral("cat"), {});
    ASSERT_TRUE(cat.waitForStarted());

    const QString home = newFolder();
    ASSERT_TRUE(writeFile(home + QStringLiteral("/Config.ini"),
                          "[Ports]\nCOM7=" + sim.path().toUtf8() + "\n"));
    QProcessEnvironment env = programEnvironment();
    env.insert(QStringLiteral("KORVAN_HOME"), home);

    const CliResult r = runCli({"ports", "--json"}, kPatienceMs, env);
    ASSERT_TRUE(r.finished) << r.dump();
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    const auto held = std::find_if(r.events.begin(), r.events.end(), [&](const QJsonObject& o) {
        return o["device"].toString() == sim.path();
    });
    ASSERT_NE(held, r.events.end()) << r.dump();
    EXPECT_EQ((*held)["port"].toString(), "COM7") << r.dump();
    EXPECT_TRUE((*held)["present"].toBool()) << r.dump();
    EXPECT_EQ((*held)["holder"]["name"].toString(), "cat") << r.dump();
    EXPECT_EQ((*held)["holder"]["pid"].toInteger(), cat.processId()) << r.dump();

    // The table says the same in its last column.
    const CliResult table = runCli({"ports"}, kPatienceMs, env);
    EXPECT_TRUE(table.out.contains(QStringLiteral("cat (%1)").arg(cat.processId())))
        << table.dump();
    cat.kill();
    cat.waitForFinished();
}

}  // namespace
}  // namespace e2e
