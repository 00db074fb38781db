// korvan-cli in a home where the chip database cannot be installed: it works from the copy
// built into the program, says so once with -v, and never fails for it.
#include "e2eenv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace e2e {
namespace {

const QString kFallbackNote = QStringLiteral("使用程序内置的数据库");

enum class Home { Unset, Missing, BelowAFile, ReadOnly };

struct HomeCase {
    const char* name;
    Home home;
};

// The test's own environment with nothing that names a database or a data folder.
QProcessEnvironment EnvironmentFor(Home home) {
    QProcessEnvironment env = programEnvironment();
    env.remove(QStringLiteral("ZEL_DB"));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    const QString folder = newFolder();
    switch (home) {
        case Home::Unset:
            env.remove(QStringLiteral("HOME"));
            break;
        case Home::Missing:
            env.insert(QStringLiteral("HOME"), folder + QStringLiteral("/nonexistent"));
            break;
        case Home::BelowAFile:
            writeFile(folder + QStringLiteral("/file"), "x");
            env.insert(QStringLiteral("HOME"), folder + QStringLiteral("/file/home"));
            break;
        case Home::ReadOnly:
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            env.insert(QStringLiteral("HOME"), folder);
            break;
    }
    return env;
}

class MissingHome : public ::testing::TestWithParam<HomeCase> {};

TEST_P(MissingHome, ChecksWithTheBuiltInDatabase) {
    const QProcessEnvironment env = EnvironmentFor(GetParam().home);
    const QString home = env.value(QStringLiteral("HOME"));
    const QString installed = home + QStringLiteral("/.local/share/zel/zel.db");

    const CliResult quiet = runCli({"check", "--sim", "D103"}, kPatienceMs, env);
    ASSERT_TRUE(quiet.finished) << quiet.dump();
    EXPECT_EQ(quiet.exitCode, 0) << quiet.dump();
    EXPECT_FALSE((quiet.out + quiet.err).contains(kFallbackNote)) << quiet.dump();
    EXPECT_TRUE((quiet.out + quiet.err).contains(QStringLiteral("ZELH64AD"))) << quiet.dump();

    const CliResult verbose = runCli({"check", "--sim", "D103", "-v"}, kPatienceMs, env);
    ASSERT_TRUE(verbose.finished) << verbose.dump();
    EXPECT_EQ(verbose.exitCode, 0) << verbose.dump();
    // A read-only home takes the database after all when the tests run with the rights to
    // ignore the folder's mode; then there is nothing to say.
    const bool fellBack = !QFileInfo::exists(installed);
    EXPECT_TRUE(fellBack || GetParam().home == Home::ReadOnly);
    EXPECT_EQ((verbose.out + verbose.err).count(kFallbackNote), fellBack ? 1 : 0) << verbose.dump();
    QFile::setPermissions(home,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

INSTANTIATE_TEST_SUITE_P(Homes, MissingHome,
                         ::testing::Values(HomeCase{"Unset", Home::Unset},
                                           HomeCase{"Missing", Home::Missing},
                                           HomeCase{"BelowAFile", Home::BelowAFile},
                                           HomeCase{"ReadOnly", Home::ReadOnly}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
