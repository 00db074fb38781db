// The own file types registered at every start, against scratch XDG folders: the first start
// writes the class keys, the default application, the MIME package, the desktop entry and the
// MIME cache; later starts leave every file alone unless something changed.
#include <sys/stat.h>

#include <QProcess>
#include <QStandardPaths>
#include <map>

#include "desktop/associatedprogram.h"
#include "desktop/fileassociation.h"
#include "desktop/owntypes.h"
#include "desktop/userdesktopfiles.h"
#include "desktopfixture.h"

using namespace korvan;
using namespace korvan::desktop;
using korvan::desktop::testing::DesktopTest;
using korvan::desktop::testing::kProgram;

namespace {

// Which file is at a path: a file replaced atomically is a new inode with a new change time
// (the inode alone may be reused once the old file is gone).
struct FileIdentity {
    ino_t inode = 0;
    qint64 changedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity Identity(const QString& path) {
    struct stat info {};
    if (::stat(path.toLocal8Bit().constData(), &info) != 0) return {};
    return {info.st_ino, qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec};
}

class OwnTypesTest : public DesktopTest {
  protected:
    QString mimeFolder() const { return DataHome() + "/mime"; }
    QStringList files() const {
        return {m_dir.filePath("registry.ini"), UserMimeAppsList(), UserMimePackageFile(),
                UserDesktopEntryFile(), mimeFolder() + "/mime.cache"};
    }
    std::map<QString, FileIdentity> inodes() const {
        std::map<QString, FileIdentity> result;
        for (const QString& file : files()) result[file] = Identity(file);
        return result;
    }
    QString classValue(const QString& key) const {
        const auto v = registry().query(RegistryRoot::ClassesRoot, key, {});
        return v ? v->asText() : QStringLiteral("<none>");
    }
    static bool haveMimeTool() {
        return !QStandardPaths::findExecutable("update-mime-database").isEmpty();
    }
};

TEST_F(OwnTypesTest, FirstStartRegistersBothTypesForThisProgram) {
    if (!haveMimeTool()) GTEST_SKIP() << "update-mime-database is not installed";
    ASSERT_TRUE(RegisterOwnFileTypes(registry(), kProgram));

    const struct {
        const char* extension;
        const char* description;
        const char* icon;
        const char* mime;
    } types[] = {{"mcu", "MCU 配置文件", ",1", "application/x-korvan-settings"},
                 {"mcp", "MCU 下载任务", ",0", "application/x-korvan-task"}};
    for (const auto& t : types) {
        const QString e = QString::fromLatin1(t.extension);
        EXPECT_EQ(classValue("." + e), e + ".file");
        EXPECT_EQ(classValue(e + ".file"), QString::fromUtf8(t.description));
        EXPECT_EQ(classValue(e + ".file\\DefaultIcon"), kProgram + t.icon);
        EXPECT_EQ(classValue(e + ".file\\Shell\\Open\\command"), kProgram + " %1");
        EXPECT_EQ(mimeApps("Default Applications", t.mime), "korvan.desktop;");
        EXPECT_TRUE(FileAssociations(registry(), kProgram).IsAssociated(e));
        // The desktop now knows the type by its extension, and opens it with this program.
        QFile globs(mimeFolder() + "/globs2");
        ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
        EXPECT_TRUE(globs.readAll().contains(QByteArray(t.mime) + ":*." + t.extension))
            << e.toStdString();
        EXPECT_EQ(AssociatedProgram(e), "") << "the scratch program does not exist";
    }
    EXPECT_EQ(readFile(UserMimePackageFile()), MimePackage());
    EXPECT_FALSE(MimePackage().isEmpty());
    const IniDocument entry = IniDocument::load(UserDesktopEntryFile());
    EXPECT_EQ(entry.read("Desktop Entry", "Exec", ""), kProgram + " %f");
    EXPECT_EQ(entry.read("Desktop Entry", "TryExec", ""), kProgram);
    EXPECT_EQ(entry.read("Desktop Entry", "Name", ""), "KORVAN");
}

TEST_F(OwnTypesTest, LaterStartsLeaveEveryFileAlone) {
    if (!haveMimeTool()) GTEST_SKIP() << "update-mime-database is not installed";
    ASSERT_TRUE(RegisterOwnFileTypes(registry(), kProgram));
    const auto first = inodes();
    for (const auto& [file, identity] : first) ASSERT_NE(identity.inode, 0u) << file.toStdString();
    ASSERT_TRUE(RegisterOwnFileTypes(registry(), kProgram));
    EXPECT_EQ(inodes(), first);

    // Another KORVAN starts: the entry and the keys name it, the package and cache stay.
    const QString other = m_dir.filePath("other/korvan");
    ASSERT_TRUE(RegisterOwnFileTypes(registry(), other));
    const auto second = inodes();
    EXPECT_NE(second.at(m_dir.filePath("registry.ini")), first.at(m_dir.filePath("registry.ini")));
    EXPECT_NE(second.at(UserDesktopEntryFile()), first.at(UserDesktopEntryFile()));
    EXPECT_EQ(second.at(UserMimePackageFile()), first.at(UserMimePackageFile()));
    EXPECT_EQ(second.at(mimeFolder() + "/mime.cache"), first.at(mimeFolder() + "/mime.cache"));
    EXPECT_EQ(second.at(UserMimeAppsList()), first.at(UserMimeAppsList()));
    EXPECT_EQ(classValue("mcp.file\\Shell\\Open\\command"), other + " %1");
}

TEST_F(OwnTypesTest, AnAlteredPackageIsRestoredAndTheCacheRebuilt) {
    if (!haveMimeTool()) GTEST_SKIP() << "update-mime-database is not installed";
    ASSERT_TRUE(RegisterOwnFileTypes(registry(), kProgram));
    const FileIdentity cache = Identity(mimeFolder() + "/mime.cache");
    writeFile(UserMimePackageFile(),
              "<?xml version=\"1.0\"?>\n<mime-info "
              "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\"/>\n");
    ASSERT_TRUE(RegisterOwnFileTypes(registry(), kProgram));
    EXPECT_EQ(readFile(UserMimePackageFile()), MimePackage());
    EXPECT_NE(Identity(mimeFolder() + "/mime.cache"), cache);

    // A cache that went missing is rebuilt although the package is as it should be.
    ASSERT_TRUE(QFile::remove(mimeFolder() + "/mime.cache"));
    ASSERT_TRUE(RegisterOwnFileTypes(registry(), kProgram));
    EXPECT_TRUE(QFileInfo::exists(mimeFolder() + "/mime.cache"));
}

TEST_F(OwnTypesTest, TheDefaultApplicationStartsTheRegisteredProgram) {
    if (!haveMimeTool()) GTEST_SKIP() << "update-mime-database is not installed";
    // A real executable, so that the entry's TryExec finds it.
    const QString program = m_dir.filePath("bin dir/korvan");
    writeFile(program, "#!/bin/sh\n");
    ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(RegisterOwnFileTypes(registry(), program));
    for (const char* extension : {"mcu", "MCP"}) EXPECT_EQ(AssociatedProgram(extension), program);
    ASSERT_TRUE(QFile::remove(program));
    EXPECT_EQ(AssociatedProgram("mcu"), "") << "an entry whose program is gone is skipped";
}

TEST_F(OwnTypesTest, TheWrittenDesktopEntryIsValid) {
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
    for (const QString& program :
         {kProgram, m_dir.filePath("my tools/korvan"), QStringLiteral("/opt/100%\"$x`/korvan")}) {
        writeFile(UserDesktopEntryFile(), DesktopEntryFor(program));
        QProcess validate;
        validate.start(validator, {UserDesktopEntryFile()});
        ASSERT_TRUE(validate.waitForFinished(60000));
        EXPECT_EQ(validate.exitCode(), 0) << program.toStdString() << "\n"
                                          << validate.readAllStandardOutput().toStdString();
    }
}

// What the Exec line says, read back, is exactly the program it was written for.
TEST(ExecWord, ReadsBackAsTheProgram) {
    const struct {
        const char* program;
        const char* word;
    } cases[] = {
        {"/usr/bin/korvan", "/usr/bin/korvan"},
        {"/home/a b/korvan", "\"/home/a b/korvan\""},
        {"/opt/x\"y/korvan", "\"/opt/x\\\\\"y/korvan\""},
        {"/opt/$HOME/korvan", "\"/opt/\\\\$HOME/korvan\""},
        {"/opt/back\\slash/korvan", "\"/opt/back\\\\\\\\slash/korvan\""},
        {"/opt/100%/korvan", "/opt/100%%/korvan"},
        {"/opt/a`b/korvan", "\"/opt/a\\\\`b/korvan\""},
    };
    for (const auto& c : cases) {
        const QString program = QString::fromUtf8(c.program);
        EXPECT_EQ(ExecWord(program), QString::fromUtf8(c.word)) << c.program;
        EXPECT_EQ(ProgramOfExec(ExecWord(program) + " %f"), program) << c.program;
    }
}

}  // namespace
