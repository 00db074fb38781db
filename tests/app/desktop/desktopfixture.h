// Scratch XDG folders (user and system) and a scratch registry file for the desktop tests.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <vector>

#include "core/inidocument.h"
#include "core/registrystore.h"
#include "desktop/xdgplaces.h"

namespace korvan::desktop::testing {

inline const QString kProgram = QStringLiteral("/opt/korvan/bin/korvan");

class DesktopTest : public ::testing::Test {
  protected:
    static constexpr const char* kVariables[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME",
                                                 "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"};

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* name : kVariables) m_saved.push_back(qgetenv(name));
        for (const char* name : {"data", "config", "sysdata", "sysconfig"})
            ASSERT_TRUE(QDir(m_dir.path()).mkpath(QString::fromLatin1(name)));
        qputenv("XDG_DATA_HOME", (m_dir.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + "/config").toUtf8());
        qputenv("XDG_DATA_DIRS", (m_dir.path() + "/sysdata").toUtf8());
        qputenv("XDG_CONFIG_DIRS", (m_dir.path() + "/sysconfig").toUtf8());
    }
    // The folders the test run was given come back for the next test.
    void TearDown() override {
        for (size_t i = 0; i < m_saved.size(); ++i) {
            if (m_saved[i].isNull())
                qunsetenv(kVariables[i]);
            else
                qputenv(kVariables[i], m_saved[i]);
        }
    }
    RegistryStore registry() const { return RegistryStore(m_dir.filePath("registry.ini")); }
    QString mimeApps(const QString& group, const QString& mime) const {
        return IniDocument::load(UserMimeAppsList()).value(group, mime).value_or("<none>");
    }
    void writeFile(const QString& path, const QByteArray& text) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    std::vector<QByteArray> m_saved;
};

}  // namespace korvan::desktop::testing
