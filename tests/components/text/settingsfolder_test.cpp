// The settings folder that the control and KORVAN both ask.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "settingsfolder.h"

namespace {

void Set(const char* name, const QString& value) {
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value.toUtf8());
}

TEST(SettingsFolder, KorvanHomeWinsThenTheWritableExecutableFolder) {
    const QByteArray savedHome = qgetenv("KORVAN_HOME");
    QTemporaryDir dir;
    Set("KORVAN_HOME", dir.filePath("home//"));
    EXPECT_EQ(ktext::SettingsFolder(), dir.filePath("home") + "/");
    Set("KORVAN_HOME", QString());
    // The test binary's folder is the build tree, which is writable.
    EXPECT_EQ(ktext::SettingsFolder(), ktext::WithTrailingSlash(ktext::ExecutableFolder()));
    Set("KORVAN_HOME", savedHome.isNull() ? QString() : QString::fromUtf8(savedHome));
}

// An installed program keeps its settings in the user's folders even when its folder is
// writable, as /usr/bin is for root.
TEST(SettingsFolder, SystemFoldersAreNeverPortable) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("usr/bin"));
    const struct {
        QString folder;
        bool portable;
    } cases[] = {
        {"/usr/bin", false},
        {"/usr/local/bin", false},
        {"/usr", false},
        {"/bin", false},
        {"/sbin", false},
        {"/usr/bin/../bin", false},
        {dir.path(), true},
        {dir.filePath("usr/bin"), true},
        {dir.filePath("missing"), false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ktext::IsPortableFolder(c.folder), c.portable) << c.folder.toStdString();
}

TEST(SettingsFolder, ConfigHomeIgnoresRelativePaths) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir dir;
    Set("XDG_CONFIG_HOME", dir.path());
    EXPECT_EQ(ktext::ConfigHome(), dir.path() + "/");
    Set("XDG_CONFIG_HOME", "relative");
    EXPECT_TRUE(ktext::ConfigHome().endsWith("/.config/"));
    Set("XDG_CONFIG_HOME", saved.isNull() ? QString() : QString::fromUtf8(saved));
}

}  // namespace
