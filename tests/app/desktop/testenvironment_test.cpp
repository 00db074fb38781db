// Every entry of the test environment reaches a GoogleTest test started by CTest: the
// sanitizer options, and the scratch XDG folders that keep tests out of the user's own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QString>

#include "testenvironment.h"

namespace {

bool StartedByCtest() {
    return !qEnvironmentVariableIsEmpty("KORVAN_TEST_HOME");
}

TEST(TestEnvironment, EveryEntryArrives) {
    if (!StartedByCtest()) GTEST_SKIP() << "run outside CTest";
    for (const char* entry : kTestEnvEntries) {
        const QString text = QString::fromUtf8(entry);
        const QString name = text.section(QLatin1Char('='), 0, 0);
        const QString value = text.section(QLatin1Char('='), 1);
        EXPECT_EQ(qEnvironmentVariable(name.toLatin1().constData()), value) << entry;
    }
}

TEST(TestEnvironment, UserFoldersAreScratchFoldersThatExist) {
    if (!StartedByCtest()) GTEST_SKIP() << "run outside CTest";
    const QString home = QDir::cleanPath(qEnvironmentVariable("KORVAN_TEST_HOME"));
    const QString realHome = QDir::cleanPath(QDir::homePath());
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        const QString folder = QDir::cleanPath(qEnvironmentVariable(name));
        EXPECT_TRUE(folder.startsWith(home + QLatin1Char('/'))) << name;
        EXPECT_FALSE(folder.startsWith(realHome + QStringLiteral("/."))) << name;
        EXPECT_TRUE(QFileInfo(folder).isDir()) << name;
    }
}

}  // namespace
