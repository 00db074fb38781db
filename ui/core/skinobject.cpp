#include "skinobject.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QWidget>
#include <algorithm>

#include "ui/core/latebind.h"

namespace kui {

namespace {

using CreateObjectFn = QObject* (*)(const char*);

// The library file a name such as "Skin.dll" stands for here.
QString libraryBase(const QString& fileName) {
    const QString base = QFileInfo(fileName).completeBaseName();
    return base.isEmpty() ? QStringLiteral("Skin") : base;
}

QObject* createFrom(const QString& dir, const QString& base, const QByteArray& className) {
    if (dir.isEmpty()) return nullptr;
    // The library stays loaded for the life of the process: the object's code lives in it.
    QLibrary library(QDir(dir).filePath(base));
    if (!library.load()) return nullptr;
    auto create = reinterpret_cast<CreateObjectFn>(library.resolve("CreateObject"));
    return create ? create(className.constData()) : nullptr;
}

}  // namespace

QStringList defaultSkinObjectDirs() {
    if (!QCoreApplication::instance()) return {};
    const QString exe = QCoreApplication::applicationDirPath();
    return {exe, QDir::cleanPath(exe + QStringLiteral("/../lib"))};
}

std::unique_ptr<QObject> CreateSkinObject(const QString& className, const QString& fileName,
                                          const QStringList& dirs, const QString& appPath) {
    const QByteArray name = className.toUtf8();
    const QString base = libraryBase(fileName);
    for (const QString& dir : dirs)
        if (QObject* object = createFrom(dir, base, name)) return std::unique_ptr<QObject>(object);
    if (!appPath.isEmpty() && !dirs.contains(appPath))
        if (QObject* object = createFrom(appPath, base, name))
            return std::unique_ptr<QObject>(object);
    return nullptr;
}

int SkinEngine::SkinCount() const {
    if (!m_object) return 0;
    const auto r = invokeByName(m_object.get(), "SkinCount");
    return r && r->isValid() ? std::max(0, r->toInt()) : 0;
}

QString SkinEngine::SkinName(int index, int language) const {
    if (!m_object) return {};
    const auto r = invokeByName(m_object.get(), "SkinName", {index, language});
    return r ? r->toString() : QString();
}

bool SkinEngine::setSkinType(int index) {
    if (!m_object) return false;
    if (m_object->metaObject()->indexOfProperty("SkinType") >= 0)
        return m_object->setProperty("SkinType", index);
    return invokeByName(m_object.get(), "setSkinType", {index}).has_value();
}

QWidget* SkinEngine::ChangeSkin(QWidget* window) {
    if (!m_object || !window) return window;
    const auto r =
        invokeByName(m_object.get(), "ChangeSkin", {QVariant::fromValue<QObject*>(window)});
    if (!r) return window;
    auto* back = qobject_cast<QWidget*>(r->value<QObject*>());
    return back ? back : window;
}

}  // namespace kui
