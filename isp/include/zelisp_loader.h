// Loading the ZEL control at run time. A host calls LoadZelControl() once a QApplication
// exists, keeps the returned object (it owns it: delete it, or give the widget a parent) and
// calls ReadProperties before using it:
//
//     zelisp::ZelControlHandle zel = zelisp::LoadZelControl();
//     if (!zel) { show "ISP 控件错误..." (zel.error == zelisp::kCannotLoad, zel.detail); quit; }
//     zel.control->ReadProperties(savedBag);
//     layout->addWidget(zel.control->widget());
//
// Nothing here throws or crashes when the library is missing, damaged or of another kind: the
// result then carries kCannotLoad and a text saying why.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QObject>
#include <QString>
#include <QStringList>

#include "zelisp_interface.h"

namespace zelisp {

// The library's entry point: a new object for a known program id, nullptr otherwise.
using CreateObjectFunction = QObject* (*)(const char* progId);

struct ZelControlHandle {
    QObject* object = nullptr;   // owned by the caller
    IZelIsp* control = nullptr;  // the same object through its interface
    int error = kCannotLoad;     // kOk when loaded
    QString detail;              // why it failed, for a log
    explicit operator bool() const { return control != nullptr; }
};

// Where the library is looked for when no path is given: $ZEL_LIBRARY when set (and only
// there), else beside the executable, in ../lib, and finally by the system's library search.
inline QStringList ZelLibraryCandidates() {
    const QString forced = qEnvironmentVariable("ZEL_LIBRARY");
    if (!forced.isEmpty()) return {forced};
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QDir appDir(QCoreApplication::applicationDirPath());
        candidates << appDir.filePath(QString::fromLatin1(kLibraryName))
                   << QDir::cleanPath(appDir.filePath(QStringLiteral("../lib/")) + u'/' +
                                      QString::fromLatin1(kLibraryName));
    }
    candidates << QString::fromLatin1(kLibraryName);
    return candidates;
}

// Loads libzel.so from `libraryPath` (or the candidates above when empty) and creates the
// object `progId`.
inline ZelControlHandle LoadZelControl(const QString& libraryPath = {},
                                       const char* progId = kProgId) {
    ZelControlHandle h;
    if (!QCoreApplication::instance()) {
        h.detail = QStringLiteral("no application object: the control is a widget");
        return h;
    }
    QStringList candidates =
        libraryPath.isEmpty() ? ZelLibraryCandidates() : QStringList{libraryPath};
    QStringList reasons;
    for (const QString& candidate : candidates) {
        // A bare name is left to the system's search; a path must exist.
        if (candidate.contains(u'/') && !QFileInfo::exists(candidate)) {
            reasons << candidate + QStringLiteral(": not found");
            continue;
        }
        QLibrary library(candidate);
        if (!library.load()) {
            reasons << library.errorString();
            continue;
        }
        // The library stays loaded for the life of the process: objects it made may be alive.
        auto create = reinterpret_cast<CreateObjectFunction>(library.resolve("CreateObject"));
        if (!create) {
            reasons << candidate + QStringLiteral(": no CreateObject entry point");
            continue;
        }
        QObject* object = create(progId);
        if (!object) {
            reasons << candidate + QStringLiteral(": cannot create \"%1\"")
                                       .arg(QString::fromLatin1(progId));
            continue;
        }
        IZelIsp* control = qobject_cast<IZelIsp*>(object);
        if (!control) {
            delete object;
            reasons << candidate + QStringLiteral(": \"%1\" is not the ZEL control")
                                       .arg(QString::fromLatin1(progId));
            continue;
        }
        h.object = object;
        h.control = control;
        h.error = kOk;
        h.detail = candidate;
        return h;
    }
    h.detail = reasons.join(QStringLiteral("; "));
    return h;
}

}  // namespace zelisp
