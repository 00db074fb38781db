#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

namespace korvan::test {
namespace {

// Before any test runs: every way to the user's real folders points into a scratch folder.
struct IsolateHome {
    IsolateHome() {
        static QTemporaryDir root;
        const QByteArray base = root.path().toUtf8();
        setenv("KORVAN_HOME", (base + "/home").constData(), 1);
        setenv("KORVAN_REGISTRY", (base + "/registry.ini").constData(), 1);
        setenv("XDG_CONFIG_HOME", (base + "/config").constData(), 1);
        setenv("HOME", base.constData(), 1);
    }
};
const IsolateHome isolateHome;

}  // namespace

TempHome::TempHome() {
    QDir(dir_.path()).mkpath("app");
    QDir(dir_.path()).mkpath("tmp");
    paths_.AppPath = dir_.path() + "/app/";
    paths_.TempPath = dir_.path() + "/tmp/";
    paths_.RegistryFile = dir_.path() + "/registry.ini";
}

QString TempHome::path(const QString& name) const {
    return dir_.path() + '/' + name;
}

QString TempHome::write(const QString& name, const QByteArray& bytes) const {
    const QString full = name.startsWith('/') ? name : path(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return full;
}

QByteArray TempHome::read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace korvan::test
