// File types, default applications and the IDE's tool entry against scratch XDG folders and a
// scratch registry file.
#include <gtest/gtest.h>

#include "core/inidocument.h"
#include "desktop/fileassociation.h"
#include "desktop/idetool.h"
#include "desktop/xdgplaces.h"
#include "desktopfixture.h"

using namespace korvan;
using namespace korvan::desktop;
using korvan::desktop::testing::DesktopTest;
using korvan::desktop::testing::kProgram;

namespace {

const QStringList kClassKeys = {".hex",
                                "hex.file",
                                "hex.file\\DefaultIcon",
                                "hex.file\\Shell",
                                "hex.file\\Shell\\Open",
                                "hex.file\\Shell\\Open\\command"};

TEST_F(DesktopTest, RegisteringTwiceLeavesOneSetAndUnregisteringRemovesIt) {
    writeFile(UserMimeAppsList(),
              "[Default Applications]\ntext/x-ihex=editor.desktop;\ntext/plain=editor.desktop;\n");
    FileAssociations types(registry(), kProgram);
    EXPECT_FALSE(types.IsAssociated("hex"));
    ASSERT_TRUE(types.RegisterFileType("hex", "十六进制代码文件", true, 2));
    ASSERT_TRUE(types.RegisterFileType("HEX", "十六进制代码文件", true, 2));
    EXPECT_TRUE(types.IsAssociated("hex"));
    EXPECT_FALSE(types.IsAssociated("bin"));

    const RegistryStore store = registry();
    const auto value = [&store](const QString& key) {
        const auto v = store.query(RegistryRoot::ClassesRoot, key, {});
        return v ? v->asText() : QStringLiteral("<none>");
    };
    EXPECT_EQ(value(".hex"), "hex.file");
    EXPECT_EQ(value("hex.file"), "十六进制代码文件");
    EXPECT_EQ(value("hex.file\\DefaultIcon"), kProgram + ",2");
    EXPECT_EQ(value("hex.file\\Shell\\Open\\command"), kProgram + " %1");
    EXPECT_EQ(mimeApps("Default Applications", "text/x-ihex"), "korvan.desktop;editor.desktop;");
    EXPECT_EQ(mimeApps("Added Associations", "text/x-ihex"), "korvan.desktop;");

    ASSERT_TRUE(types.RegisterFileType("hex", "十六进制代码文件", false, 2));
    EXPECT_FALSE(types.IsAssociated("hex"));
    for (const QString& key : kClassKeys)
        EXPECT_FALSE(store.keyExists(RegistryRoot::ClassesRoot, key)) << key.toStdString();
    EXPECT_EQ(mimeApps("Default Applications", "text/x-ihex"), "editor.desktop;");
    EXPECT_EQ(mimeApps("Added Associations", "text/x-ihex"), "<none>");
    EXPECT_EQ(mimeApps("Default Applications", "text/plain"), "editor.desktop;");
}

TEST_F(DesktopTest, UnregisteringWhatWasNeverRegisteredChangesNothing) {
    FileAssociations types(registry(), kProgram);
    EXPECT_TRUE(types.RegisterFileType("bin", "二进制代码文件", false, 3));
    EXPECT_FALSE(types.IsAssociated("bin"));
    EXPECT_EQ(mimeApps("Default Applications", MimeTypeOf("bin")), "<none>");
}

TEST_F(DesktopTest, AssociatedProgramOfAnUnassociatedExtensionIsEmpty) {
    for (const char* extension : {"hex", "bin", "xyz", ""})
        EXPECT_EQ(AssociatedProgram(extension), QString()) << extension;
}

TEST_F(DesktopTest, AssociatedProgramIsTheDefaultApplicationsProgram) {
    const struct {
        const char* exec;
        const char* program;
    } cases[] = {
        {"/opt/tools/viewer --hex %f", "/opt/tools/viewer"},
        {"\"/opt/my tools/viewer\" %U", "/opt/my tools/viewer"},
        {"  /usr/bin/viewer", "/usr/bin/viewer"},
        {"sh -c true", "/bin/sh"},
        {"no-such-program-here %f", ""},
    };
    for (const auto& c : cases) {
        writeFile(
            m_dir.path() + "/sysdata/applications/viewer.desktop",
            QByteArray("[Desktop Entry]\nType=Application\nName=Viewer\nExec=") + c.exec + "\n");
        writeFile(m_dir.path() + "/sysconfig/mimeapps.list",
                  "[Default Applications]\ntext/x-ihex=missing.desktop;viewer.desktop;\n");
        const QString found = AssociatedProgram("HEX");
        if (QString::fromLatin1(c.program) == "/bin/sh")
            EXPECT_TRUE(found.endsWith("/sh")) << c.exec;
        else
            EXPECT_EQ(found, QString::fromUtf8(c.program)) << c.exec;
    }
}

TEST_F(DesktopTest, TheUsersDefaultComesBeforeTheSystemOne) {
    writeFile(m_dir.path() + "/sysdata/applications/viewer.desktop",
              "[Desktop Entry]\nExec=/opt/viewer %f\n");
    writeFile(m_dir.path() + "/sysconfig/mimeapps.list",
              "[Default Applications]\ntext/x-ihex=viewer.desktop;\n");
    writeFile(m_dir.path() + "/data/applications/korvan.desktop",
              "[Desktop Entry]\nExec=" + kProgram.toUtf8() + " %f\n");
    FileAssociations types(registry(), kProgram);
    EXPECT_EQ(AssociatedProgram("hex"), "/opt/viewer");
    ASSERT_TRUE(types.RegisterFileType("hex", "十六进制代码文件", true, 2));
    EXPECT_EQ(AssociatedProgram("hex"), kProgram);
}

TEST_F(DesktopTest, IdeToolEntryNamesExactlyThisProgram) {
    RegistryStore store = registry();
    EXPECT_FALSE(IdeToolInstalled(store, kProgram));
    ASSERT_TRUE(SetIdeTool(store, true, "/home/user/old/korvan", "KORVAN"));
    EXPECT_FALSE(IdeToolInstalled(store, kProgram));
    EXPECT_TRUE(IdeToolInstalled(store, "/home/user/old/korvan"));

    ASSERT_TRUE(SetIdeTool(store, true, kProgram, "KORVAN"));
    EXPECT_TRUE(IdeToolInstalled(store, kProgram));
    const auto root = RegistryRoot::CurrentUser;
    EXPECT_EQ(store.query(root, kIdeToolKey, "Mag0")->asText(), "/u #h");
    EXPECT_EQ(store.query(root, kIdeToolKey, "Mtx0")->asText(), "KORVAN");
    EXPECT_EQ(store.query(root, kIdeToolKey, "Mid0")->asText(), "");
    EXPECT_EQ(store.query(root, kIdeToolKey, "Mfg0")->type, RegistryValue::Type::Dword);
    EXPECT_EQ(store.query(root, kIdeToolKey, "Mfg0")->number, 256u);

    ASSERT_TRUE(store.setDword(root, kIdeToolKey, "Mfg0", 0));
    EXPECT_FALSE(IdeToolInstalled(store, kProgram));

    ASSERT_TRUE(SetIdeTool(store, false, kProgram, "KORVAN"));
    for (const char* name : {"Mex0", "Mag0", "Mtx0", "Mid0", "Mfg0"})
        EXPECT_FALSE(store.query(root, kIdeToolKey, name)) << name;
}

}  // namespace
